#pragma once

// A "finger" entry of CFG.TOML: one table of the "finger" array, with the sensor's unit id, the
// finger id ("0xF5"), the description, the SID of the account whose finger it is and, once the
// finger was tested, how well it was recognised. The finger book (finger_book.h) reads and writes
// the entries through this file.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "biometric/recognition.h"
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
// The last test of the finger: the day (a TOML local date), the touches read as the finger and
// all touches. An entry without them, or with any of them out of shape, is "not tested".
inline constexpr std::u16string_view kEntryTestedKey = u"tested";
inline constexpr std::u16string_view kEntryRecognisedKey = u"recognised";
inline constexpr std::u16string_view kEntryTouchesKey = u"touches";

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

// A new entry table; the owner is left out when not known, the result of the last test when the
// finger was never tested.
std::unique_ptr<toml::TTOMLTable> NewFingerEntry(
    std::int64_t unit_id, std::u16string_view finger_id, std::u16string_view description,
    std::u16string_view owner, const std::optional<TRecognition>& recognition = std::nullopt);

// The index of the first entry of `fingers` (the "finger" array; may be null) that `key`
// matches; -1 when none does.
std::int32_t FindFingerEntry(const toml::TTOMLArray* fingers, const TFingerEntryKey& key);

// The description of the first entry of `fingers` (the "finger" array; may be null) that `key`
// matches: empty when none matches, and when that entry's description is empty.
std::u16string FindDescription(const toml::TTOMLArray* fingers, const TFingerEntryKey& key);

// The result of the last test kept in the entry; none when it is missing or out of shape: a
// value of another type, a count below zero or beyond 32 bits, no touch at all, more touches
// recognised than made.
std::optional<TRecognition> EntryRecognition(const toml::TTOMLTable& entry);

// The result of the last test kept in the first entry of `fingers` that `key` matches (see
// EntryRecognition); none when none matches.
std::optional<TRecognition> FindRecognition(const toml::TTOMLArray* fingers,
                                            const TFingerEntryKey& key);

// Appends an entry to the configuration document, creating the "finger" array when the document
// has none. False when "finger" holds something other than an array; the document is then left
// as it was.
bool AppendFingerEntry(toml::TTOMLTable& document, std::int64_t unit_id,
                       std::u16string_view finger_id, std::u16string_view description,
                       std::u16string_view owner,
                       const std::optional<TRecognition>& recognition = std::nullopt);

// Makes the first entry that `before` matches the entry of a finger (its unit id, finger id,
// description and the result of its last test, and `before`'s owner), in its place in the file:
// whatever else it held goes, an older result too. False when there is none; the document is then
// left as it was.
bool ReplaceFingerEntry(toml::TTOMLTable& document, const TFingerEntryKey& before,
                        std::int64_t unit_id, std::u16string_view finger_id,
                        std::u16string_view description,
                        const std::optional<TRecognition>& recognition);

// Removes the owner's first entry of the unit id and finger id; the others, and every other
// user's, stay. False when there is none.
bool RemoveFingerEntry(toml::TTOMLTable& document, std::int64_t unit_id,
                       std::u16string_view finger_id, std::u16string_view owner);

}  // namespace dactyra
