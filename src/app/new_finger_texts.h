#pragma once

// The log lines about the owner's proof by Windows Hello and about the check of a new finger
// (section "log" of the language files), each written once: its key and its built-in English.

#include "base/text_source.h"

namespace dactyra {

#define DACTYRA_NEW_FINGER_LOG_TEXTS(TEXT)                                                       \
  TEXT(kLogHelloOwnerConfirmed, u"log", u"hello_owner_confirmed",                                \
       u"The owner of this account is confirmed by Windows Hello.")                              \
  /* How the check of a new finger ended when it did not show that the finger works. */          \
  TEXT(kLogCheckSkipped, u"log", u"check_skipped",                                               \
       u"The new fingerprint was not checked: whether Windows recognises it is not known.")      \
  TEXT(kLogCheckKept, u"log", u"check_kept",                                                     \
       u"The new fingerprint is kept, although Windows does not recognise it: it will not sign " \
       u"you in on this sensor.")                                                                \
  TEXT(kLogCheckRemoved, u"log", u"check_removed",                                               \
       u"The new fingerprint is removed again: Windows stored it but does not recognise it, so " \
       u"it would not sign you in on this sensor. Nothing is added.")
DACTYRA_TEXT_TABLE(kNewFingerLogTexts, DACTYRA_NEW_FINGER_LOG_TEXTS);

}  // namespace dactyra
