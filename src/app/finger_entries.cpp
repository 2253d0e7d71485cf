#include "app/finger_entries.h"

#include <memory>
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

bool TEntryLocator::FindEntryIndex(std::int32_t index, toml::TTOMLTable& table) {
  if (toml::GetInteger(&table, u"unitid", 0) == UnitId &&
      toml::GetString(&table, u"fingerid", u"") == FingerId && EntryBelongsTo(table, Owner)) {
    Index = index;
    return false;
  }
  return true;
}

bool AppendFingerEntry(toml::TTOMLTable& document, std::int64_t unit_id,
                       std::u16string_view finger_id, std::u16string_view description,
                       std::u16string_view owner) {
  // A configuration written only by listings has no "finger" array yet.
  if (!toml::HasPath(&document, u"finger") &&
      !toml::SetArray(&document, u"finger", std::make_unique<toml::TTOMLArray>(), false)) {
    return false;
  }
  auto table = std::make_unique<toml::TTOMLTable>();
  toml::SetInteger(table.get(), u"unitid", unit_id, true);
  toml::SetString(table.get(), u"fingerid", finger_id, true);
  toml::SetString(table.get(), u"description", description, true);
  if (!owner.empty()) {
    toml::SetString(table.get(), kEntryOwnerKey, owner, true);
  }
  return toml::AddTable(toml::GetArray(&document, u"finger"), std::move(table)) != nullptr;
}

bool RemoveFingerEntry(toml::TTOMLTable& document, std::int64_t unit_id,
                       std::u16string_view finger_id, std::u16string_view owner) {
  toml::TTOMLArray* fingers = toml::GetArray(&document, u"finger");
  TEntryLocator locator{unit_id, std::u16string(finger_id), std::u16string(owner)};
  toml::ForEachTable(
      fingers,
      [&locator](std::int32_t index, toml::TTOMLTable& table) {
        return locator.FindEntryIndex(index, table);
      },
      true);
  return locator.Index >= 0 && toml::Delete(fingers, locator.Index);
}

}  // namespace dactyra
