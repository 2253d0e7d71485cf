#include "toml/conversion.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "base/format.h"
#include "toml/char_class.h"
#include "toml/date_time.h"
#include "toml/exceptions.h"

namespace dactyra::toml {
namespace {

[[noreturn]] void Fail(std::u16string message) {
  throw ETOMLParserException(std::move(message));
}

std::u16string Widen(std::string_view ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

// Digits of a prefixed integer (0b, 0o, 0x) into 64 bits; none when a digit does not belong to
// the base or the value needs more than 64 bits.
std::optional<std::uint64_t> ReadPrefixed(std::string_view digits, unsigned bits_per_digit) {
  if (digits.empty()) {
    return std::nullopt;
  }
  const std::uint64_t base = std::uint64_t{1} << bits_per_digit;
  std::uint64_t value = 0;
  for (const char c : digits) {
    if (!IsHexDigit(static_cast<char16_t>(c))) {
      return std::nullopt;
    }
    const std::uint64_t digit = HexDigitValue(static_cast<char16_t>(c));
    if (digit >= base || value > (std::numeric_limits<std::uint64_t>::max() >> bits_per_digit)) {
      return std::nullopt;
    }
    value = (value << bits_per_digit) | digit;
  }
  return value;
}

// A decimal integer with an optional sign over the full signed 64-bit range.
std::optional<std::int64_t> ReadDecimal(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) {
    return std::nullopt;
  }
  const std::uint64_t limit =
      static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + (negative ? 1 : 0);
  std::uint64_t value = 0;
  for (const char c : text) {
    if (!IsDigit(static_cast<char16_t>(c))) {
      return std::nullopt;
    }
    const auto digit = static_cast<std::uint64_t>(c - '0');
    if (value > (limit - digit) / 10) {
      return std::nullopt;
    }
    value = value * 10 + digit;
  }
  return negative ? static_cast<std::int64_t>(0 - value) : static_cast<std::int64_t>(value);
}

// Whether a well-formed decimal float (no sign) lies below the smallest double rather than
// above the largest: its first significant digit stands before the decimal point or not.
bool IsBelowDoubleRange(std::string_view text) {
  const std::size_t e = text.find_first_of("eE");
  const std::string_view mantissa = text.substr(0, e);
  long exponent = 0;
  if (e != std::string_view::npos) {
    std::string_view digits = text.substr(e + 1);
    const bool negative = !digits.empty() && digits[0] == '-';
    if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
      digits.remove_prefix(1);
    }
    for (const char c : digits) {
      exponent = std::min(exponent * 10 + (c - '0'), 1'000'000L);
    }
    exponent = negative ? -exponent : exponent;
  }
  const std::size_t dot = mantissa.find('.');
  const std::string_view whole = mantissa.substr(0, dot);
  const std::size_t first_whole = whole.find_first_not_of('0');
  long magnitude;
  if (first_whole != std::string_view::npos) {
    magnitude = static_cast<long>(whole.size() - first_whole);
  } else {
    const std::string_view fraction =
        dot == std::string_view::npos ? std::string_view{} : mantissa.substr(dot + 1);
    magnitude = -static_cast<long>(std::min(fraction.find_first_not_of('0'), fraction.size()));
  }
  return magnitude + exponent <= 0;
}

// The most common integer quickly: an optional sign and at most 18 digits, without a leading
// zero or an underscore; none for anything else.
std::optional<std::int64_t> ReadPlainInteger(const TToken& token) {
  std::u16string_view text = token.Value;
  const bool negative = !text.empty() && text[0] == u'-';
  if (!text.empty() && (text[0] == u'+' || text[0] == u'-')) {
    text.remove_prefix(1);
  }
  if (token.TokenType != ttInteger || text.empty() || text.size() > 18 ||
      (text[0] == u'0' && text.size() > 1)) {
    return std::nullopt;
  }
  std::int64_t value = 0;
  for (const char16_t c : text) {
    if (!IsDigit(c)) {
      return std::nullopt;
    }
    value = value * 10 + (c - u'0');
  }
  return negative ? -value : value;
}

std::optional<double> ReadFloat(std::string_view text) {
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    text.remove_prefix(1);
  }
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (end != text.data() + text.size()) {
    return std::nullopt;
  }
  if (error == std::errc::result_out_of_range && IsBelowDoubleRange(text)) {
    value = 0;
  } else if (error != std::errc{}) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

}  // namespace

