#include <windows.h>

#include <random>
#include <thread>

#include "base/file.h"
#include "base/hex.h"
#include "base/strings.h"
#include "base/wide.h"

namespace dactyra {
namespace {

// Closes a file handle when it goes out of scope.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { Close(); }

  void Reset(HANDLE handle) {
    Close();
    handle_ = handle;
  }
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool Close() {
    if (handle_ == INVALID_HANDLE_VALUE) {
      return true;
    }
    const BOOL closed = ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    return closed != FALSE;
  }

 private:
  HANDLE handle_;
};

std::u16string SystemMessage(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::u16string text;
  if (length > 0 && buffer != nullptr) {
    text.assign(reinterpret_cast<const char16_t*>(buffer), length);
  }
  if (buffer != nullptr) {
    ::LocalFree(buffer);
  }
  while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' ')) {
    text.pop_back();
  }
  if (text.empty()) {
    text = u"system error " + IntToText(error);
  }
  return text;
}

std::u16string Describe(std::u16string_view what, std::u16string_view path, DWORD error) {
  std::u16string text(what);
  text += u" \"";
  text += path;
  text += u"\": ";
  text += SystemMessage(error);
  return text;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

// Ends a folder search when it goes out of scope.
class FindHandle {
 public:
  explicit FindHandle(HANDLE handle) : handle_(handle) {}
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  ~FindHandle() {
    if (valid()) {
      ::FindClose(handle_);
    }
  }

  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

}  // namespace

std::vector<std::u16string> FileNamesIn(std::u16string_view folder) {
  std::vector<std::u16string> names;
  const std::u16string pattern = std::u16string(folder) + u"*";
  WIN32_FIND_DATAW found{};
  const FindHandle search(::FindFirstFileW(Wide(pattern), &found));
  if (!search.valid()) {
    return names;
  }
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      names.emplace_back(reinterpret_cast<const char16_t*>(found.cFileName));
    }
  } while (::FindNextFileW(search.get(), &found));
  return names;
}

bool FileIsReadOnly(std::u16string_view path) {
  const std::u16string name(path);
  const DWORD attributes = GetFileAttributesW(Wide(name));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
         (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool FolderIsWritable(std::u16string_view folder) {
  std::random_device random;
  const std::u16string probe = std::u16string(folder) + u"~dactyra-" + Hex8(random()) + u".tmp";
  const FileHandle file(::CreateFileW(Wide(probe), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE,
                                      nullptr));
  return file.valid();
}

bool CreateFolder(std::u16string_view folder) {
  const std::u16string name(folder);
  if (::CreateDirectoryW(Wide(name), nullptr)) {
    return true;
  }
  const DWORD attributes = GetFileAttributesW(Wide(name));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

FileReader::FileReader(std::u16string_view path)
    : path_(path), handle_(reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE)) {
  const HANDLE file = ::CreateFileW(Wide(path_), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    reason_ = Describe(u"Cannot open", path, ::GetLastError());
    return;
  }
  LARGE_INTEGER size{};
  if (::GetFileSizeEx(file, &size) && size.QuadPart > 0) {
    size_ = static_cast<std::uint64_t>(size.QuadPart);
  }
  handle_ = reinterpret_cast<std::intptr_t>(file);
}

FileReader::~FileReader() {
  if (IsOpen()) {
    ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
  }
}

bool FileReader::IsOpen() const {
  return reinterpret_cast<HANDLE>(handle_) != INVALID_HANDLE_VALUE;
}

std::optional<std::size_t> FileReader::Read(std::span<char> buffer) {
  if (!IsOpen()) {
    return std::nullopt;
  }
  const DWORD wanted =
      buffer.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(buffer.size());
  DWORD got = 0;
  if (!::ReadFile(reinterpret_cast<HANDLE>(handle_), buffer.data(), wanted, &got, nullptr)) {
    reason_ = Describe(u"Cannot read", path_, ::GetLastError());
    return std::nullopt;
  }
  return static_cast<std::size_t>(got);
}

FileLock::FileLock(std::u16string_view path, std::chrono::milliseconds wait)
    : handle_(reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE)) {
  const std::u16string name(path);
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    // No sharing: while this handle is open nobody else opens the file, and it goes with the
    // handle.
    const HANDLE file = ::CreateFileW(Wide(name), GENERIC_READ | DELETE, 0, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      status_ = Status::kHeld;
      handle_ = reinterpret_cast<std::intptr_t>(file);
      return;
    }
    const DWORD error = ::GetLastError();
    // Access is denied too for a moment while the last holder's file is being removed.
    const bool in_use = error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED;
    if (!in_use || std::chrono::steady_clock::now() >= deadline) {
      status_ = error == ERROR_SHARING_VIOLATION ? Status::kInUse : Status::kCannotOpen;
      reason_ = Describe(u"Cannot lock", path, error);
      return;
    }
    std::this_thread::sleep_for(kRetryInterval);
  }
}

FileLock::~FileLock() {
  if (status_ == Status::kHeld) {
    ::CloseHandle(reinterpret_cast<HANDLE>(handle_));  // lets go of the lock and removes the file
  }
}

bool PathExists(std::u16string_view path) {
  const std::u16string name(path);
  if (::GetFileAttributesW(Wide(name)) != INVALID_FILE_ATTRIBUTES) {
    return true;
  }
  const DWORD error = ::GetLastError();
  return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND &&
         error != ERROR_INVALID_NAME && error != ERROR_INVALID_DRIVE;
}

FileWriteResult WriteFileAtomically(std::u16string_view path, std::string_view bytes) {
  const std::u16string target(path);
  if (target.empty()) {
    return {false, u"The file name is empty"};
  }
  // A folder in the file's place, or a file marked read-only, is never replaced.
  const DWORD attributes = ::GetFileAttributesW(Wide(target));
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
    return {false, Describe(u"Cannot replace", path, ERROR_ACCESS_DENIED)};
  }
  const size_t slash = target.find_last_of(u"\\/");
  const std::u16string folder = slash == std::u16string::npos ? u"" : target.substr(0, slash + 1);
  const std::u16string name = target.substr(folder.size());

  // A fresh, unused name beside the target; CREATE_NEW never reuses someone else's file.
  std::random_device random;
  std::u16string temp_path;
  FileHandle temp(INVALID_HANDLE_VALUE);
  DWORD error = ERROR_SUCCESS;
  for (int attempt = 0; attempt < 100 && !temp.valid(); ++attempt) {
    temp_path = folder + u"~" + name + u"." + Hex8(random()) + u".tmp";
    temp.Reset(::CreateFileW(Wide(temp_path), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    error = ::GetLastError();
    if (!temp.valid() && error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
      break;
    }
  }
  if (!temp.valid()) {
    return {false, Describe(u"Cannot create a temporary file beside", path, error)};
  }

  std::u16string step;
  if (!WriteAll(temp.get(), bytes)) {
    step = u"Cannot write";
  } else if (!::FlushFileBuffers(temp.get())) {
    step = u"Cannot flush";
  } else if (!temp.Close()) {
    step = u"Cannot close";
  } else if (!::MoveFileExW(Wide(temp_path), Wide(target),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    step = u"Cannot replace";
  }
  if (!step.empty()) {
    error = ::GetLastError();
    temp.Close();
    ::DeleteFileW(Wide(temp_path));
    return {false, Describe(step, path, error)};
  }
  return {true, u""};
}

}  // namespace dactyra
