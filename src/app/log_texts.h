#pragma once

// The activity log's lines of the main window and its commands (section "log" of the language
// files), each written once: its key and its built-in English.

#include <array>

#include "base/text_source.h"

namespace dactyra {

// The binding and the listing.
inline constexpr TranslatableText kLogLibraryMissing{
    u"log", u"dll_error", u"Unable to load winbio.dll or failed to get the function address."};
inline constexpr TranslatableText kLogReading{u"log", u"read_data", u"Reading fingerprint data..."};
inline constexpr TranslatableText kLogConfigLocation{u"log", u"cfg_location",
                                                     u"The descriptions are kept in %s."};
inline constexpr TranslatableText kLogNoSid{u"log", u"get_sid_error",
                                            u"Unable to obtain the current user's SID."};
inline constexpr TranslatableText kLogSid{u"log", u"sid", u"SID: "};
inline constexpr TranslatableText kLogNoSensor{u"log", u"notfound",
                                               u"No fingerprint device found."};
inline constexpr TranslatableText kLogSensorsFound{
    u"log", u"find", u"%d fingerprint collection devices were found."};
inline constexpr TranslatableText kLogNoFingers{u"log", u"nothing",
                                                u"No fingerprints were recorded."};
inline constexpr TranslatableText kLogFingersListed{u"log", u"fingers",
                                                    u"Fingerprints recorded: %d"};

// Verify, rename and "which finger is this?".
inline constexpr TranslatableText kLogSelectFirst{
    u"log", u"select_finger", u"Please select a fingerprint from the list first."};
inline constexpr TranslatableText kLogVerifying{
    u"log", u"verity_info", u"Verify fingerprint: %s (Device ID: %d, Fingerprint ID: 0x%s)"};
inline constexpr TranslatableText kLogVerifyClosed{u"log", u"close_verity",
                                                   u"The verification window has been closed."};
inline constexpr TranslatableText kLogRenamed{
    u"log", u"renamed",
    u"Fingerprint renamed from \"%s\" to \"%s\" (Device ID: %d, Fingerprint ID: 0x%s)"};
inline constexpr TranslatableText kLogWhichFinger{u"log", u"which", u"Which finger is this? %s"};
inline constexpr TranslatableText kLogWhichFingerCancelled{
    u"log", u"which_cancelled", u"Which finger is this? No finger was identified (cancelled)."};

// Add.
inline constexpr TranslatableText kLogSlotsFull{u"log", u"full",
                                                u"All fingerprint slots are full (maximum 10)."};
inline constexpr TranslatableText kLogSensorChoiceCancelled{u"log", u"cancel_add",
                                                            u"Cancel adding fingerprint."};
inline constexpr TranslatableText kLogAddCancelled{
    u"log", u"add_cancelled", u"Fingerprint addition has been cancelled.", u"cancel_add"};
inline constexpr TranslatableText kLogAddingOnSensor{
    u"log", u"specify_Add", u"Add fingerprint: (Device ID: %d, Fingerprint ID: 0x%s)"};
inline constexpr TranslatableText kLogAddingOnTouchedSensor{
    u"log", u"auto_add",
    u"Add fingerprint: (Fingerprint ID: 0x%s, automatically locates the sensor)"};
inline constexpr TranslatableText kLogAdded{
    u"log", u"add_success", u"Add fingerprint: (Device ID: %d), Fingerprint ID: 0x%s"};

// Delete.
inline constexpr TranslatableText kLogSelectToDelete{
    u"log", u"select_finger_del",
    u"Please first select the fingerprint you want to delete from the list."};
inline constexpr TranslatableText kLogDeleteDeclined{u"log", u"del_msg2", u"Canceled deletion."};
inline constexpr TranslatableText kLogDeleting{u"log", u"del_finger",
                                               u"Delete this finger: %s (UnitId=%d, 0x%s)"};
inline constexpr TranslatableText kLogDeleted{u"log", u"del_msg1",
                                              u"Deletion successful! Refreshing the list..."};

// The owner's proof.
inline constexpr TranslatableText kLogOwnerConfirmed{u"log", u"owner_confirmed",
                                                     u"The owner of this account is confirmed."};
inline constexpr TranslatableText kLogOwnerNotConfirmed{
    u"log", u"owner_not_confirmed",
    u"The owner of this account is not confirmed, nothing is changed: %s"};
inline constexpr TranslatableText kLogOwnerCancelled{
    u"log", u"owner_cancelled",
    u"The owner of this account was not confirmed (cancelled), nothing is changed."};
inline constexpr TranslatableText kLogPasswordConfirmed{
    u"log", u"password_confirmed",
    u"The owner of this account is confirmed by his Windows password."};
inline constexpr TranslatableText kLogPasswordWrong{
    u"log", u"password_wrong", u"The Windows password was not accepted, nothing is changed."};
inline constexpr TranslatableText kLogPasswordCancelled{
    u"log", u"password_cancelled",
    u"The Windows password was not entered (cancelled), nothing is changed."};
inline constexpr TranslatableText kLogPasswordUnavailable{
    u"log", u"password_unavailable",
    u"The Windows password cannot be checked on this system, nothing is changed."};

// Sensors that Windows keeps to itself.
inline constexpr TranslatableText kLogWindowsKeepsSensor{
    u"log", u"windows_sensor",
    u"Windows manages the fingerprints of this sensor itself: change them in Settings \u203A "
    u"Accounts \u203A Sign-in options (button \"Open Sign-in options\")."};
inline constexpr TranslatableText kLogSignInOptionsFailed{
    u"log", u"signin_error", u"The sign-in options could not be opened."};

// Every text above, for the checks of the language files.
inline constexpr std::array kLogTexts{
    kLogLibraryMissing,
    kLogReading,
    kLogConfigLocation,
    kLogNoSid,
    kLogSid,
    kLogNoSensor,
    kLogSensorsFound,
    kLogNoFingers,
    kLogFingersListed,
    kLogSelectFirst,
    kLogVerifying,
    kLogVerifyClosed,
    kLogRenamed,
    kLogWhichFinger,
    kLogWhichFingerCancelled,
    kLogSlotsFull,
    kLogSensorChoiceCancelled,
    kLogAddCancelled,
    kLogAddingOnSensor,
    kLogAddingOnTouchedSensor,
    kLogAdded,
    kLogSelectToDelete,
    kLogDeleteDeclined,
    kLogDeleting,
    kLogDeleted,
    kLogOwnerConfirmed,
    kLogOwnerNotConfirmed,
    kLogOwnerCancelled,
    kLogPasswordConfirmed,
    kLogPasswordWrong,
    kLogPasswordCancelled,
    kLogPasswordUnavailable,
    kLogWindowsKeepsSensor,
    kLogSignInOptionsFailed,
};

}  // namespace dactyra
