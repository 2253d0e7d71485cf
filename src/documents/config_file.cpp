#include "documents/config_file.h"

#include <utility>

#include "base/hex.h"
#include "base/strings.h"
#include "documents/finger_entry.h"
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
                            !listed_units.contains(toml::GetInteger(item, kEntryUnitIdKey, 0)))) {
      kept.Add(fingers->Remove(index));
    } else {
      ++index;
    }
  }
}

}  // namespace

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
    toml::AddTable(fingers.get(), NewFingerEntry(record.UnitId, FingerIdText(record.SubFactor),
                                                 record.Description, owner));
  }
  MoveKeptFingers(toml::GetArray(previous, kFingerArrayKey), listed_units, owner, *fingers);
  toml::SetArray(root.get(), kFingerArrayKey, std::move(fingers), true);
  return root;
}

}  // namespace dactyra
