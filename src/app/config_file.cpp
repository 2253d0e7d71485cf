#include "app/config_file.h"

#include <utility>

#include "app/finger_entries.h"
#include "base/hex.h"
#include "base/strings.h"
#include "toml/document_io.h"
#include "toml/path_helpers.h"

namespace dactyra {
namespace {

// Moves the tables of `fingers` that are another user's, or whose unit id was not listed, to
// the end of `kept`.
void MoveKeptFingers(toml::TTOMLArray* fingers, const std::set<std::int64_t>& listed_units,
                     std::u16string_view owner, toml::TTOMLArray& kept) {
  if (fingers == nullptr) {
    return;
  }
  std::int32_t index = 0;
  while (index < fingers->Count()) {
    const auto* item = fingers->GetItem(index)->As<toml::TTOMLTable>();
    if (item != nullptr && (!EntryBelongsTo(*item, owner) ||
                            !listed_units.contains(toml::GetInteger(item, u"unitid", 0)))) {
      kept.Add(fingers->Remove(index));
    } else {
      ++index;
    }
  }
}

}  // namespace

bool TDescriptionLookup::FindDescription(std::int32_t, const toml::TTOMLTable& table) {
  if (toml::GetInteger(&table, u"unitid", 0) == UnitId &&
      toml::GetString(&table, u"fingerid", u"") == FingerId && EntryBelongsTo(table, Owner)) {
    Description = toml::GetString(&table, u"description", u"");
    return false;
  }
  return true;
}

std::unique_ptr<toml::TTOMLTable> BuildConfigFromRecords(const std::vector<TFingerRecord>& records,
                                                         toml::TTOMLTable* previous,
                                                         const std::set<std::int64_t>& listed_units,
                                                         std::u16string_view owner) {
  auto root = toml::NewTable();
  root->Add(u"units", std::make_unique<toml::TTOMLTable>());
  toml::TTOMLTable* units = toml::FindTable(root.get(), u"units");
  for (const TFingerRecord& record : records) {
    toml::SetString(units, IntToText(record.UnitId), record.DeviceName, true);
  }

  auto fingers = std::make_unique<toml::TTOMLArray>();
  for (const TFingerRecord& record : records) {
    auto table = std::make_unique<toml::TTOMLTable>();
    toml::SetInteger(table.get(), u"unitid", record.UnitId, true);
    toml::SetString(table.get(), u"fingerid", FingerIdText(record.SubFactor), true);
    toml::SetString(table.get(), u"description", record.Description, true);
    if (!owner.empty()) {
      toml::SetString(table.get(), kEntryOwnerKey, owner, true);
    }
    toml::AddTable(fingers.get(), std::move(table));
  }
  MoveKeptFingers(toml::GetArray(previous, u"finger"), listed_units, owner, *fingers);
  toml::SetArray(root.get(), u"finger", std::move(fingers), true);
  return root;
}

}  // namespace dactyra
