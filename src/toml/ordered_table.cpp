#include "toml/ordered_table.h"

#include <stdexcept>

#include "base/format.h"
#include "toml/exceptions.h"
#include "toml/value.h"

namespace dactyra::toml {

TTOMLOrderedTable::TTOMLOrderedTable() = default;

TTOMLOrderedTable::~TTOMLOrderedTable() {
  Clear();
}

std::int32_t TTOMLOrderedTable::Find(std::u16string_view key) const {
  if (FList.size() <= kMapThreshold) {
    for (std::size_t i = 0; i < FList.size(); ++i) {
      if (FList[i].Key == key) {
        return static_cast<std::int32_t>(i);
      }
    }
    return -1;
  }
  const auto found = FDict.find(key);
  return found == FDict.end() ? -1 : found->second;
}

void TTOMLOrderedTable::CheckIndex(std::int32_t index) const {
  if (index < 0 || index >= Count()) {
    throw std::out_of_range("TOML table position out of range");
  }
}

void TTOMLOrderedTable::Append(std::u16string key, std::unique_ptr<TTOMLValue> value) {
  FList.push_back(Entry{std::move(key), std::move(value)});
  if (FList.size() == kMapThreshold + 1) {
    for (std::size_t i = 0; i < FList.size(); ++i) {
      FDict.emplace(FList[i].Key, static_cast<std::int32_t>(i));
    }
  } else if (FList.size() > kMapThreshold + 1) {
    FDict.emplace(FList.back().Key, static_cast<std::int32_t>(FList.size() - 1));
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

bool TTOMLOrderedTable::TryGetValue(std::u16string_view key, TTOMLValue*& value) const {
  const std::int32_t index = Find(key);
  value = index < 0 ? nullptr : FList[static_cast<std::size_t>(index)].Value.get();
  return index >= 0;
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
  if (!FDict.empty()) {
    FDict.erase(FDict.find(key));
  }
  FList.erase(FList.begin() + index);
  if (FList.size() <= kMapThreshold) {
    FDict.clear();
  } else {
    for (std::size_t i = static_cast<std::size_t>(index); i < FList.size(); ++i) {
      FDict.find(FList[i].Key)->second = static_cast<std::int32_t>(i);
    }
  }
  return removed;
}

void TTOMLOrderedTable::Clear() {
  FDict.clear();
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

TTOMLValue* TTOMLOrderedTable::GetValue(std::int32_t index) const {
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

std::vector<TTOMLValue*> TTOMLOrderedTable::Values() const {
  std::vector<TTOMLValue*> values;
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
