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

// A started program; the handle is closed when it goes (the program is not ended).
class Program {
 public:
  Program(const std::wstring& executable, const std::wstring& folder);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool Started() const { return process_ != nullptr; }
  DWORD Id() const { return id_; }
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
};

// Asks the suite script for a screenshot of `window`, named `name`, and waits until it is taken
// (the script removes the request file). Without a script answering, it goes on after a while.
void RequestScreenshot(const std::wstring& folder, HWND window, const std::string& name);

}  // namespace dactyra::e2e
