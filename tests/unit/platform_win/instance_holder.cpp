// instance_holder <name>: claims the single instance <name>, signals the event
// "Local\<name>-ready" that the test created, and waits until it is killed. Exits with 2 when
// the claim fails.
#include <windows.h>

#include <string>

#include "base/strings.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    return 1;
  }
  const std::u16string name = dactyra::AsciiToUtf16(argv[1]);
  auto instance = dactyra::platform::SingleInstance::Acquire(name);
  if (!instance) {
    return 2;
  }
  const std::wstring event_name = L"Local\\" + std::wstring(name.begin(), name.end()) + L"-ready";
  const HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, event_name.c_str());
  if (ready == nullptr) {
    return 3;
  }
  SetEvent(ready);
  CloseHandle(ready);
  Sleep(INFINITE);
  return 0;
}
