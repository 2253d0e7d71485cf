#include "sign_in_and_sensors.h"

#include <windows.h>
// Separate include block: dbt.h needs the types of windows.h.
#include <dbt.h>

#include <string>

#include "remote_window.h"
#include "steps.h"

namespace dactyra::e2e {
namespace {

constexpr char kSensorOne[] =
    "[[unit]]\nid = 1\ndescription = \"Integrated Fingerprint Sensor\"\nmodel = \"FS-100\"\n"
    "[[template]]\nunit = 1\nidentity = \"current\"\nsubfactor = 0xF5\n";
constexpr char kSensorTwo[] =
    "[[unit]]\nid = 2\ndescription = \"USB Fingerprint Reader\"\nmanufacturer = \"Contoso\"\n"
    "type = \"swipe\"\ncapabilities = 0x10F\n"
    "[[template]]\nunit = 2\nidentity = \"current\"\nsubfactor = 0xF6\n";
constexpr char kPolicyOff[] = "biometrics = false\nbiometrics_source = \"policy\"\n";
constexpr char kStopped[] = "service = \"stopped\"\n";

// Whether the service manager knows WbioSrvc as stopped, with a start type that lets Windows
// start it.
bool BiometricServiceStoppedOnDemand() {
  SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
  SC_HANDLE service = manager != nullptr ? OpenServiceW(manager, L"WbioSrvc",
                                                        SERVICE_QUERY_STATUS | SERVICE_QUERY_CONFIG)
                                         : nullptr;
  SERVICE_STATUS status{};
  alignas(QUERY_SERVICE_CONFIGW) BYTE config_bytes[8192];
  auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(config_bytes);
  DWORD needed = 0;
  const bool stopped_on_demand =
      service != nullptr && QueryServiceStatus(service, &status) &&
      status.dwCurrentState == SERVICE_STOPPED &&
      QueryServiceConfigW(service, config, sizeof(config_bytes), &needed) &&
      config->dwStartType == SERVICE_DEMAND_START;
  if (service != nullptr) {
    CloseServiceHandle(service);
  }
  if (manager != nullptr) {
    CloseServiceHandle(manager);
  }
  return stopped_on_demand;
}

std::wstring ClipboardText() {
  std::wstring text;
  if (OpenClipboard(nullptr)) {
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT);
        const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
    CloseClipboard();
  }
  return text;
}

}  // namespace

void SignInAndSensors(Scenario& scenario) {
  const std::wstring state = scenario.File(L"state.toml");
  WriteFileBytes(state, std::string(kPolicyOff) + kSensorOne + kSensorTwo);
  Program program(scenario.executable, scenario.folder);
  HWND window = StartAndWait(scenario, program);
  if (window == nullptr) {
    return;
  }
  Checks& checks = scenario.checks;
  checks.Check(FindChild(window, L"Static", L"Biometrics are turned off by your organisation.") &&
                   LogHas(window,
                          L"Your organisation's policy turns biometrics off on this "
                          L"computer: fingerprints cannot be used. Only your "
                          L"administrator can change this."),
               "the status line and the log say that the organisation turned biometrics off",
               Join(LogLines(window)));
  RequestScreenshot(scenario.folder, window, scenario.screenshot + "-policy");

  PostMessageW(window, WM_SYSCOMMAND, 0x400 + 10, 0);  // the system menu's item
  HWND dialog = WaitForDialog(program, window);
  if (!checks.Check(dialog != nullptr, "the system menu opens Sensors and sign-in")) {
    return;
  }
  RequestScreenshot(scenario.folder, dialog, scenario.screenshot + "-dialog");
  PressButton(FindChild(dialog, L"Button", L"&Copy"));
  std::wstring copied;
  checks.Check(WaitFor(
                   [&] {
                     copied = ClipboardText();
                     return copied.find(L"FS-100") != std::wstring::npos &&
                            copied.find(L"Secure sensor") != std::wstring::npos;
                   },
                   kShowRoom),
               "Copy puts both sensors' facts on the clipboard", copied);
  PressButton(FindChild(dialog, L"Button", L"C&lose"));
  checks.Check(WaitGone(dialog), "Close ends the dialog");

  WriteFileBytes(state, kSensorOne);
  SendReaderChange(window, DBT_DEVICEREMOVECOMPLETE);
  checks.Check(
      WaitForRows(window, program, 1) && WaitForLog(window, L"A fingerprint sensor was removed."),
      "a reader pulled out leaves the list without Read", Join(LogLines(window)));
  WriteFileBytes(state, std::string(kSensorOne) + kSensorTwo);
  SendReaderChange(window, DBT_DEVICEARRIVAL);
  checks.Check(
      WaitForRows(window, program, 2) && WaitForLog(window, L"A fingerprint sensor was connected."),
      "a reader plugged in is listed without Read", Join(LogLines(window)));
  RequestScreenshot(scenario.folder, window, scenario.screenshot + "-connected");
  PressExit(scenario, program, window);
}

