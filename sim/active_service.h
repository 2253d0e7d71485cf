#pragma once

// The service behind the exported entries. The entries of winbio.dll carry no context, so each
// build says where its one service is: the DLL makes it on first use, native tests register it
// in-process (sim/in_process.h).

#include <memory>

#include "sim/service.h"

namespace dactyra::sim {

// The service that the entries call; null when there is none (they then fail with E_HANDLE).
// A call keeps the returned service alive until it returns.
std::shared_ptr<Service> ActiveService();

}  // namespace dactyra::sim
