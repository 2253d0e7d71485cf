#pragma once

// The state light of the enrollment and verification dialogs: a rounded square at their top
// left whose colours tell where the dialog stands.

#include "ui/indicators.h"
#include "ui/types.h"

namespace dactyra {

enum class TStateLight {
  kIdle,      // before the worker reports: grey
  kWaiting,   // waiting for the user's finger: amber
  kSuccess,   // committed, or a match: green
  kFailure,   // failed, or another user's finger: red
  kNearMiss,  // the user's finger, but not the one asked for, or a hint: orange
};

// The colours of result lines that go with the lights.
inline constexpr ui::Color kSuccessText{0x008000};
inline constexpr ui::Color kFailureText{0xFF0000};
inline constexpr ui::Color kHintText{0xFF8000};

// Where the light sits on its dialog.
inline constexpr ui::Placement kStateLightPlacement{16, 16, 64, 64};

// How the light looks in `state`: fill, outline and the outline's width.
ui::ShapeOptions StateLightStyle(TStateLight state);

// Shows `state` on `light`.
void ShowStateLight(ui::Shape& light, TStateLight state);

}  // namespace dactyra
