// The program's entry point: one instance per logon session, one main window, the message loop.

#include <windows.h>

#include <optional>

#include "app/main_form.h"
#include "platform/platform.h"
#include "ui/win32/native.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace dactyra;
  // The claim also keeps the global atom "dactyra" while the program runs. When another
  // instance holds it, that instance's window comes to the front and this one ends.
  std::optional<platform::SingleInstance> instance = platform::SingleInstance::Acquire(u"dactyra");
  if (!instance) {
    ui::win32::ActivateRunningInstance();
    return 0;
  }
  TForm1 form(platform::ExecutablePath());
  return ui::win32::RunApplication(form);
}
