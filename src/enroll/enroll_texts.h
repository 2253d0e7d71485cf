#pragma once

#include "base/text_source.h"

namespace dactyra {

// The texts of the enrollment dialog (section "add").
#define DACTYRA_ENROLL_TEXTS(TEXT)                                                                 \
  TEXT(kEnrollCaption, u"add", u"title", u"Add a fingerprint")                                     \
  /* The label of the description box. */                                                          \
  TEXT(kEnrollDescriptionLabel, u"add", u"edit.title", u"Add fingerprint: ")                       \
  /* The progress bar's name for screen readers. */                                                \
  TEXT(kEnrollProgressName, u"add", u"progress.name", u"Enrollment progress")                      \
  /* Status lines. */                                                                              \
  TEXT(kEnrollPleaseWait, u"add", u"label.status.1", u"Please waiting...")                         \
  TEXT(kEnrollLocatingSensor, u"add", u"label.status.2",                                           \
       u"Please swipe your finger on the sensor to locate the device...")                          \
  /* %d: the device ID. */                                                                         \
  TEXT(kEnrollSensorReady, u"add", u"label.status.3",                                              \
       u"Sensor ready (Device ID: %d), please start data acquisition...")                          \
  TEXT(kEnrollPlaceFinger, u"add", u"label.status.4",                                              \
       u"Please place your finger on the sensor...")                                               \
  TEXT(kEnrollGoodCapture, u"add", u"label.status.5", u"The collection was successful this time!") \
  /* Followed by the hint for the poor capture. */                                                 \
  TEXT(kEnrollHintPrefix, u"add", u"label.status.6", u"Hint: ")                                    \
  TEXT(kEnrollSaving, u"add", u"label.status.7", u"Saving fingerprint data...")                    \
  TEXT(kEnrollNewFinger, u"add", u"label.status.8",                                                \
       u"Fingerprint registration successful! (New fingerprint)")                                  \
  TEXT(kEnrollUpdatedFinger, u"add", u"label.status.9",                                            \
       u"Fingerprint registration successful! (Existing fingerprints updated)")                    \
  /* Followed by the error line. */                                                                \
  TEXT(kEnrollFailurePrefix, u"add", u"label.status.10", u"Fail: ")                                \
  /* Count lines. %d: good captures so far. */                                                     \
  TEXT(kEnrollCapturesSoFar, u"add", u"label.count.1",                                             \
       u"%d times have been collected. Please lift your finger and place it on again...")          \
  TEXT(kEnrollPoorCapture, u"add", u"label.count.2",                                               \
       u"Poor collection quality, please try again...")                                            \
  /* %d good captures, %d device ID, %s fingerprint ID (two hexadecimal digits). */                \
  TEXT(kEnrollSummary, u"add", u"label.count.3",                                                   \
       u"A total of %d fingerprints were collected. Device ID: %d, Fingerprint ID: 0x%s")          \
  /* The one button: Cancel while enrolling, Done after a success, Close after a failure. */       \
  TEXT(kEnrollCancel, u"add", u"button.cancel.1", u"&Cancel")                                      \
  TEXT(kEnrollCanceling, u"add", u"button.cancel.2", u"Canceling...")                              \
  TEXT(kEnrollDone, u"add", u"button.cancel.3", u"&Done")                                          \
  TEXT(kEnrollClose, u"add", u"button.close", u"&Close", u"button.cancel.3")                       \
  /* The check of the new finger after the commit: one more touch on its sensor. */                \
  TEXT(kEnrollCheckWaiting, u"add", u"check.waiting",                                              \
       u"Saved. Touch the sensor once more with the new finger to check that Windows recognises "  \
       u"it...")                                                                                   \
  TEXT(kEnrollCheckWorks, u"add", u"check.works",                                                  \
       u"The new fingerprint works: Windows recognises it on this sensor.")                        \
  TEXT(kEnrollCheckNotRecognised, u"add", u"check.not_recognised",                                 \
       u"Windows stored the fingerprint but does not recognise it, so it will not sign you in on " \
       u"this sensor.")                                                                            \
  TEXT(kEnrollCheckSkip, u"add", u"button.skip", u"&Skip")                                         \
  TEXT(kEnrollCheckRetry, u"add", u"button.retry", u"Re&try")                                      \
  TEXT(kEnrollCheckRemove, u"add", u"button.remove", u"&Remove it")                                \
  TEXT(kEnrollCheckKeep, u"add", u"button.keep", u"&Keep it")                                      \
  /* A commit refused because Windows has the fingerprint already: one more touch of the same      \
   * finger tells whose it is, and what to do about it. */                                         \
  TEXT(kEnrollDuplicate, u"add", u"duplicate.status",                                              \
       u"Windows already has this fingerprint, so it is not added again.")                         \
  TEXT(kEnrollDuplicateTouch, u"add", u"duplicate.touch",                                          \
       u"Touch the sensor once more with the same finger to find out whose fingerprint it is...")  \
  TEXT(kEnrollDuplicateNoMatch, u"add", u"duplicate.no_match",                                     \
       u"That touch matched no fingerprint: press Retry and touch the sensor with the same "       \
       u"finger as before.")                                                                       \
  /* %s: the description of the user's finger. */                                                  \
  TEXT(kEnrollDuplicateOwn, u"add", u"duplicate.own", u"This is already your fingerprint \"%s\".") \
  TEXT(kEnrollDuplicateOwnAdvice, u"add", u"duplicate.own_advice",                                 \
       u"To add it again, delete it first; to give it another name, change its description.")      \
  /* After the words of section "account". */                                                      \
  TEXT(kEnrollDuplicateAccountAdvice, u"add", u"duplicate.account_advice",                         \
       u"To add it to your account, first sign in as that account and remove the fingerprint in "  \
       u"Settings › Accounts › Sign-in options.")                                                  \
  TEXT(kEnrollDuplicateRemovedAdvice, u"add", u"duplicate.removed_advice",                         \
       u"Ask an administrator to remove it, or reset the fingerprint data in Settings › "        \
       u"Accounts › Sign-in options.")
DACTYRA_TEXT_TABLE(kEnrollTexts, DACTYRA_ENROLL_TEXTS);

}  // namespace dactyra
