#include "documents/finger_entry.h"

#include <utility>

#include "toml/path_helpers.h"

namespace dactyra {
namespace {

// The index of the first entry of `fingers` (may be null) that `key` matches; -1 when none does.
std::int32_t FindEntry(const toml::TTOMLArray* fingers, const TFingerEntryKey& key) {
  std::int32_t found = -1;
  toml::ForEachTable(
      fingers,
      [&](std::int32_t index, const toml::TTOMLTable& table) {
        if (!key.Matches(table)) {
          return true;
        }
        found = index;
        return false;
      },
      true);
  return found;
}

}  // namespace

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

std::u16string FindDescription(const toml::TTOMLArray* fingers, const TFingerEntryKey& key) {
  const std::int32_t index = FindEntry(fingers, key);
  if (index < 0) {
    return {};
  }
  return toml::GetString(fingers->GetItem(index)->As<toml::TTOMLTable>(), kEntryDescriptionKey,
                         u"");
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
  const std::int32_t index =
      FindEntry(fingers, {unit_id, std::u16string(finger_id), std::u16string(owner)});
  return index >= 0 && toml::Delete(fingers, index);
}

}  // namespace dactyra
