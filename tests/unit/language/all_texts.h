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
};

TProgramTexts AllProgramTexts();

// Sections whose texts are not all in the tables gathered yet: a key of theirs that no table
// declares is let through. TODO(app tables): empty once the main window's and the configuration
// store's tables are gathered.
inline constexpr std::array<std::u16string_view, 2> kPartlyGatheredSections{u"main", u"log"};

// A (section, key) of a language file.
using TKey = std::pair<std::u16string_view, std::u16string_view>;

inline TKey KeyOf(const TranslatableText& text) {
  return {text.section, text.key};
}

// The buttons and menu items shown together in one window, whose keyboard shortcuts must differ.
std::vector<std::vector<TKey>> ShortcutGroups();

}  // namespace dactyra::language_test
