#include "base/utf.h"

#include <cstdint>

namespace dactyra {
namespace {

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Reads one code point of UTF-16 at `i`; false for an unpaired surrogate.
bool NextUtf16(std::u16string_view in, size_t& i, char32_t& cp) {
  char16_t unit = in[i++];
  if (unit < 0xD800 || unit > 0xDFFF) {
    cp = unit;
    return true;
  }
  if (unit >= 0xDC00 || i == in.size() || in[i] < 0xDC00 || in[i] > 0xDFFF) {
    return false;
  }
  cp = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (in[i++] - 0xDC00);
  return true;
}

}  // namespace

std::optional<std::u16string> Utf8ToUtf16(std::string_view utf8) {
  // Never more code units than bytes: written in place, trimmed at the end.
  std::u16string out(utf8.size(), u'\0');
  char16_t* const begin = out.data();
  char16_t* p = begin;
  size_t i = 0;
  const size_t n = utf8.size();
  while (i < n) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    if (lead < 0x80) {
      *p++ = lead;
      ++i;
      continue;
    }
    int length;
    char32_t cp;
    char32_t minimum;
    if ((lead & 0xE0) == 0xC0) {
      length = 2;
      cp = lead & 0x1F;
      minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
      cp = lead & 0x0F;
      minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4;
      cp = lead & 0x07;
      minimum = 0x10000;
    } else {
      return std::nullopt;
    }
    if (n - i < static_cast<size_t>(length)) {
      return std::nullopt;
    }
    for (int k = 1; k < length; ++k) {
      const auto byte = static_cast<unsigned char>(utf8[i + k]);
      if (!IsContinuation(byte)) {
        return std::nullopt;
      }
      cp = (cp << 6) | (byte & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      return std::nullopt;
    }
    if (cp < 0x10000) {
      *p++ = static_cast<char16_t>(cp);
    } else {
      cp -= 0x10000;
      *p++ = static_cast<char16_t>(0xD800 + (cp >> 10));
      *p++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    }
    i += length;
  }
  out.resize(static_cast<size_t>(p - begin));
  return out;
}

std::optional<std::string> Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  size_t i = 0;
  while (i < utf16.size()) {
    char32_t cp;
    if (!NextUtf16(utf16, i, cp)) {
      return std::nullopt;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

std::string Utf16ToUtf8Lossy(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  size_t i = 0;
  while (i < utf16.size()) {
    const size_t start = i;
    char32_t cp;
    if (!NextUtf16(utf16, i, cp)) {
      cp = 0xFFFD;
      i = start + 1;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

}  // namespace dactyra
