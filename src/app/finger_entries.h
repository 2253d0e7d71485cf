#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "toml/value.h"

namespace dactyra {

// The state of the search for one "finger" entry of CFG.TOML, and its callback for
// ForEachTable: the first entry whose "unitid" equals the unit id and whose "fingerid" is
// exactly the finger id gives its index and ends the walk.
struct TEntryLocator {
  std::int64_t UnitId = 0;
  std::u16string FingerId;
  std::int32_t Index = -1;  // -1 while none is found

  bool FindEntryIndex(std::int32_t index, toml::TTOMLTable& table);
};

// Appends a "finger" entry (unit id, finger id, description) to the configuration document,
// creating the "finger" array when the document has none. False when "finger" holds something
// other than an array; the document is then left as it was.
bool AppendFingerEntry(toml::TTOMLTable& document, std::int64_t unit_id,
                       std::u16string_view finger_id, std::u16string_view description);

// Removes the first "finger" entry of the unit id and finger id; the others stay. False when
// there is none.
bool RemoveFingerEntry(toml::TTOMLTable& document, std::int64_t unit_id,
                       std::u16string_view finger_id);

}  // namespace dactyra
