#pragma once

#include "base/text_source.h"

namespace dactyra {

// Whose a fingerprint is when another account holds it (section "account"): the words of the
// enrollment dialog after a duplicate and of "which finger is this?".
#define DACTYRA_OTHER_ACCOUNT_TEXTS(TEXT)                                                      \
  /* %s: the account's name as Windows gives it ("DOMAIN\name"). */                            \
  TEXT(kAccountOnThisPC, u"account", u"named",                                                 \
       u"This fingerprint belongs to the account %s on this PC.")                              \
  /* %s: the account's SID ("S-1-5-21-..."). */                                                \
  TEXT(kAccountRemoved, u"account", u"removed",                                                \
       u"This fingerprint belongs to an account that no longer exists on this PC (%s).")       \
  /* %s: the account's SID. */                                                                 \
  TEXT(kAccountNotLookedUp, u"account", u"not_looked_up",                                      \
       u"This fingerprint belongs to another account (%s), whose name Windows cannot look up " \
       u"now.")
DACTYRA_TEXT_TABLE(kOtherAccountTexts, DACTYRA_OTHER_ACCOUNT_TEXTS);

}  // namespace dactyra
