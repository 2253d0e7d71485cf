#include "steps.h"

// Separate include block: dbt.h needs the types of windows.h.
#include <dbt.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "remote_window.h"

namespace dactyra::e2e {

namespace {

// Writes one touch file with `text` into the spool, named after every touch written before.
void WriteTouch(const Scenario& scenario, const std::string& text) {
  static std::uint64_t last = 0;
  FILETIME now{};
  GetSystemTimePreciseAsFileTime(&now);
  const std::uint64_t stamp =
      std::max(last + 1, ((std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime) * 100);
  last = stamp;
  const std::wstring spool = scenario.File(L"touches");
  CreateDirectoryW(spool.c_str(), nullptr);
  wchar_t name[64] = {};
  swprintf(name, 64, L"\\touch-%020llu", static_cast<unsigned long long>(stamp));
  WriteFileBytes(spool + name + L".tmp", text);
  MoveFileExW((spool + name + L".tmp").c_str(), (spool + name + L".toml").c_str(),
              MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

void Touch(const Scenario& scenario, int unit, int finger, const char* identity) {
  WriteTouch(scenario, "unit = " + std::to_string(unit) + "\nsubfactor = " +
                           std::to_string(finger) + "\nidentity = \"" + identity + "\"\n");
}

void TouchFailure(const Scenario& scenario, int unit, unsigned code) {
  WriteTouch(scenario,
             "unit = " + std::to_string(unit) + "\nfail = " + std::to_string(code) + "\n");
}

void TouchBadCapture(const Scenario& scenario, int unit, unsigned detail) {
  WriteTouch(scenario,
             "unit = " + std::to_string(unit) + "\nbad = " + std::to_string(detail) + "\n");
}

bool WaitForTouchesTaken(const Scenario& scenario) {
  const std::wstring pattern = scenario.File(L"touches") + L"\\touch-*.toml";
  return WaitFor(
      [&] {
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW(pattern.c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) {
          return true;
        }
        FindClose(search);
        return false;
      },
      kShowRoom);
}

HWND WaitForDialog(const Program& program, HWND main_window) {
  HWND dialog = nullptr;
  WaitFor(
      [&] {
        for (HWND window : TopLevelWindows(program.Id(), L"DactyraWindow")) {
          if (window != main_window) {
            dialog = window;
            return true;
          }
        }
        return false;
      },
      kShowRoom);
  return dialog;
}

HWND WaitForMessageBox(const Program& program) {
  HWND box = nullptr;
  WaitFor([&] { return (box = MessageBoxOf(program)) != nullptr; }, kShowRoom);
  return box;
}

bool WaitGone(HWND window) {
  return WaitFor([&] { return !IsWindow(window) || !IsWindowVisible(window); }, kShowRoom);
}

std::wstring StaticTexts(HWND window) {
  std::wstring text;
  for (HWND label : ChildWindows(window, L"Static")) {
    if (const std::wstring line = WindowText(label); !line.empty()) {  // not the icon
      text += line + L"\n";
    }
  }
  return text;
}

bool WaitForText(HWND window, const std::wstring& part) {
  return WaitFor([&] { return StaticTexts(window).find(part) != std::wstring::npos; }, kShowRoom);
}

HWND ListOf(HWND main_window) {
  const std::vector<HWND> lists = ChildWindows(main_window, L"SysListView32");
  return lists.empty() ? nullptr : lists.front();
}

bool WaitForRows(HWND main_window, const Program& program, std::size_t count) {
  return WaitFor([&] { return ListRows(main_window, program.Id()).size() == count; }, kShowRoom);
}

void SendReaderChange(HWND window, WPARAM event) {
  DEV_BROADCAST_DEVICEINTERFACE_W reader{};
  reader.dbcc_size = sizeof(reader);
  reader.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  reader.dbcc_classguid = {
      0xE2B5183A, 0x99EA, 0x4CC3, {0xAD, 0x6B, 0x80, 0xCA, 0x8D, 0x71, 0x5B, 0x80}};
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&reader),
                      SMTO_ABORTIFHUNG, 5000, &result);
}

bool LogHas(HWND main_window, const std::wstring& line) {
  const std::vector<std::wstring> log = LogLines(main_window);
  return std::find(log.begin(), log.end(), line) != log.end();
}

bool WaitForLog(HWND main_window, const std::wstring& line) {
  return WaitFor([&] { return LogHas(main_window, line); }, kShowRoom);
}

void InstallLanguage(Scenario& scenario, const std::wstring& language_folder,
                     const std::wstring& locale) {
  Checks& checks = scenario.checks;
  wchar_t user_locale[LOCALE_NAME_MAX_LENGTH] = {};
  if (GetUserDefaultLocaleName(user_locale, LOCALE_NAME_MAX_LENGTH) <= 0) {
    lstrcpyW(user_locale, L"en-US");
  }
  checks.Check(user_locale == locale, "the user's locale is " + Narrow(locale), user_locale);
  CreateDirectoryW(scenario.File(L"language").c_str(), nullptr);
  const std::string translation = ReadFileBytes(language_folder + L"\\" + locale + L".TOML");
  checks.Check(!translation.empty(),
               "the program comes with language\\" + Narrow(locale) + ".TOML");
  WriteFileBytes(scenario.folder + L"\\language\\" + user_locale + L".TOML", translation);
}

void InstallChinese(Scenario& scenario, const std::wstring& language_folder) {
  InstallLanguage(scenario, language_folder, L"zh-CN");
}

}  // namespace dactyra::e2e
