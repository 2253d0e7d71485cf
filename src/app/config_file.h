#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "biometric/winbio_types.h"
#include "toml/value.h"

namespace dactyra {

// The state of the description lookup of one listing, shared by all its rows, and its callback
// for ForEachTable: the first "finger" entry of the owner (EntryBelongsTo) whose "unitid" equals
// the unit id and whose "fingerid" is exactly the finger id gives the description and ends the
// walk.
struct TDescriptionLookup {
  std::int64_t UnitId = 0;
  std::u16string FingerId;
  std::u16string Owner;
  std::u16string Description;

  bool FindDescription(std::int32_t index, const toml::TTOMLTable& table);
};

// The configuration written from the records of the list, which are `owner`'s: a "units" table
// with one entry per sensor that has a record (it has no owner), and a "finger" array with one
// entry per record (its description as the list shows it, and the owner when known), in list
// order, followed by the "finger" tables of `previous` that are another user's or whose unit id
// is not in `listed_units` (sensors that were unplugged or could not be enumerated keep their
// descriptions), in their order. The kept tables are moved out of `previous` (which may be
// null).
std::unique_ptr<toml::TTOMLTable> BuildConfigFromRecords(const std::vector<TFingerRecord>& records,
                                                         toml::TTOMLTable* previous,
                                                         const std::set<std::int64_t>& listed_units,
                                                         std::u16string_view owner);

}  // namespace dactyra
