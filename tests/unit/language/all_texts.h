#pragma once

#include <array>
#include <string_view>
#include <utility>
#include <vector>

#include "base/text_source.h"

namespace dactyra::language_test {

// Every text and number the program looks up in a language file, from the tables of the areas
// that show them.
struct TProgramTexts {
  std::vector<TranslatableText> fixed;     // one built-in English text each
  std::vector<TranslatableText> composed;  // English is only the start of a text made at run time
  std::vector<TranslatableNumber> numbers;
  // The window's font: every file names the one of its language, English's not the built-in.
  TranslatableText font_name;
  TranslatableNumber font_height;
};

TProgramTexts AllProgramTexts();

// A (section, key) of a language file.
using TKey = std::pair<std::u16string_view, std::u16string_view>;

inline TKey KeyOf(const TranslatableText& text) {
  return {text.section, text.key};
}

// The buttons and menu items shown together in one window, whose keyboard shortcuts must differ.
std::vector<std::vector<TKey>> ShortcutGroups();

}  // namespace dactyra::language_test
