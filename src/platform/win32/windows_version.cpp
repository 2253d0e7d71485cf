#include <windows.h>

#include "platform/platform.h"
#include "platform/windows_version.h"

namespace dactyra::platform {

bool IsWindows10OrLater() {
  // RtlGetVersion tells the truth; GetVersionEx answers what the manifest declares.
  using GetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
  const Module ntdll(u"ntdll.dll");
  const auto get_version = ntdll.Find<GetVersionFunction>("RtlGetVersion");
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof(version);
  if (get_version == nullptr || get_version(&version) != 0) {
    return true;  // no way to tell: as every supported Windows but one
  }
  return version.dwMajorVersion >= 10;
}

}  // namespace dactyra::platform
