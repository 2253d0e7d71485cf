#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dactyra {

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
