// Adding and deleting only for the account's owner, the word about his last finger, and the
// offer of the system's sign-in options when Windows keeps a sensor to itself.

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "enroll/form_enroll.h"
#include "platform/posix/opened_uris.h"
#include "platform/posix/stand_in_logon.h"
#include "platform/posix/stand_in_user.h"
#include "platform/posix/stand_in_windows.h"
#include "sim/identity.h"
#include "ui/headless/hello_responder.h"
#include "ui/headless/password_responder.h"
#include "unit/app_form/form_fixture.h"

namespace dactyra::testing {
namespace {

using Lines = std::vector<std::u16string>;
using ui::headless::PumpUntil;
using ui::headless::ScopedModalDriver;

constexpr char16_t kOtherUser[] = u"S-1-5-21-7-8-9-1002";
constexpr char16_t kMicrosoftUser[] = u"S-1-5-21-1000-2000-3000-1004";
constexpr char16_t kWorkUser[] = u"S-1-12-1-1111-2222-3333-4444";

platform::StandInAccount Account(std::u16string name, std::u16string password,
                                 const char16_t* sid) {
  return {std::move(name), std::move(password), sim::SidFromText(sid).value()};
}

// Two sensors; the user has 0xF5 on sensor 1, where another account has 0xF7.
constexpr char kTwoSensors[] =
    "[[unit]]\nid = 1\ndescription = \"Left sensor\"\n"
    "[[unit]]\nid = 2\ndescription = \"Right sensor\"\n"
    "[[template]]\nunit = 1\nidentity = \"current\"\nsubfactor = 0xF5\n"
    "[[template]]\nunit = 1\nidentity = \"S-1-5-21-7-8-9-1002\"\nsubfactor = 0xF7\n";

std::string FailRule(const char* function, const char* code) {
  return std::string("[[fail]]\nfunction = \"") + function + "\"\ncode = " + code + "\n";
}

class Owner : public FormTest {
 protected:
  // Runs the dialogs of an add: the proof by `prove`, an enrollment until it ends and then
  // closed; counts the dialogs other than the proof.
  ScopedModalDriver Drive(std::function<void(TFormOwnerCheck&)> prove = AwaitProof) {
    return ScopedModalDriver([this, prove](ui::Form& form) {
      if (auto* check = dynamic_cast<TFormOwnerCheck*>(&form)) {
        prove(*check);
        return;
      }
      ++others_;
      if (auto* enroll = dynamic_cast<TFormEnroll*>(&form)) {
        ASSERT_TRUE(PumpUntil(*enroll, [&] {
          return enroll->btnCancel.Text() == u"&Done" || enroll->btnCancel.Text() == u"&Close";
        }));
        enroll->btnCancel.Click();
        return;
      }
      form.Close();
    });
  }

