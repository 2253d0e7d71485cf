// The service of winbio.dll: made on the first call, for the state file named by the
// environment variable WINBIO_SIM_STATE, or "winbio-sim.toml" in the folder of the DLL. Touches
// go to this process only while one of its windows is the foreground window.
#include <windows.h>

#include <string>

#include "platform/platform.h"
#include "sim/active_service.h"
#include "sim/dll/dll_paths.h"

namespace dactyra::sim {
namespace {

std::u16string StatePath() {
  return StatePathOf(L"WINBIO_SIM_STATE", u"winbio-sim.toml",
                     reinterpret_cast<const void*>(&StatePath));
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
