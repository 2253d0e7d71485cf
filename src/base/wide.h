#pragma once

// UTF-16 text between the program's std::u16string and the wchar_t of the Windows API, which
// holds the same 16-bit units. Included by code for Windows only.

#include <algorithm>
#include <string>
#include <string_view>

namespace dactyra {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the Windows API's wchar_t is UTF-16");

// The text as the terminated string an API call takes; valid while `text` is unchanged.
inline const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

// The characters of `text` as a buffer that an API call fills.
inline wchar_t* WideData(std::u16string& text) {
  return reinterpret_cast<wchar_t*>(text.data());
}

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

}  // namespace dactyra
