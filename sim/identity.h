#pragma once

// Who a template or a touch belongs to: the word "current" (the user the calling process runs
// as) or a SID in its text form ("S-1-5-21-1-2-3-1001").

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "biometric/winbio_types.h"

namespace dactyra::sim {

using Sid = std::vector<std::uint8_t>;

inline constexpr std::u16string_view kCurrentIdentity = u"current";

// The binary SID of a text "S-1-<authority>-<sub-authority>..." (revision 1, authority below
// 2^48, at most 15 sub-authorities, decimal numbers only); none for anything else.
std::optional<Sid> SidFromText(std::u16string_view text);

// "current" gives `current_user`, a SID text its SID; none for anything else (and for "current"
// when the current user's SID is not known).
std::optional<Sid> ResolveIdentity(std::u16string_view text, const Sid& current_user);

// The SID that an identity record carries: type SID, a size within the record, a well-formed SID
// of exactly that size. None otherwise.
std::optional<Sid> SidOfIdentity(const TWinBioIdentity& identity);

// An identity record of type SID holding `sid` (at most 68 bytes).
TWinBioIdentity IdentityOfSid(const Sid& sid);

// How a template of `sid` is written into the state: "current" for the current user, the SID
// text for anyone else.
std::u16string IdentityText(const Sid& sid, const Sid& current_user);

}  // namespace dactyra::sim
