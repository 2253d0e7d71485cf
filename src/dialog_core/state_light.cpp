#include "dialog_core/state_light.h"

namespace dactyra {

ui::ShapeOptions StateLightStyle(TStateLight state) {
  using ui::Color;
  using ui::SystemColor;
  constexpr int kOutlineWidth = 2;
  switch (state) {
    case TStateLight::kIdle:
      break;
    case TStateLight::kWaiting:
      return {Color(0xFFA500), Color(0xCC7000), kOutlineWidth, SystemColor::kHotLight,
              SystemColor::kButtonText};
    case TStateLight::kSuccess:
      return {Color(0x00BB00), Color(0x008800), kOutlineWidth, SystemColor::kHighlight,
              SystemColor::kButtonText};
    case TStateLight::kFailure:
      return {Color(0xCC0000), Color(0x880000), kOutlineWidth, SystemColor::kButtonText,
              SystemColor::kButtonText};
    case TStateLight::kNearMiss:
      return {Color(0xFF8000), Color(0xCC5500), kOutlineWidth, SystemColor::kButtonFace,
              SystemColor::kButtonText};
  }
  return {Color(0xC0C0C0), Color(0x808080), kOutlineWidth, SystemColor::kButtonFace,
          SystemColor::kGrayText};
}

std::u16string StateLightMeaning(TStateLight state, const TextSource& texts) {
  for (const TLightMeaning& meaning : kLightMeanings) {
    if (meaning.State == state) {
      return texts.Get(meaning.Text);
    }
  }
  return {};
}

void ShowStateLight(ui::Shape& light, TStateLight state, const TextSource& texts) {
  light.SetStyle(StateLightStyle(state));
  light.SetAccessibleName(StateLightMeaning(state, texts));
}

}  // namespace dactyra
