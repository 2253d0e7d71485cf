#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "toml/value.h"

namespace dactyra {

// The log line (section "log") for a configuration file that exists but cannot be read: the
// program then leaves it exactly as it is.
inline constexpr std::u16string_view kConfigUnreadableKey = u"cfg_unreadable";
inline constexpr std::u16string_view kConfigUnreadableText =
    u"The configuration file could not be read and was left unchanged.";

// CFG.TOML as a command finds it.
struct TConfigDocument {
  enum class TState { kMissing, kLoaded, kUnreadable };
  TState State = TState::kMissing;
  // A new empty document when the file is missing, the file's document when it loaded, none
  // when it exists but cannot be read or parsed (and so must never be written over).
  std::unique_ptr<toml::TTOMLTable> Document;
};

// Loads the configuration file, without comments.
TConfigDocument LoadConfig(std::u16string_view path);

// The state of the description lookup of one listing, shared by all its rows, and its callback
// for ForEachTable: the first "finger" entry whose "unitid" equals the unit id and whose
// "fingerid" is exactly the finger id gives the description and ends the walk.
struct TDescriptionLookup {
  std::int64_t UnitId = 0;
  std::u16string FingerId;
  std::u16string Description;

  bool FindDescription(std::int32_t index, toml::TTOMLTable& table);
};

// One row of the list as the configuration sees it: the texts of columns 2 to 5.
struct TConfigRow {
  std::u16string DeviceName;   // column 2
  std::u16string UnitId;       // column 3, decimal
  std::u16string FingerId;     // column 4, "0xF5"
  std::u16string Description;  // column 5
};

// The configuration written from the rows of the list: a "units" table with one entry per
// sensor that has a row, and a "finger" array with one entry per row, in list order, followed
// by the "finger" tables of `previous` whose unit id is not in `listed_units` (sensors that were
// unplugged or could not be enumerated keep their descriptions), in their order. The kept
// tables are moved out of `previous` (which may be null). Raises Error for a row whose unit id
// is not a decimal number.
std::unique_ptr<toml::TTOMLTable> BuildConfigFromRows(const std::vector<TConfigRow>& rows,
                                                      toml::TTOMLTable* previous,
                                                      const std::set<std::int64_t>& listed_units);

}  // namespace dactyra
