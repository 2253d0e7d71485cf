#pragma once

// What the program says about the sign-in state: a line in the log for each thing that keeps
// fingerprint sign-in from working, one short line for the main window's top strip, and whether
// the Sign-in options button helps. Nothing at all when all is well. Wordings come from section
// "signin" of `texts`, with the built-in English as default.

#include <string>
#include <vector>

#include "base/text_source.h"
#include "biometric/sign_in_state.h"

namespace dactyra {

// One line for each problem, the most basic first (the service, then biometrics, then sign-in);
// each says who decided when the service tells.
std::vector<std::u16string> SignInLogLines(const TSignInState& state, const TextSource& texts);

// The first problem in a few words; empty when there is none.
std::u16string SignInStatusLine(const TSignInState& state, const TextSource& texts);

// Whether the user can mend it himself in Settings › Accounts › Sign-in options: a setting is
// off, the organisation's policy decides none of those that are, and the service runs.
bool OffersSignInOptions(const TSignInState& state);

// Every text above, for the checks of the language files.
std::vector<TranslatableText> SignInTexts();

}  // namespace dactyra
