#pragma once

#include <cstdint>
#include <string>

#include "base/text_source.h"
#include "biometric/winbio_types.h"

namespace dactyra {

// Every text the program shows about the biometric service. Wordings are the entries of
// service_texts.h, read through `texts`; translated formats go through Format, which raises
// FormatError when they do not fit their arguments.

// One line for a result code: "[NAME] message (0xXXXXXXXX)", or the unknown-error line for a
// code the program does not know (success included).
std::u16string WinBioErrorText(HRESULT code, const TextSource& texts);

// The hint for the reject detail of a failed capture.
std::u16string RejectDetailText(std::uint32_t detail, const TextSource& texts);

// The display name of a finger sub-factor.
std::u16string SubFactorName(std::uint8_t sub_factor, const TextSource& texts);

// The signed-in user's name, or "(Unknown)".
std::u16string GetCurrentUserName(const TextSource& texts);

// The identity's SID in its "S-1-..." form, or "(Conversion failed)".
std::u16string IdentitySidText(const TWinBioIdentity& identity, const TextSource& texts);

}  // namespace dactyra
