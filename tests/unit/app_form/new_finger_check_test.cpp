// The check of a new finger after its commit: one more touch on the sensor that enrolled it, and
// what becomes of the finger, the list and CFG.TOML after each answer.

#include <functional>
#include <string>

#include "enroll/form_enroll.h"
#include "unit/app_form/form_fixture.h"

namespace dactyra::testing {
namespace {

using Lines = std::vector<std::u16string>;
using ui::headless::PumpUntil;

constexpr char16_t kOtherUser[] = u"S-1-5-21-7-8-9-1002";
constexpr char16_t kDescription[] = u"left thumb";
constexpr char16_t kNotRecognised[] =
    u"Windows stored the fingerprint but does not recognise it, so it will not sign you in on "
    u"this sensor.";

class NewFingerCheck : public FormTest {
 protected:
  // What the user does once the check has answered (or, for Skip, while it waits).
  enum class Then { kDone, kRemove, kKeep, kSkip, kCloseBox, kRetryTheNewFinger, kRestartAndRetry };

  struct Case {
    const char* what;
    bool unusable;                                 // the sensor ignores what other programs enroll
    std::function<void(sim::TouchWriter&)> touch;  // the checking touch, if any
    std::u16string status;                         // the answer shown; empty: none awaited
    Then then;
    bool listed;            // the new finger stays, with its description
    std::u16string logged;  // the log's line about the check; empty: none
    // How the listed finger's Recognition cell starts: the check as its first test, one touch;
    // empty when it was not checked.
    std::u16string tested = {};
  };

