#pragma once

// The state light of the enrollment and verification dialogs: a rounded square at their top
// left whose colours tell where the dialog stands. The same meaning is its accessible name, and
// in a high-contrast theme it takes the theme's colours (the dialog's texts say the rest).

#include <string>

#include "base/text_source.h"
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

// The colours of result lines that go with the lights (a high-contrast theme replaces them by
// its text colour).
inline constexpr ui::Color kSuccessText{0x008000};
inline constexpr ui::Color kFailureText{0xFF0000};
inline constexpr ui::Color kHintText{0xFF8000};

// Where the light sits on its dialog.
inline constexpr ui::Placement kStateLightPlacement{16, 16, 64, 64};

// How the light looks in `state`: fill, outline and the outline's width, and the theme's
// colours for them in a high-contrast theme.
ui::ShapeOptions StateLightStyle(TStateLight state);

// What each state means, for screen readers (section "light" of the language files).
struct TLightMeaning {
  TStateLight State;
  TranslatableText Text;
};
inline constexpr TLightMeaning kLightMeanings[] = {
    {TStateLight::kIdle, {u"light", u"idle", u"Idle"}},
    {TStateLight::kWaiting, {u"light", u"waiting", u"Waiting for a touch"}},
    {TStateLight::kSuccess, {u"light", u"success", u"Succeeded"}},
    {TStateLight::kFailure, {u"light", u"failure", u"Failed"}},
    {TStateLight::kNearMiss, {u"light", u"hint", u"Check the hint"}},
};

// What the light says in `state`, as a screen reader announces it ("Waiting for a touch").
std::u16string StateLightMeaning(TStateLight state, const TextSource& texts);

// Shows `state` on `light`: its look and its meaning.
void ShowStateLight(ui::Shape& light, TStateLight state, const TextSource& texts);

}  // namespace dactyra
