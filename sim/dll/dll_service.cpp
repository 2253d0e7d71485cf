// The service of winbio.dll: made on the first call, for the state file named by the
// environment variable WINBIO_SIM_STATE, or "winbio-sim.toml" in the folder of the DLL. Touches
// go to this process only while one of its windows is the foreground window.
#include <windows.h>

#include <string>

#include "platform/platform.h"
#include "sim/active_service.h"

namespace dactyra::sim {
namespace {

std::u16string EnvironmentValue(const wchar_t* name) {
  std::wstring value(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
    if (length < value.size()) {
      value.resize(length);  // 0 when not set
      return std::u16string(value.begin(), value.end());
    }
    value.resize(length);
  }
}

// The folder of this DLL, with its trailing backslash.
std::u16string ModuleFolder() {
  HMODULE self = nullptr;
  if (!GetModuleHandleExW(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCWSTR>(&ModuleFolder), &self)) {
    return {};
  }
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(self, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) {
      return {};
    }
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return std::u16string(path.begin(),
                        path.begin() + static_cast<std::ptrdiff_t>(path.rfind(L'\\') + 1));
}

std::u16string StatePath() {
  std::u16string path = EnvironmentValue(L"WINBIO_SIM_STATE");
  return path.empty() ? ModuleFolder() + u"winbio-sim.toml" : path;
}

bool OwnsForegroundWindow() {
  HWND foreground = GetForegroundWindow();
  DWORD process = 0;
  return foreground != nullptr && GetWindowThreadProcessId(foreground, &process) != 0 &&
         process == GetCurrentProcessId();
}

std::shared_ptr<Service> MakeService() {
  auto service = std::make_shared<Service>(StatePath(), platform::CurrentUserSid().value_or(Sid{}));
  service->SetForegroundCheck(&OwnsForegroundWindow);
  return service;
}

}  // namespace

std::shared_ptr<Service> ActiveService() {
  static const std::shared_ptr<Service> service = MakeService();
  return service;
}

}  // namespace dactyra::sim
