#pragma once

#include <cstdint>
#include <memory>

namespace dactyra::ui {

// The first message number free for a program's own window messages (WM_USER).
inline constexpr std::uint32_t kUserMessage = 0x0400;

namespace detail {
class Mailbox;  // each backend defines it
}

// Where a worker thread posts its messages to a form. It may be copied to any thread and used
// there; a post to a form that is gone is dropped. Posting never waits for the form's thread.
class MessageTarget {
 public:
  MessageTarget() = default;
  explicit MessageTarget(std::weak_ptr<detail::Mailbox> mailbox) : mailbox_(std::move(mailbox)) {}

  // Queues the message for the form's handler of `message`. False when the form is gone (or
  // the queue refused it): the message is dropped and anything it points to stays the
  // caller's.
  bool Post(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) const;

 private:
  std::weak_ptr<detail::Mailbox> mailbox_;
};

}  // namespace dactyra::ui
