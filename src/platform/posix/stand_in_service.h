#pragma once

// The biometric service as the builds without Windows see it: running and not disabled. A test
// that needs it stopped or disabled sets another status while a ScopedStandInService lives.

#include "platform/service_status.h"

namespace dactyra::platform {

class ScopedStandInService {
 public:
  explicit ScopedStandInService(ServiceStatus status);
  ~ScopedStandInService();
  ScopedStandInService(const ScopedStandInService&) = delete;
  ScopedStandInService& operator=(const ScopedStandInService&) = delete;

 private:
  ServiceStatus previous_;
};

}  // namespace dactyra::platform