  int others_ = 0;  // dialogs shown other than the proof
  // The accounts of this computer; the stand-in user's own is the local one.
  const platform::ScopedStandInAccounts accounts_{{
      Account(u"user", u"local secret", kUserSid),
      Account(u"MicrosoftAccount\\user@example.com", u"cloud secret", kMicrosoftUser),
      Account(u"AzureAD\\user", u"work secret", kWorkUser),
  }};
};

// ---- The owner's proof ------------------------------------------------------------------

// Whatever proves nothing stops the command, both add and delete, with nothing changed.
TEST_F(Owner, WithoutTheOwnersFingerNothingIsAddedOrDeleted) {
  struct Refusal {
    const char* what;
    std::string state;                             // what the service starts with
    std::function<void(sim::TouchWriter&)> touch;  // what reaches a sensor, if anything
    bool answered;                                 // the dialog shows the service's answer
    std::function<void(ui::Form&)> leave;          // how the user leaves the dialog
    std::u16string logged;
  };
  const auto esc = [](ui::Form& form) { ui::headless::PressEscape(form); };
  const std::u16string not_confirmed =
      u"The owner of this account is not confirmed, nothing is changed: ";
  const std::u16string cancelled =
      u"The owner of this account was not confirmed (cancelled), nothing is changed.";
  const Refusal refusals[] = {
      {"another user's finger", kTwoSensors,
       [](sim::TouchWriter& touches) { touches.Finger(1, 0xF7, kOtherUser); }, true, esc,
       not_confirmed +
           u"This fingerprint belongs to another user, not to the owner of this account."},
      {"a finger nobody enrolled", kTwoSensors,
       [](sim::TouchWriter& touches) { touches.Finger(2, 0xF9); }, true, esc,
       not_confirmed + u"This finger is not enrolled. Please use one of your enrolled fingers."},
      {"a failing identification", kTwoSensors + FailRule("WinBioIdentify", "0x80098036"), nullptr,
       true, esc,
       not_confirmed +
           u"Failure: [WINBIO_E_DEVICE_FAILURE] A biometric sensor has failed. (0x80098036)"},
      {"Cancel while waiting", kTwoSensors, nullptr, false, esc, cancelled},
      {"the close box while waiting", kTwoSensors, nullptr, false,
       [](ui::Form& form) { ui::headless::PressCloseBox(form); }, cancelled},
  };
  for (const Refusal& refusal : refusals) {
    for (const bool deleting : {false, true}) {
      SCOPED_TRACE(std::string(refusal.what) + (deleting ? ", delete" : ", add"));
      StartService(refusal.state);
      Open();
      others_ = 0;
      const auto driver = Drive([&](TFormOwnerCheck& check) {
        if (refusal.touch) {
          refusal.touch(touches());
        }
        ASSERT_TRUE(PumpUntil(check, [&] {
          return refusal.answered ? check.btnRetry.Enabled()
                                  : service_->service().WaitingCalls() == 1;
        }));
        refusal.leave(check);
      });
      box_answer_ = ui::ModalResult::kYes;
      form().ListView.Select(0);
      if (deleting) {
        form().btnDelete.Click();
      } else {
        form().btnAdd.Click();
      }
      EXPECT_EQ(LastLog(), refusal.logged);
      EXPECT_EQ(others_, 0) << "no sensor or enrollment dialog";
      form().btnEnum.Click();
      EXPECT_EQ(Column(3), (Lines{u"0xF5"}));
      EXPECT_TRUE(service_->service().Misuses().empty());
      CloseAndDestroy();
    }
  }
}

// Before his first finger, where Windows Hello is not offered, the owner proves himself by the
// Windows password of his account, be it local, a Microsoft or a work account.
TEST_F(Owner, TheFirstFingerIsAddedOnlyWithTheWindowsPassword) {
  using enum ui::PromptOutcome;
  const std::u16string confirmed =
      u"The owner of this account is confirmed by his Windows password.";
  const std::u16string wrong = u"The Windows password was not accepted, nothing is changed.";
  const struct {
    const char* what;
    const char16_t* running_as;  // the SID of the program's account
    ui::PromptOutcome outcome;
    std::u16string name;  // what was entered
    std::u16string password;
    std::u16string logged;  // right after the prompt
  } cases[] = {
      {"a local account", kUserSid, kEntered, u"user", u"local secret", confirmed},
      {"a Microsoft account", kMicrosoftUser, kEntered, u"MicrosoftAccount\\user@example.com",
       u"cloud secret", confirmed},
      {"a work account", kWorkUser, kEntered, u"AzureAD\\user", u"work secret", confirmed},
      {"a wrong password", kWorkUser, kEntered, u"AzureAD\\user", u"local secret", wrong},
      {"another account's password", kUserSid, kEntered, u"AzureAD\\user", u"work secret", wrong},
      {"cancel", kUserSid, kCancelled, u"", u"",
       u"The Windows password was not entered (cancelled), nothing is changed."},
      {"no prompt", kUserSid, kUnavailable, u"", u"",
       u"The Windows password cannot be checked on this system, nothing is changed."},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.what);
    const platform::ScopedStandInUser user(sim::SidFromText(test.running_as).value());
    std::filesystem::remove(CfgPath());  // the finger added before would be remembered
    StartService(std::string("samples = 2\n") + OneSensor({}));
    Open();
    others_ = 0;
    const ui::headless::ScopedPasswordResponder password(
        test.outcome, platform::PackStandInCredential(test.name, test.password));
    const auto driver = Drive([](TFormOwnerCheck& check) {
      ADD_FAILURE() << "no finger to touch with";
      check.Close();
    });
    touches().Finger(1, 0xF6);
    touches().Finger(1, 0xF6);
    touches().Finger(1, 0xF6);  // checks the new finger
    const std::size_t before = Log().size();
    form().btnAdd.Click();
    ASSERT_EQ(password.Calls().size(), 1u);
    EXPECT_EQ(password.Calls()[0].owner_caption, form().Caption());
    const Lines log = Log();
    ASSERT_GT(log.size(), before + 1);
    EXPECT_TRUE(log[before].starts_with(u"Windows Hello is not used: ")) << "why the password";
    EXPECT_EQ(log[before + 1], test.logged);
    const bool added = test.logged == confirmed;
    EXPECT_EQ(others_, added ? 1 : 0);
    EXPECT_EQ(Column(3), added ? Lines{u"0xF5"} : Lines{});
    CloseAndDestroy();
  }
}

// Before his first finger Windows Hello proves the owner; where it cannot be asked, the log says
// why and his password does. Without a Windows Hello PIN the new finger is said not to sign in.
TEST_F(Owner, WindowsHelloProvesTheOwnerBeforeHisFirstFinger) {
  const std::u16string not_confirmed =
      u"The owner of this account is not confirmed, nothing is changed: ";
  const struct {
    ui::HelloResult answer;
    std::u16string logged;  // right after the prompt
    bool password;          // the password prompt follows (and confirms him)
  } answers[] = {
      {ui::HelloFromVerificationResult(0),
       u"The owner of this account is confirmed by Windows Hello.", false},
      {ui::HelloFromVerificationResult(6),
       u"The owner of this account was not confirmed (cancelled), nothing is changed.", false},
      {ui::HelloFromVerificationResult(5),
       not_confirmed + u"Windows Hello did not confirm the user: too many attempts failed.", false},
      {ui::HelloFromVerificationResult(4),
       not_confirmed + u"Windows Hello did not confirm the user: the device is busy.", false},
      {ui::HelloFromVerificationResult(1),
       u"Windows Hello is not used: this computer has no Windows Hello device.", true},
      {ui::HelloFromVerificationResult(2),
       u"Windows Hello is not used: this account has no Windows Hello PIN.", true},
      {ui::HelloFromVerificationResult(3),
       u"Windows Hello is not used: a policy of this computer turns it off.", true},
      {ui::HelloFromVerificationResult(9),
       u"Windows Hello is not used: it gave the unknown answer 9.", true},
      {ui::HelloNotOffered(u"RoGetActivationFactory(UserConsentVerifier)", 0x80040154),
       u"Windows Hello is not used: this Windows does not offer it "
       u"(RoGetActivationFactory(UserConsentVerifier), 0x80040154).",
       true},
      {ui::HelloCallFailed(u"RequestVerificationAsync", 0x80070005),
       u"Windows Hello is not used: RequestVerificationAsync failed (0x80070005).", true},
  };
  for (const auto& [answer, logged, password_follows] : answers) {
    SCOPED_TRACE(std::string(logged.begin(), logged.end()));
    std::filesystem::remove(CfgPath());  // the finger added before would be remembered
    StartService(std::string("samples = 2\n") + OneSensor({}));
    Open();
    const ui::headless::ScopedHelloResponder hello(answer);
    const ui::headless::ScopedPasswordResponder password(
        ui::PromptOutcome::kEntered, platform::PackStandInCredential(u"user", u"local secret"));
    const auto driver = Drive();
    for (int touch = 0; touch < 3; ++touch) {
      touches().Finger(1, 0xF6);  // two captures and the check of the new finger
    }
    const std::size_t before = Log().size();
    form().btnAdd.Click();
    ASSERT_EQ(hello.Calls().size(), 1u);
    EXPECT_EQ(hello.Calls()[0].owner_caption, form().Caption());
    EXPECT_EQ(password.Calls().size(), password_follows ? 1u : 0u);
    const Lines log = Log();
    ASSERT_GT(log.size(), before);
    EXPECT_EQ(log[before], logged);
    const bool confirmed = answer.outcome == ui::HelloOutcome::kVerified || password_follows;
    EXPECT_EQ(Column(3), confirmed ? Lines{u"0xF5"} : Lines{});
    const bool pin_needed = answer.NotConfiguredForUser();
    EXPECT_EQ(std::ranges::count(log, ui::HelloPinNeededText(BuiltInTexts())), pin_needed ? 1 : 0);
    EXPECT_EQ(form().btnSignInOptions.Visible(), pin_needed);
    CloseAndDestroy();
  }
}

// "Use PIN instead" gets the waiting worker out of the service before Windows Hello is asked,
// over the owner's check; its answer is the proof's.
TEST_F(Owner, UsePinInsteadOfATouchAsksWindowsHello) {
  for (const int result : {0, 6}) {
    SCOPED_TRACE(result);
    StartService(kTwoSensors);
    Open();
    const ui::headless::ScopedHelloResponder hello(ui::HelloFromVerificationResult(result));
    const auto driver = Drive([&](TFormOwnerCheck& check) {
      ASSERT_TRUE(PumpUntil(check, [&] { return service_->service().WaitingCalls() == 1; }));
      check.btnUsePin.Click();
    });
    box_answer_ = ui::ModalResult::kYes;
    form().ListView.Select(0);
    form().btnDelete.Click();
    ASSERT_EQ(hello.Calls().size(), 1u);
    EXPECT_EQ(hello.Calls()[0].owner_caption, u"Confirm the owner");
    form().btnEnum.Click();
    EXPECT_EQ(Column(3), result == 0 ? Lines{} : Lines{u"0xF5"});
    EXPECT_TRUE(service_->service().Misuses().empty());
    CloseAndDestroy();
  }
}

// Windows 8.1 has Windows Hello for fingerprints only: no PIN proves the owner, no PIN is needed
// before a finger signs in, and its Settings have no sign-in options page to offer.
TEST_F(Owner, OnWindows81WindowsHelloIsNeverAsked) {
  const platform::ScopedStandInWindows windows81(false);
  const ui::headless::ScopedHelloResponder hello(ui::HelloFromVerificationResult(2));
  const ui::headless::ScopedPasswordResponder password(
      ui::PromptOutcome::kEntered, platform::PackStandInCredential(u"user", u"local secret"));
  StartService(std::string("samples = 2\n") + OneSensor({}));
  Open();
  std::optional<bool> use_pin_offered;
  const auto driver = Drive([&](TFormOwnerCheck& check) {
    use_pin_offered = check.btnUsePin.Visible();
    AwaitProof(check);
  });
  for (int touch = 0; touch < 3; ++touch) {
    touches().Finger(1, 0xF6);  // two captures and the check of the new finger
  }
  form().btnAdd.Click();
  ProveOwner(1, 0xF6);
  for (int touch = 0; touch < 3; ++touch) {
    touches().Finger(1, 0xF7);
  }
  form().btnAdd.Click();
  EXPECT_EQ(Column(3), (Lines{u"0xF5", u"0xF6"}));
  EXPECT_TRUE(hello.Calls().empty());
  EXPECT_EQ(hello.AvailabilityChecks(), 0);
  EXPECT_EQ(password.Calls().size(), 1u) << "the first finger's proof";
  EXPECT_EQ(use_pin_offered, false) << "the second finger's proof";
  EXPECT_EQ(
      std::ranges::count(Log(), ui::HelloResultText(ui::HelloFingerprintOnly(), BuiltInTexts())),
      1);
  EXPECT_EQ(std::ranges::count(Log(), ui::HelloPinNeededText(BuiltInTexts())), 0);
  EXPECT_FALSE(form().btnSignInOptions.Visible());
}

// ---- The last finger ---------------------------------------------------------------------

TEST_F(Owner, TheQuestionSaysWhenTheFingerIsTheLastOne) {
  const struct {
    const char* what;
    std::string state;
    std::string state_after_listing;  // when not empty: the service from then on
    bool last;
  } cases[] = {
      {"his only finger, beside another account's", kTwoSensors, "", true},
      {"another finger on the same sensor", OneSensor({0xF5, 0xF6}), "", false},
      {"another finger on another sensor",
       OneSensor({0xF5}) + "[[unit]]\nid = 2\ndescription = \"Right\"\n"
                           "[[template]]\nunit = 2\nidentity = \"current\"\nsubfactor = 0xF6\n",
       "", false},
      {"a sensor that cannot be listed", kTwoSensors,
       kTwoSensors + FailRule("WinBioEnumEnrollments", "0x80098036"), false},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.what);
    StartService(test.state);
    Open();
    if (!test.state_after_listing.empty()) {
      WriteState(test.state_after_listing);
    }
    box_answer_ = ui::ModalResult::kNo;
    form().ListView.Select(0);
    form().btnDelete.Click();
    ASSERT_FALSE(Boxes().empty());
    const std::u16string& question = Boxes().back().request.text;
    EXPECT_EQ(question.find(u"This is your last fingerprint") != std::u16string::npos, test.last);
    EXPECT_TRUE(question.starts_with(u"Confirm deletion of the following fingerprint?"));
    CloseAndDestroy();
  }
}

