#include "base/strings.h"

#include <limits>

namespace dactyra {

std::u16string IntToText(std::int64_t value) {
  // Work on the magnitude as unsigned so that the most negative value needs no special case.
  std::uint64_t magnitude =
      value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  char16_t buffer[24];
  char16_t* end = buffer + sizeof(buffer) / sizeof(buffer[0]);
  char16_t* p = end;
  do {
    *--p = static_cast<char16_t>(u'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) {
    *--p = u'-';
  }
  return std::u16string(p, end);
}

std::optional<std::int64_t> TextToInt(std::u16string_view text) {
  bool negative = false;
  size_t i = 0;
  if (!text.empty() && (text[0] == u'-' || text[0] == u'+')) {
    negative = text[0] == u'-';
    i = 1;
  }
  if (i == text.size()) {
    return std::nullopt;
  }
  const std::uint64_t limit =
      negative ? static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + 1
               : static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  std::uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c < u'0' || c > u'9') {
      return std::nullopt;
    }
    const std::uint64_t digit = static_cast<std::uint64_t>(c - u'0');
    if (magnitude > (limit - digit) / 10) {
      return std::nullopt;
    }
    magnitude = magnitude * 10 + digit;
  }
  if (negative) {
    return static_cast<std::int64_t>(0 - magnitude);
  }
  return static_cast<std::int64_t>(magnitude);
}

std::u16string AsciiToUtf16(std::string_view ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

}  // namespace dactyra
