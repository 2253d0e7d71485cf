#include "waits.h"

#include <windows.h>
// Separate include block: dbt.h needs the types of windows.h.
#include <dbt.h>

#include <chrono>
#include <string>

#include "remote_window.h"
#include "steps.h"

namespace dactyra::e2e {
namespace {

constexpr char kSensors[] =
    "samples = 2\n[[unit]]\nid = 1\ndescription = \"Integrated Fingerprint Sensor\"\n"
    "[[unit]]\nid = 2\ndescription = \"USB Fingerprint Reader\"\n";
constexpr char kOneFinger[] = "[[template]]\nunit = 1\nidentity = \"current\"\nsubfactor = 0xF5\n";

// Every call the simulated service was asked so far, one name a line.
std::string Journal(const Scenario& scenario) {
  return ReadFileBytes(scenario.File(L"winbio-sim-calls.log"));
}

// Whether calls made after `before` include one that a command or a listing starts with (the
// sensors listed, a touch identified); the enrollment under way makes none of them.
bool CommandStarted(const std::string& before, const std::string& now) {
  const std::string since = now.substr(std::min(before.size(), now.size()));
  return since.find("WinBioEnumBiometricUnits") != std::string::npos ||
         since.find("WinBioIdentify") != std::string::npos;
}

// F5, Del, Enter on the selected row, a click on Add and a reader plugged in, as the user does
// while the command waits; then long enough for the reader's events to settle.
void TryEveryCommand(const Program& program, HWND window) {
  HWND list = ListOf(window);
  SelectListRow(list, program.Id(), 0);
  for (const WPARAM key : {VK_F5, VK_DELETE, VK_RETURN}) {
    PostMessageW(list, WM_KEYDOWN, key, 1);
  }
  PressButton(FindChild(window, L"Button", L"&Add Fingerprint"));
  SendReaderChange(window, DBT_DEVICEARRIVAL);
  Sleep(1500);
}

// The main window closed while the command waits: by Alt+F4 while it is enabled, by a close
// from outside (the taskbar, Task Manager) while it is disabled and takes no keys. The program
// ends, and no dialog shows once its window is gone; CFG.TOML is written at the close (it was
// removed before).
void CloseWhileWaiting(Scenario& scenario, const Program& program, HWND window,
                       const std::string& when) {
  Checks& checks = scenario.checks;
  DeleteFileW(scenario.File(L"CFG.TOML").c_str());
  const bool enabled = IsWindowEnabled(window) != FALSE;
  if (enabled) {
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  } else {
    PostMessageW(window, WM_CLOSE, 0, 0);
  }
  bool dialog_after_window = false;
  const auto deadline = std::chrono::steady_clock::now() + kShowRoom;
  while (!program.WaitForExit(std::chrono::milliseconds(50)) &&
         std::chrono::steady_clock::now() < deadline) {
    if (!IsWindowVisible(window) && !TopLevelWindows(program.Id(), L"DactyraWindow").empty()) {
      dialog_after_window = true;
    }
  }
  checks.Check(program.WaitForExit(std::chrono::milliseconds(0)),
               (enabled ? "Alt+F4 " : "closing the disabled window ") + when + " ends the program");
  checks.Check(!dialog_after_window, "no dialog shows after the window is gone");
  const std::string saved = ReadFileBytes(scenario.File(L"CFG.TOML"));
  checks.Check(saved.find("[units]") != std::string::npos &&
                   Journal(scenario).find("WinBioEnrollCommit") == std::string::npos,
               "CFG.TOML is written at the close, and nothing was enrolled",
               std::wstring(saved.begin(), saved.end()));
  program.Kill();
}

}  // namespace

void Waits(Scenario& scenario) {
  Checks& checks = scenario.checks;
  SetEnvironmentVariableW(L"HELLO_SIM_STATE", scenario.File(L"hello-sim.toml").c_str());
  WriteFileBytes(scenario.File(L"hello-sim.toml"), "delay = 4000\ninterop = true\n");

  // Before his first finger, Windows Hello proves the owner: the window is disabled while it
  // waits for the verification.
  WriteFileBytes(scenario.File(L"state.toml"), kSensors);
  {
    Program program(scenario.executable, scenario.folder);
    HWND window = StartAndWait(scenario, program);
    if (window == nullptr) {
      return;
    }
    PressButton(FindChild(window, L"Button", L"&Add Fingerprint"));
    if (!checks.Check(WaitFor([&] { return !IsWindowEnabled(window); }, kShowRoom),
                      "Windows Hello is asked to verify the owner")) {
      program.Kill();
      return;
    }
    const std::string before = Journal(scenario);
    TryEveryCommand(program, window);
    checks.Check(!CommandStarted(before, Journal(scenario)),
                 "during the verification, keys, a click and a reader start nothing",
                 Widen(Journal(scenario).c_str()));
    CloseWhileWaiting(scenario, program, window, "during the verification");
  }

  // Before the enrollment, Windows is asked whether Windows Hello has a PIN: the window stays
  // enabled meanwhile.
  WriteFileBytes(scenario.File(L"state.toml"), std::string(kSensors) + kOneFinger);
  DeleteFileW(scenario.File(L"winbio-sim-calls.log").c_str());
  Program program(scenario.executable, scenario.folder);
  HWND window = StartAndWait(scenario, program);
  if (window == nullptr) {
    return;
  }
  PressButton(FindChild(window, L"Button", L"&Add Fingerprint"));
  HWND check = WaitForDialog(program, window);
  if (!checks.Check(check != nullptr, "the owner is asked to touch a sensor")) {
    program.Kill();
    return;
  }
  Sleep(500);  // the worker is in the service by now
  Touch(scenario, 1, 0xF5);
  WaitGone(check);
  HWND chooser = WaitForDialog(program, window);
  if (!checks.Check(chooser != nullptr, "the sensor is chosen")) {
    program.Kill();
    return;
  }
  PressButton(FindChild(chooser, L"Button", L"&OK"));
  WaitGone(chooser);
  // The slot is chosen by the service's list, logged, and then Windows Hello is asked.
  const bool asked = WaitFor(
      [&] {
        const std::vector<std::wstring> log = LogLines(window);
        return !log.empty() && log.back().starts_with(L"Add fingerprint:");
      },
      kShowRoom);
  checks.Check(asked, "the enrollment waits for Windows Hello's availability",
               Join(LogLines(window)));
  const std::string before = Journal(scenario);
  TryEveryCommand(program, window);
  checks.Check(!CommandStarted(before, Journal(scenario)),
               "during the availability check, keys, a click and a reader start nothing",
               Widen(Journal(scenario).c_str()));
  CloseWhileWaiting(scenario, program, window, "during the availability check");
}

}  // namespace dactyra::e2e
