#include <unistd.h>

#include <array>

#include "base/utf.h"
#include "platform/platform.h"

namespace dactyra::platform {

std::u16string ExecutablePath() {
  std::array<char, 4096> buffer{};
  const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) {
    return {};
  }
  return Utf8ToUtf16(std::string_view(buffer.data(), static_cast<std::size_t>(length)))
      .value_or(std::u16string());
}

// Native builds have no such folder: callers that need one are given it.
std::optional<std::u16string> LocalAppDataFolder() {
  return std::nullopt;
}

}  // namespace dactyra::platform
