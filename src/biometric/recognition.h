#pragma once

// How well a finger is recognised: the result of its last test, as the list shows it and
// CFG.TOML keeps it.

#include <cstdint>

namespace dactyra {

// A day of the calendar, in local time.
struct TCalendarDay {
  std::int32_t Year = 0;
  std::int32_t Month = 0;  // 1 to 12
  std::int32_t Day = 0;    // 1 to 31

  friend bool operator==(const TCalendarDay&, const TCalendarDay&) = default;
};

// The last test of a finger: on `Tested`, `Recognised` of `Touches` touches were read as that
// finger. A result always has 0 <= Recognised <= Touches and at least one touch.
struct TRecognition {
  std::int32_t Recognised = 0;
  std::int32_t Touches = 0;
  TCalendarDay Tested;

  friend bool operator==(const TRecognition&, const TRecognition&) = default;
};

// Today, by the computer's clock in local time.
TCalendarDay Today();

}  // namespace dactyra
