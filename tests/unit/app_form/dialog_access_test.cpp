// What every dialog offers to users of screen readers, of the keyboard and of a high-contrast
// theme, each dialog in a state with coloured texts and light.

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "app/rename_dialog.h"
#include "app/sensor_dialog.h"
#include "enroll/form_enroll.h"
#include "support/map_text_source.h"
#include "ui/headless/driver.h"
#include "verify/form_owner_check.h"
#include "verify/form_verify.h"
#include "verify/form_which_finger.h"

namespace dactyra {
namespace {

using ui::ControlKind;

// Opens one dialog, brings it into a coloured state and hands it to `check`.
using DialogOpener =
    std::function<void(ui::Form& owner, const TextSource& texts, const ui::headless::ModalDriver&)>;

struct TDialogCase {
  const char* name;
  DialogOpener open;
};

const TDialogCase kDialogs[] = {
    {"enroll",
     [](ui::Form& owner, const TextSource& texts, const ui::headless::ModalDriver& check) {
       TFormEnroll dialog(&owner, texts);
       dialog.WMEnrollStatus(enroll_event::kGoodCapture, 1);
       check(dialog);
     }},
    {"verify",
     [](ui::Form& owner, const TextSource& texts, const ui::headless::ModalDriver& check) {
       TFormVerify dialog(&owner, texts);
       dialog.WMVerifyStatus(verify_event::kIdentified,
                             static_cast<std::intptr_t>(VerifyOutcome::kMatch));
       check(dialog);
     }},
    {"which finger",
     [](ui::Form& owner, const TextSource& texts, const ui::headless::ModalDriver& check) {
       TFormWhichFinger dialog(&owner, texts);
       dialog.WMIdentifyStatus(verify_event::kFailed, WINBIO_E_UNKNOWN_ID);
       check(dialog);
     }},
    {"owner's check",
     [](ui::Form& owner, const TextSource& texts, const ui::headless::ModalDriver& check) {
       TFormOwnerCheck dialog(&owner, texts);
       dialog.WMIdentifyStatus(verify_event::kBadCapture, 1);
       check(dialog);
     }},
    {"sensor",
     [](ui::Form& owner, const TextSource& texts, const ui::headless::ModalDriver& check) {
       const ui::headless::ScopedModalDriver driver([&](ui::Form& dialog) {
         check(dialog);
         ui::headless::PressEscape(dialog);
       });
       SelectSensor(owner, {{u"Left sensor", 1}, {u"Right sensor", 2}}, texts);
     }},
    {"rename",
     [](ui::Form& owner, const TextSource& texts, const ui::headless::ModalDriver& check) {
       const ui::headless::ScopedModalDriver driver([&](ui::Form& dialog) {
         check(dialog);
         ui::headless::PressEscape(dialog);
       });
       AskDescription(owner, u"right index", texts);
     }},
};

bool TakesFocus(const ui::Control& control) {
  switch (control.Kind()) {
    case ControlKind::kButton:
    case ControlKind::kRadioButton:
    case ControlKind::kLabeledEdit:
    case ControlKind::kMemo:
    case ControlKind::kListView:
      return control.Visible();
    default:
      return false;
  }
}

// Whether `a` comes before `b` as the dialog is read: a row above, or further left on a row.
bool ReadBefore(const ui::Control& a, const ui::Control& b) {
  const ui::Rect& first = a.Bounds();
  const ui::Rect& second = b.Bounds();
  const bool same_row = first.top < second.bottom() && second.top < first.bottom();
  return same_row ? first.left < second.left : first.top < second.top;
}

bool IsThemeColor(const ui::PaintColor& color) {
  return std::holds_alternative<ui::SystemColor>(color);
}

void ForEachDialog(bool high_contrast, const ui::headless::ModalDriver& check) {
  const testing::MapTextSource texts;
  const ui::headless::ScopedHighContrast theme(high_contrast);
  ui::Form owner({.caption = u"Dactyra", .client_width = 880, .client_height = 620});
  for (const TDialogCase& dialog : kDialogs) {
    SCOPED_TRACE(dialog.name);
    dialog.open(owner, texts, check);
  }
}

TEST(Dialogs, NameEveryEditProgressBarAndLightForScreenReaders) {
  ForEachDialog(false, [](ui::Form& dialog) {
    for (const ui::Control* control : ui::headless::FindAll<ui::Control>(dialog)) {
      const ControlKind kind = control->Kind();
      if (kind == ControlKind::kLabeledEdit || kind == ControlKind::kProgressBar ||
          kind == ControlKind::kShape) {
        EXPECT_FALSE(control->AccessibleName().empty())
            << "a control of kind " << static_cast<int>(kind);
      }
    }
  });
}

TEST(Dialogs, TabThroughTheirControlsInReadingOrder) {
  ForEachDialog(false, [](ui::Form& dialog) {
    std::vector<const ui::Control*> stops;
    for (const ui::Control* control : ui::headless::FindAll<ui::Control>(dialog)) {
      if (TakesFocus(*control)) {
        stops.push_back(control);
      }
    }
    ASSERT_FALSE(stops.empty());
    for (std::size_t i = 1; i < stops.size(); ++i) {
      EXPECT_TRUE(ReadBefore(*stops[i - 1], *stops[i])) << "Tab stop " << i;
    }
  });
}

TEST(Dialogs, PaintWithTheThemeColorsOnlyInAHighContrastTheme) {
  for (const bool high_contrast : {false, true}) {
    SCOPED_TRACE(high_contrast ? "high contrast" : "normal theme");
    int coloured = 0;
    ForEachDialog(high_contrast, [&](ui::Form& dialog) {
      for (const ui::Label* label : ui::headless::FindAll<ui::Label>(dialog)) {
        if (label->GetColor()) {
          ++coloured;
          EXPECT_EQ(IsThemeColor(label->PaintedColor()), high_contrast);
        }
      }
      for (const ui::Shape* light : ui::headless::FindAll<ui::Shape>(dialog)) {
        ++coloured;
        EXPECT_EQ(IsThemeColor(light->PaintedFill()), high_contrast);
        EXPECT_EQ(IsThemeColor(light->PaintedOutline()), high_contrast);
      }
    });
    EXPECT_GE(coloured, 8);
  }
}

TEST(StateLight, SaysEachStateInItsOwnWords) {
  const testing::MapTextSource texts;
  std::set<std::u16string> meanings;
  for (const TStateLight state : {TStateLight::kIdle, TStateLight::kWaiting, TStateLight::kSuccess,
                                  TStateLight::kFailure, TStateLight::kNearMiss}) {
    meanings.insert(StateLightMeaning(state, texts));
  }
  EXPECT_EQ(meanings.size(), 5u);
  EXPECT_FALSE(meanings.contains(u""));
}

TEST(Theme, ASwitchToHighContrastRepaintsAnOpenDialog) {
  const testing::MapTextSource texts;
  TFormVerify dialog(nullptr, texts);
  dialog.WMVerifyStatus(verify_event::kIdentified,
                        static_cast<std::intptr_t>(VerifyOutcome::kOtherUser));
  ASSERT_FALSE(IsThemeColor(dialog.lblResult.PaintedColor()));
  ui::headless::ChangeHighContrast(dialog, true);
  EXPECT_TRUE(IsThemeColor(dialog.lblResult.PaintedColor()));
  EXPECT_TRUE(IsThemeColor(dialog.shapeIcon.PaintedFill()));
}

}  // namespace
}  // namespace dactyra
