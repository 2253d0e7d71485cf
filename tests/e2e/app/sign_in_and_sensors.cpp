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
    "[[unit]]\nid = 1\ndescription = \"Integrated Fingerprint Sensor\"\nmanufacturer = \"Dactyra "
    "Labs\"\nmodel = \"FS-100\"\nserial = \"0001\"\n"
    "[[template]]\nunit = 1\nidentity = \"current\"\nsubfactor = 0xF5\n";
constexpr char kSensorTwo[] =
    "[[unit]]\nid = 2\ndescription = \"USB Fingerprint Reader\"\nmanufacturer = \"Contoso\"\n"
    "type = \"swipe\"\ncapabilities = 0x10F\n"
    "[[template]]\nunit = 2\nidentity = \"current\"\nsubfactor = 0xF6\n";

// GUID_DEVINTERFACE_BIOMETRIC_READER.
constexpr GUID kBiometricReaderClass = {
    0xE2B5183A, 0x99EA, 0x4CC3, {0xAD, 0x6B, 0x80, 0xCA, 0x8D, 0x71, 0x5B, 0x80}};

// A biometric reader arrived or left, as the system tells a window that registered for the
// class: the record travels with the message.
void SendReaderChange(HWND window, WPARAM event) {
  DEV_BROADCAST_DEVICEINTERFACE_W reader{};
  reader.dbcc_size = sizeof(reader);
  reader.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  reader.dbcc_classguid = kBiometricReaderClass;
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&reader),
                      SMTO_ABORTIFHUNG, 5000, &result);
}

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) {
    return text;
  }
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

// The system menu's "Sensors and sign-in" (the command's id after 0x400).
constexpr WPARAM kSensorsItem = 0x400 + 10;

}  // namespace

void SignInOffByPolicy(Scenario& scenario) {
  WriteFileBytes(scenario.File(L"state.toml"),
                 std::string("biometrics = false\nbiometrics_source = \"policy\"\n") + kSensorOne +
                     kSensorTwo);
  Program program(scenario.executable, scenario.folder);
  HWND window = StartAndWait(scenario, program);
  if (window == nullptr) {
    return;
  }
  Checks& checks = scenario.checks;
  checks.Check(
      FindChild(window, L"Static", L"Biometrics are turned off by your organisation.") != nullptr,
      "the top strip says that the organisation turned biometrics off");
  checks.Check(LogHas(window,
                      L"Your organisation's policy turns biometrics off on this computer: "
                      L"fingerprints cannot be used. Only your administrator can change this."),
               "the log says who decided", Join(LogLines(window)));
  HWND offer = FindChild(window, L"Button", L"Open &Sign-in options");
  checks.Check(offer == nullptr || IsWindowVisible(offer) == FALSE,
               "no offer to change what a policy decides");
  RequestScreenshot(scenario.folder, window, scenario.screenshot);
  PressExit(scenario, program, window);
}

void SensorsDialog(Scenario& scenario) {
  WriteFileBytes(scenario.File(L"state.toml"), std::string(kSensorOne) + kSensorTwo);
  Program program(scenario.executable, scenario.folder);
  HWND window = StartAndWait(scenario, program);
  if (window == nullptr) {
    return;
  }
  Checks& checks = scenario.checks;
  PostMessageW(window, WM_SYSCOMMAND, kSensorsItem, 0);
  HWND dialog = WaitForDialog(program, window);
  if (!checks.Check(dialog != nullptr, "the system menu opens Sensors and sign-in")) {
    return;
  }
  checks.Check(WindowText(dialog) == L"Sensors and sign-in", "the dialog's caption",
               WindowText(dialog));
  HWND facts =
      ChildWindows(dialog, L"Edit").empty() ? nullptr : ChildWindows(dialog, L"Edit").front();
  const std::wstring shown = facts != nullptr ? Join(EditLines(facts)) : L"";
  checks.Check(
      shown.find(L"Contoso") != std::wstring::npos && shown.find(L"FS-100") != std::wstring::npos,
      "both sensors' facts are shown", shown);
  RequestScreenshot(scenario.folder, dialog, scenario.screenshot);
  PressButton(FindChild(dialog, L"Button", L"&Copy"));
  std::wstring copied;
  WaitFor(
      [&] {
        copied = ClipboardText();
        return copied.find(L"Contoso") != std::wstring::npos;
      },
      kShowRoom);
  checks.Check(copied.find(L"Integrated Fingerprint Sensor") != std::wstring::npos &&
                   copied.find(L"Contoso") != std::wstring::npos && copied.starts_with(shown),
               "Copy puts the facts on the clipboard", copied);
  PressButton(FindChild(dialog, L"Button", L"C&lose"));
  checks.Check(WaitGone(dialog), "Close ends the dialog");
  PressExit(scenario, program, window);
}

