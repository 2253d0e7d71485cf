#pragma once

#include <cstdint>

namespace dactyra::toml {

// The character classes of TOML's lexical rules. A code unit above 255 is in none of them.
constexpr bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t';
}
constexpr bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}
constexpr bool IsLetter(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
}
// The characters of a bare key.
constexpr bool IsWordChar(char16_t c) {
  return IsLetter(c) || IsDigit(c) || c == u'-';
}
constexpr bool IsHexDigit(char16_t c) {
  return IsDigit(c) || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}
constexpr bool IsOctalDigit(char16_t c) {
  return c >= u'0' && c <= u'7';
}
constexpr bool IsBinaryDigit(char16_t c) {
  return c == u'0' || c == u'1';
}

// The value of a hexadecimal digit (either case).
constexpr std::uint32_t HexDigitValue(char16_t c) {
  return IsDigit(c) ? static_cast<std::uint32_t>(c - u'0')
                    : static_cast<std::uint32_t>((c | 0x20) - u'a' + 10);
}

}  // namespace dactyra::toml
