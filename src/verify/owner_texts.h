#pragma once

#include "base/text_source.h"
#include "verify/identify_texts.h"

namespace dactyra {

// The texts that confirm the owner of the account (section "owner"): the dialog that waits for a
// touch of one of his fingers, and the system's password prompt before his first.

#define DACTYRA_OWNER_TEXTS(TEXT)                                                                \
  /* The caption of the dialog and of the password prompt. */                                    \
  TEXT(kOwnerCaption, u"owner", u"title", u"Confirm the owner")                                  \
  TEXT(kOwnerReason, u"owner", u"label.reason",                                                  \
       u"Touch a sensor with one of your enrolled fingers to confirm that you are the owner of " \
       u"this account.")                                                                         \
  TEXT(kOwnerWaiting, u"owner", u"label.waiting", u"Please touch the fingerprint sensor...")     \
  TEXT(kOwnerBadCapture, u"owner", u"label.bad_capture",                                         \
       u"Poor fingerprint quality, please touch the sensor again.")                              \
  TEXT(kOwnerNotConfirmed, u"owner", u"label.not_confirmed", u"Not confirmed")                   \
  /* Why a touch did not confirm the owner. */                                                   \
  TEXT(kOwnerOtherUser, u"owner", u"result.other_user",                                          \
       u"This fingerprint belongs to another user, not to the owner of this account.")           \
  TEXT(kOwnerUnknownFinger, u"owner", u"result.unknown",                                         \
       u"This finger is not enrolled. Please use one of your enrolled fingers.")                 \
  /* Followed by the error line. */                                                              \
  TEXT(kOwnerFailurePrefix, u"owner", u"result.failure", u"Failure: ")                           \
  TEXT(kOwnerRetry, u"owner", u"button.retry", u"&Retry")                                        \
  TEXT(kOwnerCancel, u"owner", u"button.cancel", u"&Cancel")                                     \
  /* The message of the password prompt, before the first fingerprint. */                        \
  TEXT(kOwnerPasswordMessage, u"owner", u"password.message",                                     \
       u"You have no enrolled fingerprint yet. Enter your Windows password to confirm that you " \
       u"are the owner of this account.")                                                        \
  /* Windows Hello instead of a touch: the button of the dialog, and the message of the system's \
   * Windows Hello prompt (also before the first fingerprint). */                                \
  TEXT(kOwnerUsePin, u"owner", u"button.use_pin", u"Use &PIN instead")                           \
  TEXT(                                                                                          \
      kOwnerHelloMessage, u"owner", u"hello.message",                                            \
      u"Confirm that you are the owner of this account before Dactyra changes your fingerprints.")
DACTYRA_TEXT_TABLE(kOwnerTexts, DACTYRA_OWNER_TEXTS);

inline constexpr TIdentifyTexts kOwnerIdentifyTexts{kOwnerWaiting, kOwnerBadCapture, kOwnerRetry};

}  // namespace dactyra
