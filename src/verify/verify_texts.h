#pragma once

#include <array>

#include "base/text_source.h"

namespace dactyra {

// The texts of the verification dialog (section "verify").
inline constexpr TranslatableText kVerifyCaption{u"verify", u"title", u"Verify fingerprint"};
// The label of the description box.
inline constexpr TranslatableText kVerifyDescriptionLabel{u"verify", u"edit.title",
                                                          u"Verify fingerprint: "};

// Status lines.
inline constexpr TranslatableText kVerifyPleaseWait{u"verify", u"label.status.1",
                                                    u"Please waiting..."};
inline constexpr TranslatableText kVerifySwipeFinger{
    u"verify", u"label.status.2", u"Please swipe your finger on the fingerprint sensor..."};
inline constexpr TranslatableText kVerifyPoorCapture{
    u"verify", u"label.status.3", u"Poor fingerprint quality, please scan your fingerprint again."};
inline constexpr TranslatableText kVerifyResults{u"verify", u"label.status.4",
                                                 u"Verification results"};
inline constexpr TranslatableText kVerifyFailed{u"verify", u"label.status.5",
                                                u"Verification failed"};

// Result lines: the outcomes of an identified touch.
inline constexpr TranslatableText kVerifyMatch{
    u"verify", u"label.result.1",
    u"Verification successful!\r\nThe fingerprint belongs to the current user and matches the "
    u"selected record."};
inline constexpr TranslatableText kVerifyOtherUser{
    u"verify", u"label.result.2", u"The fingerprint does not belong to the current user!"};
inline constexpr TranslatableText kVerifyOtherFinger{
    u"verify", u"label.result.3",
    u"The fingerprint belongs to the current user,but the finger used to swipe it is different "
    u"from the selected record."};
inline constexpr TranslatableText kVerifyOtherSensor{
    u"verify", u"label.result.4",
    u"The fingerprint belongs to the current user,but the touch sensor is different from the "
    u"selected record.\r\nPlease try again using the correct sensor."};
// Followed by the error line.
inline constexpr TranslatableText kVerifyFailurePrefix{u"verify", u"label.result.5", u"Failure: "};

inline constexpr TranslatableText kVerifyRetry{u"verify", u"button.retry", u"&Retry"};
inline constexpr TranslatableText kVerifyClose{u"verify", u"button.close", u"&Close"};

inline constexpr std::array kVerifyTexts{
    kVerifyCaption,     kVerifyDescriptionLabel,
    kVerifyPleaseWait,  kVerifySwipeFinger,
    kVerifyPoorCapture, kVerifyResults,
    kVerifyFailed,      kVerifyMatch,
    kVerifyOtherUser,   kVerifyOtherFinger,
    kVerifyOtherSensor, kVerifyFailurePrefix,
    kVerifyRetry,       kVerifyClose,
};

}  // namespace dactyra
