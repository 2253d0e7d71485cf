#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dactyra {

// The whole content of a file, or why it could not be had.
struct FileReadResult {
  enum class Status { kOk, kCannotOpen, kCannotRead };

  Status status = Status::kOk;
  std::string bytes;      // the file's bytes when status is kOk
  std::u16string reason;  // a line for the log when status is not kOk
};

// A file read from its start to its end in pieces, shared with every other reader and writer.
class FileReader {
 public:
  // Opens the file. A missing file, a folder and a file without access cannot be opened.
  explicit FileReader(std::u16string_view path);
  ~FileReader();
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;

  bool IsOpen() const;
  // The size of the file when it was opened; 0 when not known.
  std::uint64_t Size() const { return size_; }
  // Reads the next bytes into the buffer: how many (0 at the end), or none on a read error.
  std::optional<std::size_t> Read(std::span<char> buffer);
  // A line for the log: why the file could not be opened, or why the last read failed.
  const std::u16string& Reason() const { return reason_; }

 private:
  std::u16string path_;
  std::intptr_t handle_;  // the system's handle of the open file
  std::uint64_t size_ = 0;
  std::u16string reason_;
};

// An exclusive hold on a lock file, for as long as the object lives: no other FileLock, in this
// process or another, holds the same file meanwhile. The file is made when missing; Windows
// removes it when its holder lets go, elsewhere it stays for the next one.
class FileLock {
 public:
  enum class Status { kHeld, kInUse, kCannotOpen };

  // Takes the lock, trying again for up to `wait` while someone else holds it.
  FileLock(std::u16string_view path, std::chrono::milliseconds wait);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // kInUse: someone else still held it when the wait was over.
  Status status() const { return status_; }
  // A line for the log: why the lock is not held.
  const std::u16string& Reason() const { return reason_; }

 private:
  static constexpr std::chrono::milliseconds kRetryInterval{10};

  std::intptr_t handle_;  // the system's handle of the open lock file
  Status status_ = Status::kCannotOpen;
  std::u16string reason_;
};

// Reads a whole file, sharing it with every other reader and writer. A missing file, a folder
// and a file without access give kCannotOpen; an error after opening gives kCannotRead.
FileReadResult ReadWholeFile(std::u16string_view path);

// Whether anything is at the path: a file, a folder, a link, or something that cannot be looked
// at (no access). False only when the path surely names nothing.
bool PathExists(std::u16string_view path);

// The names of the files directly in `folder` (a path with its trailing separator), folders
// left out, in no particular order; empty when the folder cannot be read.
std::vector<std::u16string> FileNamesIn(std::u16string_view folder);

// Whether the file at `path` is marked read-only (or this user may not write it): a file that
// must not be replaced. False for a path that names nothing.
bool FileIsReadOnly(std::u16string_view path);

// Whether this user can create files in `folder` (a path with its trailing separator): a file is
// made there and removed again.
bool FolderIsWritable(std::u16string_view folder);

// Creates the folder (its parent must exist); true when it exists afterwards.
bool CreateFolder(std::u16string_view folder);

// The outcome of writing a file: ok, or why not.
struct FileWriteResult {
  bool ok = false;
  std::u16string reason;  // a line for the log when not ok

  explicit operator bool() const { return ok; }
};

// Replaces the file's content with `bytes` so that a reader sees either the old file or the new
// one, never a part: the bytes go to a temporary file in the same folder, are flushed to the
// disk and then take the old file's place in one step. On any failure the old file is left as
// it was and the temporary file is removed.
FileWriteResult WriteFileAtomically(std::u16string_view path, std::string_view bytes);

}  // namespace dactyra
