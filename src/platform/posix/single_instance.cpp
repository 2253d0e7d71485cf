#include <utility>

#include "platform/platform.h"

namespace dactyra::platform {

// There is no logon session to share here: every claim succeeds.
std::optional<SingleInstance> SingleInstance::Acquire(std::u16string_view name) {
  return SingleInstance(0, std::u16string(name));
}

SingleInstance::SingleInstance(SingleInstance&& other) noexcept
    : mutex_(std::exchange(other.mutex_, 0)), name_(std::move(other.name_)) {}

SingleInstance::~SingleInstance() = default;

}  // namespace dactyra::platform
