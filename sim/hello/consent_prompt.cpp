#include "sim/hello/consent_prompt.h"

#include <windows.h>

#include <string>

#include "sim/dll/dll_paths.h"
#include "sim/hello/prompt_protocol.h"

namespace dactyra::sim {
namespace {

// How long a prompt may take to close before it is ended.
constexpr DWORD kCloseRoom = 30000;

// A handle of this process that a started program inherits.
HANDLE InheritableSelf() {
  HANDLE self = nullptr;
  DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self, SYNCHRONIZE,
                  TRUE, 0);
  return self;
}

std::wstring Decimal(HANDLE handle) {
  return std::to_wstring(reinterpret_cast<ULONG_PTR>(handle));
}

}  // namespace

ConsentPrompt::ConsentPrompt() {
  SECURITY_ATTRIBUTES inheritable{.nLength = sizeof(SECURITY_ATTRIBUTES),
                                  .lpSecurityDescriptor = nullptr,
                                  .bInheritHandle = TRUE};
  close_event_.reset(CreateEventW(&inheritable, TRUE, FALSE, nullptr));
  const UniqueHandle self(InheritableSelf());
  if (close_event_ == nullptr || self == nullptr) {
    return;
  }
  const std::u16string folder = ModuleFolderOf(reinterpret_cast<const void*>(&Decimal));
  const std::wstring program = std::wstring(folder.begin(), folder.end()) + kPromptProgram;
  std::wstring command_line =
      L"\"" + program + L"\" " + Decimal(close_event_.get()) + L" " + Decimal(self.get());
  STARTUPINFOW startup{};
  startup.cb = sizeof(STARTUPINFOW);
  PROCESS_INFORMATION started{};
  if (CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                     nullptr, &startup, &started)) {
    CloseHandle(started.hThread);
    process_.reset(started.hProcess);
  }
}

ConsentPrompt::~ConsentPrompt() {
  Close();
}

std::u16string ConsentPrompt::Close() {
  if (process_ == nullptr) {
    return u"foreground=no-prompt";
  }
  SetEvent(close_event_.get());
  if (WaitForSingleObject(process_.get(), kCloseRoom) != WAIT_OBJECT_0) {
    TerminateProcess(process_.get(), kNeverInFront);
    WaitForSingleObject(process_.get(), kCloseRoom);
  }
  DWORD in_front = kNeverInFront;
  GetExitCodeProcess(process_.get(), &in_front);
  process_.reset();
  if (in_front == kNeverInFront) {
    return u"foreground=never";
  }
  const std::string milliseconds = std::to_string(in_front);
  return u"foreground=" + std::u16string(milliseconds.begin(), milliseconds.end());
}

}  // namespace dactyra::sim
