#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dactyra {

// Decimal text of an integer, with a leading '-' when negative.
std::u16string IntToText(std::int64_t value);

// Strict decimal reading: an optional '-' or '+' and one or more ASCII digits, nothing else, in
// the range of a signed 64-bit integer.
std::optional<std::int64_t> TextToInt(std::u16string_view text);

// ASCII-only widening for literals and other texts known to be plain ASCII.
std::u16string AsciiToUtf16(std::string_view ascii);

}  // namespace dactyra
