#include <atomic>

#include "platform/posix/stand_in_windows.h"
#include "platform/windows_version.h"

namespace dactyra::platform {
namespace {

std::atomic<bool>& StandInWindows10OrLater() {
  static std::atomic<bool> windows10_or_later{true};
  return windows10_or_later;
}

}  // namespace

ScopedStandInWindows::ScopedStandInWindows(bool windows10_or_later)
    : previous_(StandInWindows10OrLater().exchange(windows10_or_later)) {}

ScopedStandInWindows::~ScopedStandInWindows() {
  StandInWindows10OrLater() = previous_;
}

bool IsWindows10OrLater() {
  return StandInWindows10OrLater();
}

}  // namespace dactyra::platform
