#include "hello.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "remote_window.h"
#include "steps.h"

namespace dactyra::e2e {
namespace {

// Two sensors on which the user has no finger yet.
constexpr char kNoFingerState[] =
    "samples = 2\n[[unit]]\nid = 1\ndescription = \"Integrated Fingerprint Sensor\"\n"
    "[[unit]]\nid = 2\ndescription = \"USB Fingerprint Reader\"\n";

// The stand-in's state for the program: what Windows Hello answers, whether the factory offers
// the Windows 11 interop interface, and `more` of its keys.
void SetHello(Scenario& scenario, const char* result, bool interop, const std::string& more = {}) {
  WriteFileBytes(scenario.File(L"hello-sim.toml"),
                 std::string("result = \"") + result +
                     "\"\ninterop = " + (interop ? "true" : "false") + "\n" + more);
}

std::string HelloRequests(const Scenario& scenario) {
  return ReadFileBytes(scenario.File(L"hello-sim-requests.log"));
}

// When the prompt of the statics' request first was the foreground window, in milliseconds after
// it was shown, as the request log says; none when it never was.
std::optional<long> PromptInFrontAfter(const std::string& requests) {
  constexpr std::string_view kField = "statics foreground=";
  if (!requests.starts_with(kField)) {
    return std::nullopt;
  }
  const char* number = requests.c_str() + kField.size();
  char* end = nullptr;
  const long milliseconds = std::strtol(number, &end, 10);
  return end != number ? std::optional<long>(milliseconds) : std::nullopt;
}

// Add, proven by Windows Hello answering `result`: true when the sensor dialog followed (it is
// then cancelled).
bool AddWithHello(Scenario& scenario, const Program& program, HWND window,
                  const std::string& shot) {
  PressButton(FindChild(window, L"Button", L"&Add Fingerprint"));
  HWND chooser = WaitForDialog(program, window);
  if (chooser == nullptr || WindowText(chooser) != L"Select Fingerprint sensor") {
    return false;
  }
  RequestScreenshot(scenario.folder, chooser, scenario.screenshot + shot);
  PressButton(FindChild(chooser, L"Button", L"&Cancel"));
  WaitGone(chooser);
  return true;
}

}  // namespace

void FirstFingerWithoutHello(Scenario& scenario) {
  WriteFileBytes(scenario.File(L"state.toml"), kNoFingerState);
  Program program(scenario.executable, scenario.folder);
  HWND window = StartAndWait(scenario, program);
  if (window == nullptr) {
    return;
  }
  Checks& checks = scenario.checks;
  PressButton(FindChild(window, L"Button", L"&Add Fingerprint"));
  // The system's password prompt, where Wine shows one, is closed; the log's last line then
  // says how the password ended.
  const auto password_ended = [&] {
    for (HWND prompt : TopLevelWindows(program.Id(), L"#32770")) {
      RequestScreenshot(scenario.folder, prompt, scenario.screenshot + "-password");
      PostMessageW(prompt, WM_CLOSE, 0, 0);
    }
    const std::vector<std::wstring> log = LogLines(window);
    return !log.empty() && log.back().starts_with(L"The Windows password");
  };
  checks.Check(WaitFor(password_ended, kShowRoom), "the password proves the owner as before",
               Join(LogLines(window)));
  checks.Check(std::ranges::any_of(LogLines(window),
                                   [](const std::wstring& line) {
                                     return line.starts_with(
                                         L"Windows Hello is not used: this Windows does not "
                                         L"offer it");
                                   }),
               "the log says that Windows Hello is not offered", Join(LogLines(window)));
  RequestScreenshot(scenario.folder, window, scenario.screenshot);
  PressExit(scenario, program, window);
}

void FirstFingerWithHello(Scenario& scenario) {
  WriteFileBytes(scenario.File(L"state.toml"), kNoFingerState);
  SetEnvironmentVariableW(L"HELLO_SIM_STATE", scenario.File(L"hello-sim.toml").c_str());
  SetHello(scenario, "Verified", true);
  Program program(scenario.executable, scenario.folder);
  HWND window = StartAndWait(scenario, program);
  if (window == nullptr) {
    return;
  }
  Checks& checks = scenario.checks;
  checks.Check(AddWithHello(scenario, program, window, "-1-windows-11"),
               "Windows 11: Windows Hello proves the owner and the sensor dialog follows",
               Join(LogLines(window)));
  checks.Check(LogHas(window, L"The owner of this account is confirmed by Windows Hello."),
               "the log says that Windows Hello confirmed the owner", Join(LogLines(window)));
  checks.Check(HelloRequests(scenario).starts_with("interop window="),
               "the prompt was asked for the program's window",
               Widen(HelloRequests(scenario).c_str()));

  // Windows 10's prompt is a window of another process that opens behind: the program gives it
  // the foreground while the user takes his time.
  SetHello(scenario, "Verified", false, "verification_delay = 4000\n");
  DeleteFileW(scenario.File(L"hello-sim-requests.log").c_str());
  checks.Check(AddWithHello(scenario, program, window, "-2-windows-10"),
               "Windows 10: Windows Hello proves the owner and the sensor dialog follows",
               Join(LogLines(window)));
  const std::optional<long> in_front = PromptInFrontAfter(HelloRequests(scenario));
  checks.Check(in_front.has_value() && *in_front <= 2000,
               "Windows 10: the statics asked the prompt, which was in front within 2 s",
               Widen(HelloRequests(scenario).c_str()));

  SetHello(scenario, "Canceled", true);
  PressButton(FindChild(window, L"Button", L"&Add Fingerprint"));
  checks.Check(WaitForLog(window,
                          L"The owner of this account was not confirmed (cancelled), "
                          L"nothing is changed."),
               "cancelled, the log says that nothing is changed", Join(LogLines(window)));
  checks.Check(TopLevelWindows(program.Id(), L"DactyraWindow").size() == 1,
               "no sensor dialog follows");
  checks.Check(ListRows(window, program.Id()).empty(), "nothing is enrolled");
  RequestScreenshot(scenario.folder, window, scenario.screenshot + "-3-cancelled");
  PressExit(scenario, program, window);
}

void UnusableSensor(Scenario& scenario) {
  WriteFileBytes(scenario.File(L"state.toml"),
                 "samples = 2\n[[unit]]\nid = 1\ndescription = \"Secure Fingerprint Sensor\"\n"
                 "unusable = true\n"
                 "[[template]]\nunit = 1\nidentity = \"current\"\nsubfactor = 0xF5\n");
  Program program(scenario.executable, scenario.folder);
  HWND window = StartAndWait(scenario, program);
  if (window == nullptr) {
    return;
  }
  Checks& checks = scenario.checks;
  const Rows before = ListRows(window, program.Id());
  PressButton(FindChild(window, L"Button", L"&Add Fingerprint"));
  HWND check = WaitForDialog(program, window);
  if (!checks.Check(check != nullptr, "the owner is asked to touch a sensor")) {
    return;
  }
  Sleep(500);                // the worker is in the service by now
  Touch(scenario, 1, 0xF5);  // enrolled by Windows: it still works
  WaitGone(check);
  // The only sensor needs no choice.
  HWND enroll = WaitForDialog(program, window);
  if (!checks.Check(enroll != nullptr, "the enrollment dialog opens")) {
    return;
  }
  Sleep(300);
  for (int i = 0; i < 2; ++i) {
    Touch(scenario, 1, 0xF6);
  }
  checks.Check(WaitForText(enroll, L"Touch the sensor once more"), "the commit is checked",
               StaticTexts(enroll));
  Touch(scenario, 1, 0xF6);
  checks.Check(WaitForText(enroll, L"Windows stored the fingerprint but does not recognise it"),
               "the check says that Windows does not recognise the new finger",
               StaticTexts(enroll));
  RequestScreenshot(scenario.folder, enroll, scenario.screenshot + "-1-not-recognised");
  PressButton(FindChild(enroll, L"Button", L"&Remove it"));
  checks.Check(WaitGone(enroll), "Remove it closes the dialog");
  checks.Check(WaitForLog(window,
                          L"The new fingerprint is removed again: Windows stored it but does not "
                          L"recognise it, so it would not sign you in on this sensor. Nothing is "
                          L"added."),
               "the log says why nothing is added", Join(LogLines(window)));
  PressButton(FindChild(window, L"Button", L"&Read Fingerprints"));
  Sleep(500);
  checks.Check(ListRows(window, program.Id()) == before, "the list is as before",
               Join(ListRows(window, program.Id())));
  RequestScreenshot(scenario.folder, window, scenario.screenshot + "-2-removed");
  PressExit(scenario, program, window);
}

}  // namespace dactyra::e2e
