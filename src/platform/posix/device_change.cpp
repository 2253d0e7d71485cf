#include "platform/device_change.h"

#include "platform/posix/stand_in_device_change.h"

namespace dactyra::platform {
namespace {

// A message number of no system's: the change travels in the first parameter.
constexpr std::uint32_t kStandInSensorMessage = 0xB10;

}  // namespace

StandInMessage StandInSensorMessage(SensorChange change) {
  return {kStandInSensorMessage, static_cast<std::uintptr_t>(change), 0};
}

SensorChange SensorChangeOf(std::uint32_t message, std::uintptr_t wparam, std::intptr_t) {
  if (message != kStandInSensorMessage ||
      wparam > static_cast<std::uintptr_t>(SensorChange::kResumed)) {
    return SensorChange::kNone;
  }
  return static_cast<SensorChange>(wparam);
}

BiometricReaderNotification::BiometricReaderNotification(std::uintptr_t) {}

BiometricReaderNotification::~BiometricReaderNotification() = default;

}  // namespace dactyra::platform
