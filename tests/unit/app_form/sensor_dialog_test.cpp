// The sensor selection dialog, built at run time, on the headless widgets.

#include <gtest/gtest.h>

#include "app/sensor_dialog.h"
#include "base/error.h"
#include "base/utf.h"
#include "support/map_text_source.h"
#include "ui/headless/driver.h"
#include "ui/ui.h"

namespace dactyra::testing {
namespace {

using ui::headless::FindAll;
using ui::headless::ScopedModalDriver;

const std::vector<TSensorChoice> kTwo = {{u"Fingerprint Sensor", 1}, {u"USB Reader", 7}};

class SensorDialog : public ::testing::Test {
 protected:
  ui::Form owner{{.caption = u"Dactyra", .client_width = 880, .client_height = 620}};
  MapTextSource texts;
};

TEST_F(SensorDialog, NoDialogForNoneOrOneSensor) {
  int shown = 0;
  const ScopedModalDriver driver([&](ui::Form& form) {
    ++shown;
    form.Close();
  });
  EXPECT_EQ(SelectSensor(owner, {}, texts), 0);
  EXPECT_EQ(SelectSensor(owner, {{u"Only", 5}}, texts), 5);
  EXPECT_EQ(shown, 0);
}

TEST_F(SensorDialog, OffersAutoAndEachSensorInOrder) {
  const ScopedModalDriver driver([&](ui::Form& form) {
    EXPECT_EQ(form.Caption(), u"Select Fingerprint sensor");
    EXPECT_EQ(form.Owner(), &owner);
    EXPECT_EQ(form.Border(), ui::FormBorder::kDialog);
    const auto labels = FindAll<ui::Label>(form);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0]->Text(), u"Select the sensor you want to use:");
    EXPECT_TRUE(labels[0]->Bold());
    const auto radios = FindAll<ui::RadioButton>(form);
    ASSERT_EQ(radios.size(), 3u);
    EXPECT_EQ(radios[0]->Text(), u"Auto");
    EXPECT_TRUE(radios[0]->Checked());
    // Two blanks, and the full-width colon.
    EXPECT_EQ(radios[1]->Text(), u"Fingerprint Sensor  (UnitID\uFF1A1)");
    EXPECT_EQ(radios[2]->Text(), u"USB Reader  (UnitID\uFF1A7)");
    EXPECT_EQ(radios[2]->Tag(), 7);
    // Stacked under each other, then the buttons, with the form ending below them.
    for (std::size_t i = 0; i < radios.size(); ++i) {
      EXPECT_EQ(radios[i]->GetPlacement().left, 25);
      EXPECT_EQ(radios[i]->Width(), 320);
      const int above = i == 0 ? labels[0]->Bounds().bottom() : radios[i - 1]->Bounds().bottom();
      EXPECT_EQ(radios[i]->Bounds().top, above + (i == 0 ? 10 : 4));
    }
    const auto buttons = FindAll<ui::Button>(form);
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[0]->Text(), u"&OK");
    EXPECT_EQ(buttons[1]->Text(), u"&Cancel");
    EXPECT_EQ(buttons[0]->Bounds().left, 90);
    EXPECT_EQ(buttons[1]->Bounds().left, 220);
    EXPECT_EQ(buttons[0]->Bounds().top, radios[2]->Bounds().bottom() + 4 + 8);
    EXPECT_EQ(form.ClientSize().height, buttons[0]->Bounds().bottom() + 12);
    EXPECT_EQ(form.DefaultButton(), buttons[0]);
    EXPECT_EQ(form.CancelButton(), buttons[1]);
    buttons[0]->Click();
  });
  EXPECT_EQ(SelectSensor(owner, kTwo, texts), 0);
}

TEST_F(SensorDialog, EnterTakesTheCheckedSensor) {
  const ScopedModalDriver driver([](ui::Form& form) {
    FindAll<ui::RadioButton>(form)[2]->Click();
    ui::headless::PressEnter(form);
  });
  EXPECT_EQ(SelectSensor(owner, kTwo, texts), 7);
}

TEST_F(SensorDialog, EscapeCancelAndTheCloseBoxGiveMinusOne) {
  const std::function<void(ui::Form&)> ways[] = {
      [](ui::Form& form) { ui::headless::PressEscape(form); },
      [](ui::Form& form) { ui::headless::PressCloseBox(form); },
      [](ui::Form& form) { FindAll<ui::Button>(form)[1]->Click(); },
  };
  for (const auto& way : ways) {
    const ScopedModalDriver driver([&](ui::Form& form) {
      FindAll<ui::RadioButton>(form)[1]->Click();
      way(form);
    });
    EXPECT_EQ(SelectSensor(owner, kTwo, texts), -1);
  }
}

// A long name gives way, with an ellipsis, to the unit id that tells two sensors apart; an '&'
// in it is a plain character.
TEST_F(SensorDialog, ALongNameIsShortenedAndTheUnitIdShowsInFull) {
  const std::u16string name =
      u"R&D Lab Fingerprint Reader & Sensor of the Second Floor, Left Desk \U0001F446 Model 7";
  const ScopedModalDriver driver([&](ui::Form& form) {
    const auto radios = FindAll<ui::RadioButton>(form);
    const std::u16string& text = radios[2]->Text();
    EXPECT_TRUE(text.ends_with(u"\u2026  (UnitID\uFF1A7)")) << Utf16ToUtf8Lossy(text);
    EXPECT_TRUE(text.starts_with(u"R&D Lab Fingerprint"));
    EXPECT_TRUE(radios[2]->Fits(text));
    EXPECT_FALSE(radios[2]->Fits(name));
    EXPECT_EQ(radios[1]->Text(), u"Fingerprint Sensor  (UnitID\uFF1A1)");
    form.Close();
  });
  EXPECT_EQ(SelectSensor(owner, {{u"Fingerprint Sensor", 1}, {name, 7}}, texts), -1);
}

// The dialog opens at its owner's DPI: the same design, in more pixels.
TEST_F(SensorDialog, OpensAtTheOwnersDpi) {
  ui::headless::MoveToDpi(owner, 144);
  const ScopedModalDriver driver([&](ui::Form& form) {
    EXPECT_EQ(form.Dpi(), 144);
    EXPECT_EQ(form.ClientSize().width, 546);  // 364 at 144 DPI
    const auto radios = FindAll<ui::RadioButton>(form);
    EXPECT_EQ(radios[1]->Bounds().width, 480);
    EXPECT_EQ(radios[1]->Width(), 320);
    EXPECT_EQ(FindAll<ui::Button>(form)[1]->Bounds().left, 330);
    form.Close();
  });
  EXPECT_EQ(SelectSensor(owner, kTwo, texts), -1);
}

TEST_F(SensorDialog, TranslatedTexts) {
  texts.Set(u"main", u"form.select", u"选择指纹传感器");
  texts.Set(u"main", u"radio.item", u"%s（编号 %d）");
  const ScopedModalDriver driver([](ui::Form& form) {
    EXPECT_EQ(form.Caption(), u"选择指纹传感器");
    EXPECT_EQ(FindAll<ui::RadioButton>(form)[2]->Text(), u"USB Reader（编号 7）");
    form.Close();
  });
  EXPECT_EQ(SelectSensor(owner, kTwo, texts), -1);
}

TEST_F(SensorDialog, ATranslationThatDoesNotFitRaises) {
  texts.Set(u"main", u"radio.item", u"%d %s");
  const ScopedModalDriver driver([](ui::Form& form) { form.Close(); });
  EXPECT_THROW(SelectSensor(owner, kTwo, texts), FormatError);
}

}  // namespace
}  // namespace dactyra::testing
