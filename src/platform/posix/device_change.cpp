#include "platform/device_change.h"

namespace dactyra::platform {

bool SensorsMayHaveChanged(std::uint32_t, std::uintptr_t, std::intptr_t) {
  return false;
}

BiometricReaderNotification::BiometricReaderNotification(std::uintptr_t) {}

BiometricReaderNotification::~BiometricReaderNotification() = default;

}  // namespace dactyra::platform
