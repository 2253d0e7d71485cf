// The enrollment dialog's reaction to each worker event, delivered straight to its handler.

#include <gtest/gtest.h>

#include <memory>

#include "enroll/form_enroll.h"
#include "support/map_text_source.h"

namespace dactyra {
namespace {

using testing::MapTextSource;

constexpr ui::Color kNavy{0x000080};
constexpr ui::Color kGreen{0x008000};
constexpr ui::Color kOrange{0xFF8000};
constexpr ui::Color kRed{0xFF0000};

void Post(TFormEnroll& form, std::uintptr_t event, std::intptr_t value) {
  form.Dispatch(WM_ENROLL_STATUS, event, value);
}

// What the worker does at the end of a commit: the result into the slot, then "done".
void PostDone(TFormEnroll& form, WINBIO_UNIT_ID unit, WINBIO_BIOMETRIC_SUBTYPE sub_factor,
              bool is_new) {
  form.ResultSlot()->Put({unit, sub_factor, is_new});
  Post(form, enroll_event::kDone, 0);
}

TEST(EnrollProgress, RisesTowardNinetyWithoutReachingIt) {
  const int expected[] = {13, 24, 34, 43, 50, 56, 61, 65, 69, 72};
  for (int n = 1; n <= 10; ++n) {
    EXPECT_EQ(EnrollProgress(n), expected[n - 1]) << n;
  }
  EXPECT_EQ(EnrollProgress(0), 0);
  EXPECT_EQ(EnrollProgress(20), 86);
  EXPECT_EQ(EnrollProgress(1000), 89);
}

TEST(EnrollEvents, CreatedDialogWaitsInGrey) {
  const BuiltInTexts texts;
  TFormEnroll form(nullptr, texts, {}, {});
  EXPECT_EQ(form.Caption(), u"Add a fingerprint");
  EXPECT_EQ(form.ClientSize(), (ui::Size{380, 286}));
  EXPECT_EQ(form.lblStatus.Text(), u"Please waiting...");
  EXPECT_EQ(form.btnCancel.Text(), u"&Cancel");
  EXPECT_TRUE(form.btnCancel.IsCancel());
  EXPECT_EQ(form.shapeIcon.Fill(), ui::Color(0xC0C0C0));
  EXPECT_EQ(form.shapeIcon.Outline(), ui::Color(0x808080));
  EXPECT_EQ(form.shapeIcon.OutlineWidth(), 2);
  EXPECT_EQ(form.ProgressBar.Position(), 0);
  EXPECT_EQ(form.lblInstruction.Bounds(), (ui::Rect{243, 19, 121, 27}));
  EXPECT_EQ(form.btnCancel.Bounds(), (ui::Rect{140, 246, 100, 32}));
}

TEST(EnrollEvents, StepsOfASuccessfulEnrollment) {
  const BuiltInTexts texts;
  TFormEnroll form(nullptr, texts, {}, {});

  Post(form, enroll_event::kLocating, 0);
  EXPECT_EQ(form.lblStatus.Text(),
            u"Please swipe your finger on the sensor to locate the device...");
  EXPECT_EQ(form.lblStatus.GetColor(), kNavy);
  EXPECT_EQ(form.shapeIcon.Fill(), ui::Color(0xFFA500));

  Post(form, enroll_event::kSensorKnown, 3);
  EXPECT_EQ(form.lblStatus.Text(),
            u"Sensor ready (Device ID: 3), please start data acquisition...");

  Post(form, enroll_event::kWaiting, 0);
  EXPECT_EQ(form.lblStatus.Text(), u"Please place your finger on the sensor...");
  EXPECT_EQ(form.lblStatus.GetColor(), kNavy);

  Post(form, enroll_event::kGoodCapture, 2);
  EXPECT_EQ(form.ProgressBar.Position(), 24);
  EXPECT_EQ(form.lblCount.Text(),
            u"2 times have been collected. Please lift your finger and place it on again...");
  EXPECT_EQ(form.lblStatus.Text(), u"The collection was successful this time!");
  EXPECT_EQ(form.lblStatus.GetColor(), kGreen);

  // A rejected sample: hint in orange, count and progress stay.
  Post(form, enroll_event::kBadCapture, 0x41);
  EXPECT_EQ(form.lblCount.Text(), u"Poor collection quality, please try again...");
  EXPECT_EQ(form.lblStatus.Text(), u"Hint: Capture failed (Detail=0x00000041)");
  EXPECT_EQ(form.lblStatus.GetColor(), kOrange);
  EXPECT_EQ(form.ProgressBar.Position(), 24);
  Post(form, enroll_event::kBadCapture, 5);
  EXPECT_EQ(form.lblStatus.Text(), u"Hint: Finger moved too fast");

  Post(form, enroll_event::kGoodCapture, 8);
  Post(form, enroll_event::kCommitting, 0);
  EXPECT_EQ(form.ProgressBar.Position(), 95);
  EXPECT_EQ(form.lblStatus.Text(), u"Saving fingerprint data...");

  PostDone(form, 1, 0xF5, true);
  ASSERT_TRUE(form.Outcome().Committed);
  EXPECT_EQ(form.Outcome().Committed->UnitId, 1u);
  EXPECT_EQ(form.Outcome().Committed->SubFactor, 0xF5);
  EXPECT_TRUE(form.Outcome().Committed->IsNew);
  EXPECT_EQ(form.ProgressBar.Position(), 100);
  EXPECT_EQ(form.shapeIcon.Fill(), ui::Color(0x00BB00));
  EXPECT_EQ(form.lblStatus.Text(), u"Fingerprint registration successful! (New fingerprint)");
  EXPECT_EQ(form.lblStatus.GetColor(), kGreen);
  EXPECT_EQ(form.lblCount.Text(),
            u"A total of 8 fingerprints were collected. Device ID: 1, Fingerprint ID: 0xF5");
  EXPECT_EQ(form.btnCancel.Text(), u"&Done");
  EXPECT_EQ(form.btnCancel.GetModalResult(), ui::ModalResult::kOk);
}

TEST(EnrollEvents, UpdatedTemplateAndLargeUnitIds) {
  const BuiltInTexts texts;
  TFormEnroll form(nullptr, texts, {}, {});
  // A unit id with its top bit set travels sign-extended and comes back whole.
  Post(form, enroll_event::kSensorKnown, static_cast<std::int32_t>(0x80000001u));
  EXPECT_EQ(form.lblStatus.Text(),
            u"Sensor ready (Device ID: 2147483649), please start data acquisition...");
  Post(form, enroll_event::kGoodCapture, 1);
  PostDone(form, 7, 0xFE, false);
  EXPECT_FALSE(form.Outcome().Committed->IsNew);
  EXPECT_EQ(form.lblStatus.Text(),
            u"Fingerprint registration successful! (Existing fingerprints updated)");
  EXPECT_EQ(form.lblCount.Text(),
            u"A total of 1 fingerprints were collected. Device ID: 7, Fingerprint ID: 0xFE");
}

TEST(EnrollEvents, FailureTurnsRedWithTheCodesLine) {
  const BuiltInTexts texts;
  TFormEnroll form(nullptr, texts, {}, {});
  Post(form, enroll_event::kGoodCapture, 3);
  Post(form, enroll_event::kFailed, WINBIO_E_DUPLICATE_ENROLLMENT);
  EXPECT_EQ(form.lblStatus.Text(),
            u"Fail: [WINBIO_E_DUPLICATE_ENROLLMENT] The specified identity and sub-factor are "
            u"already enrolled in the database. (0x8009801C)");
  EXPECT_EQ(form.lblStatus.GetColor(), kRed);
  EXPECT_EQ(form.shapeIcon.Fill(), ui::Color(0xCC0000));
  EXPECT_EQ(form.lblCount.Text(), u"");
  EXPECT_EQ(form.ProgressBar.Position(), 34);  // unchanged
  EXPECT_EQ(form.btnCancel.Text(), u"&Close");
  EXPECT_TRUE(form.btnCancel.Enabled());
  EXPECT_EQ(form.btnCancel.GetModalResult(), ui::ModalResult::kNone);
}

TEST(EnrollEvents, TranslatedTextsAndUnknownEvents) {
  MapTextSource texts;
  texts.Set(u"add", u"title", u"Fingerabdruck hinzufügen");
  texts.Set(u"add", u"label.status.3", u"Sensor %d bereit");
  texts.Set(u"add", u"button.cancel.3", u"&Fertig");
  TFormEnroll done(nullptr, texts, {}, {});
  EXPECT_EQ(done.Caption(), u"Fingerabdruck hinzufügen");
  Post(done, enroll_event::kSensorKnown, 4);
  EXPECT_EQ(done.lblStatus.Text(), u"Sensor 4 bereit");
  PostDone(done, 4, 0xF6, true);
  EXPECT_EQ(done.btnCancel.Text(), u"&Fertig");

  // A translation written when one key served both cases gives the failed state its text too;
  // the failure's own key comes first.
  TFormEnroll failed(nullptr, texts, {}, {});
  Post(failed, enroll_event::kFailed, WINBIO_E_CANCELED);
  EXPECT_EQ(failed.btnCancel.Text(), u"&Fertig");
  texts.Set(u"add", u"button.close", u"&Schließen");
  Post(failed, enroll_event::kFailed, WINBIO_E_CANCELED);
  EXPECT_EQ(failed.btnCancel.Text(), u"&Schließen");

  const std::u16string status = failed.lblStatus.Text();
  Post(failed, 0, 0);
  Post(failed, 10, 0);
  EXPECT_EQ(failed.lblStatus.Text(), status);
}

// Any process may post to the dialog's window: a "done" that no worker sent, whatever its
// second parameter, finds no result and changes nothing.
TEST(EnrollEvents, ADoneFromElsewhereIsIgnored) {
  const BuiltInTexts texts;
  TFormEnroll form(nullptr, texts, {}, {});
  for (const std::intptr_t garbage : {std::intptr_t{0}, std::intptr_t{0x1234}, std::intptr_t{-1}}) {
    Post(form, enroll_event::kDone, garbage);
  }
  EXPECT_EQ(form.btnCancel.Text(), u"&Cancel");
  EXPECT_EQ(form.btnCancel.GetModalResult(), ui::ModalResult::kNone);
  EXPECT_FALSE(form.Outcome().Committed);
  PostDone(form, 3, 0xF7, true);
  Post(form, enroll_event::kDone, 0x1234);
  EXPECT_EQ(form.Outcome().Committed->UnitId, 3u) << "the one result is taken once";
}

}  // namespace
}  // namespace dactyra
