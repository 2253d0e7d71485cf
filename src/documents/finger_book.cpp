#include "documents/finger_book.h"

#include <algorithm>
#include <cstddef>
#include <exception>
#include <memory>
#include <optional>
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

// Which entry a record has.
TFingerEntryKey EntryKey(const TFingerRecord& record, std::u16string_view owner) {
  return {record.UnitId, FingerIdText(record.SubFactor), std::u16string(owner)};
}

// The finger of an entry that a listing decides about.
struct TListedFinger {
  std::int64_t UnitId = 0;
  WINBIO_BIOMETRIC_SUBTYPE SubFactor = 0;
};

// The finger of the entry when it is the owner's on a sensor whose enrollments the listing read
// and its finger id is written as the program writes it; none for the entries the listing cannot
// tell about, which every write keeps as they are.
std::optional<TListedFinger> ListedFinger(const toml::TTOMLTable& entry,
                                          const std::set<std::int64_t>& listed_units,
                                          std::u16string_view owner) {
  const std::int64_t unit_id = toml::GetInteger(&entry, kEntryUnitIdKey, 0);
  const std::optional<std::uint8_t> sub_factor =
      FingerIdFromText(toml::GetString(&entry, kEntryFingerIdKey, u""));
  if (!EntryBelongsTo(entry, owner) || !listed_units.contains(unit_id) || !sub_factor) {
    return std::nullopt;
  }
  return TListedFinger{unit_id, *sub_factor};
}

// The owner's fingers that `fingers` describes on the listed sensors and no record lists (see
// TFingerBook::ReadListing).
std::vector<TRememberedFinger> RememberedFingers(const toml::TTOMLArray* fingers,
                                                 const std::set<std::int64_t>& listed_units,
                                                 const std::vector<TFingerRecord>& records,
                                                 std::u16string_view owner) {
  std::vector<TRememberedFinger> remembered;
  toml::ForEachTable(
      fingers,
      [&](std::int32_t, const toml::TTOMLTable& entry) {
        const std::optional<TListedFinger> listed = ListedFinger(entry, listed_units, owner);
        if (!listed) {
          return true;
        }
        const auto same = [&](const auto& finger) {
          return finger.UnitId == listed->UnitId && finger.SubFactor == listed->SubFactor;
        };
        if (std::ranges::none_of(records, same) && std::ranges::none_of(remembered, same)) {
          remembered.push_back({.UnitId = static_cast<std::uint32_t>(listed->UnitId),
                                .SubFactor = listed->SubFactor,
                                .Description = toml::GetString(&entry, kEntryDescriptionKey, u""),
                                .Recognition = EntryRecognition(entry)});
        }
        return true;
      },
      true);
  return remembered;
}

// The records in the order WriteList writes them: the list's, except that the records with an
// entry in `fingers` (may be null) fill the places they hold in the order of their entries.
std::vector<const TFingerRecord*> InFileOrder(const std::vector<TFingerRecord>& records,
                                              const toml::TTOMLArray* fingers,
                                              std::u16string_view owner) {
  std::vector<const TFingerRecord*> ordered;
  std::vector<std::size_t> places;  // the places in `ordered` of the records with an entry
  std::vector<std::pair<std::int32_t, const TFingerRecord*>> with_entry;  // entry index, record
  for (const TFingerRecord& record : records) {
    const std::int32_t entry = FindFingerEntry(fingers, EntryKey(record, owner));
    if (entry >= 0) {
      places.push_back(ordered.size());
      with_entry.emplace_back(entry, &record);
    }
    ordered.push_back(&record);
  }
  std::ranges::sort(with_entry, {}, &std::pair<std::int32_t, const TFingerRecord*>::first);
  for (std::size_t index = 0; index < places.size(); ++index) {
    ordered[places[index]] = with_entry[index].second;
  }
  return ordered;
}

// Moves the tables of `fingers` that the listing could not tell about (see ListedFinger) to the
// end of `kept`.
void MoveKeptFingers(toml::TTOMLArray* fingers, const std::set<std::int64_t>& listed_units,
                     std::u16string_view owner, toml::TTOMLArray& kept) {
  if (fingers == nullptr) {
    return;
  }
  std::int32_t index = 0;
  while (index < fingers->Count()) {
    const auto* item = fingers->GetItem(index)->As<toml::TTOMLTable>();
    if (item != nullptr && !ListedFinger(*item, listed_units, owner)) {
      kept.Add(fingers->Remove(index));
    } else {
      ++index;
    }
  }
}

// Replaces the document by the one the records give (see WriteList).
void RewriteFromRecords(toml::TTOMLTable& document, const std::vector<TFingerRecord>& records,
                        const std::set<std::int64_t>& listed_units, std::u16string_view owner) {
  toml::TTOMLArray* before = toml::GetArray(&document, kFingerArrayKey);
  auto fingers = std::make_unique<toml::TTOMLArray>();
  for (const TFingerRecord* record : InFileOrder(records, before, owner)) {
    toml::AddTable(fingers.get(), NewFingerEntry(record->UnitId, FingerIdText(record->SubFactor),
                                                 record->Description, owner, record->Recognition));
  }
  MoveKeptFingers(before, listed_units, owner, *fingers);
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

TStoredFingers TFingerBook::ReadListing(const std::vector<TSensorName>& sensors,
                                        const std::set<std::int64_t>& listed_units,
                                        const std::vector<TFingerRecord>& records,
                                        std::u16string_view owner) {
  TStoredFingers stored;
  stored.Listed.resize(records.size());
  FStore.Change([&](toml::TTOMLTable& document) {
    toml::TTOMLTable* units = UnitsTable(document);
    for (const TSensorName& sensor : sensors) {
      SetSensorName(units, sensor.UnitId, sensor.Name);
    }
    const toml::TTOMLArray* fingers = toml::GetArray(&document, kFingerArrayKey);
    for (std::size_t index = 0; index < records.size(); ++index) {
      const TFingerEntryKey key = EntryKey(records[index], owner);
      stored.Listed[index] = {.Description = FindDescription(fingers, key),
                              .Recognition = FindRecognition(fingers, key)};
    }
    stored.Remembered = RememberedFingers(fingers, listed_units, records, owner);
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

void TFingerBook::Replace(const TFingerRecord& before, const TFingerRecord& after,
                          std::u16string_view owner) const {
  FStore.Change([&](toml::TTOMLTable& document) -> std::u16string {
    const std::u16string finger_id = FingerIdText(after.SubFactor);
    if (ReplaceFingerEntry(document, EntryKey(before, owner), after.UnitId, finger_id,
                           after.Description, after.Recognition) ||
        AppendFingerEntry(document, after.UnitId, finger_id, after.Description, owner,
                          after.Recognition)) {
      return {};
    }
    return FStore.Texts().Get(kConfigFingerEntriesNotArray);
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
