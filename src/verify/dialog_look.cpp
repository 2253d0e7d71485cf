#include "verify/dialog_look.h"

namespace dactyra {

ui::FormOptions TouchDialogOptions(ui::Form* owner) {
  return {.caption = {},
          .client_width = 380,
          .client_height = 242,
          .border = ui::FormBorder::kDialog,
          .position = ui::FormPosition::kCenterOwner,
          .owner = owner};
}

void SetStateLight(ui::Shape& shape, int state) {
  switch (state) {
    case state_light::kIdle:
      shape.SetColors(ui::Color(0xC0C0C0), ui::Color(0x808080));
      break;
    case state_light::kWaiting:
      shape.SetColors(ui::Color(0xFFA500), ui::Color(0xCC7000));
      break;
    case state_light::kMatch:
      shape.SetColors(ui::Color(0x00BB00), ui::Color(0x008800));
      break;
    case state_light::kRefused:
      shape.SetColors(ui::Color(0xCC0000), ui::Color(0x880000));
      break;
    case state_light::kNearMiss:
      shape.SetColors(ui::Color(0xFF8000), ui::Color(0xCC5500));
      break;
    default:
      break;
  }
}

void SetResultLine(ui::Label& line, std::u16string_view text, std::optional<ui::Color> color) {
  if (color) {
    line.SetColor(*color);
  } else {
    line.SetSystemColor();
  }
  line.SetText(text);
}

}  // namespace dactyra
