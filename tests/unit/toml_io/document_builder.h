#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "toml/value.h"

namespace dactyra::toml::testing {

// Small helpers that build documents by code for the tests.

inline TTOMLTable& AddTable(TTOMLTable& parent, const std::u16string& key, bool is_inline = false) {
  auto table = std::make_unique<TTOMLTable>();
  table->SetIsInline(is_inline);
  TTOMLTable& result = *table;
  parent.Add(key, std::move(table));
  return result;
}

inline TTOMLArray& AddArray(TTOMLTable& parent, const std::u16string& key) {
  auto array = std::make_unique<TTOMLArray>();
  TTOMLArray& result = *array;
  parent.Add(key, std::move(array));
  return result;
}

inline TTOMLTable& AppendTable(TTOMLArray& array, bool is_inline = false) {
  auto table = std::make_unique<TTOMLTable>();
  table->SetIsInline(is_inline);
  TTOMLTable& result = *table;
  array.Add(std::move(table));
  return result;
}

inline TTOMLArray& AppendArray(TTOMLArray& array) {
  auto inner = std::make_unique<TTOMLArray>();
  TTOMLArray& result = *inner;
  array.Add(std::move(inner));
  return result;
}

inline void AddInteger(TTOMLTable& table, const std::u16string& key, std::int64_t value) {
  table.Add(key, std::make_unique<TTOMLInteger>(value));
}

inline void AddString(TTOMLTable& table, const std::u16string& key, const std::u16string& value) {
  table.Add(key, std::make_unique<TTOMLString>(value));
}

inline void AppendIntegers(TTOMLArray& array, std::initializer_list<std::int64_t> values) {
  for (const std::int64_t value : values) {
    array.Add(std::make_unique<TTOMLInteger>(value));
  }
}

// Each line followed by CR LF, as the serializer ends every line.
inline std::u16string Lines(std::initializer_list<std::u16string_view> lines) {
  std::u16string text;
  for (const std::u16string_view line : lines) {
    text += line;
    text += u"\r\n";
  }
  return text;
}

}  // namespace dactyra::toml::testing
