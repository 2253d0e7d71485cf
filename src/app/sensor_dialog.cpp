#include "app/sensor_dialog.h"

#include <memory>

#include "base/format.h"
#include "ui/ui.h"

namespace dactyra {
namespace {

constexpr int kClientWidth = 364;  // a dialog 380 pixels wide
constexpr int kChoiceLeft = 25;
constexpr int kChoiceWidth = 320;

}  // namespace

std::int64_t SelectSensor(ui::Form& owner, const std::vector<TSensorChoice>& sensors,
                          const TextSource& texts) {
  if (sensors.empty()) {
    return 0;
  }
  if (sensors.size() == 1) {
    return sensors.front().UnitId;
  }

  ui::Form form({.caption = texts.GetLangStr(u"main", u"form.select", u"Select Fingerprint sensor"),
                 .client_width = kClientWidth,
                 .client_height = 120,
                 .border = ui::FormBorder::kDialog,
                 .position = ui::FormPosition::kCenterOwner,
                 .owner = &owner});
  ui::Panel panel(form, {.dock = ui::Dock::kClient}, {16, 12, 16, 12});

  int y = 10;
  ui::Label heading(
      panel, {.left = 20, .top = y},
      texts.GetLangStr(u"main", u"radio.select", u"Select the sensor you want to use:"));
  heading.SetBold(true);
  y += heading.Height() + 10;

  ui::RadioButton automatic(panel, {kChoiceLeft, y, kChoiceWidth, 0},
                            texts.GetLangStr(u"main", u"radio.auto", u"Auto"), {.checked = true});
  y += automatic.Height() + 4;

  const std::u16string item = texts.GetLangStr(u"main", u"radio.item", u"%s  (UnitID\uFF1A%d)");
  std::vector<std::unique_ptr<ui::RadioButton>> choices;
  for (const TSensorChoice& sensor : sensors) {
    choices.push_back(std::make_unique<ui::RadioButton>(
        panel, ui::Placement{kChoiceLeft, y, kChoiceWidth, 0},
        Format(item, sensor.Description, sensor.UnitId),
        ui::RadioOptions{.checked = false, .tag = sensor.UnitId}));
    y += choices.back()->Height() + 4;
  }

  y += 8;
  ui::Button ok(panel, {90, y, 80, 0}, texts.GetLangStr(u"main", u"button.ok", u"&OK"),
                {.is_default = true, .modal_result = ui::ModalResult::kOk});
  ui::Button cancel(panel, {220, y, 80, 0}, texts.GetLangStr(u"main", u"button.cancel", u"&Cancel"),
                    {.cancel = true, .modal_result = ui::ModalResult::kCancel});
  y += ok.Height() + 12;
  form.SetClientSize(kClientWidth, y);

  if (form.ShowModal() != ui::ModalResult::kOk) {
    return -1;
  }
  for (const auto& choice : choices) {
    if (choice->Checked()) {
      return choice->Tag();
    }
  }
  return 0;
}

}  // namespace dactyra
