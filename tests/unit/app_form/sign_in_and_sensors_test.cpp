// Why sign-in works or not at every listing, "Sensors and sign-in", a list that follows the
// hardware, and sessions that the service lost.

#include <algorithm>
#include <functional>
#include <string>

#include "app/sensors_dialog.h"
#include "platform/posix/stand_in_device_change.h"
#include "platform/posix/stand_in_service.h"
#include "unit/app_form/form_fixture.h"
#include "verify/form_verify.h"

namespace dactyra::testing {
namespace {

using platform::SensorChange;
using ui::headless::ElapseTimer;
using ui::headless::ScopedModalDriver;

class SignInAndSensors : public FormTest {
 protected:
  void Deliver(SensorChange change) {
    const platform::StandInMessage message = platform::StandInSensorMessage(change);
    form().SystemMessage(message.message, message.wparam, message.lparam);
  }
  long Count(std::u16string_view line) const { return std::ranges::count(Log(), line); }
  // Verifies the first row by a touch of its finger after `first` ran in the dialog (which may
  // close it): the dialog's last result line.
  std::u16string VerifyByTouch(const std::function<void(TFormVerify&)>& first = {}) {
    std::u16string result;
    const ScopedModalDriver driver([&](ui::Form& form) {
      auto& dialog = dynamic_cast<TFormVerify&>(form);
      if (first) {
        first(dialog);
      }
      if (dialog.GetModalResult() == ui::ModalResult::kNone) {
        touches().Finger(1, 0xF5);
        ui::headless::PumpUntil(dialog, [&] { return dialog.btnRetry.Enabled(); });
        result = dialog.lblResult.Text();
        dialog.btnClose.Click();
      }
    });
    form().ListView.Select(0);
    form().btnVerify.Click();
    return result;
  }
};

constexpr char16_t kMatch[] = u"Verification successful!";

// The sign-in state is read once the sensors were enumerated: a service that Windows starts on
// demand shows as stopped until then, and is no problem as long as its calls work.
TEST_F(SignInAndSensors, TheListingSaysWhySignInDoesNotWorkOnceTheSensorsAreKnown) {
  struct Case {
    std::string state;
    platform::ServiceRunState service;
    bool told;  // a log line after the sensors' and the status line
    bool offered;
  };
  using enum platform::ServiceRunState;
  const Case cases[] = {
      {"", kRunning, false, false},
      {"biometrics = false\nbiometrics_source = \"policy\"\n", kRunning, true, false},
      {"sign_in = false\nsign_in_source = \"local\"\n", kRunning, true, true},
      {"", kStopped, false, false},
      {"service = \"stopped\"\n", kStopped, true, false},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.state);
    const platform::ScopedStandInService service({.run_state = test.service, .disabled = false});
    StartService(test.state + OneSensor({0xF5}));
    Open();
    const std::vector<std::u16string> log = Log();
    const auto sensors = std::ranges::find_if(log, [](const std::u16string& line) {
      return line.starts_with(u"WinBioEnumBiometricUnits") || line.ends_with(u"were found.");
    });
    ASSERT_LT(sensors + 1, log.end());
    EXPECT_EQ(
        sensors[1].starts_with(u"Fingerprints recorded") || sensors[1].starts_with(u"  >> Device"),
        !test.told);
    EXPECT_EQ(!form().lblSignInStatus.Text().empty(), test.told);
    EXPECT_EQ(form().btnSignInOptions.Visible(), test.offered);
    CloseAndDestroy();
  }
}

TEST_F(SignInAndSensors, CtrlIShowsTheFactsAndCopyPutsThemOnTheClipboard) {
  StartService(OneSensor({0xF5}) + "[[unit]]\nid = 2\ndescription = \"USB\"\nmodel = \"FS-9\"\n");
  Open();
  const ui::headless::ScopedClipboard clipboard([](const std::u16string&) { return true; });
  std::u16string shown;
  const ScopedModalDriver driver([&](ui::Form& form) {
    auto& dialog = dynamic_cast<TFormSensorsAndSignIn&>(form);
    for (const std::u16string& line : dialog.memoFacts.Lines()) {
      shown += line + u"\r\n";
    }
    dialog.btnCopy.Click();
    ui::headless::PressEscape(dialog);
  });
  EXPECT_TRUE(ui::headless::PressKey(form(), ui::Key::kCtrlI));
  EXPECT_NE(shown.find(u"FS-9"), std::u16string::npos);
  ASSERT_EQ(clipboard.Calls().size(), 1u);
  EXPECT_EQ(clipboard.Calls()[0].request, shown);
}

TEST_F(SignInAndSensors, ASensorArrivingWhileADialogIsOpenIsListedOnceAfterItCloses) {
  StartService(OneSensor({0xF5}));
  Open();
  constexpr char16_t kConnected[] = u"A fingerprint sensor was connected.";
  VerifyByTouch([&](TFormVerify&) {
    WriteState(OneSensor({0xF5}) + "[[unit]]\nid = 2\ndescription = \"USB\"\n");
    Deliver(SensorChange::kReaderArrived);
    Deliver(SensorChange::kReaderArrived);
    ElapseTimer(form());
    EXPECT_EQ(Count(kConnected), 0);
  });
  EXPECT_EQ(Count(kConnected), 1);
  EXPECT_EQ(Count(u"2 fingerprint collection devices were found."), 1);
}

// The service restarted behind the window's back; the verification fails until the session is
// replaced: by Retry, by the next verification, or by the listing after the computer woke up.
TEST_F(SignInAndSensors, ALostSessionIsReplacedByRetryTheNextVerificationOrTheResume) {
  enum class TWay { kRetry, kNextVerification, kResume };
  for (const TWay way : {TWay::kRetry, TWay::kNextVerification, TWay::kResume}) {
    SCOPED_TRACE(static_cast<int>(way));
    StartService(OneSensor({0xF5}));
    Open();
    WriteState("service = \"stopped\"\n" + OneSensor({0xF5}));
    std::u16string result;
    if (way == TWay::kResume) {  // another program's call saw the service stopped
      TWinBioLib other;
      WINBIO_SESSION_HANDLE session = 0;
      ASSERT_TRUE(other.Load() && Failed(OpenFingerprintSession(other, session)));
      WriteState(OneSensor({0xF5}));
      Deliver(SensorChange::kResumed);
      ElapseTimer(form());
      EXPECT_EQ(Count(u"The fingerprints are read again after sleep."), 1);
    } else {
      result = VerifyByTouch([&](TFormVerify& dialog) {
        ASSERT_TRUE(ui::headless::PumpUntil(dialog, [&] { return dialog.btnRetry.Enabled(); }));
        WriteState(OneSensor({0xF5}));
        (way == TWay::kRetry ? dialog.btnRetry : dialog.btnClose).Click();
      });
    }
    if (way != TWay::kRetry) {
      result = VerifyByTouch();
    }
    EXPECT_TRUE(result.starts_with(kMatch)) << result.size();
    CloseAndDestroy();
  }
}

}  // namespace
}  // namespace dactyra::testing
