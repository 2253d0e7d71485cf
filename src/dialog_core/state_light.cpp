#include "dialog_core/state_light.h"

namespace dactyra {

ui::ShapeOptions StateLightStyle(TStateLight state) {
  constexpr int kOutlineWidth = 2;
  switch (state) {
    case TStateLight::kIdle:
      break;
    case TStateLight::kWaiting:
      return {ui::Color(0xFFA500), ui::Color(0xCC7000), kOutlineWidth};
    case TStateLight::kSuccess:
      return {ui::Color(0x00BB00), ui::Color(0x008800), kOutlineWidth};
    case TStateLight::kFailure:
      return {ui::Color(0xCC0000), ui::Color(0x880000), kOutlineWidth};
    case TStateLight::kNearMiss:
      return {ui::Color(0xFF8000), ui::Color(0xCC5500), kOutlineWidth};
  }
  return {ui::Color(0xC0C0C0), ui::Color(0x808080), kOutlineWidth};
}

void ShowStateLight(ui::Shape& light, TStateLight state) {
  const ui::ShapeOptions style = StateLightStyle(state);
  light.SetColors(style.fill, style.outline);
}

}  // namespace dactyra
