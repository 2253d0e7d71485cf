#pragma once

#include <array>
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

// A table of texts, each entry written once: a list macro gives the entries one a line as
// `TEXT(name, section, key, english)` or `TEXT(name, section, key, english, former_key)`, with
// block comments between them, and `DACTYRA_TEXT_TABLE(kConfigTexts, DACTYRA_CONFIG_TEXTS);`
// declares every entry as a constant of its name (kConfigSaved) and the table (kConfigTexts) as
// the array of them all, which the checks of the language files go through. See config_texts.h.
#define DACTYRA_TEXT_TABLE(table, LIST) \
  LIST(DACTYRA_TEXT_CONSTANT)           \
  inline constexpr std::array table {   \
    LIST(DACTYRA_TEXT_ELEMENT)          \
  }
#define DACTYRA_TEXT_CONSTANT(name, ...) \
  inline constexpr ::dactyra::TranslatableText name{__VA_ARGS__};
#define DACTYRA_TEXT_ELEMENT(name, ...) name,

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
