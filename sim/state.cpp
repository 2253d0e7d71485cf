#include "sim/state.h"

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

TTOMLValue* Lookup(const TTOMLTable& table, std::u16string_view key) {
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
  const auto* integer = dynamic_cast<const TTOMLInteger*>(value);
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
  const auto* boolean = dynamic_cast<const TTOMLBoolean*>(value);
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
  const auto* text = dynamic_cast<const TTOMLString*>(value);
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
  const auto* array = dynamic_cast<const TTOMLArray*>(value);
  if (array == nullptr) {
    return false;
  }
  for (const auto& item : array->Items()) {
    const auto* table = dynamic_cast<const TTOMLTable*>(item.get());
    if (table == nullptr) {
      return false;
    }
    tables.push_back(table);
  }
  return true;
}

std::optional<UnitInfo> ReadUnit(const TTOMLTable& table) {
  UnitInfo unit;
  std::optional<std::int64_t> id;
  if (!ReadInteger(table, u"id", 1, kMaxUnitId, id) || !id ||
      !ReadString(table, u"description", unit.description) ||
      !ReadString(table, u"manufacturer", unit.manufacturer) ||
      !ReadString(table, u"model", unit.model) || !ReadString(table, u"serial", unit.serial) ||
      !ReadBoolean(table, u"unusable", unit.unusable)) {
    return std::nullopt;
  }
  unit.id = static_cast<WINBIO_UNIT_ID>(*id);
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

TTOMLArray* ArrayOf(const TTOMLTable& root, std::u16string_view key) {
  return dynamic_cast<TTOMLArray*>(Lookup(root, key));
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
  WriteTemplate(entry,
                dynamic_cast<TTOMLTable&>(*array->GetItem(static_cast<std::int32_t>(index))));
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
    const auto& rule = dynamic_cast<const TTOMLTable&>(*array->GetItem(i));
    if (dynamic_cast<const TTOMLString&>(*Lookup(rule, u"function")).Value() != function) {
      continue;
    }
    auto* count = dynamic_cast<TTOMLInteger*>(Lookup(rule, u"count"));
    const std::int64_t left = count == nullptr ? 1 : count->Value();
    if (left <= 0) {
      continue;
    }
    const std::int64_t code = dynamic_cast<const TTOMLInteger&>(*Lookup(rule, u"code")).Value();
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
