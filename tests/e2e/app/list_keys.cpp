// The list as a user of Windows lists meets it: the keys and the context menu, renaming without
// a touch, "which finger is this?", and a finger enrolled at a hand position by its name, in
// English and in Chinese.

#include "list_keys.h"

#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <string>
#include <vector>

#include "remote_window.h"
#include "steps.h"

namespace dactyra::e2e {
namespace {

// The user's 0xF5 and right index finger (2) on sensor 1, another user's 0xF5 on sensor 2.
constexpr char kState[] =
    "[[unit]]\nid = 1\ndescription = \"Integrated Fingerprint Sensor\"\n"
    "[[unit]]\nid = 2\ndescription = \"USB Fingerprint Reader\"\n"
    "[[template]]\nunit = 1\nidentity = \"current\"\nsubfactor = 0xF5\n"
    "[[template]]\nunit = 1\nidentity = \"current\"\nsubfactor = 2\n"
    "[[template]]\nunit = 2\nidentity = \"S-1-5-21-7-7-7-1002\"\nsubfactor = 0xF5\n";
constexpr char kOtherUser[] = "S-1-5-21-7-7-7-1002";

// A key pressed in a window of the program.
void PressKey(HWND window, WPARAM key) {
  PostMessageW(window, WM_KEYDOWN, key, 1);
}

// The program's popup menu (window class "#32768") once it is open; null when none opens.
HWND WaitForMenu(const Program& program) {
  HWND menu = nullptr;
  WaitFor(
      [&] {
        const std::vector<HWND> menus = TopLevelWindows(program.Id(), L"#32768");
        menu = menus.empty() ? nullptr : menus.front();
        return menu != nullptr;
      },
      kShowRoom);
  return menu;
}

int SelectedRow(HWND list) {
  return static_cast<int>(
      SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

// Waits for the program's window and its two rows of kState, the second the finger at a hand
// position, named `name` in the list (a screenshot); null when the window does not come.
HWND StartListing(Scenario& scenario, Program& program, const std::wstring& name) {
  HWND window = StartAndWait(scenario, program);
  if (window == nullptr) {
    return nullptr;
  }
  WaitForRows(window, program, 2);
  const Rows rows = ListRows(window, program.Id());
  scenario.checks.Check(rows.size() == 2 && rows[1][3] == L"0x02" && rows[1][4] == name,
                        "the finger at a hand position shows its name", Join(rows));
  RequestScreenshot(scenario.folder, window, scenario.screenshot + "-1-hand-position");
  return window;
}

// The Menu key on the first row opens the context menu; Rename in it (by its mnemonic) opens
// the rename dialog, where Enter keeps the new description.
void RenameFromTheContextMenu(Scenario& scenario, const Program& program, HWND window) {
  Checks& checks = scenario.checks;
  HWND list = ListOf(window);
  SelectListRow(list, program.Id(), 0);
  PostMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), -1);
  HWND menu = WaitForMenu(program);
  if (!checks.Check(menu != nullptr, "the Menu key opens the context menu")) {
    return;
  }
  RequestScreenshot(scenario.folder, window, scenario.screenshot + "-2-context-menu");
  // The menu's own loop takes the keys.
  PostMessageW(window, WM_CHAR, L'm', 1);
  checks.Check(WaitGone(menu), "Rename closes the menu");
  HWND dialog = WaitForDialog(program, window);
  if (!checks.Check(dialog != nullptr, "Rename opens its dialog")) {
    return;
  }
  const std::vector<HWND> edits = ChildWindows(dialog, L"Edit");
  checks.Check(WindowText(dialog) == L"Rename fingerprint" && edits.size() == 1 &&
                   WindowText(edits.front()) == L"fingerprint #1",
               "the rename dialog shows the description",
               WindowText(dialog) + (edits.empty() ? L"" : L": " + WindowText(edits.front())));
  if (edits.empty()) {
    return;
  }
  SendMessageW(edits.front(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Left thumb"));
  RequestScreenshot(scenario.folder, dialog, scenario.screenshot + "-3-rename-dialog");
  PressKey(edits.front(), VK_RETURN);
  checks.Check(WaitGone(dialog), "Enter closes the rename dialog");
  checks.Check(WaitForLog(window,
                          L"Fingerprint renamed from \"fingerprint #1\" to \"Left thumb\" (Device "
                          L"ID: 1, Fingerprint ID: 0xF5)") &&
                   WaitForLog(window, L"The configuration is saved."),
               "the log says that the description was renamed and saved", Join(LogLines(window)));
  const Rows rows = ListRows(window, program.Id());
  checks.Check(!rows.empty() && rows[0][4] == L"Left thumb", "the row shows the new description",
               Join(rows));
  const std::string cfg = ReadFileBytes(scenario.File(L"CFG.TOML"));
  checks.Check(cfg.find("description = \"Left thumb\"\r\nfingerid = \"0xF5\"\r\nunitid = 1\r\n"
                        "user = \"" +
                        Narrow(CurrentUserSid()) + "\"\r\n") != std::string::npos,
               "CFG.TOML keeps it for the user", Widen(cfg.c_str()));
}

// F3, then a touch: the answer in the dialog and the log; the user's finger gets its row
// selected when the dialog closes.
void WhichFinger(Scenario& scenario, const Program& program, HWND window, int unit, int finger,
                 const char* identity, const std::wstring& answer, const std::string& shot) {
  Checks& checks = scenario.checks;
  PressKey(ListOf(window), VK_F3);
  HWND dialog = WaitForDialog(program, window);
  if (!checks.Check(dialog != nullptr && WindowText(dialog) == L"Which finger is this?",
                    "F3 asks which finger")) {
    return;
  }
  Sleep(500);  // the worker is in the service by now
  Touch(scenario, unit, finger, identity);
  checks.Check(WaitForText(dialog, answer), "the dialog answers", StaticTexts(dialog));
  RequestScreenshot(scenario.folder, dialog, scenario.screenshot + shot);
  PressButton(FindChild(dialog, L"Button", L"&Close"));
  checks.Check(WaitGone(dialog), "Close ends it");
  checks.Check(WaitForLog(window, L"Which finger is this? " + answer), "the log has the answer",
               Join(LogLines(window)));
}

// Del asks about the selected finger (No keeps it); F5 lists again.
void DeleteAndRefreshKeys(Scenario& scenario, const Program& program, HWND window) {
  Checks& checks = scenario.checks;
  PressKey(ListOf(window), VK_DELETE);
  HWND box = WaitForMessageBox(program);
  if (checks.Check(box != nullptr, "Del asks before deleting")) {
    PressButton(GetDlgItem(box, IDNO));
    checks.Check(WaitForLog(window, L"Canceled deletion."), "No keeps the finger");
  }
  const std::size_t before = LogLines(window).size();
  PressKey(ListOf(window), VK_F5);
  checks.Check(WaitFor(
                   [&] {
                     const std::vector<std::wstring> log = LogLines(window);
                     return log.size() > before && log.back() == L"Fingerprints recorded: 2";
                   },
                   kShowRoom),
               "F5 reads the fingerprints again", Join(LogLines(window)));
}

}  // namespace

void ListKeys(Scenario& scenario) {
  Checks& checks = scenario.checks;
  WriteFileBytes(scenario.File(L"state.toml"), kState);
  Program program(scenario.executable, scenario.folder);
  HWND window = StartListing(scenario, program, L"right index finger");
  if (window == nullptr) {
    return;
  }
  RenameFromTheContextMenu(scenario, program, window);
  WhichFinger(scenario, program, window, 1, 2, "current",
              L"This is your fingerprint \"right index finger\": right index finger (Fingerprint "
              L"ID: 0x02) on Integrated Fingerprint Sensor (Device ID: 1).",
              "-4-which-finger");
  checks.Check(SelectedRow(ListOf(window)) == 1, "the row of the finger touched is selected");
  WhichFinger(scenario, program, window, 2, 0xF5, kOtherUser,
              L"This fingerprint belongs to an account that no longer exists on this PC "
              L"(S-1-5-21-7-7-7-1002).",
              "-5-which-finger-other-user");
  checks.Check(SelectedRow(ListOf(window)) == 1, "another user's finger selects nothing else");
  DeleteAndRefreshKeys(scenario, program, window);
  PressExit(scenario, program, window);
  checks.Check(!FileExists(scenario.File(L"winbio-sim-misuse.log")),
               "no session was closed under a waiting call");
}

void ListKeysChinese(Scenario& scenario, const std::wstring& language_folder) {
  Checks& checks = scenario.checks;
  InstallChinese(scenario, language_folder);
  WriteFileBytes(scenario.File(L"state.toml"), kState);
  Program program(scenario.executable, scenario.folder);
  HWND window = StartListing(scenario, program, L"右手食指");
  if (window == nullptr) {
    return;
  }
  HWND list = ListOf(window);
  SelectListRow(list, program.Id(), 1);
  PostMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), -1);
  if (HWND menu = WaitForMenu(program);
      checks.Check(menu != nullptr, "the Menu key opens the context menu")) {
    RequestScreenshot(scenario.folder, window, scenario.screenshot + "-2-context-menu");
    PressKey(window, VK_ESCAPE);
    checks.Check(WaitGone(menu), "Esc closes it");
  }
  PressExit(scenario, program, window, L"退出(&X)");
}

}  // namespace dactyra::e2e
