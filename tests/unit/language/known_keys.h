#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace dactyra::language_test {

// How the program supplies the value of a key when no language file gives one.
enum class TBuiltIn {
  kText,      // one fixed text
  kTwoTexts,  // a different text in each of two cases; a language file gives both the same
  kComposed,  // made at run time around a value; a language file replaces all of it
  kWidth,     // an integer (a column width in pixels)
};

// One key that the program looks up in a language document.
struct TKnownKey {
  constexpr TKnownKey(std::u16string_view section_name, std::u16string_view key_path,
                      std::u16string_view built_in_text, TBuiltIn built_in = TBuiltIn::kText,
                      std::u16string_view second_text = {}, std::int32_t built_in_width = 0)
      : section(section_name),
        key(key_path),
        text(built_in_text),
        kind(built_in),
        other_text(second_text),
        width(built_in_width) {}

  std::u16string_view section;
  std::u16string_view key;
  // kText: the text; kTwoTexts: the first case's; kComposed: the part before the value.
  std::u16string_view text;
  TBuiltIn kind;
  std::u16string_view other_text;  // kTwoTexts: the second case's text
  std::int32_t width;              // kWidth
};

// Every key of every section that the program looks up, with its built-in value.
const std::vector<TKnownKey>& KnownKeys();

// The entry of a key, or null.
const TKnownKey* FindKnownKey(std::u16string_view section, std::u16string_view key);

}  // namespace dactyra::language_test
