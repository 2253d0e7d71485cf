// Windows Hello verification as Wine runs it: activation through combase, the interop interface
// or the statics, and the wait for the asynchronous operations, against the stand-in class that
// tests/suites/hello-wine registers (WithStandIn) or leaves out (WithoutStandIn).

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>

#include "ui/form.h"
#include "ui/hello_verification.h"
#include "ui/win32/native.h"

namespace dactyra::ui {
namespace {

// The stand-in's state and request log, in a folder of the test's own (a request cancelled by
// one test is recorded there after it ended).
class WithStandIn : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    folder_ = std::wstring(temp) + L"dactyra-hello-test\\";
    CreateDirectoryW(folder_.c_str(), nullptr);
    folder_ += std::wstring(test.begin(), test.end()) + L"\\";
    CreateDirectoryW(folder_.c_str(), nullptr);
    DeleteFileW((folder_ + L"hello-sim-requests.log").c_str());
    SetEnvironmentVariableW(L"HELLO_SIM_STATE", (folder_ + L"hello-sim.toml").c_str());
  }

  void WriteState(const std::string& toml) const {
    std::ofstream((folder_ + L"hello-sim.toml").c_str(), std::ios::binary | std::ios::trunc)
        << toml;
  }

  std::string RequestLog() const {
    std::ifstream log((folder_ + L"hello-sim-requests.log").c_str(), std::ios::binary);
    std::stringstream text;
    text << log.rdbuf();
    return text.str();
  }

  Form owner_{{.caption = u"Owner", .client_width = 200, .client_height = 100}};

 private:
  std::wstring folder_;
};

struct Answer {
  const char* state;
  HelloOutcome outcome;
  HelloReason reason;
};

// Each answer the stand-in can give, through the Windows 11 path (the interop interface with
// the owner window) and the Windows 10 one (the statics).
TEST_F(WithStandIn, EachAnswerGivesItsOutcomeOnBothPaths) {
  const Answer answers[] = {
      {"result = 'Verified'", HelloOutcome::kVerified, HelloReason::kVerified},
      {"result = 'DeviceNotPresent'", HelloOutcome::kUnavailable, HelloReason::kDeviceNotPresent},
      {"result = 'NotConfiguredForUser'", HelloOutcome::kUnavailable,
       HelloReason::kNotConfiguredForUser},
      {"result = 'DisabledByPolicy'", HelloOutcome::kUnavailable, HelloReason::kDisabledByPolicy},
      {"result = 'DeviceBusy'", HelloOutcome::kNotConfirmed, HelloReason::kDeviceBusy},
      {"result = 'RetriesExhausted'", HelloOutcome::kNotConfirmed, HelloReason::kRetriesExhausted},
      {"result = 'Canceled'", HelloOutcome::kCancelled, HelloReason::kCanceled},
      {"result = 9", HelloOutcome::kUnavailable, HelloReason::kUnknownAnswer},
      {"availability = 'DeviceNotPresent'", HelloOutcome::kUnavailable,
       HelloReason::kDeviceNotPresent},
      {"availability = 'NotConfiguredForUser'", HelloOutcome::kUnavailable,
       HelloReason::kNotConfiguredForUser},
      {"availability = 'DisabledByPolicy'", HelloOutcome::kUnavailable,
       HelloReason::kDisabledByPolicy},
      {"availability = 'DeviceBusy'", HelloOutcome::kNotConfirmed, HelloReason::kDeviceBusy},
      {"error = 0x80070005", HelloOutcome::kUnavailable, HelloReason::kCallFailed},
  };
  for (const bool interop : {true, false}) {
    for (const Answer& answer : answers) {
      SCOPED_TRACE(std::string(answer.state) + (interop ? " (interop)" : " (statics)"));
      WriteState(std::string(answer.state) +
                 "\ndelay = 20\ninterop = " + (interop ? "true" : "false") + "\n");
      const HelloResult result = VerifyWithWindowsHello(&owner_, u"Confirm");
      EXPECT_EQ(result.outcome, answer.outcome);
      EXPECT_EQ(result.reason, answer.reason);
      EXPECT_EQ(result.NotConfiguredForUser(), answer.reason == HelloReason::kNotConfiguredForUser);
    }
  }
}

TEST_F(WithStandIn, AFailedOperationNamesItsCallAndCode) {
  WriteState("error = 0x80070005\n");
  const HelloResult result = VerifyWithWindowsHello(&owner_, u"Confirm");
  EXPECT_EQ(result.call, u"CheckAvailabilityAsync");
  EXPECT_EQ(result.code, 0x80070005u);
}

