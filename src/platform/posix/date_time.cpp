#include <ctime>

#include "base/format.h"
#include "platform/platform.h"

namespace dactyra::platform {
namespace {

LocalDateTime FromTm(const std::tm& time) {
  return {time.tm_year + 1900, time.tm_mon + 1, time.tm_mday,
          time.tm_hour,        time.tm_min,     time.tm_sec};
}

bool IsValid(const LocalDateTime& value) {
  return value.year >= 1 && value.year <= 9999 && value.month >= 1 && value.month <= 12 &&
         value.day >= 1 && value.day <= 31 && value.hour >= 0 && value.hour <= 23 &&
         value.minute >= 0 && value.minute <= 59 && value.second >= 0 && value.second <= 59;
}

}  // namespace

LocalDateTime CurrentLocalTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return FromTm(local);
}

std::optional<LocalDateTime> UtcSecondsToLocalTime(std::uint32_t seconds_since_1970) {
  const std::time_t time = static_cast<std::time_t>(seconds_since_1970);
  std::tm local{};
  if (localtime_r(&time, &local) == nullptr) {
    return std::nullopt;
  }
  return FromTm(local);
}

// The formats of en-US, the stand-in user's locale: 12/8/2026 and 5:07:02 PM.
std::u16string FormatShortDate(const LocalDateTime& value) {
  if (!IsValid(value)) {
    return {};
  }
  return Format(u"%d/%d/%d", value.month, value.day, value.year);
}

std::u16string FormatLongTime(const LocalDateTime& value) {
  if (!IsValid(value)) {
    return {};
  }
  const int hour12 = value.hour % 12 == 0 ? 12 : value.hour % 12;
  return Format(u"%d:%.2d:%.2d %s", hour12, value.minute, value.second,
                value.hour < 12 ? u"AM" : u"PM");
}

}  // namespace dactyra::platform
