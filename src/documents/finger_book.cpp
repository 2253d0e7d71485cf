#include "documents/finger_book.h"

#include <cstddef>
#include <exception>
#include <memory>
#include <utility>

#include "base/error.h"
#include "base/hex.h"
#include "base/strings.h"
#include "documents/config_texts.h"
#include "documents/finger_entry.h"
#include "toml/path_helpers.h"

namespace dactyra {
namespace {

// The sensors' names: a table of unit id (as text) and name.
constexpr std::u16string_view kUnitsKey = u"units";

// The "units" table of the document, made when missing; null when "units" is no table.
toml::TTOMLTable* UnitsTable(toml::TTOMLTable& document) {
  if (!toml::HasPath(&document, kUnitsKey)) {
    document.Add(std::u16string(kUnitsKey), std::make_unique<toml::TTOMLTable>());
  }
  return toml::FindTable(&document, kUnitsKey);
}

void SetSensorName(toml::TTOMLTable* units, std::int64_t unit_id, std::u16string_view name) {
  toml::SetString(units, IntToText(unit_id), name, true);
}

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

// Replaces the document by the one the records give (see WriteList).
void RewriteFromRecords(toml::TTOMLTable& document, const std::vector<TFingerRecord>& records,
                        const std::set<std::int64_t>& listed_units, std::u16string_view owner) {
  auto fingers = std::make_unique<toml::TTOMLArray>();
  for (const TFingerRecord& record : records) {
    toml::AddTable(fingers.get(), NewFingerEntry(record.UnitId, FingerIdText(record.SubFactor),
                                                 record.Description, owner, record.Recognition));
  }
  MoveKeptFingers(toml::GetArray(&document, kFingerArrayKey), listed_units, owner, *fingers);
  toml::Clear(&document);
  toml::TTOMLTable* units = UnitsTable(document);
  for (const TFingerRecord& record : records) {
    SetSensorName(units, record.UnitId, record.DeviceName);
  }
  toml::SetArray(&document, kFingerArrayKey, std::move(fingers), true);
}

}  // namespace

TFingerBook::TFingerBook(TConfigStore store) : FStore(std::move(store)) {}

void TFingerBook::ForgetListing() {
  FListedUnits.reset();
}

std::vector<TStoredFinger> TFingerBook::ReadListing(const std::vector<TSensorName>& sensors,
                                                    const std::set<std::int64_t>& listed_units,
                                                    const std::vector<TFingerRecord>& records,
                                                    std::u16string_view owner) {
  std::vector<TStoredFinger> stored(records.size());
  FStore.Change([&](toml::TTOMLTable& document) {
    toml::TTOMLTable* units = UnitsTable(document);
    for (const TSensorName& sensor : sensors) {
      SetSensorName(units, sensor.UnitId, sensor.Name);
    }
    const toml::TTOMLArray* fingers = toml::GetArray(&document, kFingerArrayKey);
    for (std::size_t index = 0; index < records.size(); ++index) {
      const TFingerRecord& record = records[index];
      const TFingerEntryKey key{record.UnitId, FingerIdText(record.SubFactor),
                                std::u16string(owner)};
      stored[index] = {.Description = FindDescription(fingers, key),
                       .Recognition = FindRecognition(fingers, key)};
    }
    return std::u16string();
  });
  FListedUnits = listed_units;
  return stored;
}

void TFingerBook::Add(const TFingerRecord& record, std::u16string_view owner) const {
  FStore.Change([&](toml::TTOMLTable& document) -> std::u16string {
    if (!AppendFingerEntry(document, record.UnitId, FingerIdText(record.SubFactor),
                           record.Description, owner, record.Recognition)) {
      return FStore.Texts().Get(kConfigFingerEntriesNotArray);
    }
    return {};
  });
}

void TFingerBook::Remove(const TFingerRecord& record, std::u16string_view owner) const {
  FStore.Change([&](toml::TTOMLTable& document) {
    RemoveFingerEntry(document, record.UnitId, FingerIdText(record.SubFactor), owner);
    return std::u16string();
  });
}

void TFingerBook::WriteList(const std::vector<TFingerRecord>& records,
                            std::u16string_view owner) const {
  if (!FListedUnits) {
    return;
  }
  try {
    // The file is read first: a file that cannot be read is never replaced, and the entries of
    // sensors that the last listing did not list are kept.
    FStore.Change(
        [&](toml::TTOMLTable& document) {
          RewriteFromRecords(document, records, *FListedUnits, owner);
          return std::u16string();
        },
        true);
  } catch (const std::exception& error) {
    FStore.LogSaveError(ErrorText(error));
  }
}

}  // namespace dactyra
