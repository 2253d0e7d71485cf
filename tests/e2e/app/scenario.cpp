#include "scenario.h"

#include <sddl.h>
#include <shlobj.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <vector>

#include "remote_window.h"

namespace dactyra::e2e {

std::wstring Widen(const char* text) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  std::wstring result(static_cast<std::size_t>(size > 0 ? size - 1 : 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, result.data(), size);
  return result;
}

std::wstring Join(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (const std::wstring& line : lines) {
    text += L"\n    " + line;
  }
  return text;
}

std::wstring Join(const Rows& rows) {
  std::wstring text;
  for (const auto& row : rows) {
    text += L"\n   ";
    for (const std::wstring& cell : row) {
      text += L" | " + cell;
    }
  }
  return text;
}

std::wstring CurrentUserSid() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
    return L"";
  }
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::vector<BYTE> buffer(size);
  std::wstring text;
  LPWSTR sid_text = nullptr;
  if (size != 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size) &&
      ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &sid_text)) {
    text = sid_text;
    LocalFree(sid_text);
  }
  CloseHandle(token);
  return text;
}

std::wstring LocalAppDataFolder() {
  PWSTR path = nullptr;
  std::wstring folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &path))) {
    folder = path;
  }
  CoTaskMemFree(path);
  return folder;
}

HWND LogWindow(HWND main_window) {
  for (HWND edit : ChildWindows(main_window, L"Edit")) {
    if ((GetWindowLongW(edit, GWL_STYLE) & ES_MULTILINE) != 0) {
      return edit;
    }
  }
  return nullptr;
}

// The log lines without their "[hh:nn:ss] " stamps.
std::vector<std::wstring> LogLines(HWND main_window) {
  std::vector<std::wstring> lines;
  for (const std::wstring& line : EditLines(LogWindow(main_window))) {
    lines.push_back(line.size() >= 11 ? line.substr(11) : line);
  }
  return lines;
}

bool HasTimeStamp(const std::wstring& line) {
  if (line.size() < 11 || line[0] != L'[' || line[9] != L']' || line[10] != L' ') {
    return false;
  }
  for (const int digit : {1, 2, 4, 5, 7, 8}) {
    if (line[digit] < L'0' || line[digit] > L'9') {
      return false;
    }
  }
  return true;
}

Rows ListRows(HWND main_window, DWORD process_id) {
  const std::vector<HWND> lists = ChildWindows(main_window, L"SysListView32");
  return lists.empty() ? Rows{} : ListViewRows(lists.front(), process_id, 5);
}

std::wstring CurrentUserName() {
  wchar_t name[257] = {};
  DWORD size = 257;
  return GetUserNameW(name, &size) ? std::wstring(name) : L"(Unknown)";
}

bool WaitForStart(Scenario& scenario, Program& program) {
  if (scenario.checks.Check(program.Started() && program.WaitUntilRunning(kStartRoom),
                            "the program starts")) {
    return true;
  }
  program.Kill();
  return false;
}

// The time a window takes is measured from the moment the program could show it, not from the
// start of the process, which a busy machine can hold up for long.
HWND WaitForMainWindow(Scenario& scenario, Program& program) {
  const auto running = std::chrono::steady_clock::now();
  const double started = SecondsSince(program.StartTime());
  HWND window = nullptr;
  WaitFor([&] { return (window = program.MainWindow()) != nullptr; }, kShowRoom);
  if (!scenario.checks.Check(window != nullptr, "the main window appears")) {
    program.Kill();
    return nullptr;
  }
  std::printf("# the program ran after %.1f s, its main window showed %.1f s later\n", started,
              SecondsSince(running));
  return window;
}

HWND StartAndWait(Scenario& scenario, Program& program) {
  return WaitForStart(scenario, program) ? WaitForMainWindow(scenario, program) : nullptr;
}

// Ends the program by its Exit button and waits for the end.
void PressExit(Scenario& scenario, Program& program, HWND window, const wchar_t* caption) {
  PressButton(FindChild(window, L"Button", caption));
  scenario.checks.Check(program.WaitForExit(kShowRoom), "Exit ends the program");
  program.Kill();
}

// A message box of the program, or null.
HWND MessageBoxOf(const Program& program) {
  const std::vector<HWND> boxes = TopLevelWindows(program.Id(), L"#32770");
  return boxes.empty() ? nullptr : boxes.front();
}

}  // namespace dactyra::e2e
