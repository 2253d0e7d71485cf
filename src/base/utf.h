#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace dactyra {

// Strict conversions: malformed input (a bad UTF-8 sequence, an overlong form, a surrogate coded
// in UTF-8, an unpaired UTF-16 surrogate) gives no result rather than a guess.
std::optional<std::u16string> Utf8ToUtf16(std::string_view utf8);
std::optional<std::string> Utf16ToUtf8(std::u16string_view utf16);

// For diagnostics only: unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8Lossy(std::u16string_view utf16);

// The length of the UTF-8 sequence that a lead byte starts (1 to 4); 0 for a byte that starts
// none.
std::size_t Utf8SequenceLength(unsigned char lead);

// The code point of one whole UTF-8 sequence (as long as its lead byte says), or none when it is
// malformed: a byte that does not continue it, an overlong form, a surrogate, past U+10FFFF.
std::optional<char32_t> DecodeUtf8Sequence(std::string_view sequence);

// A code point as UTF-16: one code unit, or a surrogate pair.
struct Utf16Units {
  char16_t unit[2];
  std::size_t count;
};
Utf16Units ToUtf16(char32_t code_point);

}  // namespace dactyra
