#pragma once

#include <cstdint>

namespace dactyra::testing {

// One message a worker posted to its dialog: the event code and its value.
struct PostedEvent {
  std::uintptr_t code;
  std::intptr_t value;
  friend bool operator==(const PostedEvent&, const PostedEvent&) = default;
};

}  // namespace dactyra::testing
