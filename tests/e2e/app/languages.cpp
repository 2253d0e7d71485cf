#include "languages.h"

#include <windows.h>

#include "remote_window.h"
#include "steps.h"

namespace dactyra::e2e {
namespace {

constexpr char kState[] =
    "[[unit]]\nid = 1\ndescription = \"Integrated Fingerprint Sensor\"\n"
    "[[unit]]\nid = 2\ndescription = \"USB Fingerprint Reader\"\n"
    "[[template]]\nunit = 1\nidentity = \"current\"\nsubfactor = 0xF5\n"
    "[[template]]\nunit = 2\nidentity = \"current\"\nsubfactor = 0xF6\n";

}  // namespace

void WindowInLanguage(Scenario& scenario, const std::wstring& language_folder,
                      const std::wstring& locale) {
  Checks& checks = scenario.checks;
  WriteFileBytes(scenario.File(L"state.toml"), kState);
  InstallLanguage(scenario, language_folder, locale);
  Program program(scenario.executable, scenario.folder);
  HWND window = StartAndWait(scenario, program);
  if (window == nullptr) {
    return;
  }
  checks.Check(WaitForRows(window, program, 2), "the list shows both fingers");
  checks.Check(FindChild(window, L"Button", L"E&xit") == nullptr,
               "the buttons speak the user's language");
  RequestScreenshot(scenario.folder, window, scenario.screenshot);
  PostMessageW(window, WM_CLOSE, 0, 0);
  checks.Check(program.WaitForExit(kShowRoom), "closing the window ends the program");
  program.Kill();
}

}  // namespace dactyra::e2e