// ---- Sensors that Windows keeps to itself ------------------------------------------------

TEST_F(Owner, AnAccessDeniedRefusalOffersTheSignInOptions) {
  const std::string one_sensor = std::string("samples = 2\n") + OneSensor({0xF5});
  const struct {
    const char* what;
    std::string state;
    std::string state_after_listing;  // when not empty: the service from then on, and an add
    bool offered;
  } cases[] = {
      {"the sensors", one_sensor + FailRule("WinBioEnumBiometricUnits", "0x80070005"), "", true},
      {"a sensor's enrollments", one_sensor + FailRule("WinBioEnumEnrollments", "0x80070005"), "",
       true},
      {"the enrollment", one_sensor, one_sensor + FailRule("WinBioEnrollBegin", "0x80070005"),
       true},
      {"a failing sensor", one_sensor + FailRule("WinBioEnumEnrollments", "0x80098036"), "", false},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.what);
    StartService(test.state);
    Open();
    if (!test.state_after_listing.empty()) {
      EXPECT_FALSE(form().btnSignInOptions.Visible());
      WriteState(test.state_after_listing);
      const auto driver = Drive();
      ProveOwner();
      form().btnAdd.Click();
    }
    const Lines log = Log();
    const bool told = std::find(log.begin(), log.end(),
                                u"Windows manages the fingerprints of this sensor itself: change "
                                u"them in Settings \u203A Accounts \u203A Sign-in options "
                                u"(button \"Open Sign-in options\").") != log.end();
    EXPECT_EQ(told, test.offered);
    EXPECT_EQ(form().btnSignInOptions.Visible(), test.offered);
    if (test.offered) {
      form().btnSignInOptions.Click();
      EXPECT_EQ(platform::TakeOpenedUris(), (Lines{u"ms-settings:signinoptions"}));
    }
    CloseAndDestroy();
  }
}

}  // namespace
}  // namespace dactyra::testing
