#include "toml/date_time.h"

#include <cmath>

namespace dactyra::toml {
namespace {

constexpr std::int64_t kMillisecondsPerDay = 86'400'000;
// Days from 1 January 1970 back to 30 December 1899.
constexpr std::int64_t kEpochShift = 25'569;

bool IsLeapYear(std::int32_t year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

std::int32_t DaysInMonth(std::int32_t year, std::int32_t month) {
  static constexpr std::int32_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 1 January 1970 of a Gregorian date (proleptic), and back.
std::int64_t DaysFromCivil(std::int64_t y, std::int64_t m, std::int64_t d) {
  y -= m <= 2 ? 1 : 0;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, TDateTimeParts& parts) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const std::int64_t d = doy - (153 * mp + 2) / 5 + 1;
  const std::int64_t m = mp < 10 ? mp + 3 : mp - 9;
  parts.Year = static_cast<std::int32_t>(yoe + era * 400 + (m <= 2 ? 1 : 0));
  parts.Month = static_cast<std::int32_t>(m);
  parts.Day = static_cast<std::int32_t>(d);
}

}  // namespace

std::optional<double> EncodeDate(std::int32_t year, std::int32_t month, std::int32_t day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month)) {
    return std::nullopt;
  }
  return static_cast<double>(DaysFromCivil(year, month, day) + kEpochShift);
}

std::optional<double> EncodeTime(std::int32_t hour, std::int32_t minute, std::int32_t second,
                                 std::int32_t millisecond) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
      millisecond < 0 || millisecond > 999) {
    return std::nullopt;
  }
  const std::int64_t ms = ((hour * 60 + minute) * 60 + second) * 1000 + millisecond;
  return static_cast<double>(ms) / static_cast<double>(kMillisecondsPerDay);
}

double ComposeDateTime(double date, double time) {
  return date < 0 ? date - time : date + time;
}

TDateTimeParts DecodeDateTime(double value) {
  TDateTimeParts parts;
  if (!std::isfinite(value) || std::fabs(value) > 1e8) {
    return parts;
  }
  const double days = std::trunc(value);
  std::int64_t ms =
      std::llround(std::fabs(value - days) * static_cast<double>(kMillisecondsPerDay));
  if (ms >= kMillisecondsPerDay) {
    ms = kMillisecondsPerDay - 1;
  }
  CivilFromDays(static_cast<std::int64_t>(days) - kEpochShift, parts);
  parts.Millisecond = static_cast<std::int32_t>(ms % 1000);
  parts.Second = static_cast<std::int32_t>(ms / 1000 % 60);
  parts.Minute = static_cast<std::int32_t>(ms / 60'000 % 60);
  parts.Hour = static_cast<std::int32_t>(ms / 3'600'000);
  return parts;
}

}  // namespace dactyra::toml
