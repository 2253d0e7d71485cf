#include "toml/scalar_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/format.h"
#include "base/strings.h"
#include "toml/date_time.h"

namespace dactyra::toml {
namespace {

// The general number format: fixed notation for decimal exponents -5 to digits-1, scientific
// otherwise ("1E20", "1.5E-7"); trailing zeros of the fraction dropped.
std::string GeneralFormat(double value, int digits) {
  // printf rounds exactly here as to_chars would, without the latter's tables for every
  // precision in the program.
  char buffer[64];
  const int length = std::snprintf(buffer, sizeof(buffer), "%.*e", digits - 1, value);
  const std::string scientific(buffer, static_cast<std::size_t>(length));  // "-d.ddde+XX"
  const size_t e = scientific.find('e');
  const bool negative = scientific[0] == '-';
  std::string mantissa;
  for (size_t i = negative ? 1 : 0; i < e; ++i) {
    if (scientific[i] != '.') {
      mantissa.push_back(scientific[i]);
    }
  }
  while (mantissa.size() > 1 && mantissa.back() == '0') {
    mantissa.pop_back();
  }
  const int exponent = std::atoi(scientific.c_str() + e + 1);
  const int count = static_cast<int>(mantissa.size());

  std::string text = negative ? "-" : "";
  if (exponent < -5 || exponent >= digits) {
    text += mantissa[0];
    if (count > 1) {
      text += '.';
      text.append(mantissa, 1);
    }
    text += 'E';
    text += std::to_string(exponent);
  } else if (exponent < 0) {
    text += "0.";
    text.append(static_cast<size_t>(-exponent - 1), '0');
    text += mantissa;
  } else if (count <= exponent + 1) {
    text += mantissa;
    text.append(static_cast<size_t>(exponent + 1 - count), '0');
  } else {
    text.append(mantissa, 0, static_cast<size_t>(exponent + 1));
    text += '.';
    text.append(mantissa, static_cast<size_t>(exponent + 1));
  }
  return text;
}

bool ReadsBackAs(const std::string& text, double value) {
  double read = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), read);
  return result.ec == std::errc() && result.ptr == text.data() + text.size() && read == value;
}

bool HasPointOrExponent(std::u16string_view text) {
  return text.find_first_of(u".eE") != std::u16string_view::npos;
}

std::u16string DateText(double day_number) {
  const TDateTimeParts date = DecodeDateTime(day_number);
  return Format(u"%.4d-%.2d-%.2d", date.Year, date.Month, date.Day);
}

}  // namespace

std::u16string FloatToTOMLText(double value, std::u16string_view raw_spelling) {
  if (std::isnan(value)) {
    return u"nan";
  }
  if (std::isinf(value)) {
    return value > 0 ? u"inf" : u"-inf";
  }
  std::u16string text;
  if (!raw_spelling.empty()) {
    text = raw_spelling;
  } else {
    std::string general = GeneralFormat(value, 15);
    if (!ReadsBackAs(general, value)) {
      general = GeneralFormat(value, 17);
    }
    text = AsciiToUtf16(general);
  }
  if (!HasPointOrExponent(text)) {
    text += u".0";
  }
  return text;
}

std::u16string DateTimeToTOMLText(const TTOMLDateTime& value) {
  if (!value.RawString().empty()) {
    return value.RawString();
  }
  constexpr std::int64_t kMicrosecondsPerDay = 86'400'000'000;
  const double number = std::isfinite(value.Value()) ? value.Value() : 0.0;
  double day = std::trunc(number);
  // The time of day rounded to the microsecond; a day's end carries into the next day.
  std::int64_t micros = std::llround(std::fabs(number - day) * kMicrosecondsPerDay);
  if (micros >= kMicrosecondsPerDay) {
    micros -= kMicrosecondsPerDay;
    day += 1;
  }
  const std::int64_t seconds = micros / 1'000'000;
  std::u16string time = Format(u"%.2d:%.2d:%.2d", seconds / 3600, seconds / 60 % 60, seconds % 60);
  if (micros % 1'000'000 != 0) {
    time += Format(u".%.6d", micros % 1'000'000);
  }
  switch (value.Kind()) {
    case tdkLocalDateTime:
      return DateText(day) + u"T" + time;
    case tdkLocalDate:
      return DateText(day);
    case tdkLocalTime:
      return time;
    case tdkOffsetDateTime:
      break;
  }
  std::u16string text = DateText(day) + u"T" + time;
  const std::int32_t offset = value.TimeZoneOffset();
  if (offset == 0) {
    return text + u"Z";
  }
  const std::int32_t magnitude = std::abs(offset);
  return text + Format(u"%s%.2d:%.2d", offset < 0 ? u"-" : u"+", magnitude / 60, magnitude % 60);
}

}  // namespace dactyra::toml