  void Run(const Case& test) {
    SCOPED_TRACE(test.what);
    StartService(std::string("samples = 2\n[[unit]]\nid = 1\ndescription = \"Sensor\"\n") +
                 (test.unusable ? "unusable = true\n" : "") +
                 "[[template]]\nunit = 1\nidentity = \"current\"\nsubfactor = 0xF5\n");
    std::filesystem::remove(CfgPath());
    Open();
    const Lines rows_before = Column(3);
    ProveOwner();
    touches().Finger(1, 0xF6);
    touches().Finger(1, 0xF6);
    const ui::headless::ScopedModalDriver driver([&](ui::Form& form) {
      if (auto* check = dynamic_cast<TFormOwnerCheck*>(&form)) {
        AwaitProof(*check);
        return;
      }
      auto& enroll = dynamic_cast<TFormEnroll&>(form);
      enroll.lblInstruction.SetText(kDescription);
      ASSERT_TRUE(PumpUntil(enroll, [&] { return enroll.btnCancel.Text() == u"&Skip"; }));
      ASSERT_TRUE(PumpUntil(enroll, [&] { return service_->service().WaitingCalls() == 1; }));
      if (test.touch) {
        test.touch(touches());
      }
      if (!test.status.empty()) {
        ASSERT_TRUE(PumpUntil(enroll, [&] { return enroll.btnRetry.Visible(); }));
        EXPECT_EQ(enroll.lblStatus.Text(), test.status);
      }
      switch (test.then) {
        case Then::kDone:
          EXPECT_EQ(enroll.btnCancel.Text(), u"&Done");
          enroll.btnCancel.Click();
          break;
        case Then::kRemove:
          enroll.btnRemove.Click();
          break;
        case Then::kKeep:
          enroll.btnKeep.Click();
          break;
        case Then::kSkip:
          enroll.btnCancel.Click();
          break;
        case Then::kCloseBox:
          ui::headless::PressCloseBox(enroll);
          break;
        case Then::kRestartAndRetry: {  // the service lost the session meanwhile
          const std::string committed = ReadState();
          WriteState("service = \"stopped\"\n" + committed);
          ASSERT_TRUE(PumpUntil(enroll, [&] { return enroll.btnRetry.Visible(); }));
          WriteState(committed);
          [[fallthrough]];
        }
        case Then::kRetryTheNewFinger:
          enroll.btnRetry.Click();
          touches().Finger(1, 0xF6);
          ASSERT_TRUE(PumpUntil(enroll, [&] { return enroll.btnCancel.Text() == u"&Done"; }));
          enroll.btnCancel.Click();
          break;
      }
    });
    const std::size_t before = Log().size();
    form().btnAdd.Click();
    const Lines all = Log();
    const Lines log(all.begin() + static_cast<std::ptrdiff_t>(before), all.end());
    if (!test.logged.empty()) {
      EXPECT_EQ(std::count(log.begin(), log.end(), test.logged), 1);
    }
    form().btnEnum.Click();
    EXPECT_EQ(Column(3), test.listed ? (Lines{u"0xF5", u"0xF6"}) : rows_before);
    EXPECT_EQ(ReadCfg().find("left thumb") != std::string::npos, test.listed) << ReadCfg();
    if (test.listed) {
      const std::u16string cell = form().ListView.Cell(1, static_cast<int>(TColumn::kRecognition));
      EXPECT_EQ(cell.substr(0, test.tested.size()), test.tested);
      EXPECT_EQ(cell.empty(), test.tested.empty()) << ReadCfg();
    }
    EXPECT_TRUE(service_->service().Misuses().empty());
    CloseAndDestroy();
  }
};

TEST_F(NewFingerCheck, EachAnswerKeepsOrRemovesTheNewFingerAsTheUserChooses) {
  const std::u16string works = u"The new fingerprint works: Windows recognises it on this sensor.";
  const std::u16string removed =
      u"The new fingerprint is removed again: Windows stored it but does not recognise it, so it "
      u"would not sign you in on this sensor. Nothing is added.";
  const std::u16string kept =
      u"The new fingerprint is kept, although Windows does not recognise it: it will not sign you "
      u"in on this sensor.";
  const std::u16string skipped =
      u"The new fingerprint was not checked: whether Windows recognises it is not known.";
  const std::u16string worked = u"1 of 1 \u00B7 ";
  const std::u16string missed = u"0 of 1 \u00B7 ";
  const Case cases[] = {
      {"the new finger", false, [](sim::TouchWriter& t) { t.Finger(1, 0xF6); }, works, Then::kDone,
       true, u"", worked},
      {"a poor capture, then the new finger", false,
       [](sim::TouchWriter& t) {
         t.Bad(1, 7);
         t.Finger(1, 0xF6);
       },
       works, Then::kDone, true, u"", worked},
      {"another of his fingers, removed", false, [](sim::TouchWriter& t) { t.Finger(1, 0xF5); },
       kNotRecognised, Then::kRemove, false, removed},
      {"another user's finger, kept", false,
       [](sim::TouchWriter& t) { t.Finger(1, 0xF7, kOtherUser); }, kNotRecognised, Then::kKeep,
       true, kept, missed},
      {"nobody's finger, kept by the close box", false,
       [](sim::TouchWriter& t) { t.Finger(1, 0xF9); }, kNotRecognised, Then::kCloseBox, true, kept,
       missed},
      {"a failing sensor, removed", false,
       [](sim::TouchWriter& t) { t.Fail(1, WINBIO_E_DEVICE_FAILURE); }, kNotRecognised,
       Then::kRemove, false, removed},
      {"an unusable sensor, removed", true, [](sim::TouchWriter& t) { t.Finger(1, 0xF6); },
       kNotRecognised, Then::kRemove, false, removed},
      {"nobody's finger, then Retry and the new finger", false,
       [](sim::TouchWriter& t) { t.Finger(1, 0xF9); }, kNotRecognised, Then::kRetryTheNewFinger,
       true, u"", worked},
      {"the service restarted, then Retry and the new finger", false, nullptr, u"",
       Then::kRestartAndRetry, true, u"", worked},
      {"skipped", false, nullptr, u"", Then::kSkip, true, skipped},
      {"closed while waiting", false, nullptr, u"", Then::kCloseBox, true, skipped},
  };
  for (const Case& test : cases) {
    Run(test);
  }
}

}  // namespace
}  // namespace dactyra::testing
