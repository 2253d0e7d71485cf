#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>

#include "ui/message_target.h"

namespace dactyra::ui::detail {

struct PostedMessage {
  std::uint32_t message = 0;
  std::uintptr_t wparam = 0;
  std::intptr_t lparam = 0;
};

// The queue of one headless form: filled by any thread, emptied by the form's thread.
class Mailbox {
 public:
  void Push(const PostedMessage& message);
  std::deque<PostedMessage> TakeAll();
  // Waits until a message is queued or `deadline` passes; true when one is there.
  bool WaitUntil(std::chrono::steady_clock::time_point deadline);

 private:
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::deque<PostedMessage> queue_;
};

}  // namespace dactyra::ui::detail
