#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/text_source.h"
#include "biometric/winbio_types.h"

namespace dactyra {

// Every text the program shows about the biometric service, each written once: the messages of
// result codes and the hints after a poor capture (section "errorcode"), the default names of
// the fingers ("fingers") and the fallbacks of the log ("log").

// The single texts; the rows of the codes, the hints and the finger names below are tables of
// their own, and the composed name stands apart.
#define DACTYRA_SERVICE_TEXTS(TEXT)                                                            \
  /* The message of every code that says the service cannot be reached, or no longer knows the \
     session: it was stopped or restarted. */                                                  \
  TEXT(kServiceGoneMessage, u"errorcode", u"service_gone",                                     \
       u"The Windows Biometric Service is not running or was restarted; try again.")           \
  /* A code without a row (success included); %s: the code in eight hexadecimal digits. */     \
  TEXT(kUnknownErrorLine, u"log", u"unknown_error", u"[Unknown error] (0x%s)")                 \
  /* Any other reject detail; %s: the detail in eight hexadecimal digits. */                   \
  TEXT(kUnknownRejectHint, u"errorcode", u"reject_unknown", u"Capture failed (Detail=0x%s)")   \
  /* A user name that cannot be read. */                                                       \
  TEXT(kUnknownUserName, u"log", u"unknown", u"(Unknown)")                                     \
  /* A SID that cannot be converted to its text. */                                            \
  TEXT(kSidNotConverted, u"log", u"conversion_failed", u"(Conversion failed)")
DACTYRA_TEXT_TABLE(kServiceTexts, DACTYRA_SERVICE_TEXTS);

// ---- Result codes ----------------------------------------------------------------------------

// A result code the program knows: its name and its message, keyed by the code's eight
// hexadecimal digits (or, for the generic codes, by the name).
struct TErrorCodeRow {
  HRESULT code;
  std::u16string_view name;
  TranslatableText message;
};

// In lookup order; a code that has no row takes kUnknownErrorLine.
inline constexpr std::array<TErrorCodeRow, 63> kErrorCodeRows{{
    {WINBIO_I_MORE_DATA,
     u"WINBIO_I_MORE_DATA",
     {u"errorcode", u"00090001", u"Another sample is needed for the current enrollment template."}},
    {WINBIO_E_UNSUPPORTED_FACTOR,
     u"WINBIO_E_UNSUPPORTED_FACTOR",
     {u"errorcode", u"80098001", u"The specified biometric factor is not supported."}},
    {WINBIO_E_INVALID_UNIT,
     u"WINBIO_E_INVALID_UNIT",
     {u"errorcode", u"80098002",
      u"The unit ID number does not correspond to a valid biometric device."}},
    {WINBIO_E_UNKNOWN_ID,
     u"WINBIO_E_UNKNOWN_ID",
     {u"errorcode", u"80098003", u"The biometric sample does not match any known identity."}},
    {WINBIO_E_CANCELED,
     u"WINBIO_E_CANCELED",
     {u"errorcode", u"80098004",
      u"The biometric operation was canceled before it could complete."}},
    {WINBIO_E_NO_MATCH,
     u"WINBIO_E_NO_MATCH",
     {u"errorcode", u"80098005",
      u"The biometric sample does not match the specified identity or sub-factor."}},
    {WINBIO_E_CAPTURE_ABORTED,
     u"WINBIO_E_CAPTURE_ABORTED",
     {u"errorcode", u"80098006",
      u"A biometric sample could not be captured because the capture operation was aborted."}},
    {WINBIO_E_ENROLLMENT_IN_PROGRESS,
     u"WINBIO_E_ENROLLMENT_IN_PROGRESS",
     {u"errorcode", u"80098007",
      u"An enrollment transaction could not be started because another enrollment is already in "
      u"progress."}},
    {WINBIO_E_BAD_CAPTURE,
     u"WINBIO_E_BAD_CAPTURE",
     {u"errorcode", u"80098008",
      u"The captured sample cannot be used for further biometric operations."}},
    {WINBIO_E_INVALID_CONTROL_CODE,
     u"WINBIO_E_INVALID_CONTROL_CODE",
     {u"errorcode", u"80098009",
      u"The biometric unit does not support the specified unit control code."}},
    {WINBIO_E_DATA_COLLECTION_IN_PROGRESS,
     u"WINBIO_E_DATA_COLLECTION_IN_PROGRESS",
     {u"errorcode", u"8009800B", u"A pending data collection operation is already in progress."}},
    {WINBIO_E_UNSUPPORTED_DATA_FORMAT,
     u"WINBIO_E_UNSUPPORTED_DATA_FORMAT",
     {u"errorcode", u"8009800C",
      u"The biometric sensor driver does not support the requested data format."}},
    {WINBIO_E_UNSUPPORTED_DATA_TYPE,
     u"WINBIO_E_UNSUPPORTED_DATA_TYPE",
     {u"errorcode", u"8009800D",
      u"The biometric sensor driver does not support the requested data type."}},
    {WINBIO_E_UNSUPPORTED_PURPOSE,
     u"WINBIO_E_UNSUPPORTED_PURPOSE",
     {u"errorcode", u"8009800E",
      u"The biometric sensor driver does not support the requested data purpose."}},
    {WINBIO_E_INVALID_DEVICE_STATE,
     u"WINBIO_E_INVALID_DEVICE_STATE",
     {u"errorcode", u"8009800F",
      u"The biometric unit is not in the proper state to perform the specified operation."}},
    {WINBIO_E_DEVICE_BUSY,
     u"WINBIO_E_DEVICE_BUSY",
     {u"errorcode", u"80098010",
      u"The operation could not be performed because the sensor device was busy."}},
    {WINBIO_E_DATABASE_CANT_CREATE,
     u"WINBIO_E_DATABASE_CANT_CREATE",
     {u"errorcode", u"80098011", u"The storage adapter was not able to create a new database."}},
    {WINBIO_E_DATABASE_CANT_OPEN,
     u"WINBIO_E_DATABASE_CANT_OPEN",
     {u"errorcode", u"80098012",
      u"The storage adapter was not able to open an existing database."}},
    {WINBIO_E_DATABASE_CANT_CLOSE,
     u"WINBIO_E_DATABASE_CANT_CLOSE",
     {u"errorcode", u"80098013", u"The storage adapter was not able to close a database."}},
    {WINBIO_E_DATABASE_CANT_ERASE,
     u"WINBIO_E_DATABASE_CANT_ERASE",
     {u"errorcode", u"80098014", u"The storage adapter was not able to erase a database."}},
    {WINBIO_E_DATABASE_CANT_FIND,
     u"WINBIO_E_DATABASE_CANT_FIND",
     {u"errorcode", u"80098015", u"The storage adapter was not able to find a database."}},
    {WINBIO_E_DATABASE_ALREADY_EXISTS,
     u"WINBIO_E_DATABASE_ALREADY_EXISTS",
     {u"errorcode", u"80098016",
      u"The storage adapter was not able to create a database because the specified database "
      u"already exists."}},
    {WINBIO_E_DATABASE_FULL,
     u"WINBIO_E_DATABASE_FULL",
     {u"errorcode", u"80098018",
      u"The storage adapter was not able to add a record to the database because the database is "
      u"full."}},
    {WINBIO_E_DATABASE_LOCKED,
     u"WINBIO_E_DATABASE_LOCKED",
     {u"errorcode", u"80098019", u"The database is locked and its contents are inaccessible."}},
    {WINBIO_E_DATABASE_CORRUPTED,
     u"WINBIO_E_DATABASE_CORRUPTED",
     {u"errorcode", u"8009801A",
      u"The contents of the database have become corrupted and are inaccessible."}},
    {WINBIO_E_DATABASE_NO_SUCH_RECORD,
     u"WINBIO_E_DATABASE_NO_SUCH_RECORD",
     {u"errorcode", u"8009801B",
      u"No records were deleted because the specified identity and sub-factor are not present in "
      u"the database."}},
    {WINBIO_E_DUPLICATE_ENROLLMENT,
     u"WINBIO_E_DUPLICATE_ENROLLMENT",
     {u"errorcode", u"8009801C",
      u"The specified identity and sub-factor are already enrolled in the database."}},
    {WINBIO_E_DATABASE_READ_ERROR,
     u"WINBIO_E_DATABASE_READ_ERROR",
     {u"errorcode", u"8009801D", u"An error occurred while trying to read from the database."}},
    {WINBIO_E_DATABASE_WRITE_ERROR,
     u"WINBIO_E_DATABASE_WRITE_ERROR",
     {u"errorcode", u"8009801E", u"An error occurred while trying to write to the database."}},
    {WINBIO_E_DATABASE_NO_RESULTS,
     u"WINBIO_E_DATABASE_NO_RESULTS",
     {u"errorcode", u"8009801F", u"No records in the database matched the query."}},
    {WINBIO_E_DATABASE_NO_MORE_RECORDS,
     u"WINBIO_E_DATABASE_NO_MORE_RECORDS",
     {u"errorcode", u"80098020",
      u"All records from the most recent database query have been retrieved."}},
    {WINBIO_E_DATABASE_EOF,
     u"WINBIO_E_DATABASE_EOF",
     {u"errorcode", u"80098021",
      u"A database operation unexpectedly encountered the end of the file."}},
    {WINBIO_E_DATABASE_BAD_INDEX_VECTOR,
     u"WINBIO_E_DATABASE_BAD_INDEX_VECTOR",
     {u"errorcode", u"80098022", u"A database operation failed due to a malformed index vector."}},
    {WINBIO_E_INCORRECT_BSP,
     u"WINBIO_E_INCORRECT_BSP",
     {u"errorcode", u"80098024",
      u"The biometric unit does not belong to the specified service provider."}},
    {WINBIO_E_INCORRECT_SENSOR_POOL,
     u"WINBIO_E_INCORRECT_SENSOR_POOL",
     {u"errorcode", u"80098025",
      u"The biometric unit does not belong to the specified sensor pool."}},
    {WINBIO_E_NO_CAPTURE_DATA,
     u"WINBIO_E_NO_CAPTURE_DATA",
     {u"errorcode", u"80098026", u"The sensor adapter capture buffer is empty."}},
    {WINBIO_E_INVALID_SENSOR_MODE,
     u"WINBIO_E_INVALID_SENSOR_MODE",
     {u"errorcode", u"80098027",
      u"The sensor adapter does not support the sensor mode specified in the configuration."}},
    {WINBIO_E_LOCK_VIOLATION,
     u"WINBIO_E_LOCK_VIOLATION",
     {u"errorcode", u"8009802A",
      u"The requested operation cannot be performed due to a locking conflict."}},
    {WINBIO_E_DUPLICATE_TEMPLATE,
     u"WINBIO_E_DUPLICATE_TEMPLATE",
     {u"errorcode", u"8009802B",
      u"The data in a biometric template matches that of another template already in the "
      u"database."}},
    {WINBIO_E_INVALID_OPERATION,
     u"WINBIO_E_INVALID_OPERATION",
     {u"errorcode", u"8009802C",
      u"The requested operation is not valid for the current state of the session or the biometric "
      u"unit."}},
    {WINBIO_E_SESSION_BUSY,
     u"WINBIO_E_SESSION_BUSY",
     {u"errorcode", u"8009802D",
      u"The session cannot begin a new operation because another operation is already in "
      u"progress."}},
    {WINBIO_E_CRED_PROV_DISABLED,
     u"WINBIO_E_CRED_PROV_DISABLED",
     {u"errorcode", u"80098030",
      u"System policy settings have disabled the biometric credential provider."}},
    {WINBIO_E_CRED_PROV_NO_CREDENTIAL,
     u"WINBIO_E_CRED_PROV_NO_CREDENTIAL",
     {u"errorcode", u"80098031", u"The requested credential was not found."}},
    {WINBIO_E_DISABLED,
     u"WINBIO_E_DISABLED",
     {u"errorcode", u"80098032", u"System policy settings have disabled the biometric service."}},
    {WINBIO_E_CONFIGURATION_FAILURE,
     u"WINBIO_E_CONFIGURATION_FAILURE",
     {u"errorcode", u"80098033", u"The biometric unit could not be configured."}},
    {WINBIO_E_SENSOR_UNAVAILABLE,
     u"WINBIO_E_SENSOR_UNAVAILABLE",
     {u"errorcode", u"80098034",
      u"A private pool cannot be created because one or more biometric units are not available."}},
    {WINBIO_E_SAS_ENABLED,
     u"WINBIO_E_SAS_ENABLED",
     {u"errorcode", u"80098035",
      u"A secure attention sequence (CTRL-ALT-DELETE) is required for logon."}},
    {WINBIO_E_DEVICE_FAILURE,
     u"WINBIO_E_DEVICE_FAILURE",
     {u"errorcode", u"80098036", u"A biometric sensor has failed."}},
    {WINBIO_E_FAST_USER_SWITCH_DISABLED,
     u"WINBIO_E_FAST_USER_SWITCH_DISABLED",
     {u"errorcode", u"80098037", u"Fast user switching is disabled."}},
    {WINBIO_E_NOT_ACTIVE_CONSOLE,
     u"WINBIO_E_NOT_ACTIVE_CONSOLE",
     {u"errorcode", u"80098038",
      u"The System sensor pool cannot be opened from Terminal Server client sessions."}},
    {WINBIO_E_EVENT_MONITOR_ACTIVE,
     u"WINBIO_E_EVENT_MONITOR_ACTIVE",
     {u"errorcode", u"80098039",
      u"There is already an active event monitor associated with the specified session."}},
    {WINBIO_E_INVALID_PROPERTY_TYPE,
     u"WINBIO_E_INVALID_PROPERTY_TYPE",
     {u"errorcode", u"8009803A", u"The value specified is not a valid property type."}},
    {WINBIO_E_INVALID_PROPERTY_ID,
     u"WINBIO_E_INVALID_PROPERTY_ID",
     {u"errorcode", u"8009803B", u"The value specified is not a valid property ID"}},
    {WINBIO_E_UNSUPPORTED_PROPERTY,
     u"WINBIO_E_UNSUPPORTED_PROPERTY",
     {u"errorcode", u"8009803C", u"The biometric unit does not support the specified property."}},
    {WINBIO_E_ADAPTER_INTEGRITY_FAILURE,
     u"WINBIO_E_ADAPTER_INTEGRITY_FAILURE",
     {u"errorcode", u"8009803D", u"The adapter did not pass its integrity check."}},
    {E_POINTER, u"E_POINTER", {u"errorcode", u"E_POINTER", u"Null pointer error"}},
    {E_ACCESSDENIED, u"E_ACCESSDENIED", {u"errorcode", u"E_ACCESSDENIED", u"Access denied"}},
    {E_INVALIDARG, u"E_INVALIDARG", {u"errorcode", u"E_INVALIDARG", u"Invalid parameter"}},
    {E_HANDLE, u"E_HANDLE", kServiceGoneMessage},
    {kRpcServerUnavailable, u"RPC_S_SERVER_UNAVAILABLE", kServiceGoneMessage},
    {kRpcCallFailed, u"RPC_S_CALL_FAILED", kServiceGoneMessage},
    {kRpcCallFailedDidNotExecute, u"RPC_S_CALL_FAILED_DNE", kServiceGoneMessage},
    {kRpcDisconnected, u"RPC_E_DISCONNECTED", kServiceGoneMessage},
}};

// ---- Poor captures ---------------------------------------------------------------------------

// The hint for one reason a fingerprint capture is rejected.
struct TRejectRow {
  WINBIO_REJECT_DETAIL detail;
  TranslatableText hint;
};

// WINBIO_FP_TOO_HIGH ... WINBIO_FP_MERGE_FAILURE, one number each, and 0 when the sensor gives
// none.
inline constexpr std::array<TRejectRow, 11> kRejectRows{{
    {0x00000001,
     {u"errorcode", u"00000001", u"Finger too high on the sensor: move it down a little."}},
    {0x00000002,
     {u"errorcode", u"00000002", u"Finger too low on the sensor: move it up a little."}},
    {0x00000003, {u"errorcode", u"00000003", u"Finger too far to the left: move it to the right."}},
    {0x00000004, {u"errorcode", u"00000004", u"Finger too far to the right: move it to the left."}},
    {0x00000005, {u"errorcode", u"00000005", u"Finger moved too fast"}},
    {0x00000006, {u"errorcode", u"00000006", u"Finger movement too slow"}},
    {0x00000007,
     {u"errorcode", u"00000007", u"Poor image quality, please clean the sensor or your finger."}},
    {0x00000008,
     {u"errorcode", u"00000008", u"Finger tilted: place it flat and straight on the sensor."}},
    {0x00000009, {u"errorcode", u"00000009", u"Finger placement time is too short"}},
    {0x0000000A,
     {u"errorcode", u"0000000A", u"The samples could not be merged: please try again."}},
    {0x00000000, {u"errorcode", u"00000000", u"Poor data acquisition quality (reason unknown)"}},
}};

// ---- Fingers ---------------------------------------------------------------------------------

// The default names of the fingers, keyed by the sub-factor's two lower-case hexadecimal digits:
// the ANSI 381 positions 1 to 10, then the ten unspecified positions 0xF5 to 0xFE.
inline constexpr std::array<TranslatableText, 20> kFingerNames{{
    {u"fingers", u"01", u"right thumb"},         {u"fingers", u"02", u"right index finger"},
    {u"fingers", u"03", u"right middle finger"}, {u"fingers", u"04", u"right ring finger"},
    {u"fingers", u"05", u"right little finger"}, {u"fingers", u"06", u"left thumb"},
    {u"fingers", u"07", u"left index finger"},   {u"fingers", u"08", u"left middle finger"},
    {u"fingers", u"09", u"left ring finger"},    {u"fingers", u"0a", u"left little finger"},
    {u"fingers", u"f5", u"fingerprint #1"},      {u"fingers", u"f6", u"fingerprint #2"},
    {u"fingers", u"f7", u"fingerprint #3"},      {u"fingers", u"f8", u"fingerprint #4"},
    {u"fingers", u"f9", u"fingerprint #5"},      {u"fingers", u"fa", u"fingerprint #6"},
    {u"fingers", u"fb", u"fingerprint #7"},      {u"fingers", u"fc", u"fingerprint #8"},
    {u"fingers", u"fd", u"fingerprint #9"},      {u"fingers", u"fe", u"fingerprint #10"},
}};

// A text composed at run time: the built-in is `start`'s English followed by a value, and a
// translation replaces all of it, value included.
struct TComposedText {
  TranslatableText start;

  std::u16string Get(const TextSource& texts, std::u16string_view value) const {
    return texts.GetLangStr(start.section, start.key,
                            std::u16string(start.english) + std::u16string(value));
  }
};

// Any other finger: "unknown：0x" and its two upper-case hexadecimal digits.
inline constexpr TComposedText kUnknownFingerName{
    {u"fingers", u"fingerprint_unknown", u"unknown\uFF1A0x"}};

}  // namespace dactyra
