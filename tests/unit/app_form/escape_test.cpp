// Esc closes every dialog of the main window after the control with the focus was disabled
// under it (a Retry that failed at once, Cancel while an enrollment was saved, OK): the focus
// went on to another control rather than nowhere.

#include <functional>
#include <string>

#include "enroll/form_enroll.h"
#include "unit/app_form/form_fixture.h"
#include "verify/form_verify.h"
#include "verify/form_which_finger.h"

namespace dactyra::testing {
namespace {

using ui::headless::PumpUntil;

// The next `count` calls of `function` fail at once.
std::string Failing(const char* function, int count) {
  return std::string("[[fail]]\nfunction = \"") + function +
         "\"\ncode = 0x80098036\ncount = " + std::to_string(count) + "\n";
}

// After a first attempt that failed, Retry pressed from the keyboard fails at once too.
void RetryThatFails(ui::Form& dialog, ui::Button& retry) {
  ASSERT_TRUE(PumpUntil(dialog, [&] { return retry.Enabled(); }));
  retry.SetFocus();
  ui::headless::PressEnter(dialog);
  ASSERT_TRUE(PumpUntil(dialog, [&] { return retry.Enabled(); }));
}

void DisableFocusedOk(ui::Form& dialog) {
  ui::Button* ok = ui::headless::FindByText<ui::Button>(dialog, u"&OK");
  ASSERT_NE(ok, nullptr);
  ok->SetFocus();
  ok->SetEnabled(false);
}

template <typename T>
bool Is(ui::Form& form) {
  return dynamic_cast<T*>(&form) != nullptr;
}

using EscapeTest = FormTest;

// Two sensors, so that an add asks which one; the user's finger 0xF5 on the first.
const std::string kTwoSensors = OneSensor({0xF5}) + "[[unit]]\nid = 2\ndescription = \"USB\"\n";

TEST_F(EscapeTest, EscClosesEveryDialogAfterItsFocusedControlWasDisabled) {
  struct Case {
    const char* dialog;
    std::string state;
    std::function<void()> open;
    std::function<bool(ui::Form&)> is_it;  // the dialog under test among those shown
    std::function<void(ui::Form&)> disable_focused;
  };
  const auto verify = [this] {
    form().ListView.Select(0);
    form().btnVerify.Click();
  };
  const auto add = [this] { form().btnAdd.Click(); };
  const auto add_proved = [this] {
    ProveOwner();
    form().btnAdd.Click();
  };
  const Case cases[] = {
      {"verification", kTwoSensors + Failing("WinBioIdentify", 2), verify, Is<TFormVerify>,
       [](ui::Form& dialog) {
         RetryThatFails(dialog, static_cast<TFormVerify&>(dialog).btnRetry);
       }},
      {"owner's check", kTwoSensors + Failing("WinBioIdentify", 2), add, Is<TFormOwnerCheck>,
       [](ui::Form& dialog) {
         RetryThatFails(dialog, static_cast<TFormOwnerCheck&>(dialog).btnRetry);
       }},
      {"which finger", kTwoSensors + Failing("WinBioIdentify", 2),
       [this] { form().KeyDown(ui::Key::kF3); }, Is<TFormWhichFinger>,
       [](ui::Form& dialog) {
         RetryThatFails(dialog, static_cast<TFormWhichFinger&>(dialog).btnRetry);
       }},
      {"enrollment", "samples = 1\n" + kTwoSensors + Failing("WinBioEnrollCommit", 1), add_proved,
       Is<TFormEnroll>,
       [this](ui::Form& dialog) {
         auto& enroll = static_cast<TFormEnroll&>(dialog);
         enroll.btnCancel.SetFocus();
         touches().Finger(1, 0xF7);  // finds the sensor
         touches().Finger(1, 0xF7);
         ASSERT_TRUE(PumpUntil(dialog, [&] { return enroll.btnCancel.Text() == u"&Close"; }));
       }},
      {"sensor choice", kTwoSensors, add_proved,
       [](ui::Form& form) { return !ui::headless::FindAll<ui::RadioButton>(form).empty(); },
       [](ui::Form& dialog) { DisableFocusedOk(dialog); }},
      {"rename", kTwoSensors,
       [this] {
         form().ListView.Select(0);
         form().ListView.KeyDown(ui::Key::kF2);
       },
       [](ui::Form&) { return true; }, [](ui::Form& dialog) { DisableFocusedOk(dialog); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dialog);
    StartService(c.state);
    Open();
    bool escaped = false;
    const ui::headless::ScopedModalDriver driver([&](ui::Form& dialog) {
      if (!c.is_it(dialog)) {  // on the way to it: the owner proved, the sensor chosen
        if (auto* check = dynamic_cast<TFormOwnerCheck*>(&dialog)) {
          AwaitProof(*check);
        } else {
          ui::headless::PressEnter(dialog);
        }
        return;
      }
      c.disable_focused(dialog);
      ui::headless::PressEscape(dialog);
      escaped = dialog.GetModalResult() != ui::ModalResult::kNone;
      if (!escaped) {
        dialog.Close();
      }
    });
    c.open();
    EXPECT_TRUE(escaped);
    CloseAndDestroy();
  }
}

}  // namespace
}  // namespace dactyra::testing
