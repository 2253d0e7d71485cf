// The verification dialog, and the owner's check that shares its worker, shown modally on the
// headless widgets, their workers on the simulated service, driven by touches as a user would.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "support/in_process_winbio.h"
#include "support/posted_event.h"
#include "ui/headless/driver.h"
#include "verify/form_owner_check.h"
#include "verify/form_verify.h"

namespace dactyra {
namespace {

using testing::InProcessWinBio;
using ui::headless::PumpUntil;
using ui::headless::ScopedModalDriver;

// Two sensors; the signed-in user has 0xF5 and 0xF6 on unit 1 and 0xF5 on unit 2, another
// account 0xF7 on unit 1.
constexpr char kEnrolled[] = R"(
[[unit]]
id = 1
description = "Left sensor"
[[unit]]
id = 2
description = "Right sensor"
[[template]]
unit = 1
identity = "current"
subfactor = 0xF5
[[template]]
unit = 1
identity = "current"
subfactor = 0xF6
[[template]]
unit = 2
identity = "current"
subfactor = 0xF5
[[template]]
unit = 1
identity = "S-1-5-21-1-2-3-1001"
subfactor = 0xF7
)";
constexpr char16_t kOtherUser[] = u"S-1-5-21-1-2-3-1001";

using Event = testing::PostedEvent;

// A dialog filled as the verify command fills it for the record (unit 1, 0xF5), which records
// each event it handles and the result line it then shows.
class Dialog {
 public:
  explicit Dialog(InProcessWinBio& winbio)
      : form(std::make_unique<TFormVerify>(
            nullptr, texts_, TServiceContext{winbio.lib, winbio.session, winbio.me},
            TFingerRecord{1, u"Left sensor", 0xF5, u"fingerprint #1", u"right index"})) {
    form->SetMessageHandler(WM_VERIFY_STATUS, [this](std::uintptr_t code, std::intptr_t value) {
      events.push_back({code, value});
      form->WMIdentifyStatus(code, value);
      results.push_back(form->lblResult.Text());
    });
  }

  std::size_t Count(std::uintptr_t code) const {
    return std::count_if(events.begin(), events.end(),
                         [code](const Event& e) { return e.code == code; });
  }
  // Delivers the worker's events until `count` of them have `code`.
  bool PumpUntilEvent(std::uintptr_t code, std::size_t count = 1) {
    return PumpUntil(*form, [this, code, count] { return Count(code) >= count; });
  }

 private:
  BuiltInTexts texts_;

