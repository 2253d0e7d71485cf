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

std::size_t Utf8SequenceLength(unsigned char lead) {
  if (lead < 0x80) {
    return 1;
  }
  if ((lead & 0xE0) == 0xC0) {
    return 2;
  }
  if ((lead & 0xF0) == 0xE0) {
    return 3;
  }
  return (lead & 0xF8) == 0xF0 ? 4 : 0;
}

std::optional<char32_t> DecodeUtf8Sequence(std::string_view sequence) {
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  const std::size_t length = sequence.size();
  const auto lead = static_cast<unsigned char>(sequence[0]);
  char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    const auto byte = static_cast<unsigned char>(sequence[k]);
    if (!IsContinuation(byte)) {
      return std::nullopt;
    }
    cp = (cp << 6) | (byte & 0x3F);
  }
  if (cp < kSmallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    return std::nullopt;
  }
  return cp;
}

Utf16Units ToUtf16(char32_t code_point) {
  if (code_point < 0x10000) {
    return {{static_cast<char16_t>(code_point), 0}, 1};
  }
  code_point -= 0x10000;
  return {{static_cast<char16_t>(0xD800 + (code_point >> 10)),
           static_cast<char16_t>(0xDC00 + (code_point & 0x3FF))},
          2};
}

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
    const std::size_t length = Utf8SequenceLength(lead);
    if (length == 0 || n - i < length) {
      return std::nullopt;
    }
    const std::optional<char32_t> cp = DecodeUtf8Sequence(utf8.substr(i, length));
    if (!cp) {
      return std::nullopt;
    }
    const Utf16Units units = ToUtf16(*cp);
    for (std::size_t k = 0; k < units.count; ++k) {
      *p++ = units.unit[k];
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
