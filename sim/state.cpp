#include "sim/state.h"

#include <array>
#include <limits>
#include <utility>

#include "sim/identity.h"
#include "toml/document_io.h"

namespace dactyra::sim {
namespace {

using toml::TTOMLArray;
using toml::TTOMLBoolean;
using toml::TTOMLInteger;
using toml::TTOMLString;
using toml::TTOMLTable;
using toml::TTOMLValue;

constexpr std::int64_t kMaxSamples = 1000;
constexpr std::int64_t kMaxUnitId = std::numeric_limits<WINBIO_UNIT_ID>::max();
constexpr std::int64_t kMaxSubFactor = 0xFF;
// A code may be written as the unsigned value (0x80098034) or as the signed one.
constexpr std::int64_t kMinCode = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMaxCode = std::numeric_limits<std::uint32_t>::max();

const TTOMLValue* Lookup(const TTOMLTable& table, std::u16string_view key) {
  const TTOMLValue* value = nullptr;
  table.TryGetValue(key, value);
  return value;
}

TTOMLValue* Lookup(TTOMLTable& table, std::u16string_view key) {
  TTOMLValue* value = nullptr;
  table.TryGetValue(key, value);
  return value;
}

// An optional integer within [min, max]; false when present but of another kind or range.
bool ReadInteger(const TTOMLTable& table, std::u16string_view key, std::int64_t min,
                 std::int64_t max, std::optional<std::int64_t>& result) {
  const TTOMLValue* value = Lookup(table, key);
  if (value == nullptr) {
    return true;
  }
  const auto* integer = value->As<TTOMLInteger>();
  if (integer == nullptr || integer->Value() < min || integer->Value() > max) {
    return false;
  }
  result = integer->Value();
  return true;
}

// An optional boolean; false when present but of another kind.
bool ReadBoolean(const TTOMLTable& table, std::u16string_view key, bool& result) {
  const TTOMLValue* value = Lookup(table, key);
  if (value == nullptr) {
    return true;
  }
  const auto* boolean = value->As<TTOMLBoolean>();
  if (boolean == nullptr) {
    return false;
  }
  result = boolean->Value();
  return true;
}

bool IsIdentityText(std::u16string_view text) {
  return text == kCurrentIdentity || SidFromText(text);
}

// An optional string; false when present but not a string.
bool ReadString(const TTOMLTable& table, std::u16string_view key, std::u16string& result) {
  const TTOMLValue* value = Lookup(table, key);
  if (value == nullptr) {
    return true;
  }
  const auto* text = value->As<TTOMLString>();
  if (text == nullptr) {
    return false;
  }
  result = text->Value();
  return true;
}

// The tables of an optional array of tables; false when present but anything else.
bool ReadTables(const TTOMLTable& root, std::u16string_view key,
                std::vector<const TTOMLTable*>& tables) {
  const TTOMLValue* value = Lookup(root, key);
  if (value == nullptr) {
    return true;
  }
  const auto* array = value->As<TTOMLArray>();
  if (array == nullptr) {
    return false;
  }
  for (std::int32_t i = 0; i < array->Count(); ++i) {
    const auto* table = array->GetItem(i)->As<TTOMLTable>();
    if (table == nullptr) {
      return false;
    }
    tables.push_back(table);
  }
  return true;
}

// An optional string that must be one of `names`; `result` takes the value beside it.
template <typename T, std::size_t kSize>
bool ReadName(const TTOMLTable& table, std::u16string_view key,
              const std::array<std::pair<std::u16string_view, T>, kSize>& names, T& result) {
  if (Lookup(table, key) == nullptr) {
    return true;
  }
  std::u16string text;
  if (!ReadString(table, key, text)) {
    return false;
  }
  for (const auto& [name, value] : names) {
    if (name == text) {
      result = value;
      return true;
    }
  }
  return false;
}

constexpr std::array<std::pair<std::u16string_view, std::uint32_t>, 3> kSensorTypes{{
    {u"unknown", WINBIO_FP_SENSOR_SUBTYPE_UNKNOWN},
    {u"swipe", WINBIO_FP_SENSOR_SUBTYPE_SWIPE},
    {u"touch", WINBIO_FP_SENSOR_SUBTYPE_TOUCH},
}};
constexpr std::array<std::pair<std::u16string_view, WINBIO_POOL_TYPE>, 3> kPools{{
    {u"system", WINBIO_POOL_SYSTEM},
    {u"private", WINBIO_POOL_PRIVATE},
    {u"unassigned", WINBIO_POOL_UNASSIGNED},
}};
constexpr std::array<std::pair<std::u16string_view, WINBIO_SETTING_SOURCE_TYPE>, 4> kSources{{
    {u"invalid", WINBIO_SETTING_SOURCE_INVALID},
    {u"default", WINBIO_SETTING_SOURCE_DEFAULT},
    {u"policy", WINBIO_SETTING_SOURCE_POLICY},
    {u"local", WINBIO_SETTING_SOURCE_LOCAL},
}};
constexpr std::array<std::pair<std::u16string_view, bool>, 2> kServiceStates{{
    {u"running", false},
    {u"stopped", true},
}};
// The keys of the three settings, in the order of Setting: the value and who decided it.
constexpr std::array<std::pair<std::u16string_view, std::u16string_view>, 3> kSettingKeys{{
    {u"biometrics", u"biometrics_source"},
    {u"sign_in", u"sign_in_source"},
    {u"domain_sign_in", u"domain_sign_in_source"},
}};

// A version number part: one to nine decimal digits.
std::optional<std::uint32_t> ParseVersionPart(std::u16string_view digits) {
  constexpr std::size_t kMaxDigits = 9;
  if (digits.empty() || digits.size() > kMaxDigits) {
    return std::nullopt;
  }
  std::uint32_t value = 0;
  for (const char16_t c : digits) {
    if (c < u'0' || c > u'9') {
      return std::nullopt;
    }
    value = value * 10 + static_cast<std::uint32_t>(c - u'0');
  }
  return value;
}

// "major.minor".
std::optional<WINBIO_VERSION> ParseVersion(std::u16string_view text) {
  const std::size_t dot = text.find(u'.');
  if (dot == std::u16string_view::npos) {
    return std::nullopt;
  }
  const auto major = ParseVersionPart(text.substr(0, dot));
  const auto minor = ParseVersionPart(text.substr(dot + 1));
  if (!major || !minor) {
    return std::nullopt;
  }
  return WINBIO_VERSION{*major, *minor};
}

std::optional<UnitInfo> ReadUnit(const TTOMLTable& table) {
  UnitInfo unit;
  std::optional<std::int64_t> id;
  std::optional<std::int64_t> capabilities;
  std::u16string firmware = u"1.0";
  if (!ReadInteger(table, u"id", 1, kMaxUnitId, id) || !id ||
      !ReadString(table, u"description", unit.description) ||
      !ReadString(table, u"manufacturer", unit.manufacturer) ||
      !ReadString(table, u"model", unit.model) || !ReadString(table, u"serial", unit.serial) ||
      !ReadString(table, u"firmware", firmware) ||
      !ReadName(table, u"type", kSensorTypes, unit.sensor_type) ||
      !ReadName(table, u"pool", kPools, unit.pool) ||
      !ReadInteger(table, u"capabilities", 0, std::numeric_limits<std::uint32_t>::max(),
                   capabilities) ||
      !ReadBoolean(table, u"unusable", unit.unusable)) {
    return std::nullopt;
  }
  const auto version = ParseVersion(firmware);
  if (!version) {
    return std::nullopt;
  }
  unit.id = static_cast<WINBIO_UNIT_ID>(*id);
  unit.firmware = *version;
  unit.capabilities = static_cast<WINBIO_CAPABILITIES>(capabilities.value_or(unit.capabilities));
  return unit;
}

std::optional<TemplateEntry> ReadTemplate(const TTOMLTable& table) {
  TemplateEntry entry{.identity = std::u16string(kCurrentIdentity), .finger = {}};
  std::optional<std::int64_t> unit;
  std::optional<std::int64_t> subfactor;
  std::optional<std::int64_t> finger;
  if (!ReadInteger(table, u"unit", 1, kMaxUnitId, unit) || !unit ||
      !ReadInteger(table, u"subfactor", 0, kMaxSubFactor, subfactor) || !subfactor ||
      !ReadString(table, u"identity", entry.identity) ||
      !ReadInteger(table, u"finger", 0, kMaxSubFactor, finger) ||
      !ReadBoolean(table, u"usable", entry.usable)) {
    return std::nullopt;
  }
  entry.finger.person = entry.identity;
  if (!ReadString(table, u"person", entry.finger.person) || !IsIdentityText(entry.identity) ||
      !IsIdentityText(entry.finger.person)) {
    return std::nullopt;
  }
  entry.unit = static_cast<WINBIO_UNIT_ID>(*unit);
  entry.subfactor = static_cast<WINBIO_BIOMETRIC_SUBTYPE>(*subfactor);
  entry.finger.position = static_cast<WINBIO_BIOMETRIC_SUBTYPE>(finger.value_or(*subfactor));
  return entry;
}

// Writes the keys of `entry` into `table`; the finger only where it is not the default one.
void WriteTemplate(const TemplateEntry& entry, TTOMLTable& table) {
  auto& items = table.Items();
  items.AddOrSetValue(u"unit", std::make_unique<TTOMLInteger>(entry.unit));
  items.AddOrSetValue(u"identity", std::make_unique<TTOMLString>(entry.identity));
  items.AddOrSetValue(u"subfactor", std::make_unique<TTOMLInteger>(entry.subfactor));
  if (entry.finger.position != entry.subfactor) {
    items.AddOrSetValue(u"finger", std::make_unique<TTOMLInteger>(entry.finger.position));
  } else {
    items.Remove(u"finger");
  }
  if (entry.finger.person != entry.identity) {
    items.AddOrSetValue(u"person", std::make_unique<TTOMLString>(entry.finger.person));
  } else {
    items.Remove(u"person");
  }
  if (!entry.usable) {
    items.AddOrSetValue(u"usable", std::make_unique<TTOMLBoolean>(false));
  } else {
    items.Remove(u"usable");
  }
}

bool IsValidFailRule(const TTOMLTable& table) {
  std::u16string function;
  std::optional<std::int64_t> code;
  std::optional<std::int64_t> count;
  return ReadString(table, u"function", function) && !function.empty() &&
         ReadInteger(table, u"code", kMinCode, kMaxCode, code) && code &&
         ReadInteger(table, u"count", 0, std::numeric_limits<std::int64_t>::max(), count);
}

TTOMLArray* ArrayOf(TTOMLTable& root, std::u16string_view key) {
  TTOMLValue* value = Lookup(root, key);
  return value == nullptr ? nullptr : value->As<TTOMLArray>();
}

}  // namespace

std::optional<SimState> SimState::FromDocument(std::unique_ptr<TTOMLTable> document) {
  if (document == nullptr) {
    return std::nullopt;
  }
  SimState state(std::move(document));
  if (!state.ReadDocument()) {
    return std::nullopt;
  }
  return state;
}

std::optional<SimState> SimState::Load(std::u16string_view path) {
  return FromDocument(toml::LoadFromFile(path, true));
}

FileWriteResult SimState::Save(std::u16string_view path) const {
  return toml::SerializeToFile(*document_, path, false, 0, true);
}

bool SimState::ReadDocument() {
  const TTOMLTable& root = *document_;
  std::optional<std::int64_t> samples;
  if (!ReadInteger(root, u"samples", 1, kMaxSamples, samples) ||
      !ReadString(root, u"spool", spool_) || !ReadBoolean(root, u"focus", focus_)) {
    return false;
  }
  samples_ = samples.value_or(kDefaultSamples);
  if (!ReadName(root, u"service", kServiceStates, stopped_) ||
      !ReadBoolean(root, u"ess_capable", ess_capable_)) {
    return false;
  }
  for (std::size_t i = 0; i < kSettingKeys.size(); ++i) {
    if (!ReadBoolean(root, kSettingKeys[i].first, settings_[i].on) ||
        !ReadName(root, kSettingKeys[i].second, kSources, settings_[i].source)) {
      return false;
    }
  }
  std::optional<std::int64_t> factors;
  if (!ReadInteger(root, u"enrolled_factors", 0, std::numeric_limits<std::uint32_t>::max(),
                   factors)) {
    return false;
  }
  if (factors) {
    enrolled_factors_ = static_cast<WINBIO_BIOMETRIC_TYPE>(*factors);
  }

  std::vector<const TTOMLTable*> units;
  std::vector<const TTOMLTable*> templates;
  std::vector<const TTOMLTable*> failures;
  if (!ReadTables(root, u"unit", units) || !ReadTables(root, u"template", templates) ||
      !ReadTables(root, u"fail", failures)) {
    return false;
  }
  for (const TTOMLTable* table : units) {
    const auto unit = ReadUnit(*table);
    if (!unit || FindUnit(unit->id) != nullptr) {
      return false;
    }
    units_.push_back(*unit);
  }
  for (const TTOMLTable* table : templates) {
    const auto entry = ReadTemplate(*table);
    if (!entry) {
      return false;
    }
    templates_.push_back(*entry);
  }
  for (const TTOMLTable* table : failures) {
    if (!IsValidFailRule(*table)) {
      return false;
    }
  }
  return true;
}

const UnitInfo* SimState::FindUnit(WINBIO_UNIT_ID id) const {
  for (const UnitInfo& unit : units_) {
    if (unit.id == id) {
      return &unit;
    }
  }
  return nullptr;
}

void SimState::AddTemplate(const TemplateEntry& entry) {
  TTOMLArray* array = ArrayOf(*document_, u"template");
  if (array == nullptr) {
    auto created = std::make_unique<TTOMLArray>();
    array = created.get();
    document_->Add(u"template", std::move(created));
  }
  auto table = std::make_unique<TTOMLTable>();
  WriteTemplate(entry, *table);
  array->Add(std::move(table));
  templates_.push_back(entry);
}

void SimState::ReplaceTemplate(std::size_t index, const TemplateEntry& entry) {
  TTOMLArray* array = ArrayOf(*document_, u"template");
  WriteTemplate(entry, *array->GetItem(static_cast<std::int32_t>(index))->As<TTOMLTable>());
  templates_.at(index) = entry;
}

int SimState::RemoveTemplates(const std::function<bool(const TemplateEntry&)>& matches) {
  TTOMLArray* array = ArrayOf(*document_, u"template");
  int removed = 0;
  for (std::size_t i = templates_.size(); i-- > 0;) {
    if (matches(templates_[i])) {
      array->Remove(static_cast<std::int32_t>(i));
      templates_.erase(templates_.begin() + static_cast<std::ptrdiff_t>(i));
      ++removed;
    }
  }
  return removed;
}

std::optional<HRESULT> SimState::TakeFailure(std::u16string_view function) {
  TTOMLArray* array = ArrayOf(*document_, u"fail");
  if (array == nullptr) {
    return std::nullopt;
  }
  for (std::int32_t i = 0; i < array->Count(); ++i) {
    // The rules were checked when the state was read.
    TTOMLTable& rule = *array->GetItem(i)->As<TTOMLTable>();
    if (Lookup(rule, u"function")->As<TTOMLString>()->Value() != function) {
      continue;
    }
    TTOMLValue* count_value = Lookup(rule, u"count");
    TTOMLInteger* count = count_value == nullptr ? nullptr : count_value->As<TTOMLInteger>();
    const std::int64_t left = count == nullptr ? 1 : count->Value();
    if (left <= 0) {
      continue;
    }
    const std::int64_t code = Lookup(rule, u"code")->As<TTOMLInteger>()->Value();
    if (left == 1) {
      array->Remove(i);
    } else {
      count->SetValue(left - 1);
    }
    return static_cast<HRESULT>(static_cast<std::uint32_t>(code));
  }
  return std::nullopt;
}

}  // namespace dactyra::sim
