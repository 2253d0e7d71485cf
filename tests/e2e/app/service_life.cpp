#include "service_life.h"

#include <string>
#include <vector>

#include "harness.h"
#include "remote_window.h"
#include "steps.h"

namespace dactyra::e2e {
namespace {

constexpr char kSensorOne[] =
    "[[unit]]\nid = 1\ndescription = \"Integrated Fingerprint Sensor\"\n"
    "[[template]]\nunit = 1\nidentity = \"current\"\nsubfactor = 0xF5\n";
constexpr char kSensorTwo[] =
    "[[unit]]\nid = 2\ndescription = \"USB Fingerprint Reader\"\n"
    "[[template]]\nunit = 2\nidentity = \"current\"\nsubfactor = 0xF6\n";

bool LogContains(HWND window, const std::wstring& part) {
  for (const std::wstring& line : LogLines(window)) {
    if (line.find(part) != std::wstring::npos) {
      return true;
    }
  }
  return false;
}

}  // namespace

void ServiceLife(Scenario& scenario) {
  const std::string two_sensors = std::string(kSensorOne) + kSensorTwo;
  WriteFileBytes(scenario.File(L"state.toml"), "service = \"stopped\"\n" + two_sensors);
  Program program(scenario.executable, scenario.folder);
  HWND window = StartAndWait(scenario, program);
  if (window == nullptr) {
    return;
  }
  Checks& checks = scenario.checks;
  checks.Check(LogContains(window,
                           L"[RPC_S_SERVER_UNAVAILABLE] The Windows Biometric Service is "
                           L"not running or was restarted; try again. (0x800706BA)"),
               "the listing says that the service is not running", Join(LogLines(window)));
  checks.Check(ListRows(window, program.Id()).empty(), "nothing is listed");

  HWND read = FindChild(window, L"Button", L"&Read Fingerprints");
  WriteFileBytes(scenario.File(L"state.toml"), two_sensors);
  PressButton(read);
  checks.Check(WaitForRows(window, program, 2), "started again, both sensors' fingers are listed",
               Join(ListRows(window, program.Id())));

  WriteFileBytes(scenario.File(L"state.toml"), kSensorOne);
  PressButton(read);
  checks.Check(WaitForRows(window, program, 1), "a sensor removed is gone from the next listing",
               Join(ListRows(window, program.Id())));
  PressExit(scenario, program, window);
}

}  // namespace dactyra::e2e
