#pragma once

#include <array>

#include "base/text_source.h"

namespace dactyra {

// The texts of the enrollment dialog (section "add").
inline constexpr TranslatableText kEnrollCaption{u"add", u"title", u"Add a fingerprint"};
// The label of the description box.
inline constexpr TranslatableText kEnrollDescriptionLabel{u"add", u"edit.title",
                                                          u"Add fingerprint: "};

// The progress bar's name for screen readers.
inline constexpr TranslatableText kEnrollProgressName{u"add", u"progress.name",
                                                      u"Enrollment progress"};

// Status lines.
inline constexpr TranslatableText kEnrollPleaseWait{u"add", u"label.status.1",
                                                    u"Please waiting..."};
inline constexpr TranslatableText kEnrollLocatingSensor{
    u"add", u"label.status.2", u"Please swipe your finger on the sensor to locate the device..."};
// %d: the device ID.
inline constexpr TranslatableText kEnrollSensorReady{
    u"add", u"label.status.3", u"Sensor ready (Device ID: %d), please start data acquisition..."};
inline constexpr TranslatableText kEnrollPlaceFinger{u"add", u"label.status.4",
                                                     u"Please place your finger on the sensor..."};
inline constexpr TranslatableText kEnrollGoodCapture{u"add", u"label.status.5",
                                                     u"The collection was successful this time!"};
// Followed by the hint for the poor capture.
inline constexpr TranslatableText kEnrollHintPrefix{u"add", u"label.status.6", u"Hint: "};
inline constexpr TranslatableText kEnrollSaving{u"add", u"label.status.7",
                                                u"Saving fingerprint data..."};
inline constexpr TranslatableText kEnrollNewFinger{
    u"add", u"label.status.8", u"Fingerprint registration successful! (New fingerprint)"};
inline constexpr TranslatableText kEnrollUpdatedFinger{
    u"add", u"label.status.9",
    u"Fingerprint registration successful! (Existing fingerprints updated)"};
// Followed by the error line.
inline constexpr TranslatableText kEnrollFailurePrefix{u"add", u"label.status.10", u"Fail: "};

// Count lines. %d: good captures so far.
inline constexpr TranslatableText kEnrollCapturesSoFar{
    u"add", u"label.count.1",
    u"%d times have been collected. Please lift your finger and place it on again..."};
inline constexpr TranslatableText kEnrollPoorCapture{
    u"add", u"label.count.2", u"Poor collection quality, please try again..."};
// %d good captures, %d device ID, %s fingerprint ID (two hexadecimal digits).
inline constexpr TranslatableText kEnrollSummary{
    u"add", u"label.count.3",
    u"A total of %d fingerprints were collected. Device ID: %d, Fingerprint ID: 0x%s"};

// The one button: Cancel while enrolling, Done after a success, Close after a failure.
inline constexpr TranslatableText kEnrollCancel{u"add", u"button.cancel.1", u"&Cancel"};
inline constexpr TranslatableText kEnrollCanceling{u"add", u"button.cancel.2", u"Canceling..."};
inline constexpr TranslatableText kEnrollDone{u"add", u"button.cancel.3", u"&Done"};
inline constexpr TranslatableText kEnrollClose{u"add", u"button.close", u"&Close",
                                               u"button.cancel.3"};

// The check of the new finger after the commit: one more touch on the sensor that enrolled it.
inline constexpr TranslatableText kEnrollCheckWaiting{
    u"add", u"check.waiting",
    u"Saved. Touch the sensor once more with the new finger to check that Windows recognises "
    u"it..."};
inline constexpr TranslatableText kEnrollCheckWorks{
    u"add", u"check.works", u"The new fingerprint works: Windows recognises it on this sensor."};
inline constexpr TranslatableText kEnrollCheckNotRecognised{
    u"add", u"check.not_recognised",
    u"Windows stored the fingerprint but does not recognise it, so it will not sign you in on "
    u"this sensor."};
inline constexpr TranslatableText kEnrollCheckSkip{u"add", u"button.skip", u"&Skip"};
inline constexpr TranslatableText kEnrollCheckRetry{u"add", u"button.retry", u"Re&try"};
inline constexpr TranslatableText kEnrollCheckRemove{u"add", u"button.remove", u"&Remove it"};
inline constexpr TranslatableText kEnrollCheckKeep{u"add", u"button.keep", u"&Keep it"};

inline constexpr std::array kEnrollTexts{
    kEnrollProgressName,
    kEnrollCaption,
    kEnrollDescriptionLabel,
    kEnrollPleaseWait,
    kEnrollLocatingSensor,
    kEnrollSensorReady,
    kEnrollPlaceFinger,
    kEnrollGoodCapture,
    kEnrollHintPrefix,
    kEnrollSaving,
    kEnrollNewFinger,
    kEnrollUpdatedFinger,
    kEnrollFailurePrefix,
    kEnrollCapturesSoFar,
    kEnrollPoorCapture,
    kEnrollSummary,
    kEnrollCancel,
    kEnrollCanceling,
    kEnrollDone,
    kEnrollClose,
    kEnrollCheckWaiting,
    kEnrollCheckWorks,
    kEnrollCheckNotRecognised,
    kEnrollCheckSkip,
    kEnrollCheckRetry,
    kEnrollCheckRemove,
    kEnrollCheckKeep,
};

}  // namespace dactyra
