#include "toml/ordered_table.h"

#include <cstdint>
#include <functional>
#include <stdexcept>

#include "base/format.h"
#include "toml/exceptions.h"
#include "toml/value.h"

namespace dactyra::toml {

// The positions of a table's entries by the hash of their keys, without a copy of the keys: open
// addressing with linear probing over a power-of-two number of slots, at most half of them used.
class TTOMLOrderedTable::TKeyIndex {
 public:
  explicit TKeyIndex(const std::vector<Entry>& list) { Rebuild(list); }

  std::int32_t Find(const std::vector<Entry>& list, std::u16string_view key) const {
    const std::uint32_t hash = HashOf(key);
    for (std::size_t i = hash & Mask();; i = (i + 1) & Mask()) {
      const TSlot& slot = FSlots[i];
      if (slot.Position < 0) {
        return -1;
      }
      if (slot.Hash == hash && list[static_cast<std::size_t>(slot.Position)].Key == key) {
        return slot.Position;
      }
    }
  }

  // Adds the entry at `position` (the last one).
  void Insert(const std::vector<Entry>& list, std::int32_t position) {
    if (list.size() * 2 > FSlots.size()) {
      Rebuild(list);
      return;
    }
    Place(HashOf(list[static_cast<std::size_t>(position)].Key), position);
  }

  void Rebuild(const std::vector<Entry>& list) {
    std::size_t size = 64;
    while (size < list.size() * 4) {
      size *= 2;
    }
    FSlots.assign(size, TSlot{});
    for (std::size_t i = 0; i < list.size(); ++i) {
      Place(HashOf(list[i].Key), static_cast<std::int32_t>(i));
    }
  }

 private:
  struct TSlot {
    std::uint32_t Hash = 0;
    std::int32_t Position = -1;  // -1: free
  };

  static std::uint32_t HashOf(std::u16string_view key) {
    return static_cast<std::uint32_t>(std::hash<std::u16string_view>{}(key));
  }
  std::size_t Mask() const { return FSlots.size() - 1; }

  void Place(std::uint32_t hash, std::int32_t position) {
    std::size_t i = hash & Mask();
    while (FSlots[i].Position >= 0) {
      i = (i + 1) & Mask();
    }
    FSlots[i] = TSlot{hash, position};
  }

  std::vector<TSlot> FSlots;
};

TTOMLOrderedTable::TTOMLOrderedTable() = default;

TTOMLOrderedTable::~TTOMLOrderedTable() {
  Clear();
}

std::int32_t TTOMLOrderedTable::Find(std::u16string_view key) const {
  if (FIndex) {
    return FIndex->Find(FList, key);
  }
  for (std::size_t i = 0; i < FList.size(); ++i) {
    if (FList[i].Key == key) {
      return static_cast<std::int32_t>(i);
    }
  }
  return -1;
}

void TTOMLOrderedTable::CheckIndex(std::int32_t index) const {
  if (index < 0 || index >= Count()) {
    throw std::out_of_range("TOML table position out of range");
  }
}

void TTOMLOrderedTable::Append(std::u16string&& key, std::unique_ptr<TTOMLValue>&& value) {
  if (FList.capacity() == 0) {
    // Skips the smallest steps of growth; a reader trims the list when the table is complete.
    FList.reserve(8);
  }
  FList.emplace_back(std::move(key), std::move(value));
  if (FIndex) {
    FIndex->Insert(FList, static_cast<std::int32_t>(FList.size() - 1));
  } else if (FList.size() > kIndexThreshold) {
    FIndex = std::make_unique<TKeyIndex>(FList);
  }
}

void TTOMLOrderedTable::Add(std::u16string key, std::unique_ptr<TTOMLValue> value) {
  if (Find(key) >= 0) {
    throw ETOMLParserException(Format(u"Duplicate key \"%s\" found", key));
  }
  Append(std::move(key), std::move(value));
}

std::unique_ptr<TTOMLValue> TTOMLOrderedTable::AddOrSetValue(std::u16string key,
                                                             std::unique_ptr<TTOMLValue> value) {
  const std::int32_t index = Find(key);
  if (index < 0) {
    Append(std::move(key), std::move(value));
    return nullptr;
  }
  FList[static_cast<std::size_t>(index)].Value.swap(value);
  return value;
}

bool TTOMLOrderedTable::TryGetValue(std::u16string_view key, const TTOMLValue*& value) const {
  const std::int32_t index = Find(key);
  value = index < 0 ? nullptr : FList[static_cast<std::size_t>(index)].Value.get();
  return index >= 0;
}

bool TTOMLOrderedTable::TryGetValue(std::u16string_view key, TTOMLValue*& value) {
  const TTOMLValue* found = nullptr;
  const bool present = std::as_const(*this).TryGetValue(key, found);
  value = const_cast<TTOMLValue*>(found);
  return present;
}

bool TTOMLOrderedTable::ContainsKey(std::u16string_view key) const {
  return Find(key) >= 0;
}

std::unique_ptr<TTOMLValue> TTOMLOrderedTable::Remove(std::u16string_view key) {
  const std::int32_t index = Find(key);
  if (index < 0) {
    return nullptr;
  }
  std::unique_ptr<TTOMLValue> removed = std::move(FList[static_cast<std::size_t>(index)].Value);
  FList.erase(FList.begin() + index);
  // The entries behind it moved down.
  if (FList.size() <= kIndexThreshold) {
    FIndex.reset();
  } else if (FIndex) {
    FIndex->Rebuild(FList);
  }
  return removed;
}

void TTOMLOrderedTable::Clear() {
  FIndex.reset();
  // Values go in position order.
  for (Entry& entry : FList) {
    entry.Value.reset();
  }
  FList.clear();
}

const std::u16string& TTOMLOrderedTable::GetKey(std::int32_t index) const {
  CheckIndex(index);
  return FList[static_cast<std::size_t>(index)].Key;
}

const TTOMLValue* TTOMLOrderedTable::GetValue(std::int32_t index) const {
  CheckIndex(index);
  return FList[static_cast<std::size_t>(index)].Value.get();
}

std::unique_ptr<TTOMLValue> TTOMLOrderedTable::SetValue(std::int32_t index,
                                                        std::unique_ptr<TTOMLValue> value) {
  CheckIndex(index);
  FList[static_cast<std::size_t>(index)].Value.swap(value);
  return value;
}

std::vector<std::u16string> TTOMLOrderedTable::Keys() const {
  std::vector<std::u16string> keys;
  keys.reserve(FList.size());
  for (const Entry& entry : FList) {
    keys.push_back(entry.Key);
  }
  return keys;
}

std::vector<const TTOMLValue*> TTOMLOrderedTable::Values() const {
  std::vector<const TTOMLValue*> values;
  values.reserve(FList.size());
  for (const Entry& entry : FList) {
    values.push_back(entry.Value.get());
  }
  return values;
}

std::vector<TTOMLTableEntry> TTOMLOrderedTable::Entries() const {
  std::vector<TTOMLTableEntry> entries;
  entries.reserve(FList.size());
  for (const Entry& entry : FList) {
    entries.push_back(TTOMLTableEntry{entry.Key, entry.Value.get()});
  }
  return entries;
}

}  // namespace dactyra::toml
