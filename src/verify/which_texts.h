#pragma once

#include "base/text_source.h"
#include "verify/identify_texts.h"

namespace dactyra {

// The texts of the dialog that tells whose finger a touch was (section "which").
#define DACTYRA_WHICH_TEXTS(TEXT)                                                                  \
  TEXT(kWhichCaption, u"which", u"title", u"Which finger is this?")                                \
  TEXT(kWhichReason, u"which", u"label.reason",                                                    \
       u"Touch a sensor with one finger: you are told whose finger it is, and yours is shown in "  \
       u"the list.")                                                                               \
  TEXT(kWhichWaiting, u"which", u"label.waiting", u"Please touch the fingerprint sensor...")       \
  TEXT(kWhichBadCapture, u"which", u"label.bad_capture",                                           \
       u"Poor fingerprint quality, please touch the sensor again.")                                \
  TEXT(kWhichAnswer, u"which", u"label.answer", u"Answer")                                         \
  /* The answers. %s description, %s finger name, %s fingerprint ID (two hexadecimal digits), %s   \
   * sensor name, %d device ID. */                                                                 \
  TEXT(kWhichOwnListed, u"which", u"result.own",                                                   \
       u"This is your fingerprint \"%s\": %s (Fingerprint ID: 0x%s) on %s (Device ID: %d).")       \
  /* %s finger name, %s fingerprint ID, %d device ID. */                                           \
  TEXT(kWhichOwnUnlisted, u"which", u"result.unlisted",                                            \
       u"This is one of your fingers (%s, Fingerprint ID: 0x%s) on the sensor with Device ID %d, " \
       u"but it is not in the list: read the fingerprints again.")                                 \
  TEXT(kWhichUnknownFinger, u"which", u"result.unknown", u"This finger is not enrolled.")          \
  /* Followed by the error line. */                                                                \
  TEXT(kWhichFailurePrefix, u"which", u"result.failure", u"Failure: ")                             \
  TEXT(kWhichRetry, u"which", u"button.retry", u"&Retry")                                          \
  TEXT(kWhichClose, u"which", u"button.close", u"&Close")
DACTYRA_TEXT_TABLE(kWhichTexts, DACTYRA_WHICH_TEXTS);

inline constexpr TIdentifyTexts kWhichIdentifyTexts{kWhichWaiting, kWhichBadCapture, kWhichRetry};

}  // namespace dactyra
