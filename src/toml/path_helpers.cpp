#include "toml/path_helpers.h"

#include <utility>

#include "toml/document_io.h"

namespace dactyra::toml {
namespace {

bool IsQuote(char16_t c) {
  return c == u'"' || c == u'\'';
}

bool IsWhollyQuoted(std::u16string_view text) {
  return text.size() >= 2 && IsQuote(text.front()) && text.front() == text.back();
}

std::u16string_view Unquoted(std::u16string_view part) {
  return IsWhollyQuoted(part) ? part.substr(1, part.size() - 2) : part;
}

const TTOMLValue* Lookup(const TTOMLTable& table, std::u16string_view key) {
  const TTOMLValue* value = nullptr;
  table.TryGetValue(key, value);
  return value;
}

TTOMLValue* Lookup(TTOMLTable& table, std::u16string_view key) {
  TTOMLValue* value = nullptr;
  table.TryGetValue(key, value);
  return value;
}

// The table a path goes on in after a part that is not the last: a table itself, or the last
// element of an array when that is a table. Null when the path leads nowhere.
const TTOMLTable* SteppedInto(const TTOMLValue& value) {
  if (const auto* table = value.As<TTOMLTable>()) {
    return table;
  }
  if (const auto* array = value.As<TTOMLArray>(); array != nullptr && array->Count() > 0) {
    return array->GetItem(array->Count() - 1)->As<TTOMLTable>();
  }
  return nullptr;
}

TTOMLTable* SteppedInto(TTOMLValue& value) {
  return const_cast<TTOMLTable*>(SteppedInto(std::as_const(value)));
}

// The dotted walk shared by FindValue and HasPath (parts unquoted).
const TTOMLValue* WalkParts(const TTOMLTable& root, std::u16string_view path) {
  const std::vector<std::u16string> parts = SplitPath(path);
  const TTOMLTable* current = &root;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const TTOMLValue* value = Lookup(*current, Unquoted(parts[i]));
    if (value == nullptr || i + 1 == parts.size()) {
      return value;
    }
    current = SteppedInto(*value);
    if (current == nullptr) {
      return nullptr;
    }
  }
  return nullptr;
}

bool SetValueAtPath(TTOMLTable* table, const std::vector<std::u16string>& parts,
                    std::unique_ptr<TTOMLValue>& value, bool overwrite) {
  if (table == nullptr || parts.empty() || value == nullptr) {
    return false;
  }
  TTOMLTable* current = table;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    TTOMLValue* step = Lookup(*current, parts[i]);
    if (step == nullptr) {
      auto created = NewTable();
      TTOMLTable* next = created.get();
      current->Add(parts[i], std::move(created));
      current = next;
    } else {
      current = SteppedInto(*step);
      if (current == nullptr) {
        return false;
      }
    }
  }
  const std::u16string& key = parts.back();
  TTOMLValue* existing = Lookup(*current, key);
  if (existing != nullptr && !overwrite) {
    return false;
  }
  if (existing == value.get()) {
    value.release();  // already in its place: the document owns it
    return true;
  }
  current->Items().AddOrSetValue(key, std::move(value));  // the replaced value is released
  return true;
}

bool StoreAtPath(TTOMLTable* table, std::u16string_view path, std::unique_ptr<TTOMLValue> value,
                 bool overwrite) {
  try {
    return SetValueAtPath(table, SplitPath(path), value, overwrite);
  } catch (...) {
    return false;
  }
}

}  // namespace

