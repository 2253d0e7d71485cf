#include "platform/worker_thread.h"

namespace dactyra::platform {

void WorkerThread::State::MarkFinished() {
  {
    const std::lock_guard lock(mutex);
    finished = true;
  }
  changed.notify_all();
}

bool WorkerThread::WaitFor(std::chrono::milliseconds timeout) const {
  if (!state_) {
    return true;
  }
  std::unique_lock lock(state_->mutex);
  return state_->changed.wait_for(lock, timeout, [this] { return state_->finished; });
}

}  // namespace dactyra::platform
