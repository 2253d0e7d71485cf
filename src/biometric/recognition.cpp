#include "biometric/recognition.h"

#include "platform/platform.h"

namespace dactyra {

TCalendarDay Today() {
  const platform::LocalDateTime now = platform::CurrentLocalTime();
  return {.Year = now.year, .Month = now.month, .Day = now.day};
}

}  // namespace dactyra
