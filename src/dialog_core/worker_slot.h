#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <utility>

namespace dactyra {

// Where a worker leaves a result for its dialog, shared by both: the message that tells the
// dialog only says that the result is there, so that no message carries an address.
template <typename TResult>
class TWorkerSlot {
 public:
  void Put(const TResult& result) {
    const std::lock_guard lock(mutex_);
    result_ = result;
  }
  // The result once the worker has put it; none before (whatever a message claims).
  std::optional<TResult> Take() {
    const std::lock_guard lock(mutex_);
    return std::exchange(result_, std::nullopt);
  }

 private:
  std::mutex mutex_;
  std::optional<TResult> result_;
};

template <typename TResult>
using PWorkerSlot = std::shared_ptr<TWorkerSlot<TResult>>;

}  // namespace dactyra
