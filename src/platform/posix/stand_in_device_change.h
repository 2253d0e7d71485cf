#pragma once

// The messages of sensors that come and go as the builds without Windows get them: from a test,
// which makes them here, never from a system.

#include <cstdint>

#include "platform/device_change.h"

namespace dactyra::platform {

struct StandInMessage {
  std::uint32_t message = 0;
  std::uintptr_t wparam = 0;
  std::intptr_t lparam = 0;
};

// The message that SensorChangeOf reads as `change` in these builds.
StandInMessage StandInSensorMessage(SensorChange change);

}  // namespace dactyra::platform
