#pragma once

// The activity log's lines of the main window and its commands (section "log" of the language
// files), each written once: its key and its built-in English.

#include "base/text_source.h"

namespace dactyra {

#define DACTYRA_LOG_TEXTS(TEXT)                                                                    \
  /* The binding and the listing. */                                                               \
  TEXT(kLogLibraryMissing, u"log", u"dll_error",                                                   \
       u"Unable to load winbio.dll or failed to get the function address.")                        \
  TEXT(kLogReading, u"log", u"read_data", u"Reading fingerprint data...")                          \
  TEXT(kLogConfigLocation, u"log", u"cfg_location", u"The descriptions are kept in %s.")           \
  TEXT(kLogNoSid, u"log", u"get_sid_error", u"Unable to obtain the current user's SID.")           \
  TEXT(kLogSid, u"log", u"sid", u"SID: ")                                                          \
  TEXT(kLogNoSensor, u"log", u"notfound", u"No fingerprint device found.")                         \
  TEXT(kLogSensorsFound, u"log", u"find", u"%d fingerprint collection devices were found.")        \
  TEXT(kLogNoFingers, u"log", u"nothing", u"No fingerprints were recorded.")                       \
  TEXT(kLogFingersListed, u"log", u"fingers", u"Fingerprints recorded: %d")                        \
  TEXT(kLogRememberedListed, u"log", u"remembered",                                                \
       u"Fingerprints no longer enrolled in Windows (shown in grey): %d. Select one and choose "   \
       u"Add Again to enroll it again, or Delete to forget it.")                                   \
  /* Verify, rename and "which finger is this?". */                                                \
  TEXT(kLogSelectFirst, u"log", u"select_finger",                                                  \
       u"Please select a fingerprint from the list first.")                                        \
  TEXT(kLogVerifying, u"log", u"verity_info",                                                      \
       u"Verify fingerprint: %s (Device ID: %d, Fingerprint ID: 0x%s)")                            \
  TEXT(kLogVerifyClosed, u"log", u"close_verity", u"The verification window has been closed.")     \
  TEXT(kLogRenamed, u"log", u"renamed",                                                            \
       u"Fingerprint renamed from \"%s\" to \"%s\" (Device ID: %d, Fingerprint ID: 0x%s)")         \
  TEXT(kLogWhichFinger, u"log", u"which", u"Which finger is this? %s")                             \
  TEXT(kLogWhichFingerCancelled, u"log", u"which_cancelled",                                       \
       u"Which finger is this? No finger was identified (cancelled).")                             \
  /* Add. */                                                                                       \
  TEXT(kLogSlotsFull, u"log", u"full", u"All fingerprint slots are full (maximum 10).")            \
  TEXT(kLogSensorChoiceCancelled, u"log", u"cancel_add", u"Cancel adding fingerprint.")            \
  TEXT(kLogAddCancelled, u"log", u"add_cancelled", u"Fingerprint addition has been cancelled.",    \
       u"cancel_add")                                                                              \
  TEXT(kLogAddingOnSensor, u"log", u"specify_Add",                                                 \
       u"Add fingerprint: (Device ID: %d, Fingerprint ID: 0x%s)")                                  \
  TEXT(kLogAddingOnTouchedSensor, u"log", u"auto_add",                                             \
       u"Add fingerprint: (Fingerprint ID: 0x%s, automatically locates the sensor)")               \
  TEXT(kLogAdded, u"log", u"add_success",                                                          \
       u"Add fingerprint: (Device ID: %d), Fingerprint ID: 0x%s")                                  \
  TEXT(kLogAddingAgain, u"log", u"add_again",                                                      \
       u"Add fingerprint again: %s (Device ID: %d, Fingerprint ID: 0x%s)")                         \
  /* Replace. */                                                                                   \
  TEXT(kLogReplaceDeclined, u"log", u"replace_declined", u"Canceled replacement.")                 \
  TEXT(kLogReplacing, u"log", u"replace",                                                          \
       u"Replace fingerprint: %s (Device ID: %d, Fingerprint ID: 0x%s)")                           \
  TEXT(kLogOldPrintDeleted, u"log", u"replace_deleted",                                            \
       u"The old print is deleted; now the same finger is enrolled again.")                        \
  TEXT(kLogReplaceUnfinished, u"log", u"replace_unfinished",                                       \
       u"\"%s\" was not enrolled again: its description is kept, and it is listed as not "         \
       u"enrolled. To add it again, select it and choose Add Again.")                              \
  /* Delete. */                                                                                    \
  TEXT(kLogSelectToDelete, u"log", u"select_finger_del",                                           \
       u"Please first select the fingerprint you want to delete from the list.")                   \
  TEXT(kLogDeleteDeclined, u"log", u"del_msg2", u"Canceled deletion.")                             \
  TEXT(kLogDeleting, u"log", u"del_finger", u"Delete this finger: %s (UnitId=%d, 0x%s)")           \
  TEXT(kLogDeleted, u"log", u"del_msg1", u"Deletion successful! Refreshing the list...")           \
  TEXT(kLogForgotten, u"log", u"forgotten",                                                        \
       u"Forgotten: %s (Device ID: %d, Fingerprint ID: 0x%s)")                                     \
  /* The owner's proof. */                                                                         \
  TEXT(kLogOwnerConfirmed, u"log", u"owner_confirmed", u"The owner of this account is confirmed.") \
  TEXT(kLogOwnerNotConfirmed, u"log", u"owner_not_confirmed",                                      \
       u"The owner of this account is not confirmed, nothing is changed: %s")                      \
  TEXT(kLogOwnerCancelled, u"log", u"owner_cancelled",                                             \
       u"The owner of this account was not confirmed (cancelled), nothing is changed.")            \
  TEXT(kLogPasswordConfirmed, u"log", u"password_confirmed",                                       \
       u"The owner of this account is confirmed by his Windows password.")                         \
  TEXT(kLogPasswordWrong, u"log", u"password_wrong",                                               \
       u"The Windows password was not accepted, nothing is changed.")                              \
  TEXT(kLogPasswordCancelled, u"log", u"password_cancelled",                                       \
       u"The Windows password was not entered (cancelled), nothing is changed.")                   \
  TEXT(kLogPasswordUnavailable, u"log", u"password_unavailable",                                   \
       u"The Windows password cannot be checked on this system, nothing is changed.")              \
  /* Sensors that Windows keeps to itself. */                                                      \
  TEXT(kLogWindowsKeepsSensor, u"log", u"windows_sensor",                                          \
       u"Windows manages the fingerprints of this sensor itself: change them in Settings \u203A "  \
       u"Accounts \u203A Sign-in options (button \"Open Sign-in options\").")                      \
  TEXT(kLogSignInOptionsFailed, u"log", u"signin_error",                                           \
       u"The sign-in options could not be opened.")                                                \
  /* The About box could not read the program's link time: %s the program's file, %s why. */       \
  TEXT(kLogLinkTimeFailed, u"log", u"link_time_error",                                             \
       u"\u6587\u4EF6%s\u65F6\u95F4\u8F6C\u6362\u5931\u8D25\uFF1A%s")
DACTYRA_TEXT_TABLE(kLogTexts, DACTYRA_LOG_TEXTS);

}  // namespace dactyra
