#pragma once

// A "finger" entry of CFG.TOML: one table of the "finger" array, with the sensor's unit id, the
// finger id ("0xF5"), the description and the SID of the account whose finger it is. The finger
// book (finger_book.h) reads and writes the entries through this file.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "toml/value.h"

namespace dactyra {

// The keys of the document and of an entry.
inline constexpr std::u16string_view kFingerArrayKey = u"finger";
inline constexpr std::u16string_view kEntryUnitIdKey = u"unitid";
inline constexpr std::u16string_view kEntryFingerIdKey = u"fingerid";
inline constexpr std::u16string_view kEntryDescriptionKey = u"description";
// Whose an entry is: the SID text in its "user" key. Several users of one computer may share one
// CFG.TOML; an entry without "user" (written before entries had owners) belongs to whoever reads
// it, and becomes his when he saves.
inline constexpr std::u16string_view kEntryOwnerKey = u"user";

// Whether the entry is `owner`'s (its "user" is that SID text) or has no owner. With an empty
// `owner` (not known) only entries without owner are his.
bool EntryBelongsTo(const toml::TTOMLTable& entry, std::u16string_view owner);

// Which entry a finger has: its unit id, its finger id (exactly, case included) and its owner.
struct TFingerEntryKey {
  std::int64_t UnitId = 0;
  std::u16string FingerId;
  std::u16string Owner;

  bool Matches(const toml::TTOMLTable& entry) const;
};

// A new entry table; the owner is left out when not known.
std::unique_ptr<toml::TTOMLTable> NewFingerEntry(std::int64_t unit_id,
                                                 std::u16string_view finger_id,
                                                 std::u16string_view description,
                                                 std::u16string_view owner);

// The description of the first entry of `fingers` (the "finger" array; may be null) that `key`
// matches: empty when none matches, and when that entry's description is empty.
std::u16string FindDescription(const toml::TTOMLArray* fingers, const TFingerEntryKey& key);

// Appends an entry to the configuration document, creating the "finger" array when the document
// has none. False when "finger" holds something other than an array; the document is then left
// as it was.
bool AppendFingerEntry(toml::TTOMLTable& document, std::int64_t unit_id,
                       std::u16string_view finger_id, std::u16string_view description,
                       std::u16string_view owner);

// Removes the owner's first entry of the unit id and finger id; the others, and every other
// user's, stay. False when there is none.
bool RemoveFingerEntry(toml::TTOMLTable& document, std::int64_t unit_id,
                       std::u16string_view finger_id, std::u16string_view owner);

}  // namespace dactyra
