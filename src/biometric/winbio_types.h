#pragma once

// The records, constants and function types that cross the boundary to the biometric service
// (winbio.dll). Layouts are the service's own; they compile the same on Windows and Linux, so
// portable code and the simulated service share them. No <windows.h> here: the plain types the
// service uses are defined below.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "biometric/recognition.h"

// The calling convention of the service's exports. On x64 Windows __stdcall is the one and only
// convention, but it is spelled out so that the types stay right for any Windows target.
#if defined(_WIN32)
#define DACTYRA_WINBIO_API __stdcall
#else
#define DACTYRA_WINBIO_API
#endif

// S_OK and the generic failures are macros of the Windows SDK (<winerror.h>, which needs nothing
// else). On Windows they are always those macros, whatever was included before; elsewhere they
// are the constants below, with the same values. Code writes them unqualified.
#if defined(_WIN32)
#include <winerror.h>
#endif

namespace dactyra {

// ---- Plain types of the service --------------------------------------------------------------

using HRESULT = std::int32_t;
using WINBIO_UNIT_ID = std::uint32_t;
using WINBIO_SESSION_HANDLE = std::uint32_t;
using WINBIO_BIOMETRIC_TYPE = std::uint32_t;
using WINBIO_POOL_TYPE = std::uint32_t;
using WINBIO_SESSION_FLAGS = std::uint32_t;
using WINBIO_BIOMETRIC_SUBTYPE = std::uint8_t;  // a finger sub-factor
using WINBIO_REJECT_DETAIL = std::uint32_t;
using WINBIO_BOOLEAN = std::uint8_t;  // non-zero = true
using WINBIO_SETTING_SOURCE_TYPE = std::uint32_t;
using WINBIO_CAPABILITIES = std::uint32_t;

// A result fails when its sign bit is set.
constexpr bool Failed(HRESULT result) {
  return result < 0;
}
constexpr bool Succeeded(HRESULT result) {
  return result >= 0;
}

// ---- Constants ------------------------------------------------------------------------------

inline constexpr WINBIO_BIOMETRIC_TYPE WINBIO_TYPE_FINGERPRINT = 8;
inline constexpr WINBIO_POOL_TYPE WINBIO_POOL_SYSTEM = 1;
inline constexpr WINBIO_POOL_TYPE WINBIO_POOL_PRIVATE = 2;
inline constexpr WINBIO_POOL_TYPE WINBIO_POOL_UNASSIGNED = 3;
inline constexpr WINBIO_SESSION_FLAGS WINBIO_FLAG_DEFAULT = 0;
inline constexpr std::uint32_t WINBIO_ID_TYPE_SID = 3;
inline constexpr std::size_t kSecurityMaxSidSize = 68;  // SECURITY_MAX_SID_SIZE

// Who decided a sign-in setting: nobody (DEFAULT), the organisation's Group Policy (POLICY) or
// this computer's own setting (LOCAL); INVALID when the service cannot say.
inline constexpr WINBIO_SETTING_SOURCE_TYPE WINBIO_SETTING_SOURCE_INVALID = 0;
inline constexpr WINBIO_SETTING_SOURCE_TYPE WINBIO_SETTING_SOURCE_DEFAULT = 1;
inline constexpr WINBIO_SETTING_SOURCE_TYPE WINBIO_SETTING_SOURCE_POLICY = 2;
inline constexpr WINBIO_SETTING_SOURCE_TYPE WINBIO_SETTING_SOURCE_LOCAL = 3;

// A fingerprint sensor's kind (the unit's SensorSubType).
inline constexpr std::uint32_t WINBIO_FP_SENSOR_SUBTYPE_UNKNOWN = 0;
inline constexpr std::uint32_t WINBIO_FP_SENSOR_SUBTYPE_SWIPE = 1;
inline constexpr std::uint32_t WINBIO_FP_SENSOR_SUBTYPE_TOUCH = 2;

// What a unit can do (bits of the unit's Capabilities).
inline constexpr WINBIO_CAPABILITIES WINBIO_CAPABILITY_SENSOR = 0x1;
inline constexpr WINBIO_CAPABILITIES WINBIO_CAPABILITY_MATCHING = 0x2;
inline constexpr WINBIO_CAPABILITIES WINBIO_CAPABILITY_DATABASE = 0x4;
inline constexpr WINBIO_CAPABILITIES WINBIO_CAPABILITY_PROCESSING = 0x8;
inline constexpr WINBIO_CAPABILITIES WINBIO_CAPABILITY_ENCRYPTION = 0x10;
inline constexpr WINBIO_CAPABILITIES WINBIO_CAPABILITY_NAVIGATION = 0x20;
inline constexpr WINBIO_CAPABILITIES WINBIO_CAPABILITY_INDICATOR = 0x40;
inline constexpr WINBIO_CAPABILITIES WINBIO_CAPABILITY_VIRTUAL_SENSOR = 0x80;
inline constexpr WINBIO_CAPABILITIES WINBIO_CAPABILITY_SECURE_SENSOR = 0x100;
inline constexpr WINBIO_CAPABILITIES WINBIO_CAPABILITY_SCP_V1 = 0x200;
inline constexpr WINBIO_CAPABILITIES WINBIO_CAPABILITY_WAKE = 0x400;

// Finger positions: the ten ANSI 381 positions and the ten unspecified ones this program
// enrolls into.
inline constexpr WINBIO_BIOMETRIC_SUBTYPE WINBIO_ANSI_381_POS_RH_THUMB = 1;
inline constexpr WINBIO_BIOMETRIC_SUBTYPE WINBIO_ANSI_381_POS_LH_LITTLE_FINGER = 10;
inline constexpr WINBIO_BIOMETRIC_SUBTYPE WINBIO_FINGER_UNSPECIFIED_POS_01 = 0xF5;
inline constexpr WINBIO_BIOMETRIC_SUBTYPE WINBIO_FINGER_UNSPECIFIED_POS_10 = 0xFE;

// ---- Result codes ---------------------------------------------------------------------------

#if !defined(_WIN32)
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
inline constexpr HRESULT E_ACCESSDENIED = static_cast<HRESULT>(0x80070005u);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
inline constexpr HRESULT E_HANDLE = static_cast<HRESULT>(0x80070006u);
#endif

// What a call gets when the service is stopped, restarting or went away during the call: the
// remote procedure call to it fails (HRESULT_FROM_WIN32 of RPC_S_SERVER_UNAVAILABLE,
// RPC_S_CALL_FAILED and RPC_S_CALL_FAILED_DNE, and RPC_E_DISCONNECTED).
inline constexpr HRESULT kRpcServerUnavailable = static_cast<HRESULT>(0x800706BAu);
inline constexpr HRESULT kRpcCallFailed = static_cast<HRESULT>(0x800706BEu);
inline constexpr HRESULT kRpcCallFailedDidNotExecute = static_cast<HRESULT>(0x800706BFu);
inline constexpr HRESULT kRpcDisconnected = static_cast<HRESULT>(0x80010108u);

inline constexpr HRESULT WINBIO_I_MORE_DATA = 0x00090001;

inline constexpr HRESULT WINBIO_E_UNSUPPORTED_FACTOR = static_cast<HRESULT>(0x80098001u);
inline constexpr HRESULT WINBIO_E_INVALID_UNIT = static_cast<HRESULT>(0x80098002u);
inline constexpr HRESULT WINBIO_E_UNKNOWN_ID = static_cast<HRESULT>(0x80098003u);
inline constexpr HRESULT WINBIO_E_CANCELED = static_cast<HRESULT>(0x80098004u);
inline constexpr HRESULT WINBIO_E_NO_MATCH = static_cast<HRESULT>(0x80098005u);
inline constexpr HRESULT WINBIO_E_CAPTURE_ABORTED = static_cast<HRESULT>(0x80098006u);
inline constexpr HRESULT WINBIO_E_ENROLLMENT_IN_PROGRESS = static_cast<HRESULT>(0x80098007u);
inline constexpr HRESULT WINBIO_E_BAD_CAPTURE = static_cast<HRESULT>(0x80098008u);
inline constexpr HRESULT WINBIO_E_INVALID_CONTROL_CODE = static_cast<HRESULT>(0x80098009u);
inline constexpr HRESULT WINBIO_E_DATA_COLLECTION_IN_PROGRESS = static_cast<HRESULT>(0x8009800Bu);
inline constexpr HRESULT WINBIO_E_UNSUPPORTED_DATA_FORMAT = static_cast<HRESULT>(0x8009800Cu);
inline constexpr HRESULT WINBIO_E_UNSUPPORTED_DATA_TYPE = static_cast<HRESULT>(0x8009800Du);
inline constexpr HRESULT WINBIO_E_UNSUPPORTED_PURPOSE = static_cast<HRESULT>(0x8009800Eu);
inline constexpr HRESULT WINBIO_E_INVALID_DEVICE_STATE = static_cast<HRESULT>(0x8009800Fu);
inline constexpr HRESULT WINBIO_E_DEVICE_BUSY = static_cast<HRESULT>(0x80098010u);
inline constexpr HRESULT WINBIO_E_DATABASE_CANT_CREATE = static_cast<HRESULT>(0x80098011u);
inline constexpr HRESULT WINBIO_E_DATABASE_CANT_OPEN = static_cast<HRESULT>(0x80098012u);
inline constexpr HRESULT WINBIO_E_DATABASE_CANT_CLOSE = static_cast<HRESULT>(0x80098013u);
inline constexpr HRESULT WINBIO_E_DATABASE_CANT_ERASE = static_cast<HRESULT>(0x80098014u);
inline constexpr HRESULT WINBIO_E_DATABASE_CANT_FIND = static_cast<HRESULT>(0x80098015u);
inline constexpr HRESULT WINBIO_E_DATABASE_ALREADY_EXISTS = static_cast<HRESULT>(0x80098016u);
inline constexpr HRESULT WINBIO_E_DATABASE_FULL = static_cast<HRESULT>(0x80098018u);
inline constexpr HRESULT WINBIO_E_DATABASE_LOCKED = static_cast<HRESULT>(0x80098019u);
inline constexpr HRESULT WINBIO_E_DATABASE_CORRUPTED = static_cast<HRESULT>(0x8009801Au);
inline constexpr HRESULT WINBIO_E_DATABASE_NO_SUCH_RECORD = static_cast<HRESULT>(0x8009801Bu);
inline constexpr HRESULT WINBIO_E_DUPLICATE_ENROLLMENT = static_cast<HRESULT>(0x8009801Cu);
inline constexpr HRESULT WINBIO_E_DATABASE_READ_ERROR = static_cast<HRESULT>(0x8009801Du);
inline constexpr HRESULT WINBIO_E_DATABASE_WRITE_ERROR = static_cast<HRESULT>(0x8009801Eu);
inline constexpr HRESULT WINBIO_E_DATABASE_NO_RESULTS = static_cast<HRESULT>(0x8009801Fu);
inline constexpr HRESULT WINBIO_E_DATABASE_NO_MORE_RECORDS = static_cast<HRESULT>(0x80098020u);
inline constexpr HRESULT WINBIO_E_DATABASE_EOF = static_cast<HRESULT>(0x80098021u);
inline constexpr HRESULT WINBIO_E_DATABASE_BAD_INDEX_VECTOR = static_cast<HRESULT>(0x80098022u);
inline constexpr HRESULT WINBIO_E_INCORRECT_BSP = static_cast<HRESULT>(0x80098024u);
inline constexpr HRESULT WINBIO_E_INCORRECT_SENSOR_POOL = static_cast<HRESULT>(0x80098025u);
inline constexpr HRESULT WINBIO_E_NO_CAPTURE_DATA = static_cast<HRESULT>(0x80098026u);
inline constexpr HRESULT WINBIO_E_INVALID_SENSOR_MODE = static_cast<HRESULT>(0x80098027u);
inline constexpr HRESULT WINBIO_E_LOCK_VIOLATION = static_cast<HRESULT>(0x8009802Au);
inline constexpr HRESULT WINBIO_E_DUPLICATE_TEMPLATE = static_cast<HRESULT>(0x8009802Bu);
inline constexpr HRESULT WINBIO_E_INVALID_OPERATION = static_cast<HRESULT>(0x8009802Cu);
inline constexpr HRESULT WINBIO_E_SESSION_BUSY = static_cast<HRESULT>(0x8009802Du);
inline constexpr HRESULT WINBIO_E_CRED_PROV_DISABLED = static_cast<HRESULT>(0x80098030u);
inline constexpr HRESULT WINBIO_E_CRED_PROV_NO_CREDENTIAL = static_cast<HRESULT>(0x80098031u);
inline constexpr HRESULT WINBIO_E_DISABLED = static_cast<HRESULT>(0x80098032u);
inline constexpr HRESULT WINBIO_E_CONFIGURATION_FAILURE = static_cast<HRESULT>(0x80098033u);
inline constexpr HRESULT WINBIO_E_SENSOR_UNAVAILABLE = static_cast<HRESULT>(0x80098034u);
inline constexpr HRESULT WINBIO_E_SAS_ENABLED = static_cast<HRESULT>(0x80098035u);
inline constexpr HRESULT WINBIO_E_DEVICE_FAILURE = static_cast<HRESULT>(0x80098036u);
inline constexpr HRESULT WINBIO_E_FAST_USER_SWITCH_DISABLED = static_cast<HRESULT>(0x80098037u);
inline constexpr HRESULT WINBIO_E_NOT_ACTIVE_CONSOLE = static_cast<HRESULT>(0x80098038u);
inline constexpr HRESULT WINBIO_E_EVENT_MONITOR_ACTIVE = static_cast<HRESULT>(0x80098039u);
inline constexpr HRESULT WINBIO_E_INVALID_PROPERTY_TYPE = static_cast<HRESULT>(0x8009803Au);
inline constexpr HRESULT WINBIO_E_INVALID_PROPERTY_ID = static_cast<HRESULT>(0x8009803Bu);
inline constexpr HRESULT WINBIO_E_UNSUPPORTED_PROPERTY = static_cast<HRESULT>(0x8009803Cu);
inline constexpr HRESULT WINBIO_E_ADAPTER_INTEGRITY_FAILURE = static_cast<HRESULT>(0x8009803Du);

// ---- Records --------------------------------------------------------------------------------

// The service's WINBIO_IDENTITY when its type is a security identifier: passed by address, so
// the layout is fixed (76 bytes, little-endian).
struct TWinBioIdentity {
  std::uint32_t IdentityType;
  std::uint32_t SidSize;  // bytes of SidData in use
  std::array<std::uint8_t, kSecurityMaxSidSize> SidData;
};
using PWinBioIdentity = TWinBioIdentity*;

static_assert(sizeof(TWinBioIdentity) == 76);
static_assert(offsetof(TWinBioIdentity, IdentityType) == 0);
static_assert(offsetof(TWinBioIdentity, SidSize) == 4);
static_assert(offsetof(TWinBioIdentity, SidData) == 8);
static_assert(std::is_standard_layout_v<TWinBioIdentity>);
static_assert(std::is_trivially_copyable_v<TWinBioIdentity>);

// The service's GUID, used only for the database id of a session.
struct WINBIO_UUID {
  std::uint32_t Data1;
  std::uint16_t Data2;
  std::uint16_t Data3;
  std::array<std::uint8_t, 8> Data4;
};
static_assert(sizeof(WINBIO_UUID) == 16);
// The database id the program passes when it opens a session on the system pool: none at all,
// which the service takes as the pool's own database. (The platform's WINBIO_DB_DEFAULT is a
// different value, the pointer 1.)
inline constexpr WINBIO_UUID* kDatabaseIdNull = nullptr;

// A fixed text field of the service: 256 UTF-16 units, terminated within them unless full.
inline constexpr std::size_t WINBIO_MAX_STRING_LEN = 256;
using WINBIO_STRING = std::array<char16_t, WINBIO_MAX_STRING_LEN>;

struct WINBIO_VERSION {
  std::uint32_t MajorVersion;
  std::uint32_t MinorVersion;
};

// One sensor as the service enumerates it.
struct WINBIO_UNIT_SCHEMA {
  WINBIO_UNIT_ID UnitId;
  WINBIO_POOL_TYPE PoolType;
  WINBIO_BIOMETRIC_TYPE BiometricFactor;
  std::uint32_t SensorSubType;
  std::uint32_t Capabilities;
  WINBIO_STRING DeviceInstanceId;
  WINBIO_STRING Description;
  WINBIO_STRING Manufacturer;
  WINBIO_STRING Model;
  WINBIO_STRING SerialNumber;
  WINBIO_VERSION FirmwareVersion;
};
static_assert(sizeof(WINBIO_UNIT_SCHEMA) == 2588);
static_assert(offsetof(WINBIO_UNIT_SCHEMA, UnitId) == 0);
static_assert(offsetof(WINBIO_UNIT_SCHEMA, Description) == 532);
static_assert(std::is_standard_layout_v<WINBIO_UNIT_SCHEMA>);
static_assert(std::is_trivially_copyable_v<WINBIO_UNIT_SCHEMA>);

// The text of a WINBIO_STRING: up to its terminator, never past its 256 units.
std::u16string WinBioStringText(const WINBIO_STRING& field);

// Stores `text` into a WINBIO_STRING, cut to 255 units so that a terminator always follows,
// and zeroes the rest.
void SetWinBioString(WINBIO_STRING& field, std::u16string_view text);

// The sensor's description as the program shows it.
inline std::u16string UnitDescription(const WINBIO_UNIT_SCHEMA& unit) {
  return WinBioStringText(unit.Description);
}

// Whether the service lists a finger of the user, or only CFG.TOML still describes it: its
// template on a sensor that is there was lost (a driver reinstalled, the database reset) or
// deleted elsewhere, and the finger can be enrolled again with its description.
enum class TFingerState { kEnrolled, kRemembered };

// One finger of the signed-in user: the data behind one row of the list.
struct TFingerRecord {
  std::uint32_t UnitId = 0;
  std::u16string DeviceName;  // the unit's Description
  std::uint8_t SubFactor = 0;
  std::u16string SubName;  // the finger's display name
  // What the list shows for the finger and CFG.TOML keeps: the user's description, or the
  // finger's name until he gives one.
  std::u16string Description;
  // How well the finger was recognised at its last test; none until it was tested.
  std::optional<TRecognition> Recognition = std::nullopt;
  TFingerState State = TFingerState::kEnrolled;
};

// The index in `records` of finger `sub_factor` on sensor `unit`; none when it is not there.
std::optional<std::size_t> FindFingerRecord(const std::vector<TFingerRecord>& records,
                                            std::uint32_t unit, std::uint8_t sub_factor);

// ---- Function types of the exports -----------------------------------------------------------

typedef HRESULT(DACTYRA_WINBIO_API* TWinBioEnumBiometricUnits)(WINBIO_BIOMETRIC_TYPE Factor,
                                                               WINBIO_UNIT_SCHEMA** SchemaArray,
                                                               std::size_t* UnitCount);
typedef HRESULT(DACTYRA_WINBIO_API* TWinBioOpenSession)(
    WINBIO_BIOMETRIC_TYPE Factor, WINBIO_POOL_TYPE PoolType, WINBIO_SESSION_FLAGS Flags,
    WINBIO_UNIT_ID* UnitArray, std::size_t UnitCount, WINBIO_UUID* DatabaseId,
    WINBIO_SESSION_HANDLE* Session);
typedef HRESULT(DACTYRA_WINBIO_API* TWinBioCloseSession)(WINBIO_SESSION_HANDLE Session);
typedef HRESULT(DACTYRA_WINBIO_API* TWinBioEnumEnrollments)(
    WINBIO_SESSION_HANDLE Session, WINBIO_UNIT_ID UnitId, PWinBioIdentity Identity,
    WINBIO_BIOMETRIC_SUBTYPE** SubFactorArray, std::size_t* SubFactorCount);
typedef HRESULT(DACTYRA_WINBIO_API* TWinBioIdentify)(WINBIO_SESSION_HANDLE Session,
                                                     WINBIO_UNIT_ID* UnitId,
                                                     PWinBioIdentity Identity,
                                                     WINBIO_BIOMETRIC_SUBTYPE* SubFactor,
                                                     WINBIO_REJECT_DETAIL* RejectDetail);
typedef HRESULT(DACTYRA_WINBIO_API* TWinBioLocateSensor)(WINBIO_SESSION_HANDLE Session,
                                                         WINBIO_UNIT_ID* UnitId);
typedef HRESULT(DACTYRA_WINBIO_API* TWinBioEnrollBegin)(WINBIO_SESSION_HANDLE Session,
                                                        WINBIO_BIOMETRIC_SUBTYPE SubFactor,
                                                        WINBIO_UNIT_ID UnitId);
typedef HRESULT(DACTYRA_WINBIO_API* TWinBioEnrollCapture)(WINBIO_SESSION_HANDLE Session,
                                                          WINBIO_REJECT_DETAIL* RejectDetail);
typedef HRESULT(DACTYRA_WINBIO_API* TWinBioEnrollCommit)(WINBIO_SESSION_HANDLE Session,
                                                         PWinBioIdentity Identity,
                                                         WINBIO_BOOLEAN* IsNewTemplate);
typedef HRESULT(DACTYRA_WINBIO_API* TWinBioEnrollDiscard)(WINBIO_SESSION_HANDLE Session);
typedef HRESULT(DACTYRA_WINBIO_API* TWinBioDeleteTemplate)(WINBIO_SESSION_HANDLE Session,
                                                           WINBIO_UNIT_ID UnitId,
                                                           PWinBioIdentity Identity,
                                                           WINBIO_BIOMETRIC_SUBTYPE SubFactor);
typedef HRESULT(DACTYRA_WINBIO_API* TWinBioFree)(void* Address);
// Releases the calls blocked on a session in other threads (they return WINBIO_E_CANCELED).
typedef HRESULT(DACTYRA_WINBIO_API* TWinBioCancel)(WINBIO_SESSION_HANDLE Session);
// WinBioGetEnabledSetting, WinBioGetLogonSetting and WinBioGetDomainLogonSetting: a sign-in
// setting and who decided it.
typedef void(DACTYRA_WINBIO_API* TWinBioGetSetting)(WINBIO_BOOLEAN* Value,
                                                    WINBIO_SETTING_SOURCE_TYPE* Source);
// The factors the account has enrolled (WINBIO_TYPE_FINGERPRINT among them or not).
typedef HRESULT(DACTYRA_WINBIO_API* TWinBioGetEnrolledFactors)(
    PWinBioIdentity AccountOwner, WINBIO_BIOMETRIC_TYPE* EnrolledFactors);
// Whether the device meets the requirements of Enhanced Sign-in Security.
typedef HRESULT(DACTYRA_WINBIO_API* TWinBioIsESSCapable)(WINBIO_BOOLEAN* Value);

}  // namespace dactyra
