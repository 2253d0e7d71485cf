// One command at a time: what the user does while a command waits starts nothing, and closing
// the window then ends the wait as a cancel and closes it once the command has returned.

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>

#include "app/log_texts.h"
#include "enroll/form_enroll.h"
#include "platform/posix/stand_in_device_change.h"
#include "ui/headless/hello_responder.h"
#include "ui/headless/password_responder.h"
#include "unit/app_form/form_fixture.h"

namespace dactyra::testing {
namespace {

using ui::Key;
using ui::headless::PumpUntil;
using ui::headless::ScopedModalDriver;

constexpr char kOneFinger[] =
    "samples = 2\n[[unit]]\nid = 1\ndescription = \"Sensor\"\n"
    "[[template]]\nunit = 1\nidentity = \"current\"\nsubfactor = 0xF5\n";
constexpr char kNoFinger[] = "samples = 2\n[[unit]]\nid = 1\ndescription = \"Sensor\"\n";

class Waits : public FormTest {
 protected:
  // Runs the dialogs of an add: the owner's proof by a touch, the enrollment to its end; counts
  // every dialog shown.
  ScopedModalDriver Drive() {
    return ScopedModalDriver([this](ui::Form& form) {
      ++dialogs_;
      if (auto* check = dynamic_cast<TFormOwnerCheck*>(&form)) {
        AwaitProof(*check);
      } else if (auto* enroll = dynamic_cast<TFormEnroll*>(&form)) {
        ASSERT_TRUE(PumpUntil(*enroll, [&] { return enroll->btnCancel.Text() == u"&Done"; }));
        enroll->btnCancel.Click();
      } else {
        ADD_FAILURE() << "a dialog of another command";
        form.Close();
      }
    });
  }

  // Everything that starts a command, or a listing, from the main window.
  void TryEveryCommand() {
    for (const Key key :
         {Key::kEnter, Key::kDelete, Key::kF2, Key::kF3, Key::kF5, Key::kCtrlI, Key::kCtrlH}) {
      ui::headless::PressKey(form(), key);
    }
    form().btnAdd.Click();
    form().btnEnum.Click();
    form().ButtonClose.Click();
    form().ListView.DoubleClickRow(0);
    form().ListView.ContextMenuKey();
    const platform::StandInMessage arrival =
        platform::StandInSensorMessage(platform::SensorChange::kReaderArrived);
    form().SystemMessage(arrival.message, arrival.wparam, arrival.lparam);
    ui::headless::ElapseTimer(form());
  }

  int dialogs_ = 0;
};

TEST_F(Waits, NothingStartsWhileACommandWaits) {
  StartService(kOneFinger);
  Open();
  form().ListView.Select(0);
  ProveOwner();
  for (int touch = 0; touch < 3; ++touch) {
    touches().Finger(1, 0xF6);  // two captures and the check of the new finger
  }
  const ui::headless::ScopedPopupMenuResponder menus([](const ui::PopupMenuRequest&) {
    ADD_FAILURE() << "a menu while a command waits";
    return 0u;
  });
  std::size_t logged_before = 0;
  // Windows takes its time to tell whether Windows Hello can be asked before the enrollment.
  const ui::headless::ScopedHelloResponder hello(ui::HelloFromVerificationResult(0), [&] {
    logged_before = Log().size();
    TryEveryCommand();
    EXPECT_EQ(Log().size(), logged_before) << "nothing started";
  });
  const auto driver = Drive();
  form().btnAdd.Click();
  EXPECT_EQ(hello.AvailabilityChecks(), 1);
  EXPECT_EQ(dialogs_, 2) << "the proof and the enrollment";
  EXPECT_FALSE(form().Closed());
  EXPECT_EQ(Column(3), (std::vector<std::u16string>{u"0xF5", u"0xF6"}));
}

// Closed while Windows Hello proves the owner, or while it is asked whether it can be used
// before the enrollment: the wait ends as cancelled, no other proof and no dialog follows, and
// the window closes after the command, saving CFG.TOML as any close does.
TEST_F(Waits, ClosingTheWindowWhileACommandWaitsCancelsItAndClosesAfterIt) {
  const struct {
    const char* state;
    const TranslatableText& logged;
    int dialogs;
  } cases[] = {
      {kNoFinger, kLogOwnerCancelled, 0},
      {kOneFinger, kLogAddCancelled, 1},
  };
  for (const auto& [state, logged, dialogs] : cases) {
    SCOPED_TRACE(state);
    StartService(state);
    Open();
    std::filesystem::remove(CfgPath());
    ProveOwner();
    dialogs_ = 0;
    const ui::headless::ScopedPasswordResponder password(ui::PromptOutcome::kCancelled);
    const ui::headless::ScopedHelloResponder hello(ui::HelloFromVerificationResult(0),
                                                   [&] { form().Close(); });
    const auto driver = Drive();
    form().btnAdd.Click();
    EXPECT_EQ(std::ranges::count(Log(), BuiltInTexts().Get(logged)), 1);
    EXPECT_EQ(LastLog(), u"The configuration is saved.") << "once, at the close";
    EXPECT_EQ(dialogs_, dialogs) << "only the owner's proof by a touch";
    EXPECT_TRUE(password.Calls().empty());
    EXPECT_TRUE(form().Closed());
    EXPECT_TRUE(CfgExists());
    form_.reset();
  }
}

}  // namespace
}  // namespace dactyra::testing
