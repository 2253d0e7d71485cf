#include "platform/service_status.h"
#include "platform/posix/stand_in_service.h"
#include "platform/posix/stand_in_value.h"

namespace dactyra::platform {
namespace {

StandInValue<ServiceStatus>& TheStandInService() {
  static StandInValue<ServiceStatus> service(
      {.run_state = ServiceRunState::kRunning, .disabled = false});
  return service;
}

}  // namespace

ScopedStandInService::ScopedStandInService(ServiceStatus status)
    : previous_(TheStandInService().Swap(status)) {}

ScopedStandInService::~ScopedStandInService() {
  TheStandInService().Swap(previous_);
}

ServiceStatus BiometricServiceStatus() {
  return TheStandInService().With([](const ServiceStatus& status) { return status; });
}

}  // namespace dactyra::platform
