#pragma once

#include "base/text_source.h"

namespace dactyra {

// The texts of the verification dialog (section "verify").
#define DACTYRA_VERIFY_TEXTS(TEXT)                                                                 \
  TEXT(kVerifyCaption, u"verify", u"title", u"Verify fingerprint")                                 \
  /* The label of the description box. */                                                          \
  TEXT(kVerifyDescriptionLabel, u"verify", u"edit.title", u"Verify fingerprint: ")                 \
  /* Status lines. */                                                                              \
  TEXT(kVerifyPleaseWait, u"verify", u"label.status.1", u"Please waiting...")                      \
  TEXT(kVerifySwipeFinger, u"verify", u"label.status.2",                                           \
       u"Please swipe your finger on the fingerprint sensor...")                                   \
  TEXT(kVerifyPoorCapture, u"verify", u"label.status.3",                                           \
       u"Poor fingerprint quality, please scan your fingerprint again.")                           \
  TEXT(kVerifyResults, u"verify", u"label.status.4", u"Verification results")                      \
  TEXT(kVerifyFailed, u"verify", u"label.status.5", u"Verification failed")                        \
  /* Result lines: the outcomes of an identified touch. */                                         \
  TEXT(kVerifyMatch, u"verify", u"label.result.1",                                                 \
       u"Verification successful!\r\nThe fingerprint belongs to the current user and matches the " \
       u"selected record.")                                                                        \
  TEXT(kVerifyOtherUser, u"verify", u"label.result.2",                                             \
       u"The fingerprint does not belong to the current user!")                                    \
  TEXT(kVerifyOtherFinger, u"verify", u"label.result.3",                                           \
       u"The fingerprint belongs to the current user,but the finger used to swipe it is "          \
       u"different from the selected record.")                                                     \
  TEXT(kVerifyOtherSensor, u"verify", u"label.result.4",                                           \
       u"The fingerprint belongs to the current user,but the touch sensor is different from the "  \
       u"selected record.\r\nPlease try again using the correct sensor.")                          \
  /* Followed by the error line. */                                                                \
  TEXT(kVerifyFailurePrefix, u"verify", u"label.result.5", u"Failure: ")                           \
  TEXT(kVerifyRetry, u"verify", u"button.retry", u"&Retry")                                        \
  TEXT(kVerifyClose, u"verify", u"button.close", u"&Close")                                        \
  /* The session's touches: those read as the selected finger, all of them. */                     \
  TEXT(kVerifyTally, u"verify", u"label.tally", u"Recognised %d of %d touches")                    \
  /* When too few touches are recognised: what helps, and the button that replaces the finger. */  \
  TEXT(kVerifyAdvice, u"verify", u"label.advice",                                                  \
       u"Too few touches were recognised. What helps: a clean sensor, the whole fingertip, the "   \
       u"same angle as when the finger was enrolled. Replacing the finger usually helps most.")    \
  TEXT(kVerifyReplace, u"verify", u"button.replace", u"Re&place...")
DACTYRA_TEXT_TABLE(kVerifyTexts, DACTYRA_VERIFY_TEXTS);

}  // namespace dactyra
