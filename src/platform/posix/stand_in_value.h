#pragma once

// What a stand-in for a system call answers in the builds without Windows: a value that a test
// replaces for as long as one of its Scoped... objects lives. Workers read it too, so every
// access holds its lock.

#include <mutex>
#include <utility>

namespace dactyra::platform {

template <typename T>
class StandInValue {
 public:
  explicit StandInValue(T initial) : value_(std::move(initial)) {}

  // Puts `value` in place; gives the one before, for the scope to put back.
  T Swap(T value) {
    const std::lock_guard lock(mutex_);
    return std::exchange(value_, std::move(value));
  }

  // What `read` makes of the value, under the lock.
  template <typename Read>
  auto With(Read&& read) const {
    const std::lock_guard lock(mutex_);
    return std::forward<Read>(read)(value_);
  }

 private:
  mutable std::mutex mutex_;
  T value_;
};

}  // namespace dactyra::platform
