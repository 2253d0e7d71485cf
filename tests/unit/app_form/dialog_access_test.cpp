// What every dialog offers to users of screen readers, of the keyboard and of a high-contrast
// theme, each dialog in a state with coloured texts and light.

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <variant>

#include "app/rename_dialog.h"
#include "app/sensor_dialog.h"
#include "base/utf.h"
#include "enroll/form_enroll.h"
#include "support/map_text_source.h"
#include "ui/headless/driver.h"
#include "verify/form_owner_check.h"
#include "verify/form_verify.h"
#include "verify/form_which_finger.h"

namespace dactyra {
namespace {

using ui::ControlKind;
using ui::SystemColor;

void ForEachDialog(const ui::headless::ModalDriver& check) {
  const testing::MapTextSource texts;
  ui::Form owner({.caption = u"Dactyra", .client_width = 880, .client_height = 620});
  TFormEnroll enroll(&owner, texts, {}, {});
  enroll.WMEnrollStatus(enroll_event::kGoodCapture, 1);
  TFormVerify verify(&owner, texts, {}, {});
  verify.WMIdentifyStatus(verify_event::kIdentified, 0);
  TFormWhichFinger which(&owner, texts, {}, {});
  which.WMIdentifyStatus(verify_event::kFailed, WINBIO_E_UNKNOWN_ID);
  TFormOwnerCheck proof(&owner, texts, {});
  proof.WMIdentifyStatus(verify_event::kBadCapture, 1);
  for (ui::Form* dialog : std::initializer_list<ui::Form*>{&enroll, &verify, &which, &proof}) {
    check(*dialog);
  }
  const ui::headless::ScopedModalDriver driver([&](ui::Form& dialog) {
    check(dialog);
    ui::headless::PressEscape(dialog);
  });
  SelectSensor(owner, {{u"Left sensor", 1}, {u"Right sensor", 2}}, texts);
  AskDescription(owner, u"right index", texts);
}

// Whether `a` comes before `b` as the dialog is read: a row above, or further left on a row.
bool ReadBefore(const ui::Control& a, const ui::Control& b) {
  const ui::Rect& first = a.Bounds();
  const ui::Rect& second = b.Bounds();
  const bool same_row = first.top < second.bottom() && second.top < first.bottom();
  return same_row ? first.left < second.left : first.top < second.top;
}

TEST(Dialogs, NameTheirControlsTabInReadingOrderAndTakeTheHighContrastColors) {
  constexpr ControlKind kNamed[] = {ControlKind::kLabeledEdit, ControlKind::kProgressBar,
                                    ControlKind::kShape};
  constexpr ControlKind kTabStops[] = {ControlKind::kButton, ControlKind::kRadioButton,
                                       ControlKind::kLabeledEdit, ControlKind::kListView};
  for (const bool high_contrast : {false, true}) {
    const ui::headless::ScopedHighContrast theme(high_contrast);
    int coloured = 0;
    ForEachDialog([&](ui::Form& dialog) {
      SCOPED_TRACE(Utf16ToUtf8Lossy(dialog.Caption()));
      const ui::Control* last_stop = nullptr;
      for (const ui::Control* control : ui::headless::FindAll<ui::Control>(dialog)) {
        if (std::ranges::count(kNamed, control->Kind()) > 0) {
          EXPECT_FALSE(control->AccessibleName().empty()) << static_cast<int>(control->Kind());
        }
        if (std::ranges::count(kTabStops, control->Kind()) > 0) {
          EXPECT_TRUE(last_stop == nullptr || ReadBefore(*last_stop, *control));
          last_stop = control;
        }
      }
      for (const ui::Label* label : ui::headless::FindAll<ui::Label>(dialog)) {
        coloured += label->GetColor() ? 1 : 0;
        EXPECT_EQ(std::holds_alternative<SystemColor>(label->PaintedColor()),
                  high_contrast || !label->GetColor());
      }
      for (const ui::Shape* light : ui::headless::FindAll<ui::Shape>(dialog)) {
        ++coloured;
        EXPECT_EQ(std::holds_alternative<SystemColor>(light->PaintedFill()), high_contrast);
        EXPECT_EQ(std::holds_alternative<SystemColor>(light->PaintedOutline()), high_contrast);
      }
    });
    EXPECT_GE(coloured, 8);
  }
}

}  // namespace
}  // namespace dactyra
