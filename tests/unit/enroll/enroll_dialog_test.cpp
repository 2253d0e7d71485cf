// The enrollment dialog shown modally on the headless widgets, its worker on the simulated
// service, driven by touches as a user would.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "enroll/form_enroll.h"
#include "support/in_process_winbio.h"
#include "support/posted_event.h"
#include "ui/headless/driver.h"

namespace dactyra {
namespace {

using testing::InProcessWinBio;
using ui::ModalResult;
using ui::headless::PumpUntil;
using ui::headless::ScopedModalDriver;

constexpr char kTwoSensors[] = R"(samples = 3
[[unit]]
id = 1
description = "Left sensor"
[[unit]]
id = 2
description = "Right sensor"
)";

using Event = testing::PostedEvent;

// A dialog filled as the add command fills it, which records each event it handles (the value
// of "done" as 0) and the progress it then shows.
class Dialog {
 public:
  Dialog(InProcessWinBio& winbio, WINBIO_UNIT_ID unit, WINBIO_BIOMETRIC_SUBTYPE finger = 0xF6)
      : form(std::make_unique<TFormEnroll>(
            nullptr, texts_, TServiceContext{winbio.lib, winbio.session, winbio.me},
            TEnrollRequest{
                .SubFactor = finger, .UnitId = unit, .Description = u"fingerprint #2"})) {
    form->SetMessageHandler(WM_ENROLL_STATUS, [this](std::uintptr_t code, std::intptr_t value) {
      events.push_back({code, code == enroll_event::kDone ? 0 : value});
      form->WMEnrollStatus(code, value);
      progress.push_back(form->ProgressBar.Position());
      shown.push_back({form->lblStatus.Text(), form->lblStatus.GetColor(), form->lblCount.Text()});
    });
  }

  bool Saw(std::uintptr_t code) const {
    return std::any_of(events.begin(), events.end(),
                       [code](const Event& e) { return e.code == code; });
  }
  // Delivers the worker's events until one with `code` has been handled.
  bool PumpUntilEvent(std::uintptr_t code) {
    return PumpUntil(*form, [this, code] { return Saw(code); });
  }

 private:
  BuiltInTexts texts_;