// The prompt is asked for the owner window, which is disabled while it is open and enabled
// again after; posted messages keep arriving meanwhile.
TEST_F(WithStandIn, ThePromptBelongsToTheOwnerWhoWaitsDisabled) {
  WriteState("delay = 300\n");
  bool delivered = false;
  owner_.SetMessageHandler(kUserMessage + 1,
                           [&](std::uintptr_t, std::intptr_t) { delivered = true; });
  ASSERT_TRUE(owner_.Target().Post(kUserMessage + 1, 0, 0));

  EXPECT_EQ(VerifyWithWindowsHello(&owner_, u"Prove it").outcome, HelloOutcome::kVerified);

  EXPECT_TRUE(delivered);
  EXPECT_TRUE(IsWindowEnabled(win32::WindowOf(owner_)));
  const std::string window =
      std::to_string(reinterpret_cast<std::uintptr_t>(win32::WindowOf(owner_)));
  EXPECT_EQ(RequestLog(), "interop window=" + window + " disabled=1 message=Prove it\n");
}

TEST_F(WithStandIn, WithoutTheInteropInterfaceTheStaticsAsk) {
  WriteState("interop = false\n");
  EXPECT_EQ(VerifyWithWindowsHello(&owner_, u"Prove it").outcome, HelloOutcome::kVerified);
  const std::string log = RequestLog();
  EXPECT_TRUE(log.starts_with("statics ") && log.ends_with(" message=Prove it\n")) << log;
}

// A prompt that does not come to the front within a few seconds is told to the caller, who
// says where it waits (and here ends the wait).
TEST_F(WithStandIn, APromptOutOfSightIsTold) {
  WriteState("interop = false\nprompt = false\nverification_delay = 60000\n");
  bool told = false;
  const HelloResult result = VerifyWithWindowsHello(&owner_, u"Prove it", [&] {
    told = true;
    owner_.EndWaits();
  });
  EXPECT_TRUE(told);
  EXPECT_EQ(result.outcome, HelloOutcome::kCancelled);
}

// A quit, or the end of the owner's waits (its window closed), ends the request at once as a
// cancel, not when Windows would answer; the quit stays for the outer loop.
TEST_F(WithStandIn, AQuitOrEndedWaitsCancelTheRequest) {
  for (const bool quit : {true, false}) {
    SCOPED_TRACE(quit ? "quit" : "waits ended");
    Form owner({.caption = u"Owner", .client_width = 200, .client_height = 100});
    owner.OnTimer = [&] {
      if (quit) {
        PostQuitMessage(0);
      } else {
        owner.EndWaits();
      }
    };
    WriteState("delay = 20\nverification_delay = 600000\ninterop = false\n");
    owner.StartTimer(std::chrono::milliseconds(500));
    EXPECT_EQ(VerifyWithWindowsHello(&owner, u"Prove it"), HelloFromVerificationResult(6));
    EXPECT_TRUE(IsWindowEnabled(win32::WindowOf(owner)));
    MSG message;
    EXPECT_EQ(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE, quit);
  }
}

// The availability check leaves its owner usable, and ends as a cancel with the owner's waits.
TEST_F(WithStandIn, TheAvailabilityCheckEndsWithTheOwnersWaits) {
  WriteState("delay = 600000\n");
  bool usable_meanwhile = false;
  owner_.OnTimer = [&] {
    usable_meanwhile = IsWindowEnabled(win32::WindowOf(owner_)) != FALSE;
    owner_.EndWaits();
  };
  owner_.StartTimer(std::chrono::milliseconds(300));
  EXPECT_EQ(WindowsHelloUnavailable(&owner_), HelloFromVerificationResult(6));
  EXPECT_TRUE(usable_meanwhile);
}

TEST_F(WithStandIn, AvailabilityIsQueriedWithoutAPrompt) {
  WriteState("availability = 'NotConfiguredForUser'\n");
  const std::optional<HelloResult> missing_pin = WindowsHelloUnavailable(nullptr);
  ASSERT_TRUE(missing_pin.has_value());
  EXPECT_TRUE(missing_pin->NotConfiguredForUser());
  WriteState("availability = 'Available'\n");
  EXPECT_FALSE(WindowsHelloUnavailable(nullptr).has_value());
  EXPECT_EQ(RequestLog(), "");
}

// Without the class (Windows 8.1, Wine as it comes) Windows Hello is not offered: the program
// falls back to the password.
TEST(WithoutStandIn, WindowsHelloIsNotOffered) {
  Form owner({.caption = u"Owner", .client_width = 200, .client_height = 100});
  const HelloResult result = VerifyWithWindowsHello(&owner, u"Confirm");
  EXPECT_EQ(result.outcome, HelloOutcome::kUnavailable);
  EXPECT_EQ(result.reason, HelloReason::kNotOffered);
  EXPECT_EQ(WindowsHelloUnavailable(nullptr), result);
  EXPECT_TRUE(IsWindowEnabled(win32::WindowOf(owner)));
}

}  // namespace
}  // namespace dactyra::ui
