// Drives Dactyra.exe from outside, as its user would, in a prepared folder:
//
//   dactyra_e2e.exe <scenario> <folder> <Dactyra.exe to test> [screenshot name]
//   dactyra_e2e.exe warm-up
//
// The folder gets a copy of the program, its CFG.TOML, language file and the simulated
// service's state (WINBIO_SIM_STATE names it for the program). Prints one line per check and
// "N passed, N failed" at the end; the exit code is 0 when all passed.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "commands.h"
#include "harness.h"
#include "hello.h"
#include "languages.h"
#include "list_keys.h"
#include "remote_window.h"
#include "scenario.h"
#include "sign_in_and_sensors.h"
#include "steps.h"
#include "waits.h"
#include "warm_up.h"

namespace dactyra::e2e {
namespace {

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

constexpr char kTwoSensorState[] =
    "[[unit]]\nid = 1\ndescription = \"Integrated Fingerprint Sensor\"\n"
    "[[unit]]\nid = 2\ndescription = \"USB Fingerprint Reader\"\n"
    "[[template]]\nunit = 1\nidentity = \"current\"\nsubfactor = 0xF5\n"
    "[[template]]\nunit = 1\nidentity = \"current\"\nsubfactor = 0xF6\n"
    "[[template]]\nunit = 2\nidentity = \"current\"\nsubfactor = 0xF5\n"
    "[[template]]\nunit = 2\nidentity = \"S-1-5-21-7-7-7-1002\"\nsubfactor = 0xF6\n";

constexpr char kStoredDescriptions[] =
    "[[finger]]\nunitid = 1\nfingerid = \"0xF6\"\ndescription = \"右手食指\"\n"
    "[[finger]]\nunitid = 9\nfingerid = \"0xF5\"\ndescription = \"Unplugged sensor finger\"\n";

// No winbio.dll in the system folder: the listing stops with the library line, and closing
// leaves the stored descriptions alone.
void NoService(Scenario& scenario) {
  WriteFileBytes(scenario.File(L"CFG.TOML"), kStoredDescriptions);
  Program program(scenario.executable, scenario.folder);
  HWND window = StartAndWait(scenario, program);
  if (window == nullptr) {
    return;
  }
  Checks& checks = scenario.checks;
  checks.Check(WindowText(window) == L"Dactyra V1.0.0.0", "the caption carries the version",
               WindowText(window));
  const std::vector<std::wstring> log = LogLines(window);
  checks.Check(log.size() == 3 &&
                   log[2] == L"Unable to load winbio.dll or failed to get the function address.",
               "the log says that winbio.dll cannot be loaded", Join(log));
  checks.Check(ListRows(window, program.Id()).empty(), "the list is empty");
  checks.Check(!IsWindowEnabled(FindChild(window, L"Button", L"&Add Fingerprint")),
               "Add is disabled");
  RequestScreenshot(scenario.folder, window, scenario.screenshot);
  PressExit(scenario, program, window);
  checks.Check(ReadFileBytes(scenario.File(L"CFG.TOML")) == kStoredDescriptions,
               "CFG.TOML keeps its descriptions");
}

// Two sensors with enrollments: rows, log and CFG.TOML; a second start while the first runs;
// closing saves the rows.
void TwoSensors(Scenario& scenario) {
  WriteFileBytes(scenario.File(L"state.toml"), kTwoSensorState);
  WriteFileBytes(scenario.File(L"CFG.TOML"), kStoredDescriptions);
  Program program(scenario.executable, scenario.folder);
  HWND window = StartAndWait(scenario, program);
  if (window == nullptr) {
    return;
  }
  Checks& checks = scenario.checks;
  const Rows rows = ListRows(window, program.Id());
  const Rows expected_rows = {
      {L"1", L"Integrated Fingerprint Sensor", L"1", L"0xF5", L"fingerprint #1"},
      {L"2", L"Integrated Fingerprint Sensor", L"1", L"0xF6", L"右手食指"},
      {L"3", L"USB Fingerprint Reader", L"2", L"0xF5", L"fingerprint #1"},
  };
  checks.Check(rows == expected_rows, "the list shows the three enrolled fingers", Join(rows));

  const std::vector<std::wstring> stamped = EditLines(LogWindow(window));
  checks.Check(!stamped.empty() && HasTimeStamp(stamped.front()),
               "log lines start with a time stamp", Join(stamped));
  const std::vector<std::wstring> log = LogLines(window);
  checks.Check(log.size() == 5 && log[0] == L"Reading fingerprint data..." &&
                   log[1] == L"User: " + CurrentUserName() && log[2].starts_with(L"SID: S-1-5-") &&
                   log[3] == L"2 fingerprint collection devices were found." &&
                   log[4] == L"Fingerprints recorded: 3",
               "the log tells the listing in five lines", Join(log));
  checks.Check(WindowText(FindChild(window, L"Static", L"User: " + CurrentUserName())) ==
                   L"User: " + CurrentUserName(),
               "the user line names the user");
  checks.Check(IsWindowEnabled(FindChild(window, L"Button", L"&Add Fingerprint")) != FALSE,
               "Add is enabled");
  checks.Check(!IsWindowEnabled(FindChild(window, L"Button", L"&Verify Fingerprint")),
               "Verify is disabled without a selection");
  const std::string listed = ReadFileBytes(scenario.File(L"CFG.TOML"));
  checks.Check(listed.find("[units]\r\n1 = \"Integrated Fingerprint Sensor\"\r\n"
                           "2 = \"USB Fingerprint Reader\"\r\n") != std::string::npos &&
                   listed.find("description = \"右手食指\"") != std::string::npos,
               "the listing writes the sensors' names into CFG.TOML", Widen(listed.c_str()));
  RequestScreenshot(scenario.folder, window, scenario.screenshot);

  // Another window in front first, so that the second start has something to change.
  SetForegroundWindow(GetDesktopWindow());
  Program second(scenario.executable, scenario.folder);
  checks.Check(second.WaitForExit(kStartRoom) && second.ExitCode() == 0,
               "a second start ends at once");
  checks.Check(TopLevelWindows(program.Id(), L"DactyraWindow").size() == 1,
               "only the first window is there");
  // The window manager's answer to the activation arrives asynchronously under Wine.
  for (int i = 0; i < 50 && GetForegroundWindow() != window; ++i) {
    Sleep(100);
  }
  checks.Check(GetForegroundWindow() == window, "the first window comes to the front");
  second.Kill();

  PostMessageW(window, WM_CLOSE, 0, 0);
  checks.Check(program.WaitForExit(kShowRoom), "closing the window ends the program");
  program.Kill();
  const std::string saved = ReadFileBytes(scenario.File(L"CFG.TOML"));
  // The listed fingers' entries name their owner, the signed-in user.
  const std::string owner = "user = \"" + Narrow(CurrentUserSid()) + "\"\r\n";
  const std::string expected = std::string(kUtf8Bom) +
                               "[[finger]]\r\ndescription = \"fingerprint #1\"\r\n"
                               "fingerid = \"0xF5\"\r\nunitid = 1\r\n" +
                               owner +
                               "\r\n"
                               "[[finger]]\r\ndescription = \"右手食指\"\r\n"
                               "fingerid = \"0xF6\"\r\nunitid = 1\r\n" +
                               owner +
                               "\r\n"
                               "[[finger]]\r\ndescription = \"fingerprint #1\"\r\n"
                               "fingerid = \"0xF5\"\r\nunitid = 2\r\n" +
                               owner +
                               "\r\n"
                               "[[finger]]\r\ndescription = \"Unplugged sensor finger\"\r\n"
                               "fingerid = \"0xF5\"\r\nunitid = 9\r\n\r\n"
                               "[units]\r\n1 = \"Integrated Fingerprint Sensor\"\r\n"
                               "2 = \"USB Fingerprint Reader\"\r\n";
  checks.Check(saved == expected, "closing saves one entry per row and keeps the unplugged one",
               Widen(saved.c_str()));
}

// Answers an error box with OK; true when one came.
bool AnswerErrorBox(Scenario& scenario, const Program& program, bool screenshot) {
  HWND box = nullptr;
  WaitFor([&] { return (box = MessageBoxOf(program)) != nullptr; }, kShowRoom);
  if (box == nullptr) {
    return false;
  }
  std::wstring message;
  for (HWND text : ChildWindows(box, L"Static")) {
    message += WindowText(text);
  }
  scenario.checks.Check(message.find(L"%s") != std::wstring::npos,
                        "the error box names the text that does not fit", message);
  if (screenshot) {
    RequestScreenshot(scenario.folder, box, scenario.screenshot + "-error");
  }
  PressButton(GetDlgItem(box, IDOK));
  return WaitFor([&] { return !IsWindow(box); }, kShowRoom);
}

// A translated "find" text that does not fit its number: the listing ends with an error box,
// and the window goes on working.
void BadTranslation(Scenario& scenario) {
  WriteFileBytes(scenario.File(L"state.toml"), kTwoSensorState);
  wchar_t locale[LOCALE_NAME_MAX_LENGTH] = {};
  if (GetUserDefaultLocaleName(locale, LOCALE_NAME_MAX_LENGTH) <= 0) {
    lstrcpyW(locale, L"en-US");
  }
  CreateDirectoryW(scenario.File(L"language").c_str(), nullptr);
  WriteFileBytes(scenario.folder + L"\\language\\" + locale + L".TOML",
                 "[log]\nfind = \"%s sensors\"\n");
  Program program(scenario.executable, scenario.folder);
  if (!WaitForStart(scenario, program)) {
    return;
  }
  Checks& checks = scenario.checks;
  checks.Check(AnswerErrorBox(scenario, program, true), "an error box comes and goes at start");
  HWND window = WaitForMainWindow(scenario, program);
  if (window == nullptr) {
    return;
  }
  const std::vector<std::wstring> log = LogLines(window);
  checks.Check(log.size() == 3 && log[2].starts_with(L"SID: "),
               "the listing ended before the count", Join(log));
  PressButton(FindChild(window, L"Button", L"&Read Fingerprints"));
  checks.Check(AnswerErrorBox(scenario, program, false), "listing again shows the box again");
  checks.Check(LogLines(window).size() == 6, "the window went on working");
  RequestScreenshot(scenario.folder, window, scenario.screenshot);
  PressExit(scenario, program, window);
  checks.Check(!FileExists(scenario.File(L"CFG.TOML")), "no CFG.TOML is written");
}

// A sensor whose enrollments Windows keeps to itself (the listing is refused with access
// denied): the log says where they are managed, and the window offers the sign-in options.
void WindowsKeepsSensor(Scenario& scenario) {
  WriteFileBytes(scenario.File(L"state.toml"),
                 std::string(kTwoSensorState) +
                     "[[fail]]\nfunction = \"WinBioEnumEnrollments\"\ncode = 0x80070005\n");
  Program program(scenario.executable, scenario.folder);
  HWND window = StartAndWait(scenario, program);
  if (window == nullptr) {
    return;
  }
  Checks& checks = scenario.checks;
  const std::vector<std::wstring> log = LogLines(window);
  checks.Check(std::find(log.begin(), log.end(),
                         L"Windows manages the fingerprints of this sensor itself: change them in "
                         L"Settings \u203A Accounts \u203A Sign-in options (button \"Open Sign-in "
                         L"options\").") != log.end(),
               "the log says that Windows manages the sensor", Join(log));
  HWND offer = FindChild(window, L"Button", L"Open &Sign-in options");
  checks.Check(offer != nullptr && IsWindowVisible(offer) != FALSE,
               "the window offers the sign-in options");
  checks.Check(ListRows(window, program.Id()).size() == 1, "the other sensor is listed");
  RequestScreenshot(scenario.folder, window, scenario.screenshot);
  PressExit(scenario, program, window);
}

// The service stopped when the program starts: the listing says so; started again, Read
// Fingerprints lists on a new session; a sensor removed meanwhile is gone from the next listing.
void ServiceLife(Scenario& scenario) {
  const std::string sensor_one =
      "[[unit]]\nid = 1\ndescription = \"Integrated Fingerprint Sensor\"\n"
      "[[template]]\nunit = 1\nidentity = \"current\"\nsubfactor = 0xF5\n";
  const std::string two_sensors =
      sensor_one +
      "[[unit]]\nid = 2\ndescription = \"USB Fingerprint Reader\"\n"
      "[[template]]\nunit = 2\nidentity = \"current\"\nsubfactor = 0xF6\n";
  WriteFileBytes(scenario.File(L"state.toml"), "service = \"stopped\"\n" + two_sensors);
  Program program(scenario.executable, scenario.folder);
  HWND window = StartAndWait(scenario, program);
  if (window == nullptr) {
    return;
  }
  Checks& checks = scenario.checks;
  checks.Check(LogHas(window,
                      L"WinBioEnumBiometricUnits [RPC_S_SERVER_UNAVAILABLE] The Windows "
                      L"Biometric Service is not running or was restarted; try again. "
                      L"(0x800706BA)"),
               "the listing says that the service is not running", Join(LogLines(window)));
  HWND read = FindChild(window, L"Button", L"&Read Fingerprints");
  WriteFileBytes(scenario.File(L"state.toml"), two_sensors);
  PressButton(read);
  checks.Check(WaitForRows(window, program, 2), "started again, both sensors' fingers are listed");
  WriteFileBytes(scenario.File(L"state.toml"), sensor_one);
  PressButton(read);
  checks.Check(WaitForRows(window, program, 1), "a sensor removed is gone from the next listing");
  PressExit(scenario, program, window);
}

// An instance that was killed does not keep the next one from starting.
void KilledInstance(Scenario& scenario) {
  WriteFileBytes(scenario.File(L"state.toml"), kTwoSensorState);
  {
    Program first(scenario.executable, scenario.folder);
    if (StartAndWait(scenario, first) == nullptr) {
      return;
    }
    first.Kill();
    scenario.checks.Check(first.WaitForExit(kShowRoom), "the first instance is killed");
  }
  Program next(scenario.executable, scenario.folder);
  HWND window = StartAndWait(scenario, next);
  if (window == nullptr) {
    return;
  }
  scenario.checks.Check(ListRows(window, next.Id()).size() == 3, "the next instance lists");
  PressExit(scenario, next, window);
}

// The program unpacked from the release package, run in its own folder: it lists the simulated
// fingers and keeps CFG.TOML beside itself.
void Package(Scenario& scenario) {
  WriteFileBytes(scenario.File(L"state.toml"), kTwoSensorState);
  Program program(scenario.executable, scenario.folder);
  HWND window = StartAndWait(scenario, program);
  if (window == nullptr) {
    return;
  }
  const Rows rows = ListRows(window, program.Id());
  scenario.checks.Check(rows.size() == 3, "the unpacked program lists the three enrolled fingers",
                        Join(rows));
  PressExit(scenario, program, window);
  scenario.checks.Check(!ReadFileBytes(scenario.File(L"CFG.TOML")).empty(),
                        "CFG.TOML is kept beside the unpacked program");
}

}  // namespace
}  // namespace dactyra::e2e

