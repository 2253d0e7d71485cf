#pragma once

#include <cstdint>
#include <optional>

namespace dactyra::toml {

// A calendar date and time of day as held in a date-time number (see TDateTime in value.h).
struct TDateTimeParts {
  std::int32_t Year = 1899;
  std::int32_t Month = 12;
  std::int32_t Day = 30;
  std::int32_t Hour = 0;
  std::int32_t Minute = 0;
  std::int32_t Second = 0;
  std::int32_t Millisecond = 0;
};

// Days since 30 December 1899 for a date that exists in the Gregorian calendar with year 1 to
// 9999; none otherwise.
std::optional<double> EncodeDate(std::int32_t year, std::int32_t month, std::int32_t day);

// The part of a day for hour 0-23, minute 0-59, second 0-59 and millisecond 0-999; none
// otherwise.
std::optional<double> EncodeTime(std::int32_t hour, std::int32_t minute, std::int32_t second,
                                 std::int32_t millisecond);

// Joins a day number and a part of a day. Before 30 December 1899 the day number is negative and
// the time is subtracted, so that the time of day reads back the same.
double ComposeDateTime(double date, double time);

// The inverse of ComposeDateTime, to the millisecond.
TDateTimeParts DecodeDateTime(double value);

}  // namespace dactyra::toml