std::vector<std::u16string> SplitPath(std::u16string_view path) {
  std::vector<std::u16string> parts;
  std::u16string current;
  bool in_double = false;
  bool in_single = false;
  for (const char16_t c : path) {
    if (c == u'"' && !in_single) {
      in_double = !in_double;
    } else if (c == u'\'' && !in_double) {
      in_single = !in_single;
    } else if (c == u'.' && !in_double && !in_single) {
      parts.push_back(std::move(current));
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  parts.push_back(std::move(current));
  return parts;
}

const TTOMLValue* FindValue(const TTOMLTable* table, std::u16string_view path) {
  if (table == nullptr || path.empty()) {
    return nullptr;
  }
  try {
    if (IsWhollyQuoted(path)) {
      if (const TTOMLValue* value = Lookup(*table, Unquoted(path))) {
        return value;
      }
    }
    return WalkParts(*table, path);
  } catch (...) {
    return nullptr;
  }
}

bool HasPath(const TTOMLTable* table, std::u16string_view path) {
  if (table == nullptr || path.empty()) {
    return false;
  }
  try {
    if (IsWhollyQuoted(path)) {
      return table->Items().ContainsKey(Unquoted(path));
    }
    return WalkParts(*table, path) != nullptr;
  } catch (...) {
    return false;
  }
}

TTOMLTable* FindTable(TTOMLTable* table, std::u16string_view path) {
  if (table == nullptr || path.empty()) {
    return table;
  }
  TTOMLTable* current = table;
  try {
    const std::vector<std::u16string> parts = SplitPath(path);
    for (std::size_t i = 0; i < parts.size(); ++i) {
      TTOMLValue* value = Lookup(*current, parts[i]);
      if (value == nullptr) {
        return nullptr;
      }
      if (auto* next = value->As<TTOMLTable>()) {
        current = next;
      } else if (i + 1 < parts.size() && value->As<TTOMLArray>() != nullptr) {
        current = SteppedInto(*value);
        if (current == nullptr) {
          return nullptr;
        }
      } else {
        return nullptr;
      }
    }
    return current;
  } catch (...) {
    return nullptr;
  }
}

std::u16string GetString(const TTOMLTable* table, std::u16string_view path,
                         std::u16string_view default_value) {
  if (const TTOMLValue* value = FindValue(table, path)) {
    if (const auto* text = value->As<TTOMLString>()) {
      return text->Value();
    }
  }
  return std::u16string(default_value);
}

std::int64_t GetInteger(const TTOMLTable* table, std::u16string_view path,
                        std::int64_t default_value) {
  if (const TTOMLValue* value = FindValue(table, path)) {
    if (const auto* number = value->As<TTOMLInteger>()) {
      return number->Value();
    }
  }
  return default_value;
}

const TTOMLArray* GetArray(const TTOMLTable* table, std::u16string_view path) {
  const TTOMLValue* value = FindValue(table, path);
  return value == nullptr ? nullptr : value->As<TTOMLArray>();
}

TTOMLArray* GetArray(TTOMLTable* table, std::u16string_view path) {
  return const_cast<TTOMLArray*>(GetArray(static_cast<const TTOMLTable*>(table), path));
}

bool SetString(TTOMLTable* table, std::u16string_view path, std::u16string_view value,
               bool overwrite) {
  return StoreAtPath(table, path, std::make_unique<TTOMLString>(std::u16string(value)), overwrite);
}

bool SetInteger(TTOMLTable* table, std::u16string_view path, std::int64_t value, bool overwrite) {
  return StoreAtPath(table, path, std::make_unique<TTOMLInteger>(value), overwrite);
}

bool SetArray(TTOMLTable* table, std::u16string_view path, std::unique_ptr<TTOMLArray>&& array,
              bool overwrite) {
  if (array == nullptr) {
    return false;
  }
  std::unique_ptr<TTOMLValue> value(array.release());
  bool stored = false;
  try {
    stored = SetValueAtPath(table, SplitPath(path), value, overwrite);
  } catch (...) {
    stored = false;
  }
  if (!stored) {
    array.reset(static_cast<TTOMLArray*>(value.release()));  // still the caller's
  }
  return stored;
}

bool MergeFromFile(TTOMLTable* table, std::u16string_view file_name, bool clear,
                   bool preserve_comments) {
  if (table == nullptr) {
    return false;
  }
  try {
    std::unique_ptr<TTOMLTable> loaded = LoadFromFile(file_name, preserve_comments);
    if (loaded == nullptr) {
      return false;
    }
    if (clear) {
      Clear(table);
    }
    TTOMLOrderedTable& entries = loaded->Items();
    for (std::int32_t i = 0; i < entries.Count(); ++i) {
      std::unique_ptr<TTOMLValue> value = entries.SetValue(i, nullptr);
      table->Items().AddOrSetValue(entries.GetKey(i), std::move(value));
    }
    return true;
  } catch (...) {
    return false;
  }
}

FileWriteResult SaveToFile(const TTOMLTable* table, std::u16string_view file_name, bool write_bom,
                           std::int32_t wrap_width, bool preserve_comments) {
  if (table == nullptr) {
    return {false, u"There is no document to save"};
  }
  return SerializeToFile(*table, file_name, write_bom, wrap_width, preserve_comments);
}

void Clear(TTOMLTable* table, std::vector<std::unique_ptr<TTOMLValue>>* taken) {
  if (table == nullptr) {
    return;
  }
  TTOMLOrderedTable& entries = table->Items();
  if (taken != nullptr) {
    for (std::int32_t i = 0; i < entries.Count(); ++i) {
      taken->push_back(entries.SetValue(i, nullptr));
    }
  }
  entries.Clear();
}

TTOMLArray* AddTable(TTOMLArray* array, std::unique_ptr<TTOMLTable>&& table) {
  if (array == nullptr) {
    return nullptr;
  }
  if (table != nullptr) {
    array->Add(std::move(table));
  }
  return array;
}

bool Delete(TTOMLArray* array, std::int32_t index, std::unique_ptr<TTOMLValue>* taken) {
  if (array == nullptr || index < 0 || index >= array->Count()) {
    return false;
  }
  std::unique_ptr<TTOMLValue> removed = array->Remove(index);
  if (taken != nullptr) {
    *taken = std::move(removed);
  }
  return true;
}

namespace {

// The walk of both ForEachTable, over a const array or one whose tables the callback may change.
template <class Array, class Callback>
void WalkTables(Array* array, const Callback& callback, bool skip_non_tables) {
  if (array == nullptr || !callback) {
    return;
  }
  const std::int32_t count = array->Count();
  try {
    for (std::int32_t i = 0; i < count; ++i) {
      auto* table = array->GetItem(i)->template As<TTOMLTable>();
      if (table != nullptr) {
        if (!callback(i, *table)) {
          return;
        }
      } else if (!skip_non_tables) {
        return;
      }
    }
  } catch (...) {
    // An element removed by the callback, or the callback's own error, ends the walk.
  }
}

}  // namespace

void ForEachTable(TTOMLArray* array, const TTOMLTableCallback& callback, bool skip_non_tables) {
  WalkTables(array, callback, skip_non_tables);
}

void ForEachTable(const TTOMLArray* array, const TTOMLConstTableCallback& callback,
                  bool skip_non_tables) {
  WalkTables(array, callback, skip_non_tables);
}

}  // namespace dactyra::toml
