#pragma once

#include <string>

#include "base/text_source.h"
#include "biometric/winbio_types.h"

namespace dactyra {

// How this PC knows another account that holds a fingerprint.
enum class TOtherAccountKind {
  kOnThisPC,     // an account of this PC (or its domain), by its name
  kRemoved,      // no account has its SID any more: it was removed, its fingerprints were not
  kNotLookedUp,  // Windows cannot say now (a domain that cannot be reached): only its SID
};

struct TOtherAccount {
  TOtherAccountKind Kind = TOtherAccountKind::kNotLookedUp;
  std::u16string Sentence;  // whose the fingerprint is, one line
};

// The account of `identity` (a SID the service gave) as this PC knows it, in the words of
// section "account" read through `texts`. The one place that turns another account's identity
// into words: the enrollment dialog and "which finger is this?" both say it so.
TOtherAccount DescribeOtherAccount(const TWinBioIdentity& identity, const TextSource& texts);

}  // namespace dactyra
