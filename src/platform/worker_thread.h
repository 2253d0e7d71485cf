#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

namespace dactyra::platform {

// The handle of a worker thread that runs on its own. Its owner may wait for it a bounded time,
// or let go of it without waiting (Close, or when the handle goes): the thread then ends
// whenever its work returns. A default handle holds no thread. Handles move, never copy.
class WorkerThread {
 public:
  WorkerThread() = default;
  WorkerThread(WorkerThread&&) noexcept = default;
  WorkerThread& operator=(WorkerThread&&) noexcept = default;
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  // Runs `work` at once on a new thread. Everything `work` holds (its captures) is released on
  // that thread, before the thread counts as finished. Throws std::system_error when no thread
  // can be started.
  template <typename Work>
  static WorkerThread Start(Work work);

  bool Held() const { return state_ != nullptr; }

  // Waits until the thread has finished or `timeout` has passed; true when it has finished.
  // True at once when no thread is held.
  bool WaitFor(std::chrono::milliseconds timeout) const;

  // Lets go of the thread without waiting for it.
  void Close() { state_.reset(); }

 private:
  struct State {
    std::mutex mutex;
    std::condition_variable changed;
    bool finished = false;

    void MarkFinished();
  };

  explicit WorkerThread(std::shared_ptr<State> state) : state_(std::move(state)) {}

  std::shared_ptr<State> state_;
};

template <typename Work>
WorkerThread WorkerThread::Start(Work work) {
  auto state = std::make_shared<State>();
  std::thread([state, work = std::move(work)]() mutable {
    {
      Work running = std::move(work);
      running();
    }
    state->MarkFinished();
  }).detach();
  return WorkerThread(std::move(state));
}

}  // namespace dactyra::platform
