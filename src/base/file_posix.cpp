#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <random>
#include <system_error>
#include <thread>

#include "base/file.h"
#include "base/strings.h"
#include "base/utf.h"

namespace dactyra {
namespace {

// Closes a descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() { Close(); }

  void Reset(int fd) {
    Close();
    fd_ = fd;
  }
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  int Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  // Closes now; false when the close reported an error (a late write failure).
  bool Close() {
    if (fd_ < 0) {
      return true;
    }
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0;
  }

 private:
  int fd_;
};

std::u16string Describe(std::u16string_view what, std::u16string_view path, int error) {
  std::u16string text(what);
  text += u" \"";
  text += path;
  text += u"\": ";
  text += AsciiToUtf16(std::generic_category().message(error));
  return text;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// Makes the rename itself durable; a failure here does not undo the replacement.
void SyncFolder(const std::string& folder) {
  Descriptor dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.valid()) {
    ::fsync(dir.get());
  }
}

}  // namespace

std::vector<std::u16string> FileNamesIn(std::u16string_view folder) {
  std::vector<std::u16string> names;
  const std::optional<std::string> native = Utf16ToUtf8(folder);
  if (!native) {
    return names;
  }
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(native->c_str()), &::closedir);
  if (!dir) {
    return names;
  }
  while (const dirent* entry = ::readdir(dir.get())) {
    struct stat info {};
    if (::fstatat(::dirfd(dir.get()), entry->d_name, &info, 0) != 0 || S_ISDIR(info.st_mode)) {
      continue;
    }
    if (const std::optional<std::u16string> name = Utf8ToUtf16(entry->d_name)) {
      names.push_back(*name);
    }
  }
  return names;
}

bool FileIsReadOnly(std::u16string_view path) {
  const std::optional<std::string> native = Utf16ToUtf8(path);
  struct stat status {};
  return native && ::stat(native->c_str(), &status) == 0 && !S_ISDIR(status.st_mode) &&
         ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
          ::access(native->c_str(), W_OK) != 0);
}

bool FolderIsWritable(std::u16string_view folder) {
  const std::optional<std::string> native = Utf16ToUtf8(folder);
  if (!native) {
    return false;
  }
  std::random_device random;
  const std::string probe = *native + ".dactyra-" + std::to_string(random() % 1000000000u);
  const Descriptor file(::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
  if (!file.valid()) {
    return false;
  }
  ::unlink(probe.c_str());
  return true;
}

bool CreateFolder(std::u16string_view folder) {
  const std::optional<std::string> native = Utf16ToUtf8(folder);
  struct stat status {};
  return native && (::mkdir(native->c_str(), 0700) == 0 ||
                    (::stat(native->c_str(), &status) == 0 && S_ISDIR(status.st_mode)));
}

FileReader::FileReader(std::u16string_view path) : path_(path), handle_(-1) {
  const auto native = Utf16ToUtf8(path);
  if (!native) {
    reason_ = u"The file name is not valid Unicode";
    return;
  }
  Descriptor file(::open(native->c_str(), O_RDONLY | O_CLOEXEC));
  struct stat info {};
  if (!file.valid() || ::fstat(file.get(), &info) != 0 || S_ISDIR(info.st_mode)) {
    reason_ = Describe(u"Cannot open", path, file.valid() ? EISDIR : errno);
    return;
  }
  size_ = info.st_size > 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
  handle_ = file.Release();
}

FileReader::~FileReader() {
  if (IsOpen()) {
    ::close(static_cast<int>(handle_));
  }
}

bool FileReader::IsOpen() const {
  return handle_ >= 0;
}

std::optional<std::size_t> FileReader::Read(std::span<char> buffer) {
  if (!IsOpen()) {
    return std::nullopt;
  }
  for (;;) {
    const ssize_t got = ::read(static_cast<int>(handle_), buffer.data(), buffer.size());
    if (got >= 0) {
      return static_cast<std::size_t>(got);
    }
    if (errno != EINTR) {
      reason_ = Describe(u"Cannot read", path_, errno);
      return std::nullopt;
    }
  }
}

FileLock::FileLock(std::u16string_view path, std::chrono::milliseconds wait) : handle_(-1) {
  const auto native = Utf16ToUtf8(path);
  if (!native) {
    reason_ = u"The file name is not valid Unicode";
    return;
  }
  // Read access is enough for flock, so that another account can take a file this one made.
  Descriptor file(::open(native->c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666));
  if (!file.valid()) {
    reason_ = Describe(u"Cannot open", path, errno);
    return;
  }
  const auto deadline = std::chrono::steady_clock::now() + wait;
  while (::flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    if (error != EWOULDBLOCK && error != EINTR) {
      reason_ = Describe(u"Cannot lock", path, error);
      return;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      status_ = Status::kInUse;
      reason_ = Describe(u"Cannot lock", path, error);
      return;
    }
    std::this_thread::sleep_for(kRetryInterval);
  }
  status_ = Status::kHeld;
  handle_ = file.Release();
}

FileLock::~FileLock() {
  if (status_ == Status::kHeld) {
    ::close(static_cast<int>(handle_));  // lets go of the lock
  }
}

bool PathExists(std::u16string_view path) {
  const auto native = Utf16ToUtf8(path);
  struct stat info {};
  return native && (::lstat(native->c_str(), &info) == 0 || (errno != ENOENT && errno != ENOTDIR));
}

FileWriteResult WriteFileAtomically(std::u16string_view path, std::string_view bytes) {
  const auto native = Utf16ToUtf8(path);
  if (!native || native->empty()) {
    return {false, u"The file name is not valid"};
  }
  const size_t slash = native->rfind('/');
  const std::string folder = slash == std::string::npos ? "" : native->substr(0, slash + 1);
  const std::string name = native->substr(folder.size());

  // A fresh, unused name beside the target; O_EXCL never reuses someone else's file.
  std::random_device random;
  std::string temp_path;
  Descriptor temp(-1);
  for (int attempt = 0; attempt < 100 && !temp.valid(); ++attempt) {
    temp_path = folder + "." + name + "." + std::to_string(random() % 1000000000u) + ".tmp";
    temp.Reset(::open(temp_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!temp.valid() && errno != EEXIST) {
      break;
    }
  }
  if (!temp.valid()) {
    return {false, Describe(u"Cannot create a temporary file beside", path, errno)};
  }

  // The new file keeps the permissions of the one it replaces.
  struct stat old_info {};
  if (::stat(native->c_str(), &old_info) == 0 && S_ISREG(old_info.st_mode)) {
    ::fchmod(temp.get(), old_info.st_mode & 07777);
  }

  int error = 0;
  std::u16string step;
  if (!WriteAll(temp.get(), bytes)) {
    error = errno;
    step = u"Cannot write";
  } else if (::fsync(temp.get()) != 0) {
    error = errno;
    step = u"Cannot flush";
  } else if (!temp.Close()) {
    error = errno;
    step = u"Cannot close";
  } else if (::rename(temp_path.c_str(), native->c_str()) != 0) {
    error = errno;
    step = u"Cannot replace";
  }
  if (!step.empty()) {
    temp.Close();
    ::unlink(temp_path.c_str());
    return {false, Describe(step, path, error)};
  }
  SyncFolder(folder);
  return {true, u""};
}

}  // namespace dactyra
