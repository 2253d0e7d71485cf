#pragma once

// What the dialogs that wait for a touch share: their size and place, a state light and a
// coloured result line.

#include <optional>
#include <string_view>

#include "ui/ui.h"

namespace dactyra {

// The states of the light.
namespace state_light {
inline constexpr int kIdle = 0;
inline constexpr int kWaiting = 1;
inline constexpr int kMatch = 2;
inline constexpr int kRefused = 3;   // another user's finger, or a failure
inline constexpr int kNearMiss = 4;  // close but not it, or a hint after a bad capture
}  // namespace state_light

// Colours of the result line.
inline constexpr ui::Color kMatchText{0x008000};
inline constexpr ui::Color kFailureText{0xFF0000};
inline constexpr ui::Color kNearMissText{0xFF8000};

// A dialog of 380 x 242 (96-DPI pixels) centred on `owner`.
ui::FormOptions TouchDialogOptions(ui::Form* owner);

// Colours `shape` for one of the states above; other numbers change nothing.
void SetStateLight(ui::Shape& shape, int state);

// Shows `text` in `line`, in `color` or (none) the window-text colour.
void SetResultLine(ui::Label& line, std::u16string_view text, std::optional<ui::Color> color);

}  // namespace dactyra
