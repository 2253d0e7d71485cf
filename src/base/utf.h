#pragma once

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

}  // namespace dactyra
