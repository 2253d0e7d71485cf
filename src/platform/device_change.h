#pragma once

// Word of fingerprint sensors that come and go, and of the computer waking up. A window
// registers for the arrival and removal of biometric readers while a
// BiometricReaderNotification lives, and asks of each message it gets whether the sensors must
// be listed again. The builds without Windows get no such messages from a system: there the
// registration does nothing, and only the stand-in's own messages (posix/stand_in_device_change.h)
// are of them.

#include <cstdint>

namespace dactyra::platform {

// What a window message says of the sensors: nothing, a biometric reader arrived or was removed
// (WM_DEVICECHANGE for that device class), or the computer resumed from sleep
// (WM_POWERBROADCAST), after which the service's sessions may be gone. Any of the last three:
// list the sensors again, on a new session. The service may take a moment after an arrival
// before it enumerates the new unit.
enum class SensorChange { kNone, kReaderArrived, kReaderRemoved, kResumed };

SensorChange SensorChangeOf(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam);

// Registers a window (its handle) for the arrival and removal of biometric readers while it
// lives.
class BiometricReaderNotification {
 public:
  explicit BiometricReaderNotification(std::uintptr_t window);
  ~BiometricReaderNotification();
  BiometricReaderNotification(const BiometricReaderNotification&) = delete;
  BiometricReaderNotification& operator=(const BiometricReaderNotification&) = delete;

  // False when the system refused the registration.
  bool IsRegistered() const { return registration_ != 0; }

 private:
  std::uintptr_t registration_ = 0;
};

}  // namespace dactyra::platform
