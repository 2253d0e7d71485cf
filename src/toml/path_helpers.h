#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file.h"
#include "toml/value.h"

namespace dactyra::toml {

// Reading and writing values of a document by a dotted path such as "units" or "button.enum".
// Every helper accepts a null table or array and then gives null, false or the default; none of
// them raises. A path part in double or single quotes is one key, dots included ("a.b".c).
// Values returned by the getters stay owned by the document; a const document gives const values.

// The parts of a path: split at dots outside quotes, quotes dropped; at least one part.
std::vector<std::u16string> SplitPath(std::u16string_view path);

const TTOMLValue* FindValue(const TTOMLTable* table, std::u16string_view path);
// An empty path gives the table itself.
TTOMLTable* FindTable(TTOMLTable* table, std::u16string_view path);
bool HasPath(const TTOMLTable* table, std::u16string_view path);

// The value at the path when it has the wanted kind (no conversion between kinds), else the
// default.
std::u16string GetString(const TTOMLTable* table, std::u16string_view path,
                         std::u16string_view default_value);
std::int64_t GetInteger(const TTOMLTable* table, std::u16string_view path,
                        std::int64_t default_value);
const TTOMLArray* GetArray(const TTOMLTable* table, std::u16string_view path);
TTOMLArray* GetArray(TTOMLTable* table, std::u16string_view path);

// Store a new value at the path, creating the tables on the way; an existing value is replaced
// in its place only when overwrite is true. True when the value was stored.
bool SetString(TTOMLTable* table, std::u16string_view path, std::u16string_view value,
               bool overwrite);
bool SetInteger(TTOMLTable* table, std::u16string_view path, std::int64_t value, bool overwrite);
// On true the document owns the array (moved out of `array`); on false `array` keeps it.
bool SetArray(TTOMLTable* table, std::u16string_view path, std::unique_ptr<TTOMLArray>&& array,
              bool overwrite);

// Moves the top-level entries of a TOML file into the table: a key it has keeps its place and
// takes the loaded value, a new key is appended. With clear, the table is emptied first. False,
// with the table untouched, when the file cannot be read or parsed.
bool MergeFromFile(TTOMLTable* table, std::u16string_view file_name, bool clear,
                   bool preserve_comments);

// SerializeToFile for the table; false with a reason for a null table.
FileWriteResult SaveToFile(const TTOMLTable* table, std::u16string_view file_name, bool write_bom,
                           std::int32_t wrap_width, bool preserve_comments);

// Empties the table. The values are released, or moved into `taken` when it is given.
void Clear(TTOMLTable* table, std::vector<std::unique_ptr<TTOMLValue>>* taken = nullptr);

// Appends the table to the array, which then owns it; gives the array. A null table leaves the
// array as it is; a null array gives null and `table` keeps its table.
TTOMLArray* AddTable(TTOMLArray* array, std::unique_ptr<TTOMLTable>&& table);

// Removes the element at the index (the ones behind move down). The element is released, or
// moved into `taken` when it is given. False for a null array or an index out of range.
bool Delete(TTOMLArray* array, std::int32_t index, std::unique_ptr<TTOMLValue>* taken = nullptr);

// Calls back for each table of the array with its index while the callback returns true. An
// element that is not a table is passed over with skip_non_tables, else it ends the walk; so
// does any error inside the walk. The tables of a const array are handed out const.
using TTOMLTableCallback = std::function<bool(std::int32_t index, TTOMLTable& table)>;
using TTOMLConstTableCallback = std::function<bool(std::int32_t index, const TTOMLTable& table)>;
void ForEachTable(TTOMLArray* array, const TTOMLTableCallback& callback, bool skip_non_tables);
void ForEachTable(const TTOMLArray* array, const TTOMLConstTableCallback& callback,
                  bool skip_non_tables);

}  // namespace dactyra::toml
