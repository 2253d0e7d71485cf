#pragma once

// The operating-system calls the program needs, behind plain C++ types. The Windows build
// implements them in platform/win32; the other builds get the stand-ins of platform/posix,
// which give fixed, plausible answers so that portable code and its tests link and run.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dactyra::platform {

// ---- Modules --------------------------------------------------------------------------------

// Any exported function; cast to its real type before calling.
using ExportAddress = void (*)();

// A raw module handle as the biometric binding stores it; 0 = none.
using ModuleHandle = std::uintptr_t;

// Loads a DLL from the system directory only: a DLL of that name in the program's folder or
// the current directory is never loaded. 0 when it cannot be loaded.
ModuleHandle LoadSystemModule(std::u16string_view dll_name);

// Frees a handle from LoadSystemModule; 0 is ignored.
void FreeSystemModule(ModuleHandle module);

// The address of an export by its exact name, or null.
ExportAddress FindExport(ModuleHandle module, const char* export_name);

// Takes one more counted reference on a loaded module, so that it stays loaded until that
// reference is released with FreeSystemModule even when its first holder frees it. Returns
// the handle to release, or 0 when `module` is 0 or not loaded.
ModuleHandle AddModuleReference(ModuleHandle module);

// Owns one loaded module and frees it when it goes.
class Module {
 public:
  Module() = default;
  explicit Module(std::u16string_view dll_name) : handle_(LoadSystemModule(dll_name)) {}
  // One more reference on a module loaded elsewhere (see AddModuleReference).
  static Module AddReference(ModuleHandle module) { return Module(AddModuleReference(module)); }
  ~Module() { FreeSystemModule(handle_); }
  Module(Module&& other) noexcept : handle_(other.Release()) {}
  Module& operator=(Module&& other) noexcept {
    if (this != &other) {
      FreeSystemModule(handle_);
      handle_ = other.Release();
    }
    return *this;
  }
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

  bool IsLoaded() const { return handle_ != 0; }
  ModuleHandle Handle() const { return handle_; }
  ExportAddress Find(const char* export_name) const { return FindExport(handle_, export_name); }
  // The export as a function of its real type, or null.
  template <typename Function>
  Function Find(const char* export_name) const {
    return reinterpret_cast<Function>(Find(export_name));
  }

  // Gives up ownership: the caller frees the handle.
  ModuleHandle Release() {
    const ModuleHandle handle = handle_;
    handle_ = 0;
    return handle;
  }

 private:
  explicit Module(ModuleHandle handle) : handle_(handle) {}

  ModuleHandle handle_ = 0;
};

// ---- Security -------------------------------------------------------------------------------

// The binary SID of the user the process runs as (from the process token), its length taken
// from the SID itself. None when the token cannot be read.
std::optional<std::vector<std::uint8_t>> CurrentUserSid();

// Length in bytes that a SID's header declares (8 + 4 per sub-authority), or none when `sid`
// is too short to hold even its header or the SID it declares.
std::optional<std::size_t> DeclaredSidLength(std::span<const std::uint8_t> sid);

// True when both hold well-formed SIDs (within their spans) and they are equal.
bool EqualSids(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b);

// The SID's standard text form ("S-1-5-21-..."), or none when `sid` holds no valid SID within
// its span.
std::optional<std::u16string> SidToText(std::span<const std::uint8_t> sid);

// The name of the signed-in user (at most 256 characters), or none.
std::optional<std::u16string> UserName();

// ---- Locale ---------------------------------------------------------------------------------

// The user's default locale name as the system gives it ("zh-CN"); "en-US" when it has none.
std::u16string UserDefaultLocaleName();

// The time separator of the user's locale (":" when it has none).
std::u16string TimeSeparator();

// ---- Dates and times -----------------------------------------------------------------------

// A calendar date and time of day, in local time.
struct LocalDateTime {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;    // 1 to 31
  int hour = 0;
  int minute = 0;
  int second = 0;

  friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

// The current local time.
LocalDateTime CurrentLocalTime();

// A time in seconds since 1970-01-01 00:00:00 UTC, in local time by the system's current
// time-zone rules. None when the system cannot convert it.
std::optional<LocalDateTime> UtcSecondsToLocalTime(std::uint32_t seconds_since_1970);

// The date in the user's short date format, and the time in the user's long time format.
// Empty when the value is not a valid date or time.
std::u16string FormatShortDate(const LocalDateTime& value);
std::u16string FormatLongTime(const LocalDateTime& value);

// ---- Files and the running program ----------------------------------------------------------

// Full path of the running executable.
std::u16string ExecutablePath();

// The signed-in user's folder for the data of his programs on this machine (the folder that
// %LOCALAPPDATA% names), with a trailing backslash; none when the system gives none.
std::optional<std::u16string> LocalAppDataFolder();

// One string of a file's version resource ("FileVersion"), from the block of its first
// translation, or from block "040904E4" when it lists none. Empty when the file has no
// version resource or no such string.
std::u16string FileVersionField(std::u16string_view file_path, std::u16string_view key);

// ---- Single instance ------------------------------------------------------------------------

// Marks this process as the running instance of the program in the logon session. Held while
// the object lives; a process that dies (even killed) gives it up.
class SingleInstance {
 public:
  // Claims the instance under `name` (a plain name without backslashes); none when another
  // process of the session holds it or the claim cannot be made.
  static std::optional<SingleInstance> Acquire(std::u16string_view name);

  ~SingleInstance();
  SingleInstance(SingleInstance&& other) noexcept;
  SingleInstance& operator=(SingleInstance&&) = delete;
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

 private:
  SingleInstance(std::uintptr_t mutex, std::u16string name)
      : mutex_(mutex), name_(std::move(name)) {}

  std::uintptr_t mutex_ = 0;
  std::u16string name_;
};

}  // namespace dactyra::platform