std::unique_ptr<TTOMLValue> ConvertNumber(const TToken& token) {
  const std::u16string_view text = token.Value;
  // The words inf and nan, signed or not, are the only number tokens that end in a letter.
  if (!text.empty() && (text.back() == u'f' || text.back() == u'n')) {
    if (text == u"inf" || text == u"+inf") {
      return std::make_unique<TTOMLFloat>(std::numeric_limits<double>::infinity(),
                                          std::u16string(text));
    }
    if (text == u"-inf") {
      return std::make_unique<TTOMLFloat>(-std::numeric_limits<double>::infinity(),
                                          std::u16string(text));
    }
    if (text == u"nan" || text == u"+nan" || text == u"-nan") {
      return std::make_unique<TTOMLFloat>(std::numeric_limits<double>::quiet_NaN(),
                                          std::u16string(text));
    }
  }

  if (const std::optional<std::int64_t> plain = ReadPlainInteger(token)) {
    return std::make_unique<TTOMLInteger>(*plain);
  }

  // Number tokens are ASCII; anything else can only fail below. Short ones stay on the stack.
  char short_digits[32];
  std::string long_digits;
  char* out = short_digits;
  if (text.size() > sizeof short_digits) {
    long_digits.resize(text.size());
    out = long_digits.data();
  }
  std::size_t length = 0;
  for (const char16_t c : text) {
    out[length] = c < 0x80 ? static_cast<char>(c) : '?';
    length += c != u'_' ? 1 : 0;
  }
  const std::string_view digits(out, length);

  if (digits.size() >= 2 && digits[0] == '0' &&
      (digits[1] == 'b' || digits[1] == 'o' || digits[1] == 'x')) {
    const unsigned bits = digits[1] == 'b' ? 1 : digits[1] == 'o' ? 3 : 4;
    const std::optional<std::uint64_t> value = ReadPrefixed(digits.substr(2), bits);
    if (!value) {
      Fail(Format(u"Invalid hex/oct/bin integer: %s", text));
    }
    // From 2^63 upward the value reads as negative (two's complement).
    return std::make_unique<TTOMLInteger>(static_cast<std::int64_t>(*value));
  }

  std::string_view body = digits;
  if (!body.empty() && (body[0] == '+' || body[0] == '-')) {
    body.remove_prefix(1);
  }
  if (body.empty() || !IsDigit(static_cast<char16_t>(body[0]))) {
    Fail(Format(u"Numbers must have an integer part: %s", text));
  }
  if (body.size() >= 2 && body[0] == '0' && IsDigit(static_cast<char16_t>(body[1]))) {
    Fail(Format(u"Leading zeros not allowed: %s", text));
  }

  if (token.TokenType == ttFloat) {
    const std::optional<double> value = ReadFloat(digits);
    if (!value) {
      Fail(Format(u"Invalid float: %s", text));
    }
    return std::make_unique<TTOMLFloat>(*value, Widen(digits));
  }
  if (token.TokenType == ttInteger) {
    const std::optional<std::int64_t> value = ReadDecimal(digits);
    if (!value) {
      Fail(Format(u"Invalid integer: %s", text));
    }
    return std::make_unique<TTOMLInteger>(*value);
  }
  Fail(Format(u"Failed to parse number: %s", text));
}

std::unique_ptr<TTOMLBoolean> ConvertBoolean(const TToken& token) {
  return std::make_unique<TTOMLBoolean>(token.Value == u"true");
}

