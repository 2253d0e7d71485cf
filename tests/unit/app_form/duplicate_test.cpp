// A finger that Windows already has: the commit is refused, one more touch of the same finger
// tells whose it is, and the dialog and the log say so, with what to do; nothing is added.

#include <functional>
#include <string>

#include "enroll/form_enroll.h"
#include "platform/posix/stand_in_account_names.h"
#include "unit/app_form/form_fixture.h"

namespace dactyra::testing {
namespace {

using Lines = std::vector<std::u16string>;
using ui::headless::PumpUntil;

constexpr char16_t kAnna[] = u"S-1-5-21-7-8-9-1002";     // an account of this PC
constexpr char16_t kRemoved[] = u"S-1-5-21-7-8-9-1003";  // an account removed from it

// The user's 0xF5 and 0xF6 ("right thumb") and a finger of each other account on one sensor.
const std::string kState = std::string("samples = 2\n") + OneSensor({0xF5, 0xF6}) +
                           "[[template]]\nunit = 1\nidentity = \"S-1-5-21-7-8-9-1002\"\n"
                           "subfactor = 0xF7\n"
                           "[[template]]\nunit = 1\nidentity = \"S-1-5-21-7-8-9-1003\"\n"
                           "subfactor = 0xF8\n";
constexpr char kCfg[] =
    "[[finger]]\nunitid = 1\nfingerid = \"0xF6\"\ndescription = \"right thumb\"\n";

class Duplicate : public FormTest {};

TEST_F(Duplicate, TheDialogAndTheLogSayWhoseTheFingerIsAndWhatToDo) {
  struct Case {
    const char* what;
    const char16_t* identity;  // whose finger is enrolled again
    WINBIO_BIOMETRIC_SUBTYPE finger;
    std::u16string holder;
    std::u16string advice;
    int selected;  // the row selected afterwards
  };
  const std::u16string to_settings =
      u"To add it to your account, first sign in as that account and remove the fingerprint in "
      u"Settings › Accounts › Sign-in options.";
  const Case cases[] = {
      {"the user's own finger", u"current", 0xF6,
       u"This is already your fingerprint \"right thumb\".",
       u"To add it again, delete it first; to give it another name, change its description.", 1},
      {"another account's finger", kAnna, 0xF7,
       u"This fingerprint belongs to the account PC\\Anna on this PC.", to_settings, 0},
      {"a removed account's finger", kRemoved, 0xF8,
       u"This fingerprint belongs to an account that no longer exists on this PC "
       u"(S-1-5-21-7-8-9-1003).",
       u"Ask an administrator to remove it, or reset the fingerprint data in Settings › Accounts "
       u"› Sign-in options.",
       0},
  };
  const platform::ScopedStandInAccountNames accounts(
      {platform::StandInAccountName{.sid = kAnna, .name = u"PC\\Anna"}});
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    StartService(kState);
    WriteCfg(kCfg);
    Open();
    const Lines rows = Column(3);
    form().ListView.Select(0);
    ProveOwner();
    touches().Finger(1, test.finger, test.identity);
    touches().Finger(1, test.finger, test.identity);
    const ui::headless::ScopedModalDriver driver([&](ui::Form& form) {
      if (auto* check = dynamic_cast<TFormOwnerCheck*>(&form)) {
        AwaitProof(*check);
        return;
      }
      auto& enroll = dynamic_cast<TFormEnroll&>(form);
      ASSERT_TRUE(PumpUntil(enroll, [&] {
        return enroll.Phase() == TEnrollPhase::kFindingHolder &&
               service_->service().WaitingCalls() == 1;
      }));
      touches().Finger(1, test.finger, test.identity);
      ASSERT_TRUE(PumpUntil(enroll, [&] { return enroll.lblCount.Text() == test.advice; }));
      enroll.btnCancel.Click();
    });
    form().btnAdd.Click();
    const Lines log = Log();
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(Lines(log.end() - 3, log.end()),
              (Lines{test.holder, test.advice, u"Fingerprint addition has been cancelled."}));
    EXPECT_EQ(Column(3), rows) << "nothing is added";
    EXPECT_EQ(form().ListView.SelectedIndex(), test.selected);
    EXPECT_EQ(service_->service().WaitingCalls(), 0u);
    EXPECT_TRUE(service_->service().Misuses().empty());
    CloseAndDestroy();
  }
}

}  // namespace
}  // namespace dactyra::testing