void SensorsComeAndGo(Scenario& scenario) {
  WriteFileBytes(scenario.File(L"state.toml"), kSensorOne);
  Program program(scenario.executable, scenario.folder);
  HWND window = StartAndWait(scenario, program);
  if (window == nullptr) {
    return;
  }
  Checks& checks = scenario.checks;
  WriteFileBytes(scenario.File(L"state.toml"), std::string(kSensorOne) + kSensorTwo);
  SendReaderChange(window, DBT_DEVICEARRIVAL);
  checks.Check(
      WaitForRows(window, program, 2) && WaitForLog(window, L"A fingerprint sensor was connected."),
      "a reader plugged in is listed without Read", Join(LogLines(window)));
  RequestScreenshot(scenario.folder, window, scenario.screenshot + "-connected");
  WriteFileBytes(scenario.File(L"state.toml"), kSensorOne);
  SendReaderChange(window, DBT_DEVICEREMOVECOMPLETE);
  checks.Check(
      WaitForRows(window, program, 1) && WaitForLog(window, L"A fingerprint sensor was removed."),
      "a reader pulled out leaves the list", Join(LogLines(window)));
  RequestScreenshot(scenario.folder, window, scenario.screenshot + "-removed");
  PressExit(scenario, program, window);
}

void ServiceRestarted(Scenario& scenario) {
  WriteFileBytes(scenario.File(L"state.toml"), kSensorOne);
  Program program(scenario.executable, scenario.folder);
  HWND window = StartAndWait(scenario, program);
  if (window == nullptr) {
    return;
  }
  Checks& checks = scenario.checks;
  // Stopped behind the program's back: the verification says so in words.
  WriteFileBytes(scenario.File(L"state.toml"), std::string("service = \"stopped\"\n") + kSensorOne);
  SelectListRow(ListOf(window), program.Id(), 0);
  PressButton(FindChild(window, L"Button", L"&Verify Fingerprint"));
  HWND dialog = WaitForDialog(program, window);
  if (!checks.Check(dialog != nullptr, "the verification dialog opens")) {
    return;
  }
  constexpr wchar_t kGone[] =
      L"The Windows Biometric Service is not running or was restarted; try again.";
  checks.Check(WaitForText(dialog, kGone), "the verification says that the service is gone",
               StaticTexts(dialog));
  RequestScreenshot(scenario.folder, dialog, scenario.screenshot + "-down");
  // Started again: Retry works on a new session.
  WriteFileBytes(scenario.File(L"state.toml"), kSensorOne);
  PressButton(FindChild(dialog, L"Button", L"&Retry"));
  Sleep(500);
  Touch(scenario, 1, 0xF5);
  checks.Check(WaitForText(dialog, L"Verification successful!"), "Retry works after the restart",
               StaticTexts(dialog));
  RequestScreenshot(scenario.folder, dialog, scenario.screenshot + "-retry");
  PressButton(FindChild(dialog, L"Button", L"&Close"));
  checks.Check(WaitGone(dialog), "Close ends the verification");

  // Stopped once more: Read says so in the log; the next Verify after the start works.
  WriteFileBytes(scenario.File(L"state.toml"), std::string("service = \"stopped\"\n") + kSensorOne);
  PressButton(FindChild(window, L"Button", L"&Read Fingerprints"));
  checks.Check(WaitForLog(window,
                          L"WinBioEnumBiometricUnits [RPC_S_SERVER_UNAVAILABLE] The Windows "
                          L"Biometric Service is not running or was restarted; try again. "
                          L"(0x800706BA)"),
               "the log says in words that the service is not running", Join(LogLines(window)));
  RequestScreenshot(scenario.folder, window, scenario.screenshot + "-log");
  PressExit(scenario, program, window);
}

}  // namespace dactyra::e2e