 public:
  std::unique_ptr<TFormVerify> form;
  std::vector<Event> events;
  std::vector<std::u16string> results;  // the result line after each event
};

// Shows the dialog, touches once, and gives what the worker posted once the touch is answered.
std::vector<Event> VerifyOneTouch(InProcessWinBio& winbio, WINBIO_UNIT_ID unit,
                                  WINBIO_BIOMETRIC_SUBTYPE finger,
                                  std::u16string_view identity = u"current") {
  Dialog dialog(winbio);
  const ScopedModalDriver driver([&](ui::Form& form) {
    winbio.touches.Finger(unit, finger, identity);
    EXPECT_TRUE(PumpUntil(form, [&] { return dialog.form->btnRetry.Enabled(); }));
    ui::headless::PressEscape(form);
  });
  dialog.form->ShowModal();
  EXPECT_TRUE(InProcessWinBio::WaitForModuleReferences(1)) << "the worker has ended";
  return dialog.events;
}

TEST(VerifyDialog, OutcomeClassesOfOneTouch) {
  InProcessWinBio winbio(kEnrolled);
  using V = TVerifyOutcome;
  const auto outcome = [](V v) { return Event{2, static_cast<std::intptr_t>(v)}; };
  EXPECT_EQ(VerifyOneTouch(winbio, 1, 0xF5), (std::vector<Event>{{1, 0}, outcome(V::kMatch)}));
  EXPECT_EQ(VerifyOneTouch(winbio, 1, 0xF7, kOtherUser),
            (std::vector<Event>{{1, 0}, outcome(V::kOtherUser)}));
  EXPECT_EQ(VerifyOneTouch(winbio, 1, 0xF6),
            (std::vector<Event>{{1, 0}, outcome(V::kOtherFinger)}));
  // Another sensor, also with the record's own finger.
  EXPECT_EQ(VerifyOneTouch(winbio, 2, 0xF5),
            (std::vector<Event>{{1, 0}, outcome(V::kOtherSensor)}));
  // A finger nobody enrolled is a failure of the service, not another user.
  EXPECT_EQ(VerifyOneTouch(winbio, 2, 0xF9),
            (std::vector<Event>{{1, 0}, {4, WINBIO_E_UNKNOWN_ID}}));
}

TEST(VerifyDialog, MatchShowsSuccessAndTheCallerReadsTheEditedDescription) {
  InProcessWinBio winbio(kEnrolled);
  Dialog dialog(winbio);
  TFormVerify& form = *dialog.form;
  const ScopedModalDriver driver([&](ui::Form&) {
    ASSERT_TRUE(dialog.PumpUntilEvent(verify_event::kWaiting));
    EXPECT_EQ(form.lblStatus.Text(), u"Please swipe your finger on the fingerprint sensor...");
    EXPECT_FALSE(form.btnRetry.Enabled());
    winbio.touches.Finger(1, 0xF5);
    ASSERT_TRUE(dialog.PumpUntilEvent(verify_event::kIdentified));
    EXPECT_EQ(form.shapeIcon.Fill(), ui::Color(0x00BB00));
    EXPECT_EQ(form.lblStatus.Text(), u"Verification results");
    EXPECT_EQ(form.lblResult.GetColor(), ui::Color(0x008000));
    EXPECT_TRUE(form.btnRetry.Enabled());
    EXPECT_TRUE(form.btnRetry.Focused());
    form.lblTitle.SetText(u"right index, old sensor");
    form.btnClose.Click();
  });
  form.ShowModal();
  EXPECT_EQ(form.lblTitle.Text(), u"right index, old sensor");
}

TEST(VerifyDialog, BadCapturesReplaceTheHintWhileWaiting) {
  InProcessWinBio winbio(kEnrolled);
  Dialog dialog(winbio);
  TFormVerify& form = *dialog.form;
  winbio.touches.Bad(1, 5);
  winbio.touches.Bad(2, 7);
  winbio.touches.Bad(1, 0x41);
  const ScopedModalDriver driver([&](ui::Form&) {
    ASSERT_TRUE(dialog.PumpUntilEvent(verify_event::kBadCapture, 3));
    EXPECT_FALSE(form.btnRetry.Enabled());
    EXPECT_EQ(form.lblStatus.Text(),
              u"Poor fingerprint quality, please scan your fingerprint again.");
    EXPECT_EQ(form.shapeIcon.Fill(), ui::Color(0xFF8000));
    winbio.touches.Finger(1, 0xF5);
    ASSERT_TRUE(dialog.PumpUntilEvent(verify_event::kIdentified));
    form.btnClose.Click();
  });
  form.ShowModal();
  EXPECT_EQ(dialog.events, (std::vector<Event>{{1, 0}, {3, 5}, {3, 7}, {3, 0x41}, {2, 0}}));
  EXPECT_EQ(dialog.results[1], u"Finger moved too fast");
  EXPECT_EQ(dialog.results[2], u"Poor image quality, please clean the sensor or your finger.");
  EXPECT_EQ(dialog.results[3], u"Capture failed (Detail=0x00000041)");
}

TEST(VerifyDialog, RetryResetsAndStartsANewWorker) {
  InProcessWinBio winbio(kEnrolled);
  Dialog dialog(winbio);
  TFormVerify& form = *dialog.form;
  const ScopedModalDriver driver([&](ui::Form&) {
    winbio.touches.Finger(1, 0xF7, kOtherUser);
    ASSERT_TRUE(dialog.PumpUntilEvent(verify_event::kIdentified));
    EXPECT_EQ(form.lblResult.GetColor(), ui::Color(0xFF0000));
    ASSERT_TRUE(InProcessWinBio::WaitForModuleReferences(1));

    form.btnRetry.Click();
    EXPECT_EQ(form.lblStatus.Text(), u"Please swipe your finger on the fingerprint sensor...");
    EXPECT_EQ(form.lblResult.Text(), u"");
    EXPECT_EQ(form.lblResult.GetColor(), std::nullopt) << "the window-text colour";
    EXPECT_FALSE(form.btnRetry.Enabled());
    EXPECT_EQ(form.shapeIcon.Fill(), ui::Color(0xFFA500));
    EXPECT_EQ(InProcessWinBio::ModuleReferences(), 2) << "a new worker";

    winbio.touches.Finger(1, 0xF5);
    ASSERT_TRUE(dialog.PumpUntilEvent(verify_event::kIdentified, 2));
    form.btnClose.Click();
  });
  form.ShowModal();
  EXPECT_EQ(dialog.events, (std::vector<Event>{{1, 0}, {2, 1}, {1, 0}, {2, 0}}));
}

// Closing while the worker waits returns at once: the service releases the worker, which
// shows and posts nothing, and no call is left to take the next touch.
TEST(VerifyDialog, CloseWhileWaitingShowsNothingLater) {
  InProcessWinBio winbio(kEnrolled);
  Dialog dialog(winbio);
  TFormVerify& form = *dialog.form;
  const ScopedModalDriver driver([&](ui::Form&) {
    ASSERT_TRUE(dialog.PumpUntilEvent(verify_event::kWaiting));
    ui::headless::PressEscape(form);
  });
  form.ShowModal();
  EXPECT_TRUE(form.SessionIdle());
  EXPECT_EQ(InProcessWinBio::ModuleReferences(), 1) << "the worker has ended";
  EXPECT_EQ(winbio.service().WaitingCalls(), 0u);
  EXPECT_EQ(ui::headless::DeliverPostedMessages(form), 0);
  EXPECT_EQ(form.lblStatus.Text(), u"Please swipe your finger on the fingerprint sensor...");
  EXPECT_EQ(dialog.events.size(), 1u);
  EXPECT_TRUE(winbio.service().Misuses().empty());
}

// The close box skips btnCloseClick; releasing the dialog must still stop its worker.
TEST(VerifyDialog, CloseBoxAndReleaseStopTheWorker) {
  InProcessWinBio winbio(kEnrolled);
  {
    Dialog dialog(winbio);
    const ScopedModalDriver driver([&](ui::Form& form) {
      ASSERT_TRUE(dialog.PumpUntilEvent(verify_event::kWaiting));
      ui::headless::PressCloseBox(form);
    });
    dialog.form->ShowModal();
  }
  EXPECT_EQ(InProcessWinBio::ModuleReferences(), 1) << "the worker has ended";
  EXPECT_EQ(winbio.service().WaitingCalls(), 0u);
}

// ---- The owner's check: the same worker, ended by any finger of the user -------------------

class OwnerCheck {
 public:
  explicit OwnerCheck(InProcessWinBio& winbio)
      : form(nullptr, texts_, {winbio.lib, winbio.session, winbio.me}) {}

