#include <mutex>
#include <utility>

#include "platform/posix/stand_in_service.h"
#include "platform/service_status.h"

namespace dactyra::platform {
namespace {

struct StandInService {
  std::mutex mutex;
  ServiceStatus status{.run_state = ServiceRunState::kRunning, .disabled = false};
};

StandInService& TheStandInService() {
  static StandInService service;
  return service;
}

ServiceStatus SwapStandInService(ServiceStatus status) {
  StandInService& service = TheStandInService();
  const std::lock_guard lock(service.mutex);
  return std::exchange(service.status, status);
}

}  // namespace

ScopedStandInService::ScopedStandInService(ServiceStatus status)
    : previous_(SwapStandInService(status)) {}

ScopedStandInService::~ScopedStandInService() {
  SwapStandInService(previous_);
}

ServiceStatus BiometricServiceStatus() {
  StandInService& service = TheStandInService();
  const std::lock_guard lock(service.mutex);
  return service.status;
}

}  // namespace dactyra::platform
