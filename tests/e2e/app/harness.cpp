#include "harness.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <thread>

#include "remote_window.h"

namespace dactyra::e2e {

bool Checks::Check(bool condition, const std::string& what, const std::wstring& detail) {
  if (condition) {
    ++passed_;
    std::printf("ok - %s\n", what.c_str());
  } else {
    ++failed_;
    std::printf("not ok - %s%s%s\n", what.c_str(), detail.empty() ? "" : ": ",
                Narrow(detail).c_str());
  }
  std::fflush(stdout);
  return condition;
}

std::string Narrow(const std::wstring& text) {
  if (text.empty()) {
    return {};
  }
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                      nullptr, nullptr);
  return result;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::string ReadFileBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= end) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return true;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

Program::Program(const std::wstring& executable, const std::wstring& folder) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  start_ = std::chrono::steady_clock::now();
  std::wstring command_line = L"\"" + executable + L"\"";
  if (CreateProcessW(executable.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     folder.c_str(), &startup, &info)) {
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
  }
}

Program::~Program() {
  if (process_ != nullptr) {
    CloseHandle(process_);
  }
}

bool Program::WaitForExit(std::chrono::milliseconds timeout) const {
  return process_ != nullptr &&
         WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

bool Program::WaitUntilRunning(std::chrono::milliseconds timeout) const {
  const auto made_window = [&] { return !TopLevelWindows(id_, nullptr, false).empty(); };
  WaitFor([&] { return made_window() || ExitCode() != STILL_ACTIVE; }, timeout);
  return made_window();
}

DWORD Program::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_ != nullptr) {
    GetExitCodeProcess(process_, &code);
  }
  return code;
}

HWND Program::MainWindow() const {
  const std::vector<HWND> windows = TopLevelWindows(id_, L"DactyraWindow");
  return windows.empty() ? nullptr : windows.front();
}

void Program::Kill() const {
  if (process_ != nullptr && ExitCode() == STILL_ACTIVE) {
    TerminateProcess(process_, 99);
    WaitForSingleObject(process_, 5000);
  }
}

void RequestScreenshot(const std::wstring& folder, HWND window, const std::string& name) {
  RECT rect{};
  GetWindowRect(window, &rect);
  SetForegroundWindow(window);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(500);
  const std::wstring request = folder + L"\\screenshot.request";
  const std::string line = name + " " + std::to_string(rect.left) + " " + std::to_string(rect.top) +
                           " " + std::to_string(rect.right - rect.left) + " " +
                           std::to_string(rect.bottom - rect.top) + "\n";
  WriteFileBytes(request + L".tmp", line);
  MoveFileExW((request + L".tmp").c_str(), request.c_str(), MOVEFILE_REPLACE_EXISTING);
  WaitFor([&] { return !FileExists(request); }, std::chrono::seconds(30));
}

}  // namespace dactyra::e2e
