#pragma once

// The Windows the native builds pretend to run on: Windows 11, unless a test sets an older one
// while a ScopedStandInWindows lives.

namespace dactyra::platform {

class ScopedStandInWindows {
 public:
  explicit ScopedStandInWindows(bool windows10_or_later);
  ~ScopedStandInWindows();
  ScopedStandInWindows(const ScopedStandInWindows&) = delete;
  ScopedStandInWindows& operator=(const ScopedStandInWindows&) = delete;

 private:
  bool previous_;
};

}  // namespace dactyra::platform
