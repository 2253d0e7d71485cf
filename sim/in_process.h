#pragma once

// The simulated service inside a native test process: registered as "winbio.dll" with the
// platform's in-process loader, so that the program's own TWinBioLib::Load() finds its
// entries. Not in the Windows build, where the service is the real winbio.dll.
//
//   const sim::InProcessService winbio = sim::RegisterInProcess(state_path);
//   TWinBioLib lib;
//   lib.Load();  // the simulator's entries

#include <chrono>
#include <memory>
#include <string>
#include <utility>

#include "sim/service.h"

namespace dactyra::sim {

// Holds the registration. Ending it closes every session (a blocked call returns
// WINBIO_E_CANCELED), unregisters the name and frees what the program did not free; entries
// called afterwards fail with E_HANDLE. A newer registration replaces an older one.
class InProcessService {
 public:
  explicit InProcessService(std::u16string state_path, std::chrono::milliseconds poll_interval =
                                                           Service::kDefaultPollInterval);
  ~InProcessService();
  InProcessService(const InProcessService&) = delete;
  InProcessService& operator=(const InProcessService&) = delete;

  Service& service() const { return *service_; }

 private:
  std::shared_ptr<Service> service_;
};

// Registers the service for the state file at `state_path`.
[[nodiscard]] inline InProcessService RegisterInProcess(
    std::u16string state_path,
    std::chrono::milliseconds poll_interval = Service::kDefaultPollInterval) {
  return InProcessService(std::move(state_path), poll_interval);
}

}  // namespace dactyra::sim