 public:
  std::unique_ptr<TFormEnroll> form;
  std::vector<Event> events;
  std::vector<int> progress;  // after each event
  struct Shown {
    std::u16string status;
    std::optional<ui::Color> color;
    std::u16string count;
  };
  std::vector<Shown> shown;  // after each event
};

TEST(EnrollDialog, PresetSensorEnrollsWithoutLocating) {
  InProcessWinBio winbio(kTwoSensors);
  Dialog dialog(winbio, 2);
  TFormEnroll& form = *dialog.form;
  const ScopedModalDriver driver([&](ui::Form&) {
    ASSERT_TRUE(dialog.PumpUntilEvent(enroll_event::kWaiting));
    EXPECT_EQ(form.shapeIcon.Fill(), ui::Color(0xFFA500));
    for (int i = 0; i < 3; ++i) {
      winbio.touches.Finger(2, 0xF6);
    }
    ASSERT_TRUE(dialog.PumpUntilEvent(enroll_event::kDone));
    EXPECT_TRUE(form.btnCancel.Enabled());
    ui::headless::PressEscape(form);  // Esc, like the Done button
  });
  EXPECT_EQ(form.ShowModal(), ModalResult::kOk);
  const std::vector<Event> expected{{2, 2}, {3, 0}, {4, 1}, {3, 1}, {4, 2},
                                    {3, 2}, {4, 3}, {6, 0}, {7, 0}};
  EXPECT_EQ(dialog.events, expected);
  EXPECT_EQ(dialog.progress, (std::vector<int>{0, 0, 13, 13, 24, 24, 34, 95, 100}));
  ASSERT_TRUE(form.Outcome().Committed);
  EXPECT_EQ(form.Outcome().Committed->UnitId, 2u);
  EXPECT_EQ(form.Outcome().Committed->SubFactor, 0xF6);
  EXPECT_TRUE(form.Outcome().Committed->IsNew);
  EXPECT_EQ(form.lblInstruction.Text(), u"fingerprint #2");
  EXPECT_TRUE(winbio.Enrolled(2, 0xF6));
  EXPECT_TRUE(InProcessWinBio::WaitForModuleReferences(1)) << "the worker has ended";
}

TEST(EnrollDialog, WithoutPresetTheTouchFindsTheSensor) {
  InProcessWinBio winbio(kTwoSensors);
  Dialog dialog(winbio, 0);
  TFormEnroll& form = *dialog.form;
  const ScopedModalDriver driver([&](ui::Form&) {
    ASSERT_TRUE(dialog.PumpUntilEvent(enroll_event::kLocating));
    EXPECT_EQ(form.lblStatus.Text(),
              u"Please swipe your finger on the sensor to locate the device...");
    EXPECT_EQ(form.lblStatus.GetColor(), ui::Color(0x000080));
    winbio.touches.Finger(1, 0xF6);
    ASSERT_TRUE(dialog.PumpUntilEvent(enroll_event::kSensorKnown));
    for (int i = 0; i < 3; ++i) {
      winbio.touches.Finger(1, 0xF6);
    }
    ASSERT_TRUE(dialog.PumpUntilEvent(enroll_event::kDone));
    form.btnCancel.Click();
  });
  EXPECT_EQ(form.ShowModal(), ModalResult::kOk);
  ASSERT_GE(dialog.events.size(), 2u);
  EXPECT_EQ(dialog.events[0], (Event{1, 0}));
  EXPECT_EQ(dialog.events[1], (Event{2, 1}));
  EXPECT_EQ(dialog.shown[1].status,
            u"Sensor ready (Device ID: 1), please start data acquisition...");
  EXPECT_EQ(form.Outcome().Committed->UnitId, 1u);
}

TEST(EnrollDialog, BadCapturesShowAHintAndKeepTheCount) {
  InProcessWinBio winbio(kTwoSensors);
  Dialog dialog(winbio, 1);
  TFormEnroll& form = *dialog.form;
  winbio.touches.Finger(1, 0xF6);
  winbio.touches.Bad(1, 8);
  const ScopedModalDriver driver([&](ui::Form&) {
    ASSERT_TRUE(dialog.PumpUntilEvent(enroll_event::kBadCapture));
    winbio.touches.Bad(1, 0);
    for (int i = 0; i < 2; ++i) {
      winbio.touches.Finger(1, 0xF6);
    }
    ASSERT_TRUE(dialog.PumpUntilEvent(enroll_event::kDone));
    winbio.touches.Finger(1, 0xF6);  // checks the new finger
    ASSERT_TRUE(PumpUntil(form, [&] { return form.btnCancel.Text() == u"&Done"; }));
    form.btnCancel.Click();
  });
  EXPECT_EQ(form.ShowModal(), ModalResult::kOk);
  const std::vector<Event> expected{{2, 1}, {3, 0}, {4, 1}, {3, 1}, {5, 8}, {3, 1}, {5, 0},
                                    {3, 1}, {4, 2}, {3, 2}, {4, 3}, {6, 0}, {7, 0}};
  EXPECT_EQ(dialog.events, expected);
  const Dialog::Shown& hint = dialog.shown[4];
  EXPECT_EQ(hint.count, u"Poor collection quality, please try again...");
  EXPECT_EQ(hint.status, u"Hint: Finger tilted: place it flat and straight on the sensor.");
  EXPECT_EQ(hint.color, ui::Color(0xFF8000));
  EXPECT_EQ(dialog.shown[6].status, u"Hint: Poor data acquisition quality (reason unknown)");
  EXPECT_EQ(dialog.progress[4], 13) << "unchanged by a bad sample";
  EXPECT_EQ(form.lblCount.Text(),
            u"A total of 3 fingerprints were collected. Device ID: 1, Fingerprint ID: 0xF6");
}

TEST(EnrollDialog, TwentySamplesWhenTheServiceAsksForThem) {
  InProcessWinBio winbio(R"(samples = 20
[[unit]]
id = 1
description = "Demanding sensor"
)");
  Dialog dialog(winbio, 1, 0xFE);
  TFormEnroll& form = *dialog.form;
  for (int i = 0; i < 20; ++i) {
    winbio.touches.Finger(1, 0xFE);
  }
  const ScopedModalDriver driver([&](ui::Form&) {
    ASSERT_TRUE(dialog.PumpUntilEvent(enroll_event::kDone));
    winbio.touches.Finger(1, 0xFE);  // checks the new finger
    ASSERT_TRUE(PumpUntil(form, [&] { return form.btnCancel.Text() == u"&Done"; }));
    form.btnCancel.Click();
  });
  EXPECT_EQ(form.ShowModal(), ModalResult::kOk);
  ASSERT_GE(dialog.progress.size(), 3u);
  EXPECT_EQ(dialog.progress[dialog.progress.size() - 3], 86) << "after the 20th sample";
  EXPECT_EQ(form.lblCount.Text(),
            u"A total of 20 fingerprints were collected. Device ID: 1, Fingerprint ID: 0xFE");
}

TEST(EnrollDialog, FailedCommitEndsWithCloseAndCancel) {
  InProcessWinBio winbio(R"(samples = 1
[[unit]]
id = 1
description = "Sensor"
[[fail]]
function = "WinBioEnrollCommit"
code = 0x80098018
)");
  Dialog dialog(winbio, 1);
  TFormEnroll& form = *dialog.form;
  winbio.touches.Finger(1, 0xF6);
  const ScopedModalDriver driver([&](ui::Form&) {
    ASSERT_TRUE(dialog.PumpUntilEvent(enroll_event::kFailed));
    EXPECT_EQ(form.btnCancel.Text(), u"&Close");
    EXPECT_EQ(form.shapeIcon.Fill(), ui::Color(0xCC0000));
    EXPECT_EQ(form.ProgressBar.Position(), 95) << "unchanged since the commit began";
    form.btnCancel.Click();
  });
  EXPECT_EQ(form.ShowModal(), ModalResult::kCancel);
  // What the caller logs.
  EXPECT_EQ(form.lblStatus.Text(),
            u"Fail: [WINBIO_E_DATABASE_FULL] The storage adapter was not able to add a record to "
            u"the database because the database is full. (0x80098018)");
  EXPECT_FALSE(winbio.Enrolled(1, 0xF6));
  EXPECT_EQ(winbio.lib.EnrollBegin(winbio.session, 0xF7, 1), S_OK) << "the refused one went";
}

// Another finger committed into a slot the user has replaces its template.
TEST(EnrollDialog, CommitUpdatesAnExistingTemplate) {
  InProcessWinBio winbio(R"(samples = 1
[[unit]]
id = 1
description = "Sensor"
[[template]]
unit = 1
identity = "current"
subfactor = 0xF6
)");
  Dialog dialog(winbio, 1);
  TFormEnroll& form = *dialog.form;
  winbio.touches.Finger(1, 0xF8);
  const ScopedModalDriver driver([&](ui::Form&) {
    ASSERT_TRUE(dialog.PumpUntilEvent(enroll_event::kDone));
    form.btnCancel.Click();
  });
  EXPECT_EQ(form.ShowModal(), ModalResult::kOk);
  EXPECT_FALSE(form.Outcome().Committed->IsNew);
  EXPECT_EQ(form.lblStatus.Text(),
            u"Fingerprint registration successful! (Existing fingerprints updated)");
}

// Cancel while the service waits for a sample: the dialog has the service release the worker,
// which discards the transaction; nothing is left waiting for a touch.
TEST(EnrollDialog, CancelDuringAPendingCapture) {
  InProcessWinBio winbio(kTwoSensors);
  {
    Dialog dialog(winbio, 1);
    TFormEnroll& form = *dialog.form;
    const ScopedModalDriver driver([&](ui::Form&) {
      ASSERT_TRUE(dialog.PumpUntilEvent(enroll_event::kWaiting));
      ui::headless::PressEscape(form);
    });
    EXPECT_EQ(form.ShowModal(), ModalResult::kCancel);
    EXPECT_FALSE(form.btnCancel.Enabled());
    EXPECT_EQ(form.btnCancel.Text(), u"Canceling...");
    EXPECT_TRUE(form.SessionIdle());
    EXPECT_EQ(InProcessWinBio::ModuleReferences(), 1) << "the worker has ended";
  }
  EXPECT_EQ(winbio.service().WaitingCalls(), 0u);
  EXPECT_EQ(winbio.lib.EnrollBegin(winbio.session, 0xF7, 1), S_OK) << "the enrollment went";
  EXPECT_FALSE(winbio.Enrolled(1, 0xF6));
  EXPECT_TRUE(winbio.service().Misuses().empty());
}

// Once the commit has begun, neither Cancel, Esc nor the close box can end the dialog; after
// the commit the close box, like Done, gives OK: the caller stores the finger.
TEST(EnrollDialog, ACommitIsNeverReportedAsCancelled) {
  InProcessWinBio winbio(kTwoSensors);
  Dialog dialog(winbio, 1);
  TFormEnroll& form = *dialog.form;
  for (int i = 0; i < 3; ++i) {
    winbio.touches.Finger(1, 0xF6);
  }
  const ScopedModalDriver driver([&](ui::Form&) {
    ASSERT_TRUE(dialog.PumpUntilEvent(enroll_event::kCommitting));
    EXPECT_FALSE(form.btnCancel.Enabled());
    ui::headless::PressEscape(form);
    form.btnCancel.Click();
    ui::headless::PressCloseBox(form);
    EXPECT_EQ(form.GetModalResult(), ModalResult::kNone) << "still open while saving";
    ASSERT_TRUE(dialog.PumpUntilEvent(enroll_event::kDone));
    ui::headless::PressCloseBox(form);
  });
  EXPECT_EQ(form.ShowModal(), ModalResult::kOk);
  EXPECT_EQ(form.Outcome().Committed->SubFactor, 0xF6);
  EXPECT_TRUE(winbio.Enrolled(1, 0xF6));
}

// Destroying the dialog while its worker waits (the close box, then the caller's release) gets
// the worker out of the service at once, without a touch.
TEST(EnrollDialog, DestructionStopsAWaitingWorker) {
  InProcessWinBio winbio(kTwoSensors);
  {
    Dialog dialog(winbio, 0);
    const ScopedModalDriver driver([&](ui::Form& form) {
      ASSERT_TRUE(dialog.PumpUntilEvent(enroll_event::kLocating));
      ui::headless::PressCloseBox(form);
    });
    EXPECT_EQ(dialog.form->ShowModal(), ModalResult::kCancel);
  }
  EXPECT_EQ(InProcessWinBio::ModuleReferences(), 1) << "the worker has ended";
  EXPECT_EQ(winbio.lib.EnrollBegin(winbio.session, 0xF7, 1), S_OK) << "nothing was begun";
  EXPECT_TRUE(winbio.service().Misuses().empty());
}

}  // namespace
}  // namespace dactyra
