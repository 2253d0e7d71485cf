#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dactyra {

// One translatable text, written once in the table of the area that shows it: the section of
// the language files ("main", "log", ...), the dotted key path inside it ("button.enum") and the
// built-in English used when the translation has none.
struct TranslatableText {
  std::u16string_view section;
  std::u16string_view key;
  std::u16string_view english;
  // A key that once carried this text together with another one: still read when `key` is
  // absent, so that the translations written for it keep working.
  std::u16string_view former_key = {};
};

// One translatable number (a column width), likewise.
struct TranslatableNumber {
  std::u16string_view section;
  std::u16string_view key;
  std::int32_t built_in;
};

// Where every shown text and column width comes from: a section ("main", "log", ...), a dotted
// key path inside it ("button.enum") and the built-in default used when the translation has
// none. The main window implements it over its language document.
class TextSource {
 public:
  virtual ~TextSource() = default;

  virtual std::u16string GetLangStr(std::u16string_view module, std::u16string_view id,
                                    std::u16string_view default_text) const = 0;
  virtual std::int32_t GetLangInt(std::u16string_view module, std::u16string_view id,
                                  std::int32_t default_value) const = 0;

  std::u16string Get(const TranslatableText& text) const {
    if (!text.former_key.empty()) {
      return GetLangStr(text.section, text.key,
                        GetLangStr(text.section, text.former_key, text.english));
    }
    return GetLangStr(text.section, text.key, text.english);
  }
  std::int32_t Get(const TranslatableNumber& number) const {
    return GetLangInt(number.section, number.key, number.built_in);
  }
};

// A source without translations: every lookup gives its default.
class BuiltInTexts final : public TextSource {
 public:
  std::u16string GetLangStr(std::u16string_view, std::u16string_view,
                            std::u16string_view default_text) const override {
    return std::u16string(default_text);
  }
  std::int32_t GetLangInt(std::u16string_view, std::u16string_view,
                          std::int32_t default_value) const override {
    return default_value;
  }
};

}  // namespace dactyra
