#pragma once

#include <string>
#include <string_view>

#include "base/text_source.h"

namespace dactyra {

// A text the user sees, declared once: its section and key in the language files and its
// built-in English.
struct TLangText {
  std::u16string_view FSection;
  std::u16string_view FKey;
  std::u16string_view FEnglish;
};

inline std::u16string LangText(const TLangText& text, const TextSource& texts) {
  return texts.GetLangStr(text.FSection, text.FKey, text.FEnglish);
}

}  // namespace dactyra
