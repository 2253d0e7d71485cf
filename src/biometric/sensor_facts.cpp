#include "biometric/sensor_facts.h"

#include <array>
#include <memory>
#include <optional>

#include "base/format.h"
#include "base/hex.h"
#include "base/strings.h"

namespace dactyra {
namespace {

using platform::ServiceRunState;

// Names as the Services console, Group Policy, Settings and Device Manager use them.
#define DACTYRA_FACT_TEXTS(TEXT)                                                               \
  TEXT(kLine, u"sensors", u"line", u"%s: %s")                                                  \
  TEXT(kSettingLine, u"sensors", u"setting_line", u"%s: %s (%s)")                              \
  TEXT(kDisabledState, u"sensors", u"service.disabled", u"%s, startup type Disabled")          \
  TEXT(kUnknown, u"sensors", u"unknown", u"unknown")                                           \
  TEXT(kNone, u"sensors", u"none", u"none")                                                    \
  TEXT(kYes, u"sensors", u"yes", u"yes")                                                       \
  TEXT(kNo, u"sensors", u"no", u"no")                                                          \
  TEXT(kOn, u"sensors", u"on", u"on")                                                          \
  TEXT(kOff, u"sensors", u"off", u"off")                                                       \
  TEXT(kServiceLabel, u"sensors", u"label.service", u"Windows Biometric Service")              \
  TEXT(kBiometricsLabel, u"sensors", u"label.biometrics", u"Allow the use of biometrics")      \
  TEXT(kSignInLabel, u"sensors", u"label.signin", u"Allow users to log on using biometrics")   \
  TEXT(kDomainSignInLabel, u"sensors", u"label.domain_signin",                                 \
       u"Allow domain users to log on using biometrics")                                       \
  TEXT(kEssLabel, u"sensors", u"label.ess", u"Device supports Enhanced Sign-in Security")      \
  TEXT(kEnrolledLabel, u"sensors", u"label.enrolled", u"Fingerprints set up for this account") \
  TEXT(kUnitIdLabel, u"sensors", u"label.unit_id", u"Unit ID")                                 \
  TEXT(kManufacturerLabel, u"sensors", u"label.manufacturer", u"Manufacturer")                 \
  TEXT(kModelLabel, u"sensors", u"label.model", u"Model")                                      \
  TEXT(kSerialLabel, u"sensors", u"label.serial", u"Serial number")                            \
  TEXT(kFirmwareLabel, u"sensors", u"label.firmware", u"Firmware version")                     \
  TEXT(kTypeLabel, u"sensors", u"label.type", u"Sensor type")                                  \
  TEXT(kCapabilitiesLabel, u"sensors", u"label.capabilities", u"Capabilities")                 \
  TEXT(kPoolLabel, u"sensors", u"label.pool", u"Sensor pool")                                  \
  TEXT(kFirmwareVersion, u"sensors", u"firmware", u"%d.%d")
DACTYRA_TEXT_TABLE(kFactTexts, DACTYRA_FACT_TEXTS);

// A value and what it is called.
template <typename T>
struct TNamed {
  T FValue;
  TranslatableText FText;
};
using TValueText = TNamed<std::uint32_t>;

constexpr std::array<TNamed<ServiceRunState>, 8> kRunStates{{
    {ServiceRunState::kUnknown, kUnknown},
    {ServiceRunState::kStopped, {u"sensors", u"service.stopped", u"Stopped"}},
    {ServiceRunState::kStarting, {u"sensors", u"service.starting", u"Starting"}},
    {ServiceRunState::kStopping, {u"sensors", u"service.stopping", u"Stopping"}},
    {ServiceRunState::kRunning, {u"sensors", u"service.running", u"Running"}},
    {ServiceRunState::kResuming, {u"sensors", u"service.resuming", u"Resuming"}},
    {ServiceRunState::kPausing, {u"sensors", u"service.pausing", u"Pausing"}},
    {ServiceRunState::kPaused, {u"sensors", u"service.paused", u"Paused"}},
}};
constexpr std::array<TNamed<TSettingSource>, 4> kSources{{
    {TSettingSource::kUnknown, {u"sensors", u"source.unknown", u"decided by: unknown"}},
    {TSettingSource::kDefault, {u"sensors", u"source.default", u"Windows default"}},
    {TSettingSource::kPolicy, {u"sensors", u"source.policy", u"your organisation's policy"}},
    {TSettingSource::kLocal, {u"sensors", u"source.local", u"this computer's setting"}},
}};
constexpr std::array<TValueText, 3> kSensorTypes{{
    {WINBIO_FP_SENSOR_SUBTYPE_UNKNOWN, kUnknown},
    {WINBIO_FP_SENSOR_SUBTYPE_SWIPE, {u"sensors", u"type.swipe", u"Swipe"}},
    {WINBIO_FP_SENSOR_SUBTYPE_TOUCH, {u"sensors", u"type.touch", u"Touch"}},
}};
constexpr std::array<TValueText, 3> kPools{{
    {WINBIO_POOL_SYSTEM, {u"sensors", u"pool.system", u"System"}},
    {WINBIO_POOL_PRIVATE, {u"sensors", u"pool.private", u"Private"}},
    {WINBIO_POOL_UNASSIGNED, {u"sensors", u"pool.unassigned", u"Unassigned"}},
}};
constexpr std::array<TValueText, 11> kCapabilities{{
    {WINBIO_CAPABILITY_SENSOR, {u"sensors", u"capability.sensor", u"Sensor"}},
    {WINBIO_CAPABILITY_MATCHING, {u"sensors", u"capability.matching", u"Matching"}},
    {WINBIO_CAPABILITY_DATABASE, {u"sensors", u"capability.database", u"Database"}},
    {WINBIO_CAPABILITY_PROCESSING, {u"sensors", u"capability.processing", u"Processing"}},
    {WINBIO_CAPABILITY_ENCRYPTION, {u"sensors", u"capability.encryption", u"Encryption"}},
    {WINBIO_CAPABILITY_NAVIGATION, {u"sensors", u"capability.navigation", u"Navigation"}},
    {WINBIO_CAPABILITY_INDICATOR, {u"sensors", u"capability.indicator", u"Indicator"}},
    {WINBIO_CAPABILITY_VIRTUAL_SENSOR,
     {u"sensors", u"capability.virtual_sensor", u"Virtual sensor"}},
    {WINBIO_CAPABILITY_SECURE_SENSOR, {u"sensors", u"capability.secure_sensor", u"Secure sensor"}},
    {WINBIO_CAPABILITY_SCP_V1,
     {u"sensors", u"capability.scp_v1", u"Secure Device Connection Protocol"}},
    {WINBIO_CAPABILITY_WAKE, {u"sensors", u"capability.wake", u"Wake"}},
}};

constexpr std::u16string_view kNewLine = u"\r\n";
constexpr std::u16string_view kIndent = u"    ";

// The name of `value`, or "unknown" for a value without one.
template <typename T, std::size_t kSize, typename Value>
std::u16string TextOf(const std::array<TNamed<T>, kSize>& rows, Value value,
                      const TextSource& texts) {
  for (const TNamed<T>& row : rows) {
    if (row.FValue == value) {
      return texts.Get(row.FText);
    }
  }
  return texts.Get(kUnknown);
}

std::u16string RunStateText(const platform::ServiceStatus& status, const TextSource& texts) {
  const std::u16string state = TextOf(kRunStates, status.run_state, texts);
  return status.disabled == true ? Format(texts.Get(kDisabledState), state) : state;
}

std::u16string YesNo(std::optional<bool> value, const TextSource& texts) {
  if (!value) {
    return texts.Get(kUnknown);
  }
  return texts.Get(*value ? kYes : kNo);
}

std::u16string SettingLine(const TranslatableText& label, const TSignInSetting& setting,
                           const TextSource& texts) {
  if (!setting.FOn) {
    return Format(texts.Get(kLine), texts.Get(label), texts.Get(kUnknown));
  }
  return Format(texts.Get(kSettingLine), texts.Get(label), texts.Get(*setting.FOn ? kOn : kOff),
                TextOf(kSources, setting.FSource, texts));
}

std::u16string CapabilitiesText(WINBIO_CAPABILITIES capabilities, const TextSource& texts) {
  std::u16string names;
  WINBIO_CAPABILITIES named = 0;
  for (const TValueText& row : kCapabilities) {
    if ((capabilities & row.FValue) != 0) {
      names += (names.empty() ? u"" : u", ") + texts.Get(row.FText);
      named |= row.FValue;
    }
  }
  if (const WINBIO_CAPABILITIES others = capabilities & ~named; others != 0) {
    names += (names.empty() ? u"0x" : u", 0x") + Hex8(others);
  }
  return names.empty() ? texts.Get(kNone) : names;
}

// A field of the driver's, or "unknown" when it left it empty.
std::u16string DriverText(const WINBIO_STRING& field, const TextSource& texts) {
  std::u16string text = WinBioStringText(field);
  return text.empty() ? texts.Get(kUnknown) : text;
}

void AddLine(std::u16string& out, std::u16string_view indent, const TranslatableText& label,
             const std::u16string& value, const TextSource& texts) {
  out += indent;
  out += Format(texts.Get(kLine), texts.Get(label), value);
  out += kNewLine;
}

void AddSensor(std::u16string& out, const WINBIO_UNIT_SCHEMA& unit, const TextSource& texts) {
  out += kNewLine;
  out += DriverText(unit.Description, texts);
  out += kNewLine;
  AddLine(out, kIndent, kUnitIdLabel, IntToText(unit.UnitId), texts);
  AddLine(out, kIndent, kManufacturerLabel, DriverText(unit.Manufacturer, texts), texts);
  AddLine(out, kIndent, kModelLabel, DriverText(unit.Model, texts), texts);
  AddLine(out, kIndent, kSerialLabel, DriverText(unit.SerialNumber, texts), texts);
  AddLine(out, kIndent, kFirmwareLabel,
          Format(texts.Get(kFirmwareVersion), unit.FirmwareVersion.MajorVersion,
                 unit.FirmwareVersion.MinorVersion),
          texts);
  AddLine(out, kIndent, kTypeLabel, TextOf(kSensorTypes, unit.SensorSubType, texts), texts);
  AddLine(out, kIndent, kCapabilitiesLabel, CapabilitiesText(unit.Capabilities, texts), texts);
  AddLine(out, kIndent, kPoolLabel, TextOf(kPools, unit.PoolType, texts), texts);
}

}  // namespace

HRESULT ReadUnits(const TWinBioLib& lib, std::vector<WINBIO_UNIT_SCHEMA>& units) {
  units.clear();
  WINBIO_UNIT_SCHEMA* array = nullptr;
  std::size_t count = 0;
  const HRESULT result = lib.EnumUnits(WINBIO_TYPE_FINGERPRINT, &array, &count);
  const auto free = [&lib](WINBIO_UNIT_SCHEMA* block) { lib.Free(block); };
  const std::unique_ptr<WINBIO_UNIT_SCHEMA, decltype(free)> owned(array, free);
  if (Succeeded(result) && array != nullptr) {
    units.assign(array, array + count);
  }
  return result;
}

std::u16string SensorsAndSignInText(const TSignInState& state,
                                    std::span<const WINBIO_UNIT_SCHEMA> units,
                                    const TextSource& texts) {
  std::u16string out;
  AddLine(out, u"", kServiceLabel, RunStateText(state.FService, texts), texts);
  out += SettingLine(kBiometricsLabel, state.FBiometrics, texts) + std::u16string(kNewLine);
  out += SettingLine(kSignInLabel, state.FSignIn, texts) + std::u16string(kNewLine);
  out += SettingLine(kDomainSignInLabel, state.FDomainSignIn, texts) + std::u16string(kNewLine);
  AddLine(out, u"", kEssLabel, YesNo(state.FEssCapable, texts), texts);
  AddLine(out, u"", kEnrolledLabel, YesNo(state.FFingerprintsEnrolled, texts), texts);
  for (const WINBIO_UNIT_SCHEMA& unit : units) {
    AddSensor(out, unit, texts);
  }
  return out;
}

std::vector<TranslatableText> SensorFactsTexts() {
  std::vector<TranslatableText> all(kFactTexts.begin(), kFactTexts.end());
  for (const auto& row : kRunStates) {
    all.push_back(row.FText);
  }
  for (const auto& row : kSources) {
    all.push_back(row.FText);
  }
  for (const auto& row : kSensorTypes) {
    all.push_back(row.FText);
  }
  for (const auto& row : kPools) {
    all.push_back(row.FText);
  }
  for (const auto& row : kCapabilities) {
    all.push_back(row.FText);
  }
  return all;
}

}  // namespace dactyra
