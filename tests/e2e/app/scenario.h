#pragma once

// What every scenario works with: its folder and checks, and the main window of the program as
// its user sees it (list, log, buttons).

#include <windows.h>

#include <string>
#include <vector>

#include "harness.h"

namespace dactyra::e2e {

using Rows = std::vector<std::vector<std::wstring>>;

struct Scenario {
  std::wstring folder;
  std::wstring executable;  // the copy in the folder
  std::string screenshot;
  Checks checks;

  std::wstring File(const wchar_t* name) const { return folder + L"\\" + name; }
};

std::wstring Widen(const char* text);
std::wstring Join(const std::vector<std::wstring>& lines);
std::wstring Join(const Rows& rows);

// The activity log: its edit box, and its lines without their "[hh:nn:ss] " stamps.
HWND LogWindow(HWND main_window);
std::vector<std::wstring> LogLines(HWND main_window);
bool HasTimeStamp(const std::wstring& line);

// The texts of the list's rows, five columns each.
Rows ListRows(HWND main_window, DWORD process_id);

std::wstring CurrentUserName();

// The signed-in user's SID ("S-1-5-21-..."), and his folder for program data (%LOCALAPPDATA%).
std::wstring CurrentUserSid();
std::wstring LocalAppDataFolder();

// Waits until the started program is running (see Program::WaitUntilRunning); false, with the
// program ended, when it does not get there.
bool WaitForStart(Scenario& scenario, Program& program);
// Waits for the main window of a running program; null, with the program ended, when none
// appears.
HWND WaitForMainWindow(Scenario& scenario, Program& program);
// Both: the main window of a program just started.
HWND StartAndWait(Scenario& scenario, Program& program);

// Ends the program by its Exit button (by that caption) and waits for the end.
void PressExit(Scenario& scenario, Program& program, HWND window,
               const wchar_t* caption = L"E&xit");

// A message box of the program, or null.
HWND MessageBoxOf(const Program& program);

}  // namespace dactyra::e2e
