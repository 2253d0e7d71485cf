// The verification dialog's reaction to each worker event, delivered straight to its handler,
// and the classification of an identified finger.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/map_text_source.h"
#include "verify/form_verify.h"

namespace dactyra {
namespace {

using testing::MapTextSource;

void Post(TFormVerify& form, std::uintptr_t event, std::intptr_t value) {
  form.Dispatch(WM_VERIFY_STATUS, event, value);
}

TWinBioIdentity Identity(std::uint8_t last_sub_authority) {
  TWinBioIdentity identity{};
  const std::uint8_t sid[] = {1, 2, 0, 0, 0, 0, 0, 5, 32, 0, 0, 0, last_sub_authority, 2, 0, 0};
  identity.IdentityType = WINBIO_ID_TYPE_SID;
  identity.SidSize = sizeof sid;
  std::copy(std::begin(sid), std::end(sid), identity.SidData.begin());
  return identity;
}

TEST(ClassifyIdentified, UserThenSensorThenFinger) {
  TVerifyThreadParam param;
  param.CurrentIdent = Identity(0x20);
  param.SelUnitId = 2;
  param.SelSubFactor = 0xF6;

  param.FoundIdent = Identity(0x20);
  param.FoundUnitId = 2;
  param.FoundSF = 0xF6;
  EXPECT_EQ(ClassifyIdentified(param), TVerifyOutcome::kMatch);
  param.FoundSF = 0xF5;
  EXPECT_EQ(ClassifyIdentified(param), TVerifyOutcome::kOtherFinger);
  // Another sensor outranks another finger, and counts also with the same finger.
  param.FoundUnitId = 1;
  EXPECT_EQ(ClassifyIdentified(param), TVerifyOutcome::kOtherSensor);
  param.FoundSF = 0xF6;
  EXPECT_EQ(ClassifyIdentified(param), TVerifyOutcome::kOtherSensor);
  // Another account outranks everything.
  param.FoundIdent = Identity(0x21);
  param.FoundUnitId = 2;
  EXPECT_EQ(ClassifyIdentified(param), TVerifyOutcome::kOtherUser);
  // An identity the service left empty is nobody's.
  param.FoundIdent = TWinBioIdentity{};
  EXPECT_EQ(ClassifyIdentified(param), TVerifyOutcome::kOtherUser);
}

TEST(VerifyEvents, CreatedDialog) {
  const BuiltInTexts texts;
  TFormVerify form(nullptr, texts, {}, {});
  EXPECT_EQ(form.Caption(), u"Verify fingerprint");
  EXPECT_EQ(form.ClientSize(), (ui::Size{380, 335}));
  EXPECT_EQ(form.lblTitle.LabelText(), u"Verify fingerprint: ");
  EXPECT_EQ(form.lblStatus.Text(), u"Please waiting...");
  EXPECT_EQ(form.lblResult.Text(), u"");
  EXPECT_EQ(form.btnRetry.Text(), u"&Retry");
  EXPECT_FALSE(form.btnRetry.Enabled());
  EXPECT_TRUE(form.btnRetry.IsDefault());
  EXPECT_EQ(form.btnClose.Text(), u"&Close");
  EXPECT_TRUE(form.btnClose.IsCancel());
  EXPECT_EQ(form.lblResult.Bounds(), (ui::Rect{13, 109, 348, 68}));
  EXPECT_EQ(form.btnRetry.Bounds(), (ui::Rect{16, 292, 100, 32}));
}

TEST(VerifyEvents, EachOutcomeClass) {
  const BuiltInTexts texts;
  struct Case {
    TVerifyOutcome outcome;
    std::uint32_t fill;
    std::u16string_view result;
    std::uint32_t color;
  };
  const Case cases[] = {
      {TVerifyOutcome::kMatch, 0x00BB00,
       u"Verification successful!\r\nThe fingerprint belongs to the current user and matches the "
       u"selected record.",
       0x008000},
      {TVerifyOutcome::kOtherUser, 0xCC0000,
       u"The fingerprint does not belong to the current user!", 0xFF0000},
      {TVerifyOutcome::kOtherFinger, 0xFF8000,
       u"The fingerprint belongs to the current user,but the finger used to swipe it is "
       u"different from the selected record.",
       0xFF8000},
      {TVerifyOutcome::kOtherSensor, 0xFF8000,
       u"The fingerprint belongs to the current user,but the touch sensor is different from the "
       u"selected record.\r\nPlease try again using the correct sensor.",
       0xFF8000},
  };
  for (const Case& c : cases) {
    TFormVerify form(nullptr, texts, {}, {});
    Post(form, verify_event::kWaiting, 0);
    EXPECT_EQ(form.shapeIcon.Fill(), ui::Color(0xFFA500));
    Post(form, verify_event::kIdentified, static_cast<std::intptr_t>(c.outcome));
    EXPECT_EQ(form.lblStatus.Text(), u"Verification results");
    EXPECT_EQ(form.lblResult.Text(), c.result);
    EXPECT_EQ(form.lblResult.GetColor(), ui::Color(c.color));
    EXPECT_EQ(form.shapeIcon.Fill(), ui::Color(c.fill));
    EXPECT_TRUE(form.btnRetry.Enabled());
    EXPECT_TRUE(form.btnRetry.Focused());
  }
}

TEST(VerifyEvents, BadCapturesKeepWaitingAndFailuresEnableRetry) {
  const BuiltInTexts texts;
  TFormVerify form(nullptr, texts, {}, {});
  Post(form, verify_event::kBadCapture, 4);
  EXPECT_EQ(form.lblStatus.Text(),
            u"Poor fingerprint quality, please scan your fingerprint again.");
  EXPECT_EQ(form.lblResult.Text(), u"Finger too far to the right: move it to the left.");
  EXPECT_EQ(form.lblResult.GetColor(), ui::Color(0xFF8000));
  EXPECT_EQ(form.shapeIcon.Fill(), ui::Color(0xFF8000));
  EXPECT_EQ(form.shapeIcon.Outline(), ui::Color(0xCC5500));
  Post(form, verify_event::kBadCapture, 0);
  EXPECT_EQ(form.lblResult.Text(), u"Poor data acquisition quality (reason unknown)");
  EXPECT_FALSE(form.btnRetry.Enabled());

  Post(form, verify_event::kFailed, WINBIO_E_UNKNOWN_ID);
  EXPECT_EQ(form.lblStatus.Text(), u"Verification failed");
  EXPECT_EQ(form.lblResult.Text(),
            u"Failure: [WINBIO_E_UNKNOWN_ID] The biometric sample does not match any known "
            u"identity. (0x80098003)");
  EXPECT_EQ(form.lblResult.GetColor(), ui::Color(0xFF0000));
  EXPECT_EQ(form.shapeIcon.Fill(), ui::Color(0xCC0000));
  EXPECT_TRUE(form.btnRetry.Enabled());

  // Unknown events change nothing.
  Post(form, 5, 0);
  EXPECT_EQ(form.lblStatus.Text(), u"Verification failed");
}

// Each answer about a touch counts, and so does a poor capture; a failure of the sensor does not.
TEST(VerifyEvents, TheTallyCountsEachTouchAndTheAdviceComesAtTheFifth) {
  const BuiltInTexts texts;
  TFormVerify form(nullptr, texts, {}, {});
  const auto match = static_cast<std::intptr_t>(TVerifyOutcome::kMatch);
  const std::pair<std::uintptr_t, std::intptr_t> kTouches[] = {
      {verify_event::kIdentified, match},
      {verify_event::kIdentified, static_cast<std::intptr_t>(TVerifyOutcome::kOtherFinger)},
      {verify_event::kFailed, WINBIO_E_UNKNOWN_ID},
      {verify_event::kFailed, WINBIO_E_DEVICE_FAILURE},
      {verify_event::kBadCapture, 4},
      {verify_event::kIdentified, match}};
  std::vector<std::u16string> tallies;
  for (const auto& [event, value] : kTouches) {
    EXPECT_FALSE(form.btnReplace.Visible());
    Post(form, event, value);
    tallies.push_back(form.lblTally.Text());
  }
  EXPECT_EQ(tallies, (std::vector<std::u16string>{
                         u"Recognised 1 of 1 touches", u"Recognised 1 of 2 touches",
                         u"Recognised 1 of 3 touches", u"Recognised 1 of 3 touches",
                         u"Recognised 1 of 4 touches", u"Recognised 2 of 5 touches"}));
  EXPECT_TRUE(form.lblAdvice.Visible() && form.btnReplace.Visible());
  form.btnReplace.Click();
  const TVerifyDialogOutcome outcome = form.Outcome();
  EXPECT_EQ(outcome.Request, TVerifyRequest::kReplaceFinger);
  EXPECT_EQ(std::pair(outcome.Tally.Recognised(), outcome.Tally.Touches()), std::pair(2, 5));
}

TEST(RecognitionTally, AdvisesFromTheFifthTouchWhileFewerThanFourInFiveAreRecognised) {
  const struct {
    int recognised;
    int touches;
    bool advice;
  } kCases[] = {{0, 4, false}, {3, 5, true}, {4, 5, false}, {7, 10, true}};
  for (const auto& c : kCases) {
    TRecognitionTally tally;
    for (int touch = 0; touch < c.touches; ++touch) {
      tally.Count(touch < c.recognised ? TTouchResult::kRecognised : TTouchResult::kNotRecognised);
    }
    EXPECT_EQ(tally.AdviceDue(), c.advice) << c.recognised << " of " << c.touches;
  }
}

TEST(VerifyEvents, TranslatedTexts) {
  MapTextSource texts;
  texts.Set(u"verify", u"title", u"Vérifier");
  texts.Set(u"verify", u"button.retry", u"&Encore");
  texts.Set(u"verify", u"label.result.5", u"Échec : ");
  texts.Set(u"errorcode", u"80098005", u"pas de correspondance");
  TFormVerify form(nullptr, texts, {}, {});
  EXPECT_EQ(form.Caption(), u"Vérifier");
  EXPECT_EQ(form.btnRetry.Text(), u"&Encore");
  Post(form, verify_event::kFailed, WINBIO_E_NO_MATCH);
  EXPECT_EQ(form.lblResult.Text(),
            u"Échec : [WINBIO_E_NO_MATCH] pas de correspondance (0x80098005)");
}

}  // namespace
}  // namespace dactyra
