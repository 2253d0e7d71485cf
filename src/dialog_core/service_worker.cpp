#include "dialog_core/service_worker.h"

#include <chrono>

namespace dactyra {
namespace {

// How often a cancel is repeated while the worker has not finished: a worker may have been
// between two calls when the first one came, and then blocks in the next.
constexpr std::chrono::milliseconds kCancelInterval{20};
// How long a service may take to release a blocked call before the worker is let go.
constexpr std::chrono::milliseconds kCancelLimit{3000};

}  // namespace

bool StopServiceWorker(const TWinBioLib& lib, WINBIO_SESSION_HANDLE session,
                       std::atomic<bool>& cancel, platform::WorkerThread& worker) {
  if (!worker.Held()) {
    return true;
  }
  cancel.store(true);
  bool finished = false;
  if (lib.Cancel != nullptr) {
    const auto deadline = std::chrono::steady_clock::now() + kCancelLimit;
    while (!finished && std::chrono::steady_clock::now() < deadline) {
      lib.Cancel(session);
      finished = worker.WaitFor(kCancelInterval);
    }
  }
  worker.Close();
  return finished;
}

}  // namespace dactyra
