#include "known_keys.h"

#include <iterator>

namespace dactyra::language_test {
namespace {

// Section "main": the main window, the sensor dialog, the deletion question and the About box.
constexpr TKnownKey kMainKeys[] = {
    {u"main", u"title", u"Dactyra"},
    {u"main", u"about", u"&About..."},
    {u"main", u"author", u"Author: "},
    {u"main", u"version", u"Version: "},
    {u"main", u"compilationtime", u"Compilation time: "},
    {u"main", u"homepage", u"HomePage: "},
    {u"main", u"button.enum", u"&Read Fingerprints"},
    {u"main", u"button.verify", u"&Verify Fingerprint"},
    {u"main", u"button.add", u"&Add Fingerprint"},
    {u"main", u"button.del", u"&Delete Fingerprint"},
    {u"main", u"button.exit", u"E&xit"},
    {u"main", u"button.signin", u"Open &Sign-in options"},
    {u"main", u"menu.verify", u"&Verify Fingerprint\tEnter"},
    {u"main", u"menu.rename", u"Rena&me\tF2"},
    {u"main", u"menu.del", u"&Delete Fingerprint\tDel"},
    {u"main", u"menu.which", u"&Which finger is this?\tF3"},
    {u"main", u"menu.enum", u"&Read Fingerprints\tF5"},
    {u"main", u"list.columns.1.title", u"#"},
    {u"main", u"list.columns.2.title", u"Fingerprint Device"},
    {u"main", u"list.columns.3.title", u"Device ID"},
    {u"main", u"list.columns.4.title", u"Fingerprint ID"},
    {u"main", u"list.columns.5.title", u"Fingerprint Description"},
    {u"main", u"list.columns.1.width", {}, TBuiltIn::kWidth, {}, 30},
    {u"main", u"list.columns.2.width", {}, TBuiltIn::kWidth, {}, 300},
    {u"main", u"list.columns.3.width", {}, TBuiltIn::kWidth, {}, 60},
    {u"main", u"list.columns.4.width", {}, TBuiltIn::kWidth, {}, 80},
    {u"main", u"list.columns.5.width", {}, TBuiltIn::kWidth, {}, 170},
    {u"main", u"label.user", u"User: "},
    {u"main", u"form.select", u"Select Fingerprint sensor"},
    {u"main", u"radio.select", u"Select the sensor you want to use:"},
    {u"main", u"radio.auto", u"Auto"},
    {u"main", u"radio.item", u"%s  (UnitID\uFF1A%d)"},
    {u"main", u"button.ok", u"&OK"},
    {u"main", u"button.cancel", u"&Cancel"},
    {u"main", u"form.rename", u"Rename fingerprint"},
    {u"main", u"label.rename", u"Description:"},
    {u"main", u"msg.querydel.title", u"Query"},
    {u"main", u"msg.querydel.text",
     u"Confirm deletion of the following fingerprint? \r\n\r\n  Fingerprint device: %s (Device ID: "
     u"%d)\r\n  Fingerprint ID: 0x%s, Fingerprint description: %s\r\n\r\nThis operation is "
     u"irreversible!"},
    {u"main", u"msg.querydel.last",
     u"This is your last fingerprint: afterwards you sign in with your PIN or password."},
};

// Section "log": activity-log lines and small fallback texts.
constexpr TKnownKey kLogKeys[] = {
    {u"log", u"dll_error", u"Unable to load winbio.dll or failed to get the function address."},
    {u"log", u"saved", u"The configuration is saved."},
    {u"log", u"saved_error", u"Error occurred when saving configuration: "},
    {u"log", u"cfg_unreadable",
     u"The configuration file could not be read and was left unchanged."},
    {u"log", u"cfg_location", u"The descriptions are kept in %s."},
    {u"log", u"read_data", u"Reading fingerprint data..."},
    {u"log", u"get_sid_error", u"Unable to obtain the current user's SID."},
    {u"log", u"sid", u"SID: "},
    {u"log", u"notfound", u"No fingerprint device found."},
    {u"log", u"find", u"%d fingerprint collection devices were found."},
    {u"log", u"nothing", u"No fingerprints were recorded."},
    {u"log", u"fingers", u"Fingerprints recorded: %d"},
    {u"log", u"select_finger", u"Please select a fingerprint from the list first."},
    {u"log", u"verity_info", u"Verify fingerprint: %s (Device ID: %d, Fingerprint ID: 0x%s)"},
    {u"log", u"close_verity", u"The verification window has been closed."},
    {u"log", u"renamed",
     u"Fingerprint renamed from \"%s\" to \"%s\" (Device ID: %d, Fingerprint ID: 0x%s)"},
    {u"log", u"full", u"All fingerprint slots are full (maximum 10)."},
    {u"log", u"cancel_add", u"Cancel adding fingerprint.", TBuiltIn::kTwoTexts,
     u"Fingerprint addition has been cancelled."},
    {u"log", u"auto_add",
     u"Add fingerprint: (Fingerprint ID: 0x%s, automatically locates the sensor)"},
    {u"log", u"specify_Add", u"Add fingerprint: (Device ID: %d, Fingerprint ID: 0x%s)"},
    {u"log", u"add_success", u"Add fingerprint: (Device ID: %d), Fingerprint ID: 0x%s"},
    {u"log", u"select_finger_del",
     u"Please first select the fingerprint you want to delete from the list."},
    {u"log", u"del_msg2", u"Canceled deletion."},
    {u"log", u"del_finger", u"Delete this finger: %s (UnitId=%d, 0x%s)"},
    {u"log", u"del_msg1", u"Deletion successful! Refreshing the list..."},
    {u"log", u"which", u"Which finger is this? %s"},
    {u"log", u"which_cancelled", u"Which finger is this? No finger was identified (cancelled)."},
    {u"log", u"owner_confirmed", u"The owner of this account is confirmed."},
    {u"log", u"owner_not_confirmed",
     u"The owner of this account is not confirmed, nothing is changed: %s"},
    {u"log", u"owner_cancelled",
     u"The owner of this account was not confirmed (cancelled), nothing is changed."},
    {u"log", u"password_confirmed",
     u"The owner of this account is confirmed by his Windows password."},
    {u"log", u"password_wrong", u"The Windows password was not accepted, nothing is changed."},
    {u"log", u"password_cancelled",
     u"The Windows password was not entered (cancelled), nothing is changed."},
    {u"log", u"password_unavailable",
     u"The Windows password cannot be checked on this system, nothing is changed."},
    {u"log", u"windows_sensor",
     u"Windows manages the fingerprints of this sensor itself: change them in Settings \u203A "
     u"Accounts \u203A Sign-in options (button \"Open Sign-in options\")."},
    {u"log", u"signin_error", u"The sign-in options could not be opened."},
    {u"log", u"unknown", u"(Unknown)"},
    {u"log", u"conversion_failed", u"(Conversion failed)"},
    {u"log", u"unknown_error", u"[Unknown error] (0x%s)"},
};

// Section "errorcode": messages of result codes, then the hints after a poor capture.
constexpr TKnownKey kErrorCodeKeys[] = {
    {u"errorcode", u"00090001",
     u"Another sample is needed for the current enrollment template."},  // WINBIO_I_MORE_DATA
    {u"errorcode", u"80098001",
     u"The specified biometric factor is not supported."},  // WINBIO_E_UNSUPPORTED_FACTOR
    {u"errorcode", u"80098002",
     u"The unit ID number does not correspond to a valid biometric device."},  // WINBIO_E_INVALID_UNIT
    {u"errorcode", u"80098003",
     u"The biometric sample does not match any known identity."},  // WINBIO_E_UNKNOWN_ID
    {u"errorcode", u"80098004",
     u"The biometric operation was canceled before it could complete."},  // WINBIO_E_CANCELED
    {u"errorcode", u"80098005",
     u"The biometric sample does not match the specified identity or sub-factor."},  // WINBIO_E_NO_MATCH
    {u"errorcode", u"80098006",
     u"A biometric sample could not be captured because the capture operation was aborted."},  // WINBIO_E_CAPTURE_ABORTED
    {u"errorcode", u"80098007",
     u"An enrollment transaction could not be started because another enrollment is already in "
     u"progress."},  // WINBIO_E_ENROLLMENT_IN_PROGRESS
    {u"errorcode", u"80098008",
     u"The captured sample cannot be used for further biometric operations."},  // WINBIO_E_BAD_CAPTURE
    {u"errorcode", u"80098009",
     u"The biometric unit does not support the specified unit control code."},  // WINBIO_E_INVALID_CONTROL_CODE
    {u"errorcode", u"8009800B",
     u"A pending data collection operation is already in progress."},  // WINBIO_E_DATA_COLLECTION_IN_PROGRESS
    {u"errorcode", u"8009800C",
     u"The biometric sensor driver does not support the requested data format."},  // WINBIO_E_UNSUPPORTED_DATA_FORMAT
    {u"errorcode", u"8009800D",
     u"The biometric sensor driver does not support the requested data type."},  // WINBIO_E_UNSUPPORTED_DATA_TYPE
    {u"errorcode", u"8009800E",
     u"The biometric sensor driver does not support the requested data purpose."},  // WINBIO_E_UNSUPPORTED_PURPOSE
    {u"errorcode", u"8009800F",
     u"The biometric unit is not in the proper state to perform the specified operation."},  // WINBIO_E_INVALID_DEVICE_STATE
    {u"errorcode", u"80098010",
     u"The operation could not be performed because the sensor device was busy."},  // WINBIO_E_DEVICE_BUSY
    {u"errorcode", u"80098011",
     u"The storage adapter was not able to create a new database."},  // WINBIO_E_DATABASE_CANT_CREATE
    {u"errorcode", u"80098012",
     u"The storage adapter was not able to open an existing database."},  // WINBIO_E_DATABASE_CANT_OPEN
    {u"errorcode", u"80098013",
     u"The storage adapter was not able to close a database."},  // WINBIO_E_DATABASE_CANT_CLOSE
    {u"errorcode", u"80098014",
     u"The storage adapter was not able to erase a database."},  // WINBIO_E_DATABASE_CANT_ERASE
    {u"errorcode", u"80098015",
     u"The storage adapter was not able to find a database."},  // WINBIO_E_DATABASE_CANT_FIND
    {u"errorcode", u"80098016",
     u"The storage adapter was not able to create a database because the specified database "
     u"already exists."},  // WINBIO_E_DATABASE_ALREADY_EXISTS
    {u"errorcode", u"80098018",
     u"The storage adapter was not able to add a record to the database because the database is "
     u"full."},  // WINBIO_E_DATABASE_FULL
    {u"errorcode", u"80098019",
     u"The database is locked and its contents are inaccessible."},  // WINBIO_E_DATABASE_LOCKED
    {u"errorcode", u"8009801A",
     u"The contents of the database have become corrupted and are inaccessible."},  // WINBIO_E_DATABASE_CORRUPTED
    {u"errorcode", u"8009801B",
     u"No records were deleted because the specified identity and sub-factor are not present in "
     u"the database."},  // WINBIO_E_DATABASE_NO_SUCH_RECORD
    {u"errorcode", u"8009801C",
     u"The specified identity and sub-factor are already enrolled in the database."},  // WINBIO_E_DUPLICATE_ENROLLMENT
    {u"errorcode", u"8009801D",
     u"An error occurred while trying to read from the database."},  // WINBIO_E_DATABASE_READ_ERROR
    {u"errorcode", u"8009801E",
     u"An error occurred while trying to write to the database."},  // WINBIO_E_DATABASE_WRITE_ERROR
    {u"errorcode", u"8009801F",
     u"No records in the database matched the query."},  // WINBIO_E_DATABASE_NO_RESULTS
    {u"errorcode", u"80098020",
     u"All records from the most recent database query have been retrieved."},  // WINBIO_E_DATABASE_NO_MORE_RECORDS
    {u"errorcode", u"80098021",
     u"A database operation unexpectedly encountered the end of the file."},  // WINBIO_E_DATABASE_EOF
    {u"errorcode", u"80098022",
     u"A database operation failed due to a malformed index vector."},  // WINBIO_E_DATABASE_BAD_INDEX_VECTOR
    {u"errorcode", u"80098024",
     u"The biometric unit does not belong to the specified service provider."},  // WINBIO_E_INCORRECT_BSP
    {u"errorcode", u"80098025",
     u"The biometric unit does not belong to the specified sensor pool."},  // WINBIO_E_INCORRECT_SENSOR_POOL
    {u"errorcode", u"80098026",
     u"The sensor adapter capture buffer is empty."},  // WINBIO_E_NO_CAPTURE_DATA
    {u"errorcode", u"80098027",
     u"The sensor adapter does not support the sensor mode specified in the configuration."},  // WINBIO_E_INVALID_SENSOR_MODE
    {u"errorcode", u"8009802A",
     u"The requested operation cannot be performed due to a locking conflict."},  // WINBIO_E_LOCK_VIOLATION
    {u"errorcode", u"8009802B",
     u"The data in a biometric template matches that of another template already in the "
     u"database."},  // WINBIO_E_DUPLICATE_TEMPLATE
    {u"errorcode", u"8009802C",
     u"The requested operation is not valid for the current state of the session or the biometric "
     u"unit."},  // WINBIO_E_INVALID_OPERATION
    {u"errorcode", u"8009802D",
     u"The session cannot begin a new operation because another operation is already in "
     u"progress."},  // WINBIO_E_SESSION_BUSY
    {u"errorcode", u"80098030",
     u"System policy settings have disabled the biometric credential provider."},  // WINBIO_E_CRED_PROV_DISABLED
    {u"errorcode", u"80098031",
     u"The requested credential was not found."},  // WINBIO_E_CRED_PROV_NO_CREDENTIAL
    {u"errorcode", u"80098032",
     u"System policy settings have disabled the biometric service."},  // WINBIO_E_DISABLED
    {u"errorcode", u"80098033",
     u"The biometric unit could not be configured."},  // WINBIO_E_CONFIGURATION_FAILURE
    {u"errorcode", u"80098034",
     u"A private pool cannot be created because one or more biometric units are not available."},  // WINBIO_E_SENSOR_UNAVAILABLE
    {u"errorcode", u"80098035",
     u"A secure attention sequence (CTRL-ALT-DELETE) is required for logon."},  // WINBIO_E_SAS_ENABLED
    {u"errorcode", u"80098036", u"A biometric sensor has failed."},  // WINBIO_E_DEVICE_FAILURE
    {u"errorcode", u"80098037",
     u"Fast user switching is disabled."},  // WINBIO_E_FAST_USER_SWITCH_DISABLED
    {u"errorcode", u"80098038",
     u"The System sensor pool cannot be opened from Terminal Server client sessions."},  // WINBIO_E_NOT_ACTIVE_CONSOLE
    {u"errorcode", u"80098039",
     u"There is already an active event monitor associated with the specified session."},  // WINBIO_E_EVENT_MONITOR_ACTIVE
    {u"errorcode", u"8009803A",
     u"The value specified is not a valid property type."},  // WINBIO_E_INVALID_PROPERTY_TYPE
    {u"errorcode", u"8009803B",
     u"The value specified is not a valid property ID"},  // WINBIO_E_INVALID_PROPERTY_ID
    {u"errorcode", u"8009803C",
     u"The biometric unit does not support the specified property."},  // WINBIO_E_UNSUPPORTED_PROPERTY
    {u"errorcode", u"8009803D",
     u"The adapter did not pass its integrity check."},     // WINBIO_E_ADAPTER_INTEGRITY_FAILURE
    {u"errorcode", u"E_POINTER", u"Null pointer error"},    // E_POINTER
    {u"errorcode", u"E_ACCESSDENIED", u"Access denied"},    // E_ACCESSDENIED
    {u"errorcode", u"E_INVALIDARG", u"Invalid parameter"},  // E_INVALIDARG
    {u"errorcode", u"00000001", u"Finger too high on the sensor: move it down a little."},
    {u"errorcode", u"00000002", u"Finger too low on the sensor: move it up a little."},
    {u"errorcode", u"00000003", u"Finger too far to the left: move it to the right."},
    {u"errorcode", u"00000004", u"Finger too far to the right: move it to the left."},
    {u"errorcode", u"00000005", u"Finger moved too fast"},
    {u"errorcode", u"00000006", u"Finger movement too slow"},
    {u"errorcode", u"00000007", u"Poor image quality, please clean the sensor or your finger."},
    {u"errorcode", u"00000008", u"Finger tilted: place it flat and straight on the sensor."},
    {u"errorcode", u"00000009", u"Finger placement time is too short"},
    {u"errorcode", u"0000000A", u"The samples could not be merged: please try again."},
    {u"errorcode", u"00000000", u"Poor data acquisition quality (reason unknown)"},
    {u"errorcode", u"reject_unknown", u"Capture failed (Detail=0x%s)"},
};

// Section "fingers": the names of the positions 1 to 10 and of the ten unspecified positions
// 0xF5 to 0xFE, keyed by their two lower-case digits, and of any other finger.
constexpr TKnownKey kFingerKeys[] = {
    {u"fingers", u"01", u"right thumb"},
    {u"fingers", u"02", u"right index finger"},
    {u"fingers", u"03", u"right middle finger"},
    {u"fingers", u"04", u"right ring finger"},
    {u"fingers", u"05", u"right little finger"},
    {u"fingers", u"06", u"left thumb"},
    {u"fingers", u"07", u"left index finger"},
    {u"fingers", u"08", u"left middle finger"},
    {u"fingers", u"09", u"left ring finger"},
    {u"fingers", u"0a", u"left little finger"},
    {u"fingers", u"f5", u"fingerprint #1"},
    {u"fingers", u"f6", u"fingerprint #2"},
    {u"fingers", u"f7", u"fingerprint #3"},
    {u"fingers", u"f8", u"fingerprint #4"},
    {u"fingers", u"f9", u"fingerprint #5"},
    {u"fingers", u"fa", u"fingerprint #6"},
    {u"fingers", u"fb", u"fingerprint #7"},
    {u"fingers", u"fc", u"fingerprint #8"},
    {u"fingers", u"fd", u"fingerprint #9"},
    {u"fingers", u"fe", u"fingerprint #10"},
    {u"fingers", u"fingerprint_unknown", u"unknown\uFF1A0x", TBuiltIn::kComposed},
};

// Section "add": the enrollment dialog.
constexpr TKnownKey kAddKeys[] = {
    {u"add", u"title", u"Add a fingerprint"},
    {u"add", u"edit.title", u"Add fingerprint: "},
    {u"add", u"label.status.1", u"Please waiting..."},
    {u"add", u"label.status.2", u"Please swipe your finger on the sensor to locate the device..."},
    {u"add", u"label.status.3", u"Sensor ready (Device ID: %d), please start data acquisition..."},
    {u"add", u"label.status.4", u"Please place your finger on the sensor..."},
    {u"add", u"label.status.5", u"The collection was successful this time!"},
    {u"add", u"label.status.6", u"Hint: "},
    {u"add", u"label.status.7", u"Saving fingerprint data..."},
    {u"add", u"label.status.8", u"Fingerprint registration successful! (New fingerprint)"},
    {u"add", u"label.status.9",
     u"Fingerprint registration successful! (Existing fingerprints updated)"},
    {u"add", u"label.status.10", u"Fail: "},
    {u"add", u"label.count.1",
     u"%d times have been collected. Please lift your finger and place it on again..."},
    {u"add", u"label.count.2", u"Poor collection quality, please try again..."},
    {u"add", u"label.count.3",
     u"A total of %d fingerprints were collected. Device ID: %d, Fingerprint ID: 0x%s"},
    {u"add", u"button.cancel.1", u"&Cancel"},
    {u"add", u"button.cancel.2", u"Canceling..."},
    {u"add", u"button.cancel.3", u"&Done", TBuiltIn::kTwoTexts, u"&Close"},
};

// Section "verify": the verification dialog.
constexpr TKnownKey kVerifyKeys[] = {
    {u"verify", u"title", u"Verify fingerprint"},
    {u"verify", u"edit.title", u"Verify fingerprint: "},
    {u"verify", u"label.status.1", u"Please waiting..."},
    {u"verify", u"label.status.2", u"Please swipe your finger on the fingerprint sensor..."},
    {u"verify", u"label.status.3",
     u"Poor fingerprint quality, please scan your fingerprint again."},
    {u"verify", u"label.status.4", u"Verification results"},
    {u"verify", u"label.status.5", u"Verification failed"},
    {u"verify", u"label.result.1",
     u"Verification successful!\r\nThe fingerprint belongs to the current user and matches the "
     u"selected record."},
    {u"verify", u"label.result.2", u"The fingerprint does not belong to the current user!"},
    {u"verify", u"label.result.3",
     u"The fingerprint belongs to the current user,but the finger used to swipe it is different "
     u"from the selected record."},
    {u"verify", u"label.result.4",
     u"The fingerprint belongs to the current user,but the touch sensor is different from the "
     u"selected record.\r\nPlease try again using the correct sensor."},
    {u"verify", u"label.result.5", u"Failure: "},
    {u"verify", u"button.retry", u"&Retry"},
    {u"verify", u"button.close", u"&Close"},
};

// Section "which": the dialog that tells whose finger a touch was.
constexpr TKnownKey kWhichKeys[] = {
    {u"which", u"title", u"Which finger is this?"},
    {u"which", u"label.reason",
     u"Touch a sensor with one finger: you are told whose finger it is, and yours is shown in the "
     u"list."},
    {u"which", u"label.waiting", u"Please touch the fingerprint sensor..."},
    {u"which", u"label.bad_capture", u"Poor fingerprint quality, please touch the sensor again."},
    {u"which", u"label.answer", u"Answer"},
    {u"which", u"result.own",
     u"This is your fingerprint \"%s\": %s (Fingerprint ID: 0x%s) on %s (Device ID: %d)."},
    {u"which", u"result.unlisted",
     u"This is one of your fingers (%s, Fingerprint ID: 0x%s) on the sensor with Device ID %d, but "
     u"it is not in the list: read the fingerprints again."},
    {u"which", u"result.other_user", u"This fingerprint belongs to another user."},
    {u"which", u"result.unknown", u"This finger is not enrolled."},
    {u"which", u"result.failure", u"Failure: "},
    {u"which", u"button.retry", u"&Retry"},
    {u"which", u"button.close", u"&Close"},
};

// Section "owner": confirming the owner of the account, by a touch or by his password.
constexpr TKnownKey kOwnerKeys[] = {
    {u"owner", u"title", u"Confirm the owner"},
    {u"owner", u"label.reason",
     u"Touch a sensor with one of your enrolled fingers to confirm that you are the owner of this "
     u"account."},
    {u"owner", u"label.waiting", u"Please touch the fingerprint sensor..."},
    {u"owner", u"label.bad_capture", u"Poor fingerprint quality, please touch the sensor again."},
    {u"owner", u"label.not_confirmed", u"Not confirmed"},
    {u"owner", u"result.other_user",
     u"This fingerprint belongs to another user, not to the owner of this account."},
    {u"owner", u"result.unknown",
     u"This finger is not enrolled. Please use one of your enrolled fingers."},
    {u"owner", u"result.failure", u"Failure: "},
    {u"owner", u"button.retry", u"&Retry"},
    {u"owner", u"button.cancel", u"&Cancel"},
    {u"owner", u"password.message",
     u"You have no enrolled fingerprint yet. Enter your Windows password to confirm that you are "
     u"the owner of this account."},
};

// Section "hello": what Windows Hello answered, or why it was not used.
constexpr TKnownKey kHelloKeys[] = {
    {u"hello", u"verified", u"Windows Hello confirmed the user."},
    {u"hello", u"canceled", u"Windows Hello was cancelled."},
    {u"hello", u"retries_exhausted",
     u"Windows Hello did not confirm the user: too many attempts failed."},
    {u"hello", u"device_busy", u"Windows Hello did not confirm the user: the device is busy."},
    {u"hello", u"device_not_present",
     u"Windows Hello is not used: this computer has no Windows Hello device."},
    {u"hello", u"not_configured",
     u"Windows Hello is not used: this account has no Windows Hello PIN."},
    {u"hello", u"disabled_by_policy",
     u"Windows Hello is not used: a policy of this computer turns it off."},
    {u"hello", u"not_offered",
     u"Windows Hello is not used: this Windows does not offer it (%s, 0x%.8X)."},
    {u"hello", u"call_failed", u"Windows Hello is not used: %s failed (0x%.8X)."},
    {u"hello", u"unknown_answer", u"Windows Hello is not used: it gave the unknown answer %d."},
    {u"hello", u"pin_needed",
     u"A new fingerprint signs in to Windows only once a Windows Hello PIN is set up for this "
     u"account (Settings \u203A Accounts \u203A Sign-in options)."},
};

std::vector<TKnownKey> MakeKnownKeys() {
  std::vector<TKnownKey> keys;
  keys.insert(keys.end(), std::begin(kMainKeys), std::end(kMainKeys));
  keys.insert(keys.end(), std::begin(kLogKeys), std::end(kLogKeys));
  keys.insert(keys.end(), std::begin(kErrorCodeKeys), std::end(kErrorCodeKeys));
  keys.insert(keys.end(), std::begin(kFingerKeys), std::end(kFingerKeys));
  keys.insert(keys.end(), std::begin(kAddKeys), std::end(kAddKeys));
  keys.insert(keys.end(), std::begin(kVerifyKeys), std::end(kVerifyKeys));
  keys.insert(keys.end(), std::begin(kWhichKeys), std::end(kWhichKeys));
  keys.insert(keys.end(), std::begin(kOwnerKeys), std::end(kOwnerKeys));
  keys.insert(keys.end(), std::begin(kHelloKeys), std::end(kHelloKeys));
  return keys;
}

}  // namespace

const std::vector<TKnownKey>& KnownKeys() {
  static const std::vector<TKnownKey> keys = MakeKnownKeys();
  return keys;
}

const TKnownKey* FindKnownKey(std::u16string_view section, std::u16string_view key) {
  for (const TKnownKey& known : KnownKeys()) {
    if (known.section == section && known.key == key) {
      return &known;
    }
  }
  return nullptr;
}

}  // namespace dactyra::language_test
