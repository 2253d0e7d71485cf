#pragma once

// The account the native builds run as. Their stand-in user is S-1-5-21-1000-2000-3000-1001;
// a test that needs a second account (two users sharing one computer) switches to another SID
// while a ScopedStandInUser lives.

#include <cstdint>
#include <vector>

namespace dactyra::platform {

class ScopedStandInUser {
 public:
  explicit ScopedStandInUser(std::vector<std::uint8_t> sid);
  ~ScopedStandInUser();
  ScopedStandInUser(const ScopedStandInUser&) = delete;
  ScopedStandInUser& operator=(const ScopedStandInUser&) = delete;

 private:
  std::vector<std::uint8_t> previous_;
};

}  // namespace dactyra::platform
