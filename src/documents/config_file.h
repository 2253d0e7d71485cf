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
