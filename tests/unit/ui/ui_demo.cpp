// Shows the demo windows for a look (and for the screenshot of tests/suites/ui-screenshot):
// the main window with rows and log lines, and the dialog beside it. Ends by itself after the
// number of seconds given as its argument (default 5).

#include <windows.h>

#include <cstdlib>

#include "demo_forms.h"
#include "ui/win32/native.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int) {
  using namespace dactyra::ui;
  const int seconds = arguments != nullptr && *arguments != 0 ? _wtoi(arguments) : 5;
  demo::TDemoMain form;
  form.btnEnum.Click();
  form.ListView.Select(1);
  form.memoLog.AppendLine(u"[12:00:01] User: tester");
  form.memoLog.AppendLine(u"[12:00:01] 1 fingerprint collection devices were found.");
  form.lblUser.SetText(u"User: tester");
  demo::TDemoDialog dialog(form);
  dialog.lblTitle.SetText(u"fingerprint #2");
  dialog.lblStatus.SetText(u"The collection was successful this time!");
  dialog.lblStatus.SetColor(Color(0x008000));
  dialog.lblResult.SetText(
      u"3 times have been collected. Please lift your finger and place it on again...");
  dialog.ProgressBar.SetPosition(34);
  dialog.shapeIcon.SetColors(Color(0xFFA500), Color(0xCC7000));
  dialog.btnRetry.SetEnabled(true);
  SetTimer(win32::WindowOf(form), 1, static_cast<UINT>(seconds) * 1000,
           [](HWND window, UINT, UINT_PTR, DWORD) { PostMessageW(window, WM_CLOSE, 0, 0); });
  form.Show();
  dialog.Show();
  // The dialog beside the main window's lower right corner, both in full view.
  RECT main_frame;
  RECT dialog_frame;
  GetWindowRect(win32::WindowOf(form), &main_frame);
  GetWindowRect(win32::WindowOf(dialog), &dialog_frame);
  SetWindowPos(win32::WindowOf(dialog), nullptr, main_frame.right - 120,
               main_frame.bottom - (dialog_frame.bottom - dialog_frame.top) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return win32::RunApplication(form);
}
