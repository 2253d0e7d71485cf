#pragma once

#include <array>

#include "base/text_source.h"
#include "verify/identify_texts.h"

namespace dactyra {

// The texts of the dialog that tells whose finger a touch was (section "which").
inline constexpr TranslatableText kWhichCaption{u"which", u"title", u"Which finger is this?"};
inline constexpr TranslatableText kWhichReason{
    u"which", u"label.reason",
    u"Touch a sensor with one finger: you are told whose finger it is, and yours is shown in the "
    u"list."};
inline constexpr TranslatableText kWhichWaiting{u"which", u"label.waiting",
                                                u"Please touch the fingerprint sensor..."};
inline constexpr TranslatableText kWhichBadCapture{
    u"which", u"label.bad_capture", u"Poor fingerprint quality, please touch the sensor again."};
inline constexpr TranslatableText kWhichAnswer{u"which", u"label.answer", u"Answer"};

// The answers. %s description, %s finger name, %s fingerprint ID (two hexadecimal digits), %s
// sensor name, %d device ID.
inline constexpr TranslatableText kWhichOwnListed{
    u"which", u"result.own",
    u"This is your fingerprint \"%s\": %s (Fingerprint ID: 0x%s) on %s (Device ID: %d)."};
// %s finger name, %s fingerprint ID, %d device ID.
inline constexpr TranslatableText kWhichOwnUnlisted{
    u"which", u"result.unlisted",
    u"This is one of your fingers (%s, Fingerprint ID: 0x%s) on the sensor with Device ID %d, but "
    u"it is not in the list: read the fingerprints again."};
inline constexpr TranslatableText kWhichOtherUser{u"which", u"result.other_user",
                                                  u"This fingerprint belongs to another user."};
inline constexpr TranslatableText kWhichUnknownFinger{u"which", u"result.unknown",
                                                      u"This finger is not enrolled."};
// Followed by the error line.
inline constexpr TranslatableText kWhichFailurePrefix{u"which", u"result.failure", u"Failure: "};

inline constexpr TranslatableText kWhichRetry{u"which", u"button.retry", u"&Retry"};
inline constexpr TranslatableText kWhichClose{u"which", u"button.close", u"&Close"};

inline constexpr TIdentifyTexts kWhichIdentifyTexts{kWhichWaiting, kWhichBadCapture, kWhichRetry};

inline constexpr std::array kWhichTexts{
    kWhichCaption,       kWhichReason,        kWhichWaiting,     kWhichBadCapture,
    kWhichAnswer,        kWhichOwnListed,     kWhichOwnUnlisted, kWhichOtherUser,
    kWhichUnknownFinger, kWhichFailurePrefix, kWhichRetry,       kWhichClose,
};

}  // namespace dactyra
