#pragma once

// What the scenarios share: checks that count, files of the scenario folder, the program under
// test as a process, and screenshots taken by the suite script.

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace dactyra::e2e {

// Counts and prints checks: "ok - what" or "not ok - what: detail".
class Checks {
 public:
  bool Check(bool condition, const std::string& what, const std::wstring& detail = L"");
  int passed() const { return passed_; }
  int failed() const { return failed_; }

 private:
  int passed_ = 0;
  int failed_ = 0;
};

std::string Narrow(const std::wstring& text);

// Whole files of the scenario folder, bytes as they are.
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
std::string ReadFileBytes(const std::wstring& path);
bool FileExists(const std::wstring& path);

// Polls `condition` every 100 ms until it holds or `timeout` has passed.
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

// Every wait has a cause and ends as soon as it is there; the rooms below are only how long a
// slow, freshly started machine may take for it.
// A program started under Wine: loading it, and the first use of the prefix by a process after a
// change (its fonts at a new DPI, say), before it can show any window.
inline constexpr std::chrono::seconds kStartRoom{120};
// What a running program shows or does after a cause: its window once it could show one, a
// dialog after a click, a line after a touch.
inline constexpr std::chrono::seconds kShowRoom{30};

// Seconds since `start`, for the lines that tell how long a step took.
double SecondsSince(std::chrono::steady_clock::time_point start);

// A started program; the handle is closed when it goes (the program is not ended).
class Program {
 public:
  Program(const std::wstring& executable, const std::wstring& folder);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool Started() const { return process_ != nullptr; }
  DWORD Id() const { return id_; }
  // Waits until the program has made its first window, shown or not: from then on it can show
  // one. False when it ended or made none within `timeout`.
  bool WaitUntilRunning(std::chrono::milliseconds timeout) const;
  // When the process was created.
  std::chrono::steady_clock::time_point StartTime() const { return start_; }
  // Waits for the end of the process; false when it still runs after `timeout`.
  bool WaitForExit(std::chrono::milliseconds timeout) const;
  DWORD ExitCode() const;
  // The visible main window (of the program's window class), or null.
  HWND MainWindow() const;
  // Ends the process when it still runs (after a failed scenario).
  void Kill() const;

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
  std::chrono::steady_clock::time_point start_;
};

// Asks the suite script for a screenshot of `window`, named `name`, and waits until it is taken
// (the script removes the request file). Without a script answering, it goes on after a while.
void RequestScreenshot(const std::wstring& folder, HWND window, const std::string& name);

}  // namespace dactyra::e2e
