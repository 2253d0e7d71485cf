#include <windows.h>

#include <memory>
#include <type_traits>
#include <vector>

#include "platform/service_status.h"

namespace dactyra::platform {
namespace {

constexpr wchar_t kBiometricServiceName[] = L"WbioSrvc";

struct ServiceHandleCloser {
  void operator()(SC_HANDLE handle) const { CloseServiceHandle(handle); }
};
using ServiceHandle = std::unique_ptr<std::remove_pointer_t<SC_HANDLE>, ServiceHandleCloser>;

ServiceRunState RunStateOf(DWORD current_state) {
  switch (current_state) {
    case SERVICE_STOPPED:
      return ServiceRunState::kStopped;
    case SERVICE_START_PENDING:
      return ServiceRunState::kStarting;
    case SERVICE_STOP_PENDING:
      return ServiceRunState::kStopping;
    case SERVICE_RUNNING:
      return ServiceRunState::kRunning;
    case SERVICE_CONTINUE_PENDING:
      return ServiceRunState::kResuming;
    case SERVICE_PAUSE_PENDING:
      return ServiceRunState::kPausing;
    case SERVICE_PAUSED:
      return ServiceRunState::kPaused;
    default:
      return ServiceRunState::kUnknown;
  }
}

std::optional<bool> IsDisabled(SC_HANDLE service) {
  DWORD needed = 0;
  QueryServiceConfigW(service, nullptr, 0, &needed);
  if (needed == 0) {
    return std::nullopt;
  }
  // QUERY_SERVICE_CONFIGW with its strings after it, aligned as the record needs.
  std::vector<QUERY_SERVICE_CONFIGW> buffer(needed / sizeof(QUERY_SERVICE_CONFIGW) + 1);
  const DWORD size = static_cast<DWORD>(buffer.size() * sizeof(QUERY_SERVICE_CONFIGW));
  if (!QueryServiceConfigW(service, buffer.data(), size, &needed)) {
    return std::nullopt;
  }
  return buffer.front().dwStartType == SERVICE_DISABLED;
}

}  // namespace

ServiceStatus BiometricServiceStatus() {
  const ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
  if (!manager) {
    return {};
  }
  const ServiceHandle service(OpenServiceW(manager.get(), kBiometricServiceName,
                                           SERVICE_QUERY_STATUS | SERVICE_QUERY_CONFIG));
  if (!service) {
    return {};
  }
  ServiceStatus status;
  SERVICE_STATUS current{};
  if (QueryServiceStatus(service.get(), &current)) {
    status.run_state = RunStateOf(current.dwCurrentState);
  }
  status.disabled = IsDisabled(service.get());
  return status;
}

}  // namespace dactyra::platform
