#include "app/sensor_dialog.h"
#include "app/main_texts.h"

#include "app/small_dialog.h"
#include "base/format.h"
#include "ui/ui.h"

namespace dactyra {
namespace {

constexpr ui::Placement kChoice{.left = 25, .width = 320};

// The first `length` units of a name and an ellipsis; a character is never cut in two.
std::u16string Shortened(std::u16string_view name, std::size_t length) {
  if (length > 0 && length < name.size() && name[length - 1] >= 0xD800 &&
      name[length - 1] < 0xDC00) {
    --length;
  }
  return std::u16string(name.substr(0, length)) + u"\u2026";
}

// The text of a sensor's choice. A name too long for the radio button is shortened with an
// ellipsis, as little as it takes, so that the unit id after it always shows in full.
std::u16string ChoiceText(const ui::RadioButton& radio, std::u16string_view item,
                          const TSensorChoice& sensor) {
  std::u16string text = Format(item, sensor.Description, sensor.UnitId);
  if (radio.Fits(text)) {
    return text;
  }
  // The longest start of the name that fits: `fitting` does (or is none at all), `too_long` not.
  const std::u16string_view name = sensor.Description;
  std::size_t fitting = 0;
  std::size_t too_long = name.size();
  text = Format(item, Shortened(name, 0), sensor.UnitId);
  while (too_long - fitting > 1) {
    const std::size_t middle = fitting + (too_long - fitting) / 2;
    std::u16string candidate = Format(item, Shortened(name, middle), sensor.UnitId);
    if (radio.Fits(candidate)) {
      fitting = middle;
      text = std::move(candidate);
    } else {
      too_long = middle;
    }
  }
  return text;
}

}  // namespace

std::int64_t SelectSensor(ui::Form& owner, const std::vector<TSensorChoice>& sensors,
                          const TextSource& texts) {
  if (sensors.empty()) {
    return 0;
  }
  if (sensors.size() == 1) {
    return sensors.front().UnitId;
  }

  ui::Form form(SmallDialogOptions(owner, texts.Get(kMainSensorCaption)));
  ui::Panel panel(form, {.dock = ui::Dock::kClient}, {16, 12, 16, 12});

  // The heading, the choices 4 pixels apart, and the buttons 8 pixels further down.
  ui::Column column(panel);
  column.Add<ui::Label>(10, {.left = 20}, texts.Get(kMainSensorQuestion),
                        ui::LabelOptions{.bold = true});
  column.Add<ui::RadioButton>(10, kChoice, texts.Get(kMainSensorAuto),
                              ui::RadioOptions{.checked = true});
  const std::u16string item = texts.Get(kMainSensorItem);
  std::vector<const ui::RadioButton*> choices;
  for (const TSensorChoice& sensor : sensors) {
    auto& choice =
        column.Add<ui::RadioButton>(4, kChoice, Format(item, sensor.Description, sensor.UnitId),
                                    ui::RadioOptions{.tag = sensor.UnitId});
    choice.SetText(ChoiceText(choice, item, sensor));
    choices.push_back(&choice);
  }
  AddOkCancelRow(column, 4 + 8, texts);
  form.SetClientSize(kSmallDialogWidth, column.Bottom() + 12);

  if (form.ShowModal() != ui::ModalResult::kOk) {
    return -1;
  }
  for (const ui::RadioButton* choice : choices) {
    if (choice->Checked()) {
      return choice->Tag();
    }
  }
  return 0;
}

}  // namespace dactyra
