#include "sim/in_process.h"

#include <cstring>
#include <mutex>
#include <utility>

#include "platform/platform.h"
#include "platform/posix/in_process_modules.h"
#include "sim/active_service.h"
#include "sim/entry_points.h"

namespace dactyra::sim {
namespace {

constexpr char16_t kModuleName[] = u"winbio.dll";

// The registered service. The exported entries have no context to find it by, so it is the one
// piece of process-wide state, as a loaded DLL's data would be.
class ActiveSlot {
 public:
  void Set(std::shared_ptr<Service> service) {
    const std::lock_guard lock(mutex_);
    service_ = std::move(service);
  }
  // Clears the slot when it still holds `service`.
  void Clear(const Service* service) {
    const std::lock_guard lock(mutex_);
    if (service_.get() == service) {
      service_.reset();
    }
  }
  std::shared_ptr<Service> Get() {
    const std::lock_guard lock(mutex_);
    return service_;
  }

 private:
  std::mutex mutex_;
  std::shared_ptr<Service> service_;
};

ActiveSlot& Slot() {
  static ActiveSlot slot;
  return slot;
}

template <typename Function>
platform::ExportAddress Address(Function* function) {
  return reinterpret_cast<platform::ExportAddress>(function);
}

platform::ExportAddress ResolveExport(const char* export_name) {
  static const struct {
    const char* name;
    platform::ExportAddress address;
  } kExports[] = {
      {"WinBioEnumBiometricUnits", Address(&WinBioEnumBiometricUnits)},
      {"WinBioOpenSession", Address(&WinBioOpenSession)},
      {"WinBioCloseSession", Address(&WinBioCloseSession)},
      {"WinBioCancel", Address(&WinBioCancel)},
      {"WinBioEnumEnrollments", Address(&WinBioEnumEnrollments)},
      {"WinBioIdentify", Address(&WinBioIdentify)},
      {"WinBioLocateSensor", Address(&WinBioLocateSensor)},
      {"WinBioEnrollBegin", Address(&WinBioEnrollBegin)},
      {"WinBioEnrollCapture", Address(&WinBioEnrollCapture)},
      {"WinBioEnrollCommit", Address(&WinBioEnrollCommit)},
      {"WinBioEnrollDiscard", Address(&WinBioEnrollDiscard)},
      {"WinBioDeleteTemplate", Address(&WinBioDeleteTemplate)},
      {"WinBioFree", Address(&WinBioFree)},
      {"WinBioGetEnabledSetting", Address(&WinBioGetEnabledSetting)},
      {"WinBioGetLogonSetting", Address(&WinBioGetLogonSetting)},
      {"WinBioGetDomainLogonSetting", Address(&WinBioGetDomainLogonSetting)},
      {"WinBioGetEnrolledFactors", Address(&WinBioGetEnrolledFactors)},
      {"WinBioIsESSCapable", Address(&WinBioIsESSCapable)},
  };
  for (const auto& entry : kExports) {
    if (std::strcmp(entry.name, export_name) == 0) {
      return entry.address;
    }
  }
  return nullptr;
}

}  // namespace

std::shared_ptr<Service> ActiveService() {
  return Slot().Get();
}

InProcessService::InProcessService(std::u16string state_path,
                                   std::chrono::milliseconds poll_interval)
    : service_(std::make_shared<Service>(
          std::move(state_path), platform::CurrentUserSid().value_or(Sid{}), poll_interval)) {
  Slot().Set(service_);
  platform::RegisterInProcessModule(kModuleName, &ResolveExport);
}

InProcessService::~InProcessService() {
  if (ActiveService() == service_) {
    platform::UnregisterInProcessModule(kModuleName);
  }
  Slot().Clear(service_.get());
  service_->CloseAllSessions();
}

}  // namespace dactyra::sim
