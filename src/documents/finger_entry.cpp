#include "documents/finger_entry.h"

#include <utility>

#include "toml/path_helpers.h"

namespace dactyra {

bool EntryBelongsTo(const toml::TTOMLTable& entry, std::u16string_view owner) {
  const toml::TTOMLValue* user = nullptr;
  if (!entry.TryGetValue(kEntryOwnerKey, user)) {
    return true;
  }
  // An owner that is not a text is nobody the program knows: the entry is left alone.
  const auto* user_text = user->As<toml::TTOMLString>();
  return !owner.empty() && user_text != nullptr && user_text->Value() == owner;
}

bool TFingerEntryKey::Matches(const toml::TTOMLTable& entry) const {
  return toml::GetInteger(&entry, kEntryUnitIdKey, 0) == UnitId &&
         toml::GetString(&entry, kEntryFingerIdKey, u"") == FingerId &&
         EntryBelongsTo(entry, Owner);
}

std::unique_ptr<toml::TTOMLTable> NewFingerEntry(std::int64_t unit_id,
                                                 std::u16string_view finger_id,
                                                 std::u16string_view description,
                                                 std::u16string_view owner) {
  auto table = std::make_unique<toml::TTOMLTable>();
  toml::SetInteger(table.get(), kEntryUnitIdKey, unit_id, true);
  toml::SetString(table.get(), kEntryFingerIdKey, finger_id, true);
  toml::SetString(table.get(), kEntryDescriptionKey, description, true);
  if (!owner.empty()) {
    toml::SetString(table.get(), kEntryOwnerKey, owner, true);
  }
  return table;
}

bool TDescriptionLookup::FindDescription(std::int32_t, const toml::TTOMLTable& table) {
  if (Entry.Matches(table)) {
    Description = toml::GetString(&table, kEntryDescriptionKey, u"");
    return false;
  }
  return true;
}

bool TEntryLocator::FindEntryIndex(std::int32_t index, const toml::TTOMLTable& table) {
  if (Entry.Matches(table)) {
    Index = index;
    return false;
  }
  return true;
}

bool AppendFingerEntry(toml::TTOMLTable& document, std::int64_t unit_id,
                       std::u16string_view finger_id, std::u16string_view description,
                       std::u16string_view owner) {
  // A configuration written only by listings has no "finger" array yet.
  if (!toml::HasPath(&document, kFingerArrayKey) &&
      !toml::SetArray(&document, kFingerArrayKey, std::make_unique<toml::TTOMLArray>(), false)) {
    return false;
  }
  return toml::AddTable(toml::GetArray(&document, kFingerArrayKey),
                        NewFingerEntry(unit_id, finger_id, description, owner)) != nullptr;
}

bool RemoveFingerEntry(toml::TTOMLTable& document, std::int64_t unit_id,
                       std::u16string_view finger_id, std::u16string_view owner) {
  toml::TTOMLArray* fingers = toml::GetArray(&document, kFingerArrayKey);
  TEntryLocator locator{{unit_id, std::u16string(finger_id), std::u16string(owner)}};
  toml::ForEachTable(
      fingers,
      [&locator](std::int32_t index, toml::TTOMLTable& table) {
        return locator.FindEntryIndex(index, table);
      },
      true);
  return locator.Index >= 0 && toml::Delete(fingers, locator.Index);
}

}  // namespace dactyra
