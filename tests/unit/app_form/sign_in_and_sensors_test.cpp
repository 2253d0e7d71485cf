// Why sign-in works or not at every listing, "Sensors and sign-in", a list that follows the
// hardware, and sessions that the service lost.

#include <algorithm>
#include <string>

#include "app/sensors_dialog.h"
#include "platform/posix/stand_in_device_change.h"
#include "platform/posix/stand_in_service.h"
#include "unit/app_form/form_fixture.h"
#include "verify/form_verify.h"

namespace dactyra::testing {
namespace {

using Lines = std::vector<std::u16string>;
using platform::SensorChange;
using ui::headless::ElapseTimer;
using ui::headless::PumpUntil;
using ui::headless::ScopedModalDriver;

class SignInAndSensors : public FormTest {
 protected:
  void Deliver(SensorChange change) {
    const platform::StandInMessage message = platform::StandInSensorMessage(change);
    form().SystemMessage(message.message, message.wparam, message.lparam);
  }
  long Count(std::u16string_view line) const {  // how often the log has the line
    const Lines log = Log();
    return std::ranges::count(log, std::u16string(line));
  }
  // Verifies the selected row with a touch of its finger: the dialog's result line, after
  // `before_touch` ran in the open dialog.
  std::u16string VerifyByTouch(const std::function<void(TFormVerify&)>& before_touch = {}) {
    std::u16string result;
    const ScopedModalDriver driver([&](ui::Form& dialog) {
      auto& verify = dynamic_cast<TFormVerify&>(dialog);
      if (before_touch) {
        before_touch(verify);
      }
      if (verify.GetModalResult() != ui::ModalResult::kNone) {
        return;  // closed by `before_touch`
      }
      touches().Finger(1, 0xF5);
      PumpUntil(verify, [&] { return verify.lblResult.Text().starts_with(u"Verification"); });
      result = verify.lblResult.Text();
      verify.btnClose.Click();
    });
    form().ListView.Select(0);
    form().btnVerify.Click();
    return result;
  }
  // Waits in the open dialog for the answer to a touch that cannot come.
  static void AwaitFailure(TFormVerify& dialog) {
    ASSERT_TRUE(PumpUntil(dialog, [&] { return dialog.btnRetry.Enabled(); }));
  }
};

constexpr char16_t kListed[] = u"2 fingerprint collection devices were found.";

TEST_F(SignInAndSensors, TheListingSaysWhySignInDoesNotWorkBeforeTheSensors) {
  struct Case {
    const char* settings;
    platform::ServiceRunState service;
    std::u16string log_line;  // empty: no line before the sensors
    std::u16string status;
    bool button;
  };
  const Case cases[] = {
      {"", platform::ServiceRunState::kRunning, u"", u"", false},
      {"biometrics = false\nbiometrics_source = \"policy\"\n", platform::ServiceRunState::kRunning,
       u"Your organisation's policy turns biometrics off on this computer: fingerprints cannot "
       u"be used. Only your administrator can change this.",
       u"Biometrics are turned off by your organisation.", false},
      {"sign_in = false\nsign_in_source = \"local\"\n", platform::ServiceRunState::kRunning,
       u"This computer's settings do not let users sign in with a fingerprint: your fingerprints "
       u"are kept, but Windows does not offer them at sign-in.",
       u"Fingerprint sign-in is turned off on this computer.", true},
      {"", platform::ServiceRunState::kStopped,
       u"The Windows Biometric Service is not running: no fingerprint can be read or used to sign "
       u"in until it is started again.",
       u"The Windows Biometric Service is not running.", false},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.settings);
    const platform::ScopedStandInService service({.run_state = test.service, .disabled = false});
    StartService(std::string(test.settings) + OneSensor({0xF5}) +
                 "[[unit]]\nid = 2\ndescription = \"USB\"\n");
    Open();
    const Lines log = Log();
    const auto listed = std::ranges::find(log, std::u16string(kListed));
    ASSERT_NE(listed, log.end());
    EXPECT_EQ(listed[-2], test.log_line.empty() ? u"User: user" : test.log_line);
    EXPECT_EQ(form().lblSignInStatus.Text(), test.status);
    EXPECT_EQ(form().btnSignInOptions.Visible(), test.button);
    CloseAndDestroy();
  }
}

TEST_F(SignInAndSensors, CtrlIShowsTheFactsAndCopyPutsThemOnTheClipboard) {
  StartService(OneSensor({0xF5}) +
               "[[unit]]\nid = 2\ndescription = \"USB Reader\"\nmanufacturer = \"Dactyra Labs\"\n");
  Open();
  ui::headless::ScopedClipboard clipboard([](const std::u16string&) { return true; });
  std::u16string shown;
  const ScopedModalDriver driver([&](ui::Form& dialog) {
    auto& facts = dynamic_cast<TFormSensorsAndSignIn&>(dialog);
    for (const std::u16string& line : facts.memoFacts.Lines()) {
      shown += (shown.empty() ? u"" : u"\r\n") + line;
    }
    facts.btnCopy.Click();
    ui::headless::PressEscape(facts);
  });
  EXPECT_TRUE(ui::headless::PressKey(form(), ui::Key::kCtrlI));
  EXPECT_NE(shown.find(u"USB Reader"), std::u16string::npos) << shown.size();
  EXPECT_NE(shown.find(u"Dactyra Labs"), std::u16string::npos);
  ASSERT_EQ(clipboard.Calls().size(), 1u);
  // The same text; the dialog shows no empty line after the last.
  EXPECT_EQ(clipboard.Calls()[0].request.substr(0, shown.size()), shown);
}

TEST_F(SignInAndSensors, ASensorArrivingWhileADialogIsOpenIsListedOnceAfterItCloses) {
  StartService(OneSensor({0xF5}));
  Open();
  const std::u16string connected = u"A fingerprint sensor was connected.";
  VerifyByTouch([&](TFormVerify&) {
    WriteState(OneSensor({0xF5}) + "[[unit]]\nid = 2\ndescription = \"USB\"\n");
    Deliver(SensorChange::kReaderArrived);
    Deliver(SensorChange::kReaderArrived);
    ElapseTimer(form());
    EXPECT_EQ(Count(connected), 0);
  });
  EXPECT_EQ(Count(connected), 1);
  EXPECT_EQ(Count(kListed), 1);

  // Idle, a removal lists at once when the events have settled.
  WriteState(OneSensor({0xF5}));
  Deliver(SensorChange::kReaderRemoved);
  EXPECT_TRUE(form().TimerStarted());
  ElapseTimer(form());
  EXPECT_EQ(Count(u"A fingerprint sensor was removed."), 1);
  EXPECT_EQ(form().SensorCount(), 1u);
}

TEST_F(SignInAndSensors, AfterResumeTheListingOpensASessionThatWorks) {
  StartService(OneSensor({0xF5}));
  Open();
  // The service restarts while the computer sleeps: the window's session is gone.
  WriteState("service = \"stopped\"\n" + OneSensor({0xF5}));
  Deliver(SensorChange::kResumed);
  ElapseTimer(form());
  WriteState(OneSensor({0xF5}));
  Deliver(SensorChange::kResumed);
  ElapseTimer(form());
  EXPECT_EQ(Count(u"The fingerprints are read again after sleep."), 2);
  EXPECT_TRUE(VerifyByTouch().starts_with(u"Verification successful!"));
}

TEST_F(SignInAndSensors, ALostSessionIsReplacedByRetryOrTheNextVerification) {
  for (const bool retry : {true, false}) {
    SCOPED_TRACE(retry);
    StartService(OneSensor({0xF5}));
    Open();
    const std::u16string gone =
        u"The Windows Biometric Service is not running or was restarted; try again.";
    // The service stops under the waiting verification, and is back before the Retry.
    std::u16string failure;
    std::u16string result = VerifyByTouch([&](TFormVerify& dialog) {
      WriteState("service = \"stopped\"\n" + OneSensor({0xF5}));
      AwaitFailure(dialog);
      failure = dialog.lblResult.Text();
      WriteState(OneSensor({0xF5}));
      if (retry) {
        dialog.btnRetry.Click();
      } else {
        dialog.btnClose.Click();
      }
    });
    EXPECT_NE(failure.find(gone), std::u16string::npos) << failure.size();
    if (!retry) {
      result = VerifyByTouch();
    }
    EXPECT_TRUE(result.starts_with(u"Verification successful!")) << result.size();
    CloseAndDestroy();
  }
}

}  // namespace
}  // namespace dactyra::testing
