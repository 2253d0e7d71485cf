#pragma once

#include <string>
#include <string_view>

namespace dactyra {

// The whole content of a file, or why it could not be had.
struct FileReadResult {
  enum class Status { kOk, kCannotOpen, kCannotRead };

  Status status = Status::kOk;
  std::string bytes;      // the file's bytes when status is kOk
  std::u16string reason;  // a line for the log when status is not kOk
};

// Reads a whole file, sharing it with every other reader and writer. A missing file, a folder
// and a file without access give kCannotOpen; an error after opening gives kCannotRead.
FileReadResult ReadWholeFile(std::u16string_view path);

// Whether anything is at the path: a file, a folder, a link, or something that cannot be looked
// at (no access). False only when the path surely names nothing.
bool PathExists(std::u16string_view path);

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
