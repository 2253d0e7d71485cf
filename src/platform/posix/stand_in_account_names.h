#pragma once

// The accounts whose names the builds without Windows know: none, unless a test installs some
// while a ScopedStandInAccountNames lives. Every other SID is an account that no longer exists,
// as Windows says of a SID that no account has.

#include <string>
#include <vector>

namespace dactyra::platform {

struct StandInAccountName {
  std::u16string sid;   // its text form, "S-1-5-21-..."
  std::u16string name;  // "DOMAIN\name"
};

class ScopedStandInAccountNames {
 public:
  explicit ScopedStandInAccountNames(std::vector<StandInAccountName> accounts);
  ~ScopedStandInAccountNames();
  ScopedStandInAccountNames(const ScopedStandInAccountNames&) = delete;
  ScopedStandInAccountNames& operator=(const ScopedStandInAccountNames&) = delete;

 private:
  std::vector<StandInAccountName> previous_;
};

}  // namespace dactyra::platform