int wmain(int argc, wchar_t** argv) {
  using namespace dactyra::e2e;
  if (argc == 2 && std::wstring(argv[1]) == L"warm-up") {
    WarmUpPrefix();
    return 0;
  }
  if (argc < 4) {
    std::printf(
        "usage: dactyra_e2e <scenario> <folder> <Dactyra.exe> [screenshot name]\n"
        "       dactyra_e2e warm-up\n");
    return 2;
  }
  const std::wstring name = argv[1];
  Scenario scenario;
  scenario.folder = argv[2];
  scenario.executable = scenario.File(L"Dactyra.exe");
  scenario.screenshot = Narrow(argc > 4 ? argv[4] : name);
  CreateDirectoryW(scenario.folder.c_str(), nullptr);
  // A program that is already in the folder (unpacked there) runs where it is.
  if (_wcsicmp(argv[3], scenario.executable.c_str()) != 0 &&
      !CopyFileW(argv[3], scenario.executable.c_str(), FALSE)) {
    std::printf("cannot copy the program\n0 passed, 1 failed\n");
    return 1;
  }
  SetEnvironmentVariableW(L"WINBIO_SIM_STATE", scenario.File(L"state.toml").c_str());
  if (name == L"no-service") {
    NoService(scenario);
  } else if (name == L"two-sensors") {
    TwoSensors(scenario);
  } else if (name == L"windows-keeps-sensor") {
    WindowsKeepsSensor(scenario);
  } else if (name == L"killed-instance") {
    KilledInstance(scenario);
  } else if (name == L"commands") {
    Commands(scenario);
  } else if (name == L"close-while-waiting") {
    CloseWhileWaiting(scenario);
  } else if (name == L"read-only-config") {
    ReadOnlyConfig(scenario);
  } else if (name == L"chinese") {
    const std::wstring program = argv[3];
    Chinese(scenario, program.substr(0, program.find_last_of(L"\\/")) + L"\\language");
  } else if (name == L"list-keys") {
    ListKeys(scenario);
  } else if (name == L"list-keys-chinese") {
    const std::wstring program = argv[3];
    ListKeysChinese(scenario, program.substr(0, program.find_last_of(L"\\/")) + L"\\language");
  } else if (name == L"bad-translation") {
    BadTranslation(scenario);
  } else if (name == L"service-life") {
    ServiceLife(scenario);
  } else if (name == L"package") {
    Package(scenario);
  } else if (name == L"sign-in-and-sensors") {
    SignInAndSensors(scenario);
  } else if (name == L"service-restarted") {
    ServiceRestarted(scenario);
  } else if (name == L"first-finger-without-hello") {
    FirstFingerWithoutHello(scenario);
  } else if (name == L"first-finger-with-hello") {
    FirstFingerWithHello(scenario);
  } else if (name == L"waits") {
    Waits(scenario);
  } else if (name == L"unusable-sensor") {
    UnusableSensor(scenario);
  } else if (name.starts_with(L"language-")) {
    const std::wstring program = argv[3];
    WindowInLanguage(scenario, program.substr(0, program.find_last_of(L"\\/")) + L"\\language",
                     name.substr(std::wstring_view(L"language-").size()));
  } else {
    std::printf("unknown scenario\n0 passed, 1 failed\n");
    return 2;
  }
  std::printf("%d passed, %d failed\n", scenario.checks.passed(), scenario.checks.failed());
  return scenario.checks.failed() == 0 ? 0 : 1;
}
