#include <array>
#include <string_view>

#include "base/format.h"
#include "base/hex.h"
#include "biometric/winbio_texts.h"

namespace dactyra {
namespace {

// How a row's message is found in section "errorcode": by the code's eight hexadecimal digits,
// by the code's name (the generic codes), or under the one key that every code of a service
// that is gone shares.
enum class KeyKind { kByCode, kByName, kServiceGone };

constexpr std::u16string_view kServiceGoneKey = u"service_gone";
constexpr std::u16string_view kServiceGoneText =
    u"The Windows Biometric Service is not running or was restarted; try again.";

struct ErrorRow {
  HRESULT code;
  std::u16string_view name;
  KeyKind key_kind;
  std::u16string_view message;
};

// In lookup order; a code that has no row takes the unknown-error line.
constexpr std::array<ErrorRow, 63> kErrorRows{{
    {WINBIO_I_MORE_DATA, u"WINBIO_I_MORE_DATA", KeyKind::kByCode,
     u"Another sample is needed for the current enrollment template."},
    {WINBIO_E_UNSUPPORTED_FACTOR, u"WINBIO_E_UNSUPPORTED_FACTOR", KeyKind::kByCode,
     u"The specified biometric factor is not supported."},
    {WINBIO_E_INVALID_UNIT, u"WINBIO_E_INVALID_UNIT", KeyKind::kByCode,
     u"The unit ID number does not correspond to a valid biometric device."},
    {WINBIO_E_UNKNOWN_ID, u"WINBIO_E_UNKNOWN_ID", KeyKind::kByCode,
     u"The biometric sample does not match any known identity."},
    {WINBIO_E_CANCELED, u"WINBIO_E_CANCELED", KeyKind::kByCode,
     u"The biometric operation was canceled before it could complete."},
    {WINBIO_E_NO_MATCH, u"WINBIO_E_NO_MATCH", KeyKind::kByCode,
     u"The biometric sample does not match the specified identity or sub-factor."},
    {WINBIO_E_CAPTURE_ABORTED, u"WINBIO_E_CAPTURE_ABORTED", KeyKind::kByCode,
     u"A biometric sample could not be captured because the capture operation was aborted."},
    {WINBIO_E_ENROLLMENT_IN_PROGRESS, u"WINBIO_E_ENROLLMENT_IN_PROGRESS", KeyKind::kByCode,
     u"An enrollment transaction could not be started because another enrollment is already in "
     u"progress."},
    {WINBIO_E_BAD_CAPTURE, u"WINBIO_E_BAD_CAPTURE", KeyKind::kByCode,
     u"The captured sample cannot be used for further biometric operations."},
    {WINBIO_E_INVALID_CONTROL_CODE, u"WINBIO_E_INVALID_CONTROL_CODE", KeyKind::kByCode,
     u"The biometric unit does not support the specified unit control code."},
    {WINBIO_E_DATA_COLLECTION_IN_PROGRESS, u"WINBIO_E_DATA_COLLECTION_IN_PROGRESS",
     KeyKind::kByCode, u"A pending data collection operation is already in progress."},
    {WINBIO_E_UNSUPPORTED_DATA_FORMAT, u"WINBIO_E_UNSUPPORTED_DATA_FORMAT", KeyKind::kByCode,
     u"The biometric sensor driver does not support the requested data format."},
    {WINBIO_E_UNSUPPORTED_DATA_TYPE, u"WINBIO_E_UNSUPPORTED_DATA_TYPE", KeyKind::kByCode,
     u"The biometric sensor driver does not support the requested data type."},
    {WINBIO_E_UNSUPPORTED_PURPOSE, u"WINBIO_E_UNSUPPORTED_PURPOSE", KeyKind::kByCode,
     u"The biometric sensor driver does not support the requested data purpose."},
    {WINBIO_E_INVALID_DEVICE_STATE, u"WINBIO_E_INVALID_DEVICE_STATE", KeyKind::kByCode,
     u"The biometric unit is not in the proper state to perform the specified operation."},
    {WINBIO_E_DEVICE_BUSY, u"WINBIO_E_DEVICE_BUSY", KeyKind::kByCode,
     u"The operation could not be performed because the sensor device was busy."},
    {WINBIO_E_DATABASE_CANT_CREATE, u"WINBIO_E_DATABASE_CANT_CREATE", KeyKind::kByCode,
     u"The storage adapter was not able to create a new database."},
    {WINBIO_E_DATABASE_CANT_OPEN, u"WINBIO_E_DATABASE_CANT_OPEN", KeyKind::kByCode,
     u"The storage adapter was not able to open an existing database."},
    {WINBIO_E_DATABASE_CANT_CLOSE, u"WINBIO_E_DATABASE_CANT_CLOSE", KeyKind::kByCode,
     u"The storage adapter was not able to close a database."},
    {WINBIO_E_DATABASE_CANT_ERASE, u"WINBIO_E_DATABASE_CANT_ERASE", KeyKind::kByCode,
     u"The storage adapter was not able to erase a database."},
    {WINBIO_E_DATABASE_CANT_FIND, u"WINBIO_E_DATABASE_CANT_FIND", KeyKind::kByCode,
     u"The storage adapter was not able to find a database."},
    {WINBIO_E_DATABASE_ALREADY_EXISTS, u"WINBIO_E_DATABASE_ALREADY_EXISTS", KeyKind::kByCode,
     u"The storage adapter was not able to create a database because the specified database "
     u"already exists."},
    {WINBIO_E_DATABASE_FULL, u"WINBIO_E_DATABASE_FULL", KeyKind::kByCode,
     u"The storage adapter was not able to add a record to the database because the database is "
     u"full."},
    {WINBIO_E_DATABASE_LOCKED, u"WINBIO_E_DATABASE_LOCKED", KeyKind::kByCode,
     u"The database is locked and its contents are inaccessible."},
    {WINBIO_E_DATABASE_CORRUPTED, u"WINBIO_E_DATABASE_CORRUPTED", KeyKind::kByCode,
     u"The contents of the database have become corrupted and are inaccessible."},
    {WINBIO_E_DATABASE_NO_SUCH_RECORD, u"WINBIO_E_DATABASE_NO_SUCH_RECORD", KeyKind::kByCode,
     u"No records were deleted because the specified identity and sub-factor are not present in "
     u"the database."},
    {WINBIO_E_DUPLICATE_ENROLLMENT, u"WINBIO_E_DUPLICATE_ENROLLMENT", KeyKind::kByCode,
     u"The specified identity and sub-factor are already enrolled in the database."},
    {WINBIO_E_DATABASE_READ_ERROR, u"WINBIO_E_DATABASE_READ_ERROR", KeyKind::kByCode,
     u"An error occurred while trying to read from the database."},
    {WINBIO_E_DATABASE_WRITE_ERROR, u"WINBIO_E_DATABASE_WRITE_ERROR", KeyKind::kByCode,
     u"An error occurred while trying to write to the database."},
    {WINBIO_E_DATABASE_NO_RESULTS, u"WINBIO_E_DATABASE_NO_RESULTS", KeyKind::kByCode,
     u"No records in the database matched the query."},
    {WINBIO_E_DATABASE_NO_MORE_RECORDS, u"WINBIO_E_DATABASE_NO_MORE_RECORDS", KeyKind::kByCode,
     u"All records from the most recent database query have been retrieved."},
    {WINBIO_E_DATABASE_EOF, u"WINBIO_E_DATABASE_EOF", KeyKind::kByCode,
     u"A database operation unexpectedly encountered the end of the file."},
    {WINBIO_E_DATABASE_BAD_INDEX_VECTOR, u"WINBIO_E_DATABASE_BAD_INDEX_VECTOR", KeyKind::kByCode,
     u"A database operation failed due to a malformed index vector."},
    {WINBIO_E_INCORRECT_BSP, u"WINBIO_E_INCORRECT_BSP", KeyKind::kByCode,
     u"The biometric unit does not belong to the specified service provider."},
    {WINBIO_E_INCORRECT_SENSOR_POOL, u"WINBIO_E_INCORRECT_SENSOR_POOL", KeyKind::kByCode,
     u"The biometric unit does not belong to the specified sensor pool."},
    {WINBIO_E_NO_CAPTURE_DATA, u"WINBIO_E_NO_CAPTURE_DATA", KeyKind::kByCode,
     u"The sensor adapter capture buffer is empty."},
    {WINBIO_E_INVALID_SENSOR_MODE, u"WINBIO_E_INVALID_SENSOR_MODE", KeyKind::kByCode,
     u"The sensor adapter does not support the sensor mode specified in the configuration."},
    {WINBIO_E_LOCK_VIOLATION, u"WINBIO_E_LOCK_VIOLATION", KeyKind::kByCode,
     u"The requested operation cannot be performed due to a locking conflict."},
    {WINBIO_E_DUPLICATE_TEMPLATE, u"WINBIO_E_DUPLICATE_TEMPLATE", KeyKind::kByCode,
     u"The data in a biometric template matches that of another template already in the database."},
    {WINBIO_E_INVALID_OPERATION, u"WINBIO_E_INVALID_OPERATION", KeyKind::kByCode,
     u"The requested operation is not valid for the current state of the session or the biometric "
     u"unit."},
    {WINBIO_E_SESSION_BUSY, u"WINBIO_E_SESSION_BUSY", KeyKind::kByCode,
     u"The session cannot begin a new operation because another operation is already in progress."},
    {WINBIO_E_CRED_PROV_DISABLED, u"WINBIO_E_CRED_PROV_DISABLED", KeyKind::kByCode,
     u"System policy settings have disabled the biometric credential provider."},
    {WINBIO_E_CRED_PROV_NO_CREDENTIAL, u"WINBIO_E_CRED_PROV_NO_CREDENTIAL", KeyKind::kByCode,
     u"The requested credential was not found."},
    {WINBIO_E_DISABLED, u"WINBIO_E_DISABLED", KeyKind::kByCode,
     u"System policy settings have disabled the biometric service."},
    {WINBIO_E_CONFIGURATION_FAILURE, u"WINBIO_E_CONFIGURATION_FAILURE", KeyKind::kByCode,
     u"The biometric unit could not be configured."},
    {WINBIO_E_SENSOR_UNAVAILABLE, u"WINBIO_E_SENSOR_UNAVAILABLE", KeyKind::kByCode,
     u"A private pool cannot be created because one or more biometric units are not available."},
    {WINBIO_E_SAS_ENABLED, u"WINBIO_E_SAS_ENABLED", KeyKind::kByCode,
     u"A secure attention sequence (CTRL-ALT-DELETE) is required for logon."},
    {WINBIO_E_DEVICE_FAILURE, u"WINBIO_E_DEVICE_FAILURE", KeyKind::kByCode,
     u"A biometric sensor has failed."},
    {WINBIO_E_FAST_USER_SWITCH_DISABLED, u"WINBIO_E_FAST_USER_SWITCH_DISABLED", KeyKind::kByCode,
     u"Fast user switching is disabled."},
    {WINBIO_E_NOT_ACTIVE_CONSOLE, u"WINBIO_E_NOT_ACTIVE_CONSOLE", KeyKind::kByCode,
     u"The System sensor pool cannot be opened from Terminal Server client sessions."},
    {WINBIO_E_EVENT_MONITOR_ACTIVE, u"WINBIO_E_EVENT_MONITOR_ACTIVE", KeyKind::kByCode,
     u"There is already an active event monitor associated with the specified session."},
    {WINBIO_E_INVALID_PROPERTY_TYPE, u"WINBIO_E_INVALID_PROPERTY_TYPE", KeyKind::kByCode,
     u"The value specified is not a valid property type."},
    {WINBIO_E_INVALID_PROPERTY_ID, u"WINBIO_E_INVALID_PROPERTY_ID", KeyKind::kByCode,
     u"The value specified is not a valid property ID"},
    {WINBIO_E_UNSUPPORTED_PROPERTY, u"WINBIO_E_UNSUPPORTED_PROPERTY", KeyKind::kByCode,
     u"The biometric unit does not support the specified property."},
    {WINBIO_E_ADAPTER_INTEGRITY_FAILURE, u"WINBIO_E_ADAPTER_INTEGRITY_FAILURE", KeyKind::kByCode,
     u"The adapter did not pass its integrity check."},
    {E_POINTER, u"E_POINTER", KeyKind::kByName, u"Null pointer error"},
    {E_ACCESSDENIED, u"E_ACCESSDENIED", KeyKind::kByName, u"Access denied"},
    {E_INVALIDARG, u"E_INVALIDARG", KeyKind::kByName, u"Invalid parameter"},
    {E_HANDLE, u"E_HANDLE", KeyKind::kServiceGone, kServiceGoneText},
    {kRpcServerUnavailable, u"RPC_S_SERVER_UNAVAILABLE", KeyKind::kServiceGone, kServiceGoneText},
    {kRpcCallFailed, u"RPC_S_CALL_FAILED", KeyKind::kServiceGone, kServiceGoneText},
    {kRpcCallFailedDidNotExecute, u"RPC_S_CALL_FAILED_DNE", KeyKind::kServiceGone,
     kServiceGoneText},
    {kRpcDisconnected, u"RPC_E_DISCONNECTED", KeyKind::kServiceGone, kServiceGoneText},
}};

}  // namespace

std::u16string WinBioErrorText(HRESULT code, const TextSource& texts) {
  const std::u16string digits = Hex8(static_cast<std::uint32_t>(code));
  for (const ErrorRow& row : kErrorRows) {
    if (row.code != code) {
      continue;
    }
    std::u16string key = digits;
    if (row.key_kind == KeyKind::kByName) {
      key = row.name;
    } else if (row.key_kind == KeyKind::kServiceGone) {
      key = kServiceGoneKey;
    }
    // The message, translated or not, is an argument: it is never used as a format.
    const std::u16string message = texts.GetLangStr(u"errorcode", key, row.message);
    return Format(u"[%s] %s (0x%s)", row.name, message, digits);
  }
  return Format(texts.GetLangStr(u"log", u"unknown_error", u"[Unknown error] (0x%s)"), digits);
}

}  // namespace dactyra