namespace {

// The number in `count` characters from `pos`; -1 when one of them is not a digit.
std::int32_t Number(std::u16string_view text, std::size_t pos, std::size_t count) {
  std::int32_t value = 0;
  for (std::size_t i = pos; i < pos + count; ++i) {
    if (!IsDigit(text[i])) {
      return -1;
    }
    value = value * 10 + (text[i] - u'0');
  }
  return value;
}

std::unique_ptr<TTOMLDateTime> ReadDateTime(std::u16string_view text) {
  const std::size_t size = text.size();
  std::size_t i = 0;
  bool has_date = false;
  bool has_time = false;
  bool has_zone = false;
  TDateTimeParts parts;
  std::int32_t offset = 0;

  if (size >= 10 && text[4] == u'-' && text[7] == u'-') {
    parts.Year = Number(text, 0, 4);
    parts.Month = Number(text, 5, 2);
    parts.Day = Number(text, 8, 2);
    if (parts.Month < 1 || parts.Month > 12) {
      Fail(Format(u"Invalid month: %d", parts.Month));
    }
    if (parts.Day < 1 || parts.Day > 31) {
      Fail(Format(u"Invalid day: %d", parts.Day));
    }
    has_date = true;
    i = 10;
  }

  if (i < size && (text[i] == u'T' || text[i] == u't' || text[i] == u' ' || !has_date)) {
    const bool separator = text[i] == u'T' || text[i] == u't' || text[i] == u' ';
    if (separator) {
      ++i;
    }
    if (size - i >= 5 && text[i + 2] == u':') {
      parts.Hour = Number(text, i, 2);
      parts.Minute = Number(text, i + 3, 2);
      if (parts.Hour > 23) {
        Fail(Format(u"Invalid hour: %d", parts.Hour));
      }
      if (parts.Minute > 59) {
        Fail(Format(u"Invalid minute: %d", parts.Minute));
      }
      has_time = true;
      i += 5;
      if (i < size && text[i] == u':') {
        ++i;
        if (size - i >= 2) {
          parts.Second = Number(text, i, 2);
          i += 2;
        }
      }
      if (i < size && text[i] == u'.') {
        const std::size_t first = ++i;
        while (i < size && IsDigit(text[i])) {
          ++i;
        }
        if (i == first) {
          Fail(u"Fractional seconds missing digits");
        }
        // The first three digits, padded with zeros; further digits are dropped.
        parts.Millisecond = 0;
        for (std::size_t k = 0; k < 3; ++k) {
          parts.Millisecond = parts.Millisecond * 10 + (first + k < i ? text[first + k] - u'0' : 0);
        }
      }
    } else if (separator) {
      Fail(u"DateTime separator must be followed by valid time");
    }
  }

  if (i < size) {
    const char16_t zone = text[i];
    if (zone == u'Z' || zone == u'z') {
      has_zone = true;
      ++i;
    } else if (zone == u'+' || zone == u'-') {
      if (size - i - 1 < 5) {
        Fail(u"Incomplete timezone offset (must be HH:MM)");
      }
      if (text[i + 3] != u':') {
        Fail(u"Missing colon in timezone offset");
      }
      const std::int32_t hours = Number(text, i + 1, 2);
      const std::int32_t minutes = Number(text, i + 4, 2);
      if (hours < 0 || minutes < 0) {
        Fail(u"Invalid digits in timezone offset");
      }
      if (hours > 23) {
        Fail(Format(u"Timezone offset hour out of range [00-23]: %d", hours));
      }
      if (minutes > 59) {
        Fail(Format(u"Timezone offset minute out of range [00-59]: %d", minutes));
      }
      offset = (hours * 60 + minutes) * (zone == u'-' ? -1 : 1);
      has_zone = true;
      i += 6;
    }
  }
  if (i < size) {
    Fail(Format(u"Trailing chars in datetime: \"%s\"", text.substr(i)));
  }

  TTOMLDateTimeKind kind;
  if (has_date && has_time) {
    kind = has_zone ? tdkOffsetDateTime : tdkLocalDateTime;
  } else if (has_date) {
    kind = tdkLocalDate;
  } else if (has_time) {
    kind = tdkLocalTime;
  } else {
    Fail(u"Invalid datetime format");
  }

  double date = 0;
  if (has_date) {
    const std::optional<double> encoded = EncodeDate(parts.Year, parts.Month, parts.Day);
    if (!encoded) {
      Fail(u"Invalid argument to date encode");
    }
    date = *encoded;
  }
  double time = 0;
  if (has_time) {
    const std::optional<double> encoded =
        EncodeTime(parts.Hour, parts.Minute, parts.Second, parts.Millisecond);
    if (!encoded) {
      Fail(u"Invalid argument to time encode");
    }
    time = *encoded;
  }
  return std::make_unique<TTOMLDateTime>(ComposeDateTime(date, time), std::u16string(text), kind,
                                         offset);
}

}  // namespace

std::unique_ptr<TTOMLDateTime> ConvertDateTime(const TToken& token) {
  if (token.TokenType != ttDateTime) {
    Fail(Format(u"Expected DateTime but got %s at line %d", TokenTypeName(token.TokenType),
                token.Line));
  }
  try {
    return ReadDateTime(token.Value);
  } catch (const Error& e) {
    Fail(Format(u"Error parsing datetime: %s at line %d", e.Message(), token.Line));
  }
}

}  // namespace dactyra::toml
