#include <windows.h>

#include "base/wide.h"
#include "platform/platform.h"

namespace dactyra::platform {
namespace {

LocalDateTime FromSystemTime(const SYSTEMTIME& time) {
  return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

// None when a field is out of the range SYSTEMTIME can hold; the API checks the rest.
std::optional<SYSTEMTIME> ToSystemTime(const LocalDateTime& value) {
  const auto fits = [](int field, int low, int high) { return field >= low && field <= high; };
  if (!fits(value.year, 1601, 30827) || !fits(value.month, 1, 12) || !fits(value.day, 1, 31) ||
      !fits(value.hour, 0, 23) || !fits(value.minute, 0, 59) || !fits(value.second, 0, 59)) {
    return std::nullopt;
  }
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(value.year);
  time.wMonth = static_cast<WORD>(value.month);
  time.wDay = static_cast<WORD>(value.day);
  time.wHour = static_cast<WORD>(value.hour);
  time.wMinute = static_cast<WORD>(value.minute);
  time.wSecond = static_cast<WORD>(value.second);
  return time;
}

}  // namespace

LocalDateTime CurrentLocalTime() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return FromSystemTime(now);
}

std::optional<LocalDateTime> UtcSecondsToLocalTime(std::uint32_t seconds_since_1970) {
  // FILETIME counts 100-nanosecond intervals since 1601-01-01.
  constexpr std::uint64_t kIntervalsPerSecond = 10'000'000;
  constexpr std::uint64_t kSecondsFrom1601To1970 = 11'644'473'600;
  const std::uint64_t intervals =
      (seconds_since_1970 + kSecondsFrom1601To1970) * kIntervalsPerSecond;
  FILETIME file_time{};
  file_time.dwLowDateTime = static_cast<DWORD>(intervals);
  file_time.dwHighDateTime = static_cast<DWORD>(intervals >> 32);
  SYSTEMTIME utc{};
  SYSTEMTIME local{};
  if (!FileTimeToSystemTime(&file_time, &utc) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) {
    return std::nullopt;
  }
  return FromSystemTime(local);
}

std::u16string FormatShortDate(const LocalDateTime& value) {
  const auto time = ToSystemTime(value);
  wchar_t buffer[128] = {};
  if (!time || GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &*time, nullptr, buffer,
                               128, nullptr) <= 0) {
    return {};
  }
  return FromWideBuffer(buffer, 128);
}

std::u16string FormatLongTime(const LocalDateTime& value) {
  const auto time = ToSystemTime(value);
  wchar_t buffer[128] = {};
  if (!time || GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &*time, nullptr, buffer, 128) <= 0) {
    return {};
  }
  return FromWideBuffer(buffer, 128);
}

}  // namespace dactyra::platform
