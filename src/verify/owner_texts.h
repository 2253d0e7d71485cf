#pragma once

#include <array>

#include "base/text_source.h"
#include "verify/identify_texts.h"

namespace dactyra {

// The texts that confirm the owner of the account (section "owner"): the dialog that waits for a
// touch of one of his fingers, and the system's password prompt before his first.

// The caption of the dialog and of the password prompt.
inline constexpr TranslatableText kOwnerCaption{u"owner", u"title", u"Confirm the owner"};
inline constexpr TranslatableText kOwnerReason{
    u"owner", u"label.reason",
    u"Touch a sensor with one of your enrolled fingers to confirm that you are the owner of this "
    u"account."};
inline constexpr TranslatableText kOwnerWaiting{u"owner", u"label.waiting",
                                                u"Please touch the fingerprint sensor..."};
inline constexpr TranslatableText kOwnerBadCapture{
    u"owner", u"label.bad_capture", u"Poor fingerprint quality, please touch the sensor again."};
inline constexpr TranslatableText kOwnerNotConfirmed{u"owner", u"label.not_confirmed",
                                                     u"Not confirmed"};

// Why a touch did not confirm the owner.
inline constexpr TranslatableText kOwnerOtherUser{
    u"owner", u"result.other_user",
    u"This fingerprint belongs to another user, not to the owner of this account."};
inline constexpr TranslatableText kOwnerUnknownFinger{
    u"owner", u"result.unknown",
    u"This finger is not enrolled. Please use one of your enrolled fingers."};
// Followed by the error line.
inline constexpr TranslatableText kOwnerFailurePrefix{u"owner", u"result.failure", u"Failure: "};

inline constexpr TranslatableText kOwnerRetry{u"owner", u"button.retry", u"&Retry"};
inline constexpr TranslatableText kOwnerCancel{u"owner", u"button.cancel", u"&Cancel"};

// The message of the password prompt, before the first fingerprint.
inline constexpr TranslatableText kOwnerPasswordMessage{
    u"owner", u"password.message",
    u"You have no enrolled fingerprint yet. Enter your Windows password to confirm that you are "
    u"the owner of this account."};

// Windows Hello instead of a touch: the button of the dialog, and the message of the system's
// Windows Hello prompt (also before the first fingerprint).
inline constexpr TranslatableText kOwnerUsePin{u"owner", u"button.use_pin", u"Use &PIN instead"};
inline constexpr TranslatableText kOwnerHelloMessage{
    u"owner", u"hello.message",
    u"Confirm that you are the owner of this account before Dactyra changes your fingerprints."};

inline constexpr TIdentifyTexts kOwnerIdentifyTexts{kOwnerWaiting, kOwnerBadCapture, kOwnerRetry};

inline constexpr std::array kOwnerTexts{
    kOwnerCaption,      kOwnerReason,    kOwnerWaiting,         kOwnerBadCapture,
    kOwnerNotConfirmed, kOwnerOtherUser, kOwnerUnknownFinger,   kOwnerFailurePrefix,
    kOwnerRetry,        kOwnerCancel,    kOwnerPasswordMessage, kOwnerUsePin,
    kOwnerHelloMessage,
};

}  // namespace dactyra