 private:
  BuiltInTexts texts_;

 public:
  TFormOwnerCheck form;
};

TEST(OwnerCheckDialog, AnyFingerOfTheUserOnAnySensorConfirmsHim) {
  InProcessWinBio winbio(kEnrolled);
  const struct {
    WINBIO_UNIT_ID unit;
    WINBIO_BIOMETRIC_SUBTYPE finger;
  } touches[] = {{1, 0xF5}, {1, 0xF6}, {2, 0xF5}};
  for (const auto& [unit, finger] : touches) {
    SCOPED_TRACE(unit * 0x100 + finger);
    OwnerCheck check(winbio);
    const ScopedModalDriver driver([&](ui::Form& form) {
      winbio.touches.Finger(unit, finger);
      EXPECT_TRUE(PumpUntil(form, [&] { return form.GetModalResult() != ui::ModalResult::kNone; }));
    });
    EXPECT_EQ(check.form.ShowModal(), ui::ModalResult::kOk);
    EXPECT_EQ(check.form.ResultError(), S_OK);
  }
}

// Another account's finger and a poor capture prove nothing; Retry waits for the next touch,
// and the owner's finger then ends the dialog.
TEST(OwnerCheckDialog, RetryAfterAnotherUsersFingerWaitsForTheOwner) {
  InProcessWinBio winbio(kEnrolled);
  OwnerCheck check(winbio);
  TFormOwnerCheck& form = check.form;
  const ScopedModalDriver driver([&](ui::Form&) {
    winbio.touches.Finger(1, 0xF7, kOtherUser);
    ASSERT_TRUE(PumpUntil(form, [&] { return form.btnRetry.Enabled(); }));
    EXPECT_EQ(form.GetModalResult(), ui::ModalResult::kNone);
    EXPECT_TRUE(form.btnRetry.Focused());
    const std::u16string refusal = form.lblResult.Text();
    EXPECT_FALSE(refusal.empty());

    form.btnRetry.Click();
    EXPECT_FALSE(form.btnRetry.Enabled());
    EXPECT_TRUE(form.lblResult.Text().empty());
    winbio.touches.Bad(2, 4);
    ASSERT_TRUE(PumpUntil(form, [&] { return !form.lblResult.Text().empty(); }));
    EXPECT_NE(form.lblResult.Text(), refusal) << "a hint, not a refusal";
    EXPECT_FALSE(form.btnRetry.Enabled()) << "still waiting";
    winbio.touches.Finger(2, 0xF5);
    EXPECT_TRUE(PumpUntil(form, [&] { return form.GetModalResult() != ui::ModalResult::kNone; }));
  });
  EXPECT_EQ(form.ShowModal(), ui::ModalResult::kOk);
  EXPECT_TRUE(winbio.service().Misuses().empty());
}

}  // namespace
}  // namespace dactyra
