#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "toml/value.h"

namespace dactyra {

// Whose a "finger" entry is: the SID text in its "user" key. Several users of one computer may
// share one CFG.TOML; an entry without "user" (written before entries had owners) belongs to
// whoever reads it, and becomes his when he saves.
inline constexpr std::u16string_view kEntryOwnerKey = u"user";

// Whether the entry is `owner`'s (its "user" is that SID text) or has no owner. With an empty
// `owner` (not known) only entries without owner are his.
bool EntryBelongsTo(const toml::TTOMLTable& entry, std::u16string_view owner);

// The state of the search for one "finger" entry of CFG.TOML, and its callback for
// ForEachTable: the first entry of the owner whose "unitid" equals the unit id and whose
// "fingerid" is exactly the finger id gives its index and ends the walk.
struct TEntryLocator {
  std::int64_t UnitId = 0;
  std::u16string FingerId;
  std::u16string Owner;
  std::int32_t Index = -1;  // -1 while none is found

  bool FindEntryIndex(std::int32_t index, toml::TTOMLTable& table);
};

// Appends a "finger" entry (unit id, finger id, description, and the owner when known) to the
// configuration document, creating the "finger" array when the document has none. False when
// "finger" holds something other than an array; the document is then left as it was.
bool AppendFingerEntry(toml::TTOMLTable& document, std::int64_t unit_id,
                       std::u16string_view finger_id, std::u16string_view description,
                       std::u16string_view owner);

// Removes the owner's first "finger" entry of the unit id and finger id; the others, and every
// other user's, stay. False when there is none.
bool RemoveFingerEntry(toml::TTOMLTable& document, std::int64_t unit_id,
                       std::u16string_view finger_id, std::u16string_view owner);

}  // namespace dactyra
