#pragma once

// The state of the Windows Biometric Service (WbioSrvc) as the Service Control Manager gives it
// to any user: a read-only query that needs no administrator rights.

#include <optional>

namespace dactyra::platform {

enum class ServiceRunState {
  kUnknown,  // the service manager could not be asked, or does not know the service
  kStopped,
  kStarting,
  kStopping,
  kRunning,
  kResuming,
  kPausing,
  kPaused,
};

struct ServiceStatus {
  ServiceRunState run_state = ServiceRunState::kUnknown;
  // Whether its start type is "disabled"; none when that could not be read.
  std::optional<bool> disabled;

  bool operator==(const ServiceStatus&) const = default;
};

// The biometric service's state now. The builds without Windows give the stand-in's
// (posix/stand_in_service.h): running and not disabled unless a test says otherwise.
ServiceStatus BiometricServiceStatus();

}  // namespace dactyra::platform
