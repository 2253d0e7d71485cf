#pragma once

// The facts behind "Sensors and sign-in": the service, the sign-in settings and who decided
// them, Enhanced Sign-in Security, the account's fingerprints, then every sensor with what its
// driver says about it. One plain text, the same that the dialog shows and that its Copy button
// puts on the clipboard for a support request; what could not be asked reads "unknown".

#include <span>
#include <string>
#include <vector>

#include "base/text_source.h"
#include "biometric/sign_in_state.h"
#include "biometric/winbio_lib.h"

namespace dactyra {

// The sensors the service enumerates: S_OK with `units` filled, or the call's failure with
// `units` empty.
HRESULT ReadUnits(const TWinBioLib& lib, std::vector<WINBIO_UNIT_SCHEMA>& units);

// The facts, one per line (CR LF between lines), texts from section "sensors" of `texts`.
std::u16string SensorsAndSignInText(const TSignInState& state,
                                    std::span<const WINBIO_UNIT_SCHEMA> units,
                                    const TextSource& texts);

// Every text of the facts, for the checks of the language files.
std::vector<TranslatableText> SensorFactsTexts();

}  // namespace dactyra