void ServiceRestarted(Scenario& scenario) {
  const std::wstring state = scenario.File(L"state.toml");
  WriteFileBytes(state, kSensorOne);
  Program program(scenario.executable, scenario.folder);
  HWND window = StartAndWait(scenario, program);
  if (window == nullptr) {
    return;
  }
  Checks& checks = scenario.checks;
  constexpr wchar_t kGone[] =
      L"The Windows Biometric Service is not running or was restarted; try again.";
  constexpr wchar_t kNotRunning[] = L"The Windows Biometric Service is not running.";
  // Registered to start on demand and stopped, while its calls work: nothing to say.
  checks.Check(BiometricServiceStoppedOnDemand(), "WbioSrvc is registered, stopped, on demand");
  checks.Check(WaitForRows(window, program, 1) &&
                   FindChild(window, L"Static", kNotRunning) == nullptr &&
                   !LogHas(window,
                           L"The Windows Biometric Service is not running: no fingerprint can be "
                           L"read or used to sign in until it is started again."),
               "a service that starts on demand lists and is not said to be stopped",
               Join(LogLines(window)));
  WriteFileBytes(state, std::string(kStopped) + kSensorOne);
  SelectListRow(ListOf(window), program.Id(), 0);
  PressButton(FindChild(window, L"Button", L"&Verify Fingerprint"));
  HWND dialog = WaitForDialog(program, window);
  if (!checks.Check(dialog != nullptr && WaitForText(dialog, kGone),
                    "stopped, the verification says so in words")) {
    return;
  }
  RequestScreenshot(scenario.folder, dialog, scenario.screenshot + "-down");
  WriteFileBytes(state, kSensorOne);
  PressButton(FindChild(dialog, L"Button", L"&Retry"));
  Sleep(500);
  Touch(scenario, 1, 0xF5);
  checks.Check(WaitForText(dialog, L"Verification successful!"), "started again, Retry works",
               StaticTexts(dialog));
  RequestScreenshot(scenario.folder, dialog, scenario.screenshot + "-retry");
  PressButton(FindChild(dialog, L"Button", L"&Close"));
  WaitGone(dialog);

  WriteFileBytes(state, std::string(kStopped) + kSensorOne);
  PressButton(FindChild(window, L"Button", L"&Read Fingerprints"));
  checks.Check(WaitForLog(window, L"WinBioEnumBiometricUnits [RPC_S_SERVER_UNAVAILABLE] " +
                                      std::wstring(kGone) + L" (0x800706BA)") &&
                   !LogHas(window,
                           L"Biometrics are turned off on this computer: fingerprints "
                           L"cannot be used."),
               "stopped, the log says so in words, and no setting it could not read",
               Join(LogLines(window)));
  checks.Check(FindChild(window, L"Static", kNotRunning) != nullptr,
               "stopped, the status line says so");
  RequestScreenshot(scenario.folder, window, scenario.screenshot + "-log");
  PressExit(scenario, program, window);
}

}  // namespace dactyra::e2e
