#pragma once

#include <array>
#include <concepts>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace dactyra {

// One argument of Format: an integer (with the width of its type, for %x of negative values)
// or a text.
class FormatArg {
 public:
  enum class Kind { kInteger, kText };

  template <std::integral T>
  requires(!std::same_as<T, bool> && !std::same_as<T, char> && !std::same_as<T, char16_t> &&
           !std::same_as<T, wchar_t>)
      FormatArg(T value)  // NOLINT(google-explicit-constructor): arguments convert implicitly.
      : kind_(Kind::kInteger), integer_(static_cast<std::int64_t>(value)), bits_(sizeof(T) * 8) {}

  FormatArg(std::u16string_view text) : kind_(Kind::kText), text_(text) {}    // NOLINT
  FormatArg(const std::u16string& text) : kind_(Kind::kText), text_(text) {}  // NOLINT
  FormatArg(const char16_t* text) : kind_(Kind::kText), text_(text) {}        // NOLINT

  Kind kind() const { return kind_; }
  std::int64_t integer() const { return integer_; }
  int bits() const { return bits_; }
  std::u16string_view text() const { return text_; }

 private:
  Kind kind_;
  std::int64_t integer_ = 0;
  int bits_ = 0;
  std::u16string_view text_;
};

// Formats `format` with the directives %s, %d, %x and %X (each with an optional '-' flag,
// width and .precision) and %%. A directive of the wrong kind for its argument, a missing
// argument or an unknown directive raises FormatError naming the format. Surplus arguments are
// ignored. Translated texts reach this function, so it never trusts the format.
std::u16string FormatWith(std::u16string_view format, std::span<const FormatArg> args);

template <typename... Args>
std::u16string Format(std::u16string_view format, const Args&... args) {
  const std::array<FormatArg, sizeof...(Args)> list{FormatArg(args)...};
  return FormatWith(format, list);
}

}  // namespace dactyra
