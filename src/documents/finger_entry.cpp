#include "documents/finger_entry.h"

#include <limits>
#include <utility>

#include "toml/date_time.h"
#include "toml/path_helpers.h"

namespace dactyra {
namespace {

// A count of the entry that fits the record: an integer from `lowest` to the 32-bit limit.
std::optional<std::int32_t> EntryCount(const toml::TTOMLTable& entry, std::u16string_view key,
                                       std::int64_t lowest) {
  const toml::TTOMLValue* value = nullptr;
  if (!entry.TryGetValue(key, value)) {
    return std::nullopt;
  }
  const auto* number = value->As<toml::TTOMLInteger>();
  if (number == nullptr || number->Value() < lowest ||
      number->Value() > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(number->Value());
}

// The day of the entry's last test: a TOML local date.
std::optional<TCalendarDay> EntryTestDay(const toml::TTOMLTable& entry) {
  const toml::TTOMLValue* value = nullptr;
  if (!entry.TryGetValue(kEntryTestedKey, value)) {
    return std::nullopt;
  }
  const auto* date = value->As<toml::TTOMLDateTime>();
  if (date == nullptr || date->Kind() != toml::tdkLocalDate) {
    return std::nullopt;
  }
  const toml::TDateTimeParts parts = toml::DecodeDateTime(date->Value());
  return TCalendarDay{.Year = parts.Year, .Month = parts.Month, .Day = parts.Day};
}

// Writes the result into a new entry; nothing when its day is no date of the calendar.
void SetEntryRecognition(toml::TTOMLTable& entry, const TRecognition& recognition) {
  const TCalendarDay& day = recognition.Tested;
  const std::optional<double> date = toml::EncodeDate(day.Year, day.Month, day.Day);
  if (!date) {
    return;
  }
  entry.Add(std::u16string(kEntryTestedKey),
            std::make_unique<toml::TTOMLDateTime>(*date, u"", toml::tdkLocalDate, 0));
  toml::SetInteger(&entry, kEntryRecognisedKey, recognition.Recognised, true);
  toml::SetInteger(&entry, kEntryTouchesKey, recognition.Touches, true);
}

// Gives an entry table its finger; the owner is left out when not known, the result of the last
// test when the finger was never tested.
void FillFingerEntry(toml::TTOMLTable& entry, std::int64_t unit_id, std::u16string_view finger_id,
                     std::u16string_view description, std::u16string_view owner,
                     const std::optional<TRecognition>& recognition) {
  toml::SetInteger(&entry, kEntryUnitIdKey, unit_id, true);
  toml::SetString(&entry, kEntryFingerIdKey, finger_id, true);
  toml::SetString(&entry, kEntryDescriptionKey, description, true);
  if (!owner.empty()) {
    toml::SetString(&entry, kEntryOwnerKey, owner, true);
  }
  if (recognition) {
    SetEntryRecognition(entry, *recognition);
  }
}

}  // namespace

std::optional<TRecognition> EntryRecognition(const toml::TTOMLTable& entry) {
  const std::optional<TCalendarDay> tested = EntryTestDay(entry);
  const std::optional<std::int32_t> recognised = EntryCount(entry, kEntryRecognisedKey, 0);
  const std::optional<std::int32_t> touches = EntryCount(entry, kEntryTouchesKey, 1);
  if (!tested || !recognised || !touches || *recognised > *touches) {
    return std::nullopt;
  }
  return TRecognition{.Recognised = *recognised, .Touches = *touches, .Tested = *tested};
}

std::int32_t FindFingerEntry(const toml::TTOMLArray* fingers, const TFingerEntryKey& key) {
  std::int32_t found = -1;
  toml::ForEachTable(
      fingers,
      [&](std::int32_t index, const toml::TTOMLTable& table) {
        if (!key.Matches(table)) {
          return true;
        }
        found = index;
        return false;
      },
      true);
  return found;
}

bool EntryBelongsTo(const toml::TTOMLTable& entry, std::u16string_view owner) {
  const toml::TTOMLValue* user = nullptr;
  if (!entry.TryGetValue(kEntryOwnerKey, user)) {
    return true;
  }
  // An owner that is not a text is nobody the program knows: the entry is left alone.
  const auto* user_text = user->As<toml::TTOMLString>();
  return !owner.empty() && user_text != nullptr && user_text->Value() == owner;
}

bool TFingerEntryKey::Matches(const toml::TTOMLTable& entry) const {
  return toml::GetInteger(&entry, kEntryUnitIdKey, 0) == UnitId &&
         toml::GetString(&entry, kEntryFingerIdKey, u"") == FingerId &&
         EntryBelongsTo(entry, Owner);
}

std::unique_ptr<toml::TTOMLTable> NewFingerEntry(std::int64_t unit_id,
                                                 std::u16string_view finger_id,
                                                 std::u16string_view description,
                                                 std::u16string_view owner,
                                                 const std::optional<TRecognition>& recognition) {
  auto table = std::make_unique<toml::TTOMLTable>();
  FillFingerEntry(*table, unit_id, finger_id, description, owner, recognition);
  return table;
}

std::u16string FindDescription(const toml::TTOMLArray* fingers, const TFingerEntryKey& key) {
  const std::int32_t index = FindFingerEntry(fingers, key);
  if (index < 0) {
    return {};
  }
  return toml::GetString(fingers->GetItem(index)->As<toml::TTOMLTable>(), kEntryDescriptionKey,
                         u"");
}

std::optional<TRecognition> FindRecognition(const toml::TTOMLArray* fingers,
                                            const TFingerEntryKey& key) {
  const std::int32_t index = FindFingerEntry(fingers, key);
  if (index < 0) {
    return std::nullopt;
  }
  return EntryRecognition(*fingers->GetItem(index)->As<toml::TTOMLTable>());
}

bool AppendFingerEntry(toml::TTOMLTable& document, std::int64_t unit_id,
                       std::u16string_view finger_id, std::u16string_view description,
                       std::u16string_view owner, const std::optional<TRecognition>& recognition) {
  // A configuration written only by listings has no "finger" array yet.
  if (!toml::HasPath(&document, kFingerArrayKey) &&
      !toml::SetArray(&document, kFingerArrayKey, std::make_unique<toml::TTOMLArray>(), false)) {
    return false;
  }
  return toml::AddTable(toml::GetArray(&document, kFingerArrayKey),
                        NewFingerEntry(unit_id, finger_id, description, owner, recognition)) !=
         nullptr;
}

bool ReplaceFingerEntry(toml::TTOMLTable& document, const TFingerEntryKey& before,
                        std::int64_t unit_id, std::u16string_view finger_id,
                        std::u16string_view description,
                        const std::optional<TRecognition>& recognition) {
  toml::TTOMLArray* fingers = toml::GetArray(&document, kFingerArrayKey);
  const std::int32_t index = FindFingerEntry(fingers, before);
  if (index < 0) {
    return false;
  }
  toml::TTOMLTable* entry = fingers->GetItem(index)->As<toml::TTOMLTable>();
  toml::Clear(entry);
  FillFingerEntry(*entry, unit_id, finger_id, description, before.Owner, recognition);
  return true;
}

bool RemoveFingerEntry(toml::TTOMLTable& document, std::int64_t unit_id,
                       std::u16string_view finger_id, std::u16string_view owner) {
  toml::TTOMLArray* fingers = toml::GetArray(&document, kFingerArrayKey);
  const std::int32_t index =
      FindFingerEntry(fingers, {unit_id, std::u16string(finger_id), std::u16string(owner)});
  return index >= 0 && toml::Delete(fingers, index);
}

}  // namespace dactyra
