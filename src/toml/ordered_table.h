#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dactyra::toml {

class TTOMLValue;

// One entry as handed out by Entries: the key and a non-owning pointer to its value.
struct TTOMLTableEntry {
  std::u16string Key;
  const TTOMLValue* Value = nullptr;
};

// Keys and values in insertion order, with lookup by key (exact code-unit comparison).
// The table owns its values. The operations that replace or remove a value (AddOrSetValue on an
// existing key, SetValue, Remove) hand the old value back to the caller.
// Positions outside 0..Count-1 raise std::out_of_range.
class TTOMLOrderedTable {
 public:
  TTOMLOrderedTable();
  ~TTOMLOrderedTable();
  TTOMLOrderedTable(const TTOMLOrderedTable&) = delete;
  TTOMLOrderedTable& operator=(const TTOMLOrderedTable&) = delete;

  // Appends; a key that is present raises ETOMLParserException "Duplicate key "%s" found" and
  // leaves the table as it was (the value passed in is destroyed).
  void Add(std::u16string key, std::unique_ptr<TTOMLValue> value);
  // Appends a new key, or replaces the value of an existing one in place (returning the old).
  std::unique_ptr<TTOMLValue> AddOrSetValue(std::u16string key, std::unique_ptr<TTOMLValue> value);
  bool TryGetValue(std::u16string_view key, const TTOMLValue*& value) const;
  bool TryGetValue(std::u16string_view key, TTOMLValue*& value);
  bool ContainsKey(std::u16string_view key) const;
  // Takes the entry out; the entries behind it move down by one. Null for an absent key.
  std::unique_ptr<TTOMLValue> Remove(std::u16string_view key);
  // Destroys every value and empties the table.
  void Clear();

  std::int32_t Count() const { return static_cast<std::int32_t>(FList.size()); }
  const std::u16string& GetKey(std::int32_t index) const;
  const TTOMLValue* GetValue(std::int32_t index) const;
  TTOMLValue* GetValue(std::int32_t index) {
    return const_cast<TTOMLValue*>(std::as_const(*this).GetValue(index));
  }
  std::unique_ptr<TTOMLValue> SetValue(std::int32_t index, std::unique_ptr<TTOMLValue> value);

  // Fresh copies in position order.
  std::vector<std::u16string> Keys() const;
  std::vector<const TTOMLValue*> Values() const;
  std::vector<TTOMLTableEntry> Entries() const;

  // Makes room for this many entries at once, or gives back the room the list grew into but
  // does not use.
  void Reserve(std::int32_t count) { FList.reserve(static_cast<std::size_t>(count)); }
  void ShrinkToFit() { FList.shrink_to_fit(); }

 private:
  struct Entry {
    Entry(std::u16string&& key, std::unique_ptr<TTOMLValue>&& value)
        : Key(std::move(key)), Value(std::move(value)) {}

    std::u16string Key;
    std::unique_ptr<TTOMLValue> Value;
  };
  class TKeyIndex;

  // Small tables are searched directly; the key index is built once a table grows past this.
  static constexpr std::size_t kIndexThreshold = 32;

  std::int32_t Find(std::u16string_view key) const;
  void CheckIndex(std::int32_t index) const;
  // Moves rather than copies: a short key's move copies its characters.
  void Append(std::u16string&& key, std::unique_ptr<TTOMLValue>&& value);

  std::vector<Entry> FList;
  std::unique_ptr<TKeyIndex> FIndex;
};

}  // namespace dactyra::toml
