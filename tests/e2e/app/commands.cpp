// The commands as a user meets them: add a finger by touch once the owner has touched a sensor
// (another user's touch adds nothing, nor another account's finger), verify it (match, another
// finger, another user, a poor capture, nobody's finger: the tally and the advice; the result in
// the list), rename it, see it remembered while its template is gone, delete it (No; Yes with
// another user's touch; Yes with the owner's), the question before the last finger, choose among
// two sensors, the About box; and the same program with the Simplified Chinese language file.

#include "commands.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "remote_window.h"
#include "steps.h"

namespace dactyra::e2e {
namespace {

using namespace std::chrono_literals;

constexpr char kState[] =
    "samples = 3\n"
    "[[unit]]\nid = 1\ndescription = \"Integrated Fingerprint Sensor\"\n"
    "[[unit]]\nid = 2\ndescription = \"USB Fingerprint Reader\"\n"
    "[[template]]\nunit = 1\nidentity = \"current\"\nsubfactor = 0xF5\n"
    "[[template]]\nunit = 2\nidentity = \"S-1-5-21-7-7-7-1002\"\nsubfactor = 0xF5\n";
constexpr char kOtherUser[] = "S-1-5-21-7-7-7-1002";

// The TimeDateStamp of a PE file's header, 0 when it cannot be read.
std::uint32_t LinkStamp(const std::wstring& path) {
  const std::string bytes = ReadFileBytes(path);
  if (bytes.size() < 0x40) {
    return 0;
  }
  std::uint32_t offset = 0;
  std::memcpy(&offset, bytes.data() + 0x3C, 4);
  if (bytes.size() < std::size_t{offset} + 12) {
    return 0;
  }
  std::uint32_t stamp = 0;
  std::memcpy(&stamp, bytes.data() + offset + 8, 4);
  return stamp;
}

std::uint64_t UnixNow() {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  return (((std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime) / 10000000) -
         11644473600ULL;
}

// Today as CFG.TOML keeps a finger's last test: a TOML local date.
std::string TodayInToml() {
  SYSTEMTIME today{};
  GetLocalTime(&today);
  char text[16] = {};
  std::snprintf(text, sizeof text, "%04u-%02u-%02u", today.wYear, today.wMonth, today.wDay);
  return text;
}

// The cell of the Recognition column of a row; empty when there is no such row.
std::wstring RecognitionCell(HWND window, const Program& program, std::size_t row) {
  const Rows rows = ListViewRows(ListOf(window), program.Id(), 6);
  return row < rows.size() ? rows[row][5] : std::wstring();
}

// The owner's check that Add and Delete open first: one touch on `unit` with `finger` of
// `identity`. The owner's finger ends it; any other is refused, and Cancel then ends it. True
// when it confirmed the owner. With `shot`, a screenshot: of the owner's check waiting, or of
// the refusal.
bool AnswerOwnerCheck(Scenario& scenario, const Program& program, HWND window, int unit, int finger,
                      const char* identity = "current", const char* shot = nullptr) {
  Checks& checks = scenario.checks;
  HWND check = WaitForDialog(program, window);
  if (!checks.Check(check != nullptr, "the owner is asked to touch a sensor")) {
    return false;
  }
  Sleep(500);  // the worker is in the service by now
  const bool owner = std::string(identity) == "current";
  if (owner && shot != nullptr) {
    RequestScreenshot(scenario.folder, check, scenario.screenshot + shot);
  }
  Touch(scenario, unit, finger, identity);
  if (owner) {
    return checks.Check(WaitGone(check), "the owner's touch confirms him", StaticTexts(check));
  }
  checks.Check(WaitForText(check, L"belongs to another user"), "another user's touch is refused",
               StaticTexts(check));
  if (shot != nullptr) {
    RequestScreenshot(scenario.folder, check, scenario.screenshot + shot);
  }
  PressButton(FindChild(check, L"Button", L"&Cancel"));
  checks.Check(WaitGone(check), "Cancel ends the owner's check");
  checks.Check(WaitForLog(window,
                          L"The owner of this account is not confirmed, nothing is changed: This "
                          L"fingerprint belongs to another user, not to the owner of this "
                          L"account."),
               "the log says that nothing is changed", Join(LogLines(window)));
  return false;
}

// Add refused: another user's touch on the owner's check; no sensor dialog follows.
void AddRefused(Scenario& scenario, const Program& program, HWND window) {
  PressButton(FindChild(window, L"Button", L"&Add Fingerprint"));
  AnswerOwnerCheck(scenario, program, window, 2, 0xF5, kOtherUser, "-1b-add-other-user");
  Sleep(500);
  scenario.checks.Check(TopLevelWindows(program.Id(), L"DactyraWindow").size() == 1,
                        "no sensor dialog follows");
  scenario.checks.Check(ListRows(window, program.Id()).size() == 1, "nothing is added");
}

// Add refused as a duplicate: the finger of another account, which Wine does not know (an
// account that no longer exists on this PC). One more touch names it by its SID and says what
// to do; nothing is added.
void AddDuplicate(Scenario& scenario, const Program& program, HWND window) {
  Checks& checks = scenario.checks;
  PressButton(FindChild(window, L"Button", L"&Add Fingerprint"));
  if (!AnswerOwnerCheck(scenario, program, window, 1, 0xF5)) {
    return;
  }
  HWND chooser = WaitForDialog(program, window);
  if (!checks.Check(chooser != nullptr, "Add asks for the sensor")) {
    return;
  }
  PressButton(FindChild(chooser, L"Button", L"&OK"));  // Auto
  checks.Check(WaitGone(chooser), "OK closes the sensor dialog");
  HWND enroll = WaitForDialog(program, window);
  if (!checks.Check(enroll != nullptr, "the enrollment dialog opens")) {
    return;
  }
  Sleep(300);
  for (int i = 0; i < 4; ++i) {  // finds the sensor, then three captures
    Touch(scenario, 2, 0xF5, kOtherUser);
  }
  checks.Check(WaitForText(enroll, L"Touch the sensor once more with the same finger"),
               "the refused commit asks for one more touch", StaticTexts(enroll));
  Touch(scenario, 2, 0xF5, kOtherUser);
  const std::wstring holder =
      L"This fingerprint belongs to an account that no longer exists on this PC "
      L"(S-1-5-21-7-7-7-1002).";
  checks.Check(WaitForText(enroll, holder), "the touch names the account by its SID",
               StaticTexts(enroll));
  RequestScreenshot(scenario.folder, enroll, scenario.screenshot + "-1d-duplicate");
  PressButton(FindChild(enroll, L"Button", L"&Close"));
  checks.Check(WaitGone(enroll), "Close ends the enrollment");
  checks.Check(WaitForLog(window, holder) &&
                   LogHas(window,
                          L"Ask an administrator to remove it, or reset the fingerprint data in "
                          L"Settings \u203A Accounts \u203A Sign-in options."),
               "the log says whose the finger is and what to do", Join(LogLines(window)));
  checks.Check(ListRows(window, program.Id()).size() == 1, "nothing is added");
}

// Add: the owner's touch, the sensor dialog (Auto), a description typed in, a touch to locate
// and three captures.
void AddByTouch(Scenario& scenario, const Program& program, HWND window) {
  Checks& checks = scenario.checks;
  PressButton(FindChild(window, L"Button", L"&Add Fingerprint"));
  if (!AnswerOwnerCheck(scenario, program, window, 1, 0xF5, "current", "-1c-owner-check")) {
    return;
  }
  HWND chooser = WaitForDialog(program, window);
  if (!checks.Check(chooser != nullptr, "Add asks for the sensor")) {
    return;
  }
  const std::vector<HWND> radios = ChildWindows(chooser, L"Button");
  std::vector<std::wstring> texts;
  for (HWND radio : radios) {
    texts.push_back(WindowText(radio));
  }
  checks.Check(WindowText(chooser) == L"Select Fingerprint sensor", "the sensor dialog's caption",
               WindowText(chooser));
  checks.Check(texts.size() == 5 && texts[0] == L"Auto" &&
                   texts[1] == L"Integrated Fingerprint Sensor  (UnitID\uFF1A1)" &&
                   texts[2] == L"USB Fingerprint Reader  (UnitID\uFF1A2)",
               "the sensor dialog offers Auto and both sensors", Join(texts));
  checks.Check(!radios.empty() && SendMessageW(radios[0], BM_GETCHECK, 0, 0) == BST_CHECKED,
               "Auto is checked");
  RequestScreenshot(scenario.folder, chooser, scenario.screenshot + "-2-sensor-dialog");
  PressButton(FindChild(chooser, L"Button", L"&OK"));
  checks.Check(WaitGone(chooser), "OK closes the sensor dialog");

  HWND enroll = WaitForDialog(program, window);
  if (!checks.Check(enroll != nullptr, "the enrollment dialog opens")) {
    return;
  }
  const std::vector<HWND> edits = ChildWindows(enroll, L"Edit");
  checks.Check(!edits.empty() && WindowText(edits.front()) == L"fingerprint #2",
               "the description starts as the finger's name",
               edits.empty() ? L"" : WindowText(edits.front()));
  if (!edits.empty()) {
    SendMessageW(edits.front(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Left index finger"));
  }
  Sleep(300);
  Touch(scenario, 1, 0xF6);  // finds the sensor
  for (int i = 0; i < 3; ++i) {
    Touch(scenario, 1, 0xF6);
  }
  checks.Check(WaitForText(enroll, L"Touch the sensor once more"),
               "after the commit the dialog asks for one more touch", StaticTexts(enroll));
  Touch(scenario, 1, 0xF6);  // checks the new finger
  checks.Check(WaitForText(enroll, L"The new fingerprint works"), "the new finger works",
               StaticTexts(enroll));
  HWND done = nullptr;
  WaitFor([&] { return (done = FindChild(enroll, L"Button", L"&Done")) != nullptr; }, kShowRoom);
  checks.Check(done != nullptr, "the enrollment completes", StaticTexts(enroll));
  RequestScreenshot(scenario.folder, enroll, scenario.screenshot + "-3-enrolled");
  PressButton(done);
  checks.Check(WaitGone(enroll), "Done closes the enrollment dialog");
  checks.Check(WaitForRows(window, program, 2), "the list shows the new finger");
  const Rows rows = ListRows(window, program.Id());
  checks.Check(
      rows.size() == 2 && rows[1] == std::vector<std::wstring>{L"2",
                                                               L"Integrated Fingerprint "
                                                               L"Sensor",
                                                               L"1", L"0xF6", L"Left index finger"},
      "the new row carries the typed description", Join(rows));
  checks.Check(LogHas(window,
                      L"Add fingerprint: (Fingerprint ID: 0xF6, automatically locates "
                      L"the sensor)") &&
                   LogHas(window, L"Add fingerprint: (Device ID: 1), Fingerprint ID: 0xF6"),
               "the log tells the addition", Join(LogLines(window)));
  checks.Check(RecognitionCell(window, program, 1).starts_with(L"1 of 1 \u00B7 "),
               "the check of the new finger is its first test",
               RecognitionCell(window, program, 1));
  const std::string cfg = ReadFileBytes(scenario.File(L"CFG.TOML"));
  checks.Check(cfg.find("[[finger]]\r\ndescription = \"Left index finger\"\r\nfingerid = "
                        "\"0xF6\"\r\nrecognised = 1\r\ntested = " +
                        TodayInToml() + "\r\ntouches = 1\r\nunitid = 1\r\n") != std::string::npos,
               "CFG.TOML stores the description and the check", Widen(cfg.c_str()));
  RequestScreenshot(scenario.folder, window, scenario.screenshot + "-4-added");
}

// Verify the new finger: a match, another finger, another user, a poor capture and nobody's
// finger, each counted in the tally, and then the advice; rename it, and the list and CFG.TOML
// keep the result.
void VerifyAndRename(Scenario& scenario, const Program& program, HWND window) {
  Checks& checks = scenario.checks;
  SelectListRow(ListOf(window), program.Id(), 1);
  HWND verify_button = FindChild(window, L"Button", L"&Verify Fingerprint");
  checks.Check(WaitFor([&] { return IsWindowEnabled(verify_button) != FALSE; }, kShowRoom),
               "selecting a row enables Verify");
  PressButton(verify_button);
  HWND dialog = WaitForDialog(program, window);
  if (!checks.Check(dialog != nullptr, "the verification dialog opens")) {
    return;
  }
  struct Attempt {
    int unit;
    int finger;
    const char* identity;
    const wchar_t* expected;
    const char* what;
    const char* shot;
  };
  const Attempt attempts[] = {
      {1, 0xF6, "current", L"Verification successful!", "the same finger matches", "-5-match"},
      {1, 0xF5, "current", L"the finger used to swipe it is different",
       "another finger of the user is told apart", "-6-other-finger"},
      {2, 0xF5, kOtherUser, L"does not belong to the current user", "another user is refused",
       "-7-other-user"},
  };
  bool first = true;
  for (const Attempt& attempt : attempts) {
    if (!first) {
      PressButton(FindChild(dialog, L"Button", L"&Retry"));
      WaitFor([&] { return StaticTexts(dialog).find(attempt.expected) == std::wstring::npos; },
              kShowRoom);
      Sleep(300);
    }
    first = false;
    Touch(scenario, attempt.unit, attempt.finger, attempt.identity);
    checks.Check(WaitForText(dialog, attempt.expected), attempt.what, StaticTexts(dialog));
    RequestScreenshot(scenario.folder, dialog, scenario.screenshot + attempt.shot);
  }
  PressButton(FindChild(dialog, L"Button", L"&Retry"));
  Sleep(300);
  TouchBadCapture(scenario, 1, 4);
  checks.Check(WaitForText(dialog, L"Recognised 1 of 4 touches"), "a poor capture counts",
               StaticTexts(dialog));
  Touch(scenario, 1, 0xF9);  // a finger nobody enrolled
  HWND replace = FindChild(dialog, L"Button", L"Re&place...");
  checks.Check(WaitForText(dialog, L"Recognised 1 of 5 touches") &&
                   WaitForText(dialog, L"Replacing the finger usually helps most.") &&
                   IsWindowVisible(replace) != FALSE,
               "after five touches with one recognised, the dialog advises", StaticTexts(dialog));
  RequestScreenshot(scenario.folder, dialog, scenario.screenshot + "-7b-advice");
  const std::vector<HWND> edits = ChildWindows(dialog, L"Edit");
  if (!edits.empty()) {
    SendMessageW(edits.front(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Left index"));
  }
  Sleep(300);
  PressButton(FindChild(dialog, L"Button", L"&Close"));
  checks.Check(WaitGone(dialog), "Close ends the verification");
  checks.Check(WaitForLog(window, L"The configuration is saved."), "the renaming is saved",
               Join(LogLines(window)));
  const Rows rows = ListRows(window, program.Id());
  checks.Check(rows.size() == 2 && rows[1][4] == L"Left index", "the row shows the new name",
               Join(rows));
  checks.Check(RecognitionCell(window, program, 1).starts_with(L"1 of 5 \u00B7 "),
               "the row shows the result", RecognitionCell(window, program, 1));
  RequestScreenshot(scenario.folder, window, scenario.screenshot + "-7c-recognition");
  const std::string cfg = ReadFileBytes(scenario.File(L"CFG.TOML"));
  checks.Check(cfg.find("description = \"Left index\"\r\nfingerid = \"0xF6\"\r\nrecognised = "
                        "1\r\ntested = " +
                        TodayInToml() + "\r\ntouches = 5\r\n") != std::string::npos,
               "CFG.TOML holds the new name and the result", Widen(cfg.c_str()));
}

// The finger's template deleted behind the program's back (in Settings, say): the next listing
// shows it in grey after the enrolled finger, remembered with its description, and Verify is off
// for it. With the template back, the next listing shows it enrolled again.
void RememberedRow(Scenario& scenario, const Program& program, HWND window) {
  Checks& checks = scenario.checks;
  const std::wstring state = scenario.File(L"state.toml");
  const std::string enrolled = ReadFileBytes(state);
  const auto read_again_until = [&](bool remembered) {
    PressButton(FindChild(window, L"Button", L"&Read Fingerprints"));
    return WaitFor(
        [&] {
          const Rows rows = ListRows(window, program.Id());
          return rows.size() == 2 && rows[1][4] == L"Left index" &&
                 (RecognitionCell(window, program, 1) == L"not enrolled") == remembered;
        },
        kShowRoom);
  };
  WriteFileBytes(state, kState);  // without the user's 0xF6
  checks.Check(read_again_until(true) &&
                   std::ranges::any_of(LogLines(window),
                                       [](const std::wstring& line) {
                                         return line.starts_with(
                                             L"Fingerprints no longer enrolled in Windows");
                                       }),
               "a finger whose template is gone is remembered", Join(LogLines(window)));
  RequestScreenshot(scenario.folder, window, scenario.screenshot + "-7d-remembered");
  SelectListRow(ListOf(window), program.Id(), 1);
  HWND delete_button = FindChild(window, L"Button", L"&Delete Fingerprint");
  checks.Check(WaitFor([&] { return IsWindowEnabled(delete_button) != FALSE; }, kShowRoom) &&
                   !IsWindowEnabled(FindChild(window, L"Button", L"&Verify Fingerprint")),
               "a remembered finger can be deleted, not verified");
  WriteFileBytes(state, enrolled);
  checks.Check(read_again_until(false), "with its template back it is enrolled again",
               RecognitionCell(window, program, 1));
}

// Selects a row, presses Delete and waits for the question; null when none comes.
HWND AskToDelete(const Program& program, HWND window, int row) {
  SelectListRow(ListOf(window), program.Id(), row);
  HWND delete_button = FindChild(window, L"Button", L"&Delete Fingerprint");
  WaitFor([&] { return IsWindowEnabled(delete_button) != FALSE; }, kShowRoom);
  PressButton(delete_button);
  return WaitForMessageBox(program);
}

// Delete the finger: No keeps it, Yes with another user's touch keeps it, Yes with the owner's
// touch deletes it and its entry.
void Delete(Scenario& scenario, const Program& program, HWND window) {
  Checks& checks = scenario.checks;
  HWND box = AskToDelete(program, window, 1);
  if (!checks.Check(box != nullptr, "Delete asks first")) {
    return;
  }
  const std::wstring question = StaticTexts(box);
  checks.Check(WindowText(box) == L"Query" &&
                   question.find(L"Fingerprint device: Integrated Fingerprint Sensor (Device ID: "
                                 L"1)") != std::wstring::npos &&
                   question.find(L"Fingerprint ID: 0xF6, Fingerprint description: Left index") !=
                       std::wstring::npos,
               "the question names the finger", question);
  checks.Check((GetWindowLongW(GetDlgItem(box, IDNO), GWL_STYLE) & BS_DEFPUSHBUTTON) != 0,
               "No is the default answer");
  RequestScreenshot(scenario.folder, box, scenario.screenshot + "-8-delete-question");
  PressButton(GetDlgItem(box, IDNO));
  checks.Check(WaitForLog(window, L"Canceled deletion."), "No cancels the deletion");
  checks.Check(ListRows(window, program.Id()).size() == 2, "the finger is still listed");

  const auto answer_yes = [&] {
    HWND asked = AskToDelete(program, window, 1);
    if (checks.Check(asked != nullptr, "Delete asks again")) {
      PressButton(GetDlgItem(asked, IDYES));
    }
  };
  answer_yes();
  AnswerOwnerCheck(scenario, program, window, 2, 0xF5, kOtherUser, "-8b-delete-other-user");
  checks.Check(ListRows(window, program.Id()).size() == 2, "another user deletes nothing");
  answer_yes();
  if (!AnswerOwnerCheck(scenario, program, window, 1, 0xF5)) {
    return;
  }
  checks.Check(WaitForLog(window, L"Deletion successful! Refreshing the list..."),
               "Yes deletes the finger", Join(LogLines(window)));
  checks.Check(WaitForRows(window, program, 1), "the list shows one finger again");
  const std::string cfg = ReadFileBytes(scenario.File(L"CFG.TOML"));
  checks.Check(cfg.find("0xF6") == std::string::npos, "its entry is gone from CFG.TOML",
               Widen(cfg.c_str()));
  RequestScreenshot(scenario.folder, window, scenario.screenshot + "-9-deleted");
}

// The question before deleting the user's last finger says how he signs in afterwards; No.
void LastFingerQuestion(Scenario& scenario, const Program& program, HWND window) {
  Checks& checks = scenario.checks;
  HWND box = AskToDelete(program, window, 0);
  if (!checks.Check(box != nullptr, "Delete asks about the last finger")) {
    return;
  }
  checks.Check(StaticTexts(box).find(L"This is your last fingerprint: afterwards you sign in with "
                                     L"your PIN or password.") != std::wstring::npos,
               "the question says that it is the last finger", StaticTexts(box));
  RequestScreenshot(scenario.folder, box, scenario.screenshot + "-9b-last-finger-question");
  PressButton(GetDlgItem(box, IDNO));
  checks.Check(WaitForLog(window, L"Canceled deletion."), "No keeps the last finger");
}

void About(Scenario& scenario, const Program& program, HWND window) {
  Checks& checks = scenario.checks;
  PostMessageW(window, WM_SYSCOMMAND, 0x401, 0);
  HWND box = WaitForMessageBox(program);
  if (!checks.Check(box != nullptr, "the About item shows the About box")) {
    return;
  }
  const std::wstring text = StaticTexts(box);
  checks.Check(WindowText(box) == L"Dactyra" &&
                   text.starts_with(L"Author: Dactyra developers\r\n"
                                    L"Version: 1.0.0.0\r\n"
                                    L"Compilation time: ") &&
                   text.find(L"\r\nHomePage: https://dactyra.example.org") != std::wstring::npos,
               "the About box names author, version, link time and homepage", text);
  // The link time in the header is a real one, from this build.
  const std::uint32_t stamp = LinkStamp(scenario.executable);
  const std::uint64_t now = UnixNow();
  checks.Check(stamp + 30ULL * 24 * 3600 > now && stamp <= now + 60,
               "the executable carries a recent link time",
               std::to_wstring(stamp) + L" vs " + std::to_wstring(now));
  checks.Check(text.find(L"1899") == std::wstring::npos, "the About box shows the link date", text);
  RequestScreenshot(scenario.folder, box, scenario.screenshot + "-10-about");
  PressButton(GetDlgItem(box, IDOK));
  checks.Check(WaitGone(box), "OK closes the About box");
}

// Verify with one touch of the user's finger 0xF5 on sensor 1: the first touch must reach the
// dialog, whatever dialogs were closed while waiting before.
void VerifyWithOneTouch(Scenario& scenario, const Program& program, HWND window,
                        const std::string& what, const std::string& shot) {
  Checks& checks = scenario.checks;
  SelectListRow(ListOf(window), program.Id(), 0);
  HWND verify_button = FindChild(window, L"Button", L"&Verify Fingerprint");
  WaitFor([&] { return IsWindowEnabled(verify_button) != FALSE; }, kShowRoom);
  PressButton(verify_button);
  HWND dialog = WaitForDialog(program, window);
  if (!checks.Check(dialog != nullptr, "the verification dialog opens")) {
    return;
  }
  Sleep(500);
  Touch(scenario, 1, 0xF5);
  checks.Check(WaitForText(dialog, L"Verification successful!"), what, StaticTexts(dialog));
  RequestScreenshot(scenario.folder, dialog, scenario.screenshot + shot);
  PressButton(FindChild(dialog, L"Button", L"&Close"));
  checks.Check(WaitGone(dialog), "Close ends the verification");
}

// After a Retry that failed at once, a control of the verification dialog has the focus, and
// Esc pressed there closes the dialog.
void EscAfterFailedRetry(Scenario& scenario, const Program& program, HWND window) {
  constexpr unsigned kDeviceFailure = 0x80098036;
  Checks& checks = scenario.checks;
  SelectListRow(ListOf(window), program.Id(), 0);
  PressButton(FindChild(window, L"Button", L"&Verify Fingerprint"));
  HWND dialog = WaitForDialog(program, window);
  if (!checks.Check(dialog != nullptr, "the verification dialog opens")) {
    return;
  }
  HWND retry = FindChild(dialog, L"Button", L"&Retry");
  TouchFailure(scenario, 1, kDeviceFailure);
  checks.Check(WaitFor([&] { return IsWindowEnabled(retry) != FALSE; }, kShowRoom),
               "a failed touch enables Retry");
  TouchFailure(scenario, 1, kDeviceFailure);  // waiting for the next attempt
  PressButton(retry);  // as a click: the button takes the focus, and is disabled while it waits
  WaitForTouchesTaken(scenario);
  checks.Check(WaitFor([&] { return IsWindowEnabled(retry) != FALSE; }, kShowRoom),
               "Retry fails at once");
  GUITHREADINFO thread{};
  thread.cbSize = sizeof(thread);
  GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &thread);
  if (checks.Check(thread.hwndFocus != nullptr && IsChild(dialog, thread.hwndFocus) &&
                       IsWindowEnabled(thread.hwndFocus) != FALSE,
                   "an enabled control of the dialog has the focus", ClassName(thread.hwndFocus))) {
    PostMessageW(thread.hwndFocus, WM_KEYDOWN, VK_ESCAPE, 1);
    checks.Check(WaitGone(dialog), "Esc closes the verification dialog");
  } else {
    PressButton(FindChild(dialog, L"Button", L"&Close"));
    WaitGone(dialog);
  }
}

// Closes a dialog while its worker waits for a touch: it must go at once.
void CloseWhileWaitingFor(Scenario& scenario, HWND dialog, const wchar_t* button,
                          const std::string& what, const std::string& shot) {
  Sleep(500);  // the worker is in the service by now
  RequestScreenshot(scenario.folder, dialog, scenario.screenshot + shot);
  if (button == nullptr) {
    PostMessageW(dialog, WM_CLOSE, 0, 0);  // the close box
  } else {
    PressButton(FindChild(dialog, L"Button", button));
  }
  scenario.checks.Check(
      WaitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, kShowRoom), what);
}

}  // namespace

void CloseWhileWaiting(Scenario& scenario) {
  Checks& checks = scenario.checks;
  WriteFileBytes(scenario.File(L"state.toml"), kState);
  Program program(scenario.executable, scenario.folder);
  HWND window = StartAndWait(scenario, program);
  if (window == nullptr) {
    return;
  }
  checks.Check(WaitForRows(window, program, 1), "the list shows the enrolled finger");

  // The verification dialog closed by its close box while it waits for a touch.
  SelectListRow(ListOf(window), program.Id(), 0);
  PressButton(FindChild(window, L"Button", L"&Verify Fingerprint"));
  if (HWND dialog = WaitForDialog(program, window); checks.Check(dialog != nullptr, "Verify")) {
    CloseWhileWaitingFor(scenario, dialog, nullptr,
                         "the close box ends a verification that waits, at once",
                         "-1-verify-waiting");
  }
  VerifyWithOneTouch(scenario, program, window, "the next verification needs one touch",
                     "-2-verify-after-close");
  EscAfterFailedRetry(scenario, program, window);

  // The owner's check closed by its close box while it waits for a touch.
  PressButton(FindChild(window, L"Button", L"&Add Fingerprint"));
  if (HWND check = WaitForDialog(program, window); checks.Check(check != nullptr, "Add")) {
    CloseWhileWaitingFor(scenario, check, nullptr,
                         "the close box ends an owner's check that waits, at once",
                         "-3-owner-check-waiting");
  }
  checks.Check(WaitForLog(window,
                          L"The owner of this account was not confirmed (cancelled), "
                          L"nothing is changed."),
               "the log says that nothing is changed", Join(LogLines(window)));

  // The enrollment dialog cancelled while it waits for the touch that finds the sensor, and a
  // "done" posted to it from outside with a value that is no address.
  PressButton(FindChild(window, L"Button", L"&Add Fingerprint"));
  AnswerOwnerCheck(scenario, program, window, 1, 0xF5);
  HWND chooser = WaitForDialog(program, window);
  if (checks.Check(chooser != nullptr, "Add asks for the sensor")) {
    PressButton(FindChild(chooser, L"Button", L"&OK"));
    WaitGone(chooser);
    if (HWND enroll = WaitForDialog(program, window);
        checks.Check(enroll != nullptr, "the enrollment dialog opens")) {
      PostMessageW(enroll, WM_USER + 100, 7, static_cast<LPARAM>(0xDEADBEEF));
      Sleep(500);
      checks.Check(program.Started() && !program.WaitForExit(0ms) && IsWindow(enroll) &&
                       FindChild(enroll, L"Button", L"&Cancel") != nullptr,
                   "a foreign \"done\" message changes nothing");
      CloseWhileWaitingFor(scenario, enroll, L"&Cancel",
                           "Cancel ends an enrollment that waits, at once", "-4-enroll-waiting");
    }
  }
  checks.Check(WaitForLog(window, L"Fingerprint addition has been cancelled."),
               "the log says the addition was cancelled", Join(LogLines(window)));
  VerifyWithOneTouch(scenario, program, window, "after the enrollment, one touch again",
                     "-5-verify-after-cancel");
  PressExit(scenario, program, window);
  checks.Check(!FileExists(scenario.File(L"winbio-sim-misuse.log")),
               "no session was closed under a waiting call",
               Widen(ReadFileBytes(scenario.File(L"winbio-sim-misuse.log")).c_str()));
}

void ReadOnlyConfig(Scenario& scenario) {
  Checks& checks = scenario.checks;
  WriteFileBytes(scenario.File(L"state.toml"), kState);
  const std::string beside =
      "[[finger]]\r\nunitid = 1\r\nfingerid = \"0xF5\"\r\ndescription = \"from beside\"\r\n";
  const std::wstring config = scenario.File(L"CFG.TOML");
  WriteFileBytes(config, beside);
  SetFileAttributesW(config.c_str(), FILE_ATTRIBUTE_READONLY);
  const std::wstring user_folder = LocalAppDataFolder() + L"\\Dactyra";
  const std::wstring user_file = user_folder + L"\\CFG.TOML";
  DeleteFileW(user_file.c_str());
  const std::wstring told = L"The descriptions are kept in " + user_file + L".";

  for (const wchar_t* expected : {L"from beside", L"kept for me"}) {
    Program program(scenario.executable, scenario.folder);
    HWND window = StartAndWait(scenario, program);
    if (window == nullptr) {
      break;
    }
    checks.Check(
        WaitForRows(window, program, 1) && ListRows(window, program.Id())[0][4] == expected,
        "the description shows", Join(ListRows(window, program.Id())));
    checks.Check(LogHas(window, told), "the log names the file in use", Join(LogLines(window)));
    if (std::wstring(expected) == L"from beside") {
      SelectListRow(ListOf(window), program.Id(), 0);
      PressButton(FindChild(window, L"Button", L"&Verify Fingerprint"));
      if (HWND dialog = WaitForDialog(program, window); checks.Check(dialog != nullptr, "Verify")) {
        const std::vector<HWND> edits = ChildWindows(dialog, L"Edit");
        if (!edits.empty()) {
          SendMessageW(edits.front(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"kept for me"));
        }
        Sleep(300);
        PressButton(FindChild(dialog, L"Button", L"&Close"));
        WaitGone(dialog);
      }
      checks.Check(WaitForLog(window, L"The configuration is saved."), "the renaming is saved",
                   Join(LogLines(window)));
    } else {
      RequestScreenshot(scenario.folder, window, scenario.screenshot);
    }
    PressExit(scenario, program, window);
  }
  checks.Check(ReadFileBytes(config) == beside, "the read-only CFG.TOML is left as it was");
  checks.Check(ReadFileBytes(user_file).find("description = \"kept for me\"") != std::string::npos,
               "the user's own CFG.TOML keeps the description",
               Widen(ReadFileBytes(user_file).c_str()));
  // Later scenarios start without a file of the user's.
  DeleteFileW(user_file.c_str());
  RemoveDirectoryW(user_folder.c_str());
  SetFileAttributesW(config.c_str(), FILE_ATTRIBUTE_NORMAL);
}

void Commands(Scenario& scenario) {
  WriteFileBytes(scenario.File(L"state.toml"), kState);
  Program program(scenario.executable, scenario.folder);
  HWND window = StartAndWait(scenario, program);
  if (window == nullptr) {
    return;
  }
  scenario.checks.Check(WaitForRows(window, program, 1), "the list shows the enrolled finger",
                        Join(ListRows(window, program.Id())));
  RequestScreenshot(scenario.folder, window, scenario.screenshot + "-1-list");
  AddRefused(scenario, program, window);
  AddDuplicate(scenario, program, window);
  AddByTouch(scenario, program, window);
  VerifyAndRename(scenario, program, window);
  RememberedRow(scenario, program, window);
  Delete(scenario, program, window);
  LastFingerQuestion(scenario, program, window);
  About(scenario, program, window);
  PressExit(scenario, program, window);
}

void Chinese(Scenario& scenario, const std::wstring& language_folder) {
  Checks& checks = scenario.checks;
  WriteFileBytes(scenario.File(L"state.toml"), kState);
  InstallChinese(scenario, language_folder);

  Program program(scenario.executable, scenario.folder);
  HWND window = StartAndWait(scenario, program);
  if (window == nullptr) {
    return;
  }
  checks.Check(WaitForRows(window, program, 1), "the list shows the enrolled finger");
  checks.Check(FindChild(window, L"Button", L"读取指纹(&R)") != nullptr &&
                   FindChild(window, L"Button", L"添加指纹(&A)") != nullptr,
               "the buttons speak Chinese");
  checks.Check(
      LogHas(window, L"正在读取指纹数据...") && LogHas(window, L"共找到 2 个指纹采集设备。"),
      "the log speaks Chinese", Join(LogLines(window)));
  RequestScreenshot(scenario.folder, window, scenario.screenshot + "-1-main");

  PressButton(FindChild(window, L"Button", L"添加指纹(&A)"));
  if (HWND check = WaitForDialog(program, window);
      checks.Check(check != nullptr, "Add asks for the owner's touch")) {
    checks.Check(WindowText(check) == L"确认所有者", "the owner's check speaks Chinese",
                 WindowText(check));
    RequestScreenshot(scenario.folder, check, scenario.screenshot + "-2-owner-check");
    Sleep(500);
    Touch(scenario, 1, 0xF5);
    checks.Check(WaitGone(check), "the owner's touch confirms him");
  }
  HWND chooser = WaitForDialog(program, window);
  if (checks.Check(chooser != nullptr, "Add asks for the sensor")) {
    checks.Check(WindowText(chooser) == L"选择指纹传感器", "the sensor dialog speaks Chinese",
                 WindowText(chooser));
    RequestScreenshot(scenario.folder, chooser, scenario.screenshot + "-3-sensor-dialog");
    PressButton(FindChild(chooser, L"Button", L"取消(&C)"));
    checks.Check(WaitGone(chooser), "Cancel closes it");
  }

  SelectListRow(ListOf(window), program.Id(), 0);
  HWND delete_button = FindChild(window, L"Button", L"删除指纹(&D)");
  WaitFor([&] { return IsWindowEnabled(delete_button) != FALSE; }, kShowRoom);
  PressButton(delete_button);
  HWND box = WaitForMessageBox(program);
  if (checks.Check(box != nullptr, "Delete asks first")) {
    checks.Check(StaticTexts(box).find(L"确定要删除以下指纹吗？") != std::wstring::npos,
                 "the question speaks Chinese", StaticTexts(box));
    RequestScreenshot(scenario.folder, box, scenario.screenshot + "-4-delete-question");
    PressButton(GetDlgItem(box, IDNO));
    WaitGone(box);
  }

  PostMessageW(window, WM_SYSCOMMAND, 0x401, 0);
  box = WaitForMessageBox(program);
  if (checks.Check(box != nullptr, "the About box comes")) {
    checks.Check(StaticTexts(box).starts_with(L"作者：Dactyra developers\r\n版本：1.0.0.0"),
                 "the About box speaks Chinese", StaticTexts(box));
    RequestScreenshot(scenario.folder, box, scenario.screenshot + "-5-about");
    PressButton(GetDlgItem(box, IDOK));
    WaitGone(box);
  }
  PressExit(scenario, program, window, L"退出(&X)");
}

}  // namespace dactyra::e2e
