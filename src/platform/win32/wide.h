#pragma once

// UTF-16 text between the program's std::u16string and the wchar_t of the Windows API, which
// holds the same 16-bit units.

#include <algorithm>
#include <string>
#include <string_view>

namespace dactyra::platform {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline std::wstring ToWide(std::u16string_view text) {
  return std::wstring(text.begin(), text.end());
}

inline std::u16string FromWide(std::wstring_view text) {
  return std::u16string(text.begin(), text.end());
}

// The text of a buffer up to its terminator, never past `capacity` units.
inline std::u16string FromWideBuffer(const wchar_t* buffer, std::size_t capacity) {
  return std::u16string(buffer, std::find(buffer, buffer + capacity, L'\0'));
}

}  // namespace dactyra::platform
