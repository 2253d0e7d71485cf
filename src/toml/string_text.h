#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace dactyra::toml {

// Writing keys and strings as TOML text.

// Appends a key: bare when it is not empty, every character is A-Z, a-z, 0-9, '_' or '-', and it
// does not start like a number or date without being a plain integer ("1" and "-5" stay bare,
// "1_000" and "2024-01-02" are quoted); else quoted as a single-line basic string.
void AppendKey(std::u16string& out, std::u16string_view key);

// The length AppendKey would append.
std::size_t KeyLength(std::u16string_view key);

// Appends the text as a single-line basic string: quotes, escapes for control characters,
// quotes and backslashes, every other character as itself.
void AppendBasicString(std::u16string& out, std::u16string_view text);

// The length AppendBasicString would append.
std::size_t BasicStringLength(std::u16string_view text);

// Appends the text as a multi-line basic string with CR LF line ends, wrapping lines longer
// than the width at blanks with line-ending backslashes. The closing quotes are indented by
// `closing_indent` blanks unless the text ends with a line break (they would become part of
// the value there). A CR in the text is written as an escape.
void AppendMultilineString(std::u16string& out, std::u16string_view text, std::size_t width,
                           std::size_t closing_indent);

// The lines of a text split at CR LF, LF and lone CR; a break at the very end starts no new line.
std::vector<std::u16string_view> SplitLines(std::u16string_view text);

}  // namespace dactyra::toml
