#include "platform/platform.h"

namespace dactyra::platform {

// A SID is a revision byte, a sub-authority count, a 6-byte authority and the sub-authorities
// of 4 bytes each.
std::optional<std::size_t> DeclaredSidLength(std::span<const std::uint8_t> sid) {
  constexpr std::size_t kHeaderSize = 8;
  if (sid.size() < kHeaderSize) {
    return std::nullopt;
  }
  const std::size_t length = kHeaderSize + 4 * std::size_t{sid[1]};
  if (length > sid.size()) {
    return std::nullopt;
  }
  return length;
}

}  // namespace dactyra::platform
