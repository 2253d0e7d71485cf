#include <algorithm>
#include <utility>

#include "base/strings.h"
#include "platform/platform.h"
#include "platform/posix/stand_in_user.h"
#include "platform/posix/stand_in_value.h"

namespace dactyra::platform {
namespace {

constexpr std::uint8_t kSidRevision = 1;
constexpr std::uint8_t kMaxSubAuthorities = 15;

// A SID that passes the checks the system applies: revision 1, at most 15 sub-authorities, all
// within the span.
std::optional<std::span<const std::uint8_t>> CheckedSid(std::span<const std::uint8_t> sid) {
  const auto length = DeclaredSidLength(sid);
  if (!length || sid[0] != kSidRevision || sid[1] > kMaxSubAuthorities) {
    return std::nullopt;
  }
  return sid.first(*length);
}

// The SID of the account the process runs as; a test may switch it (stand_in_user.h).
StandInValue<std::vector<std::uint8_t>>& TheStandInUser() {
  static StandInValue<std::vector<std::uint8_t>> user({
      1,    5,    0, 0, 0, 0, 0, 5,  // revision, 5 sub-authorities, NT authority
      21,   0,    0, 0,              // 21
      0xE8, 0x03, 0, 0,              // 1000
      0xD0, 0x07, 0, 0,              // 2000
      0xB8, 0x0B, 0, 0,              // 3000
      0xE9, 0x03, 0, 0,              // 1001
  });
  return user;
}

}  // namespace

ScopedStandInUser::ScopedStandInUser(std::vector<std::uint8_t> sid)
    : previous_(TheStandInUser().Swap(std::move(sid))) {}

ScopedStandInUser::~ScopedStandInUser() {
  TheStandInUser().Swap(std::move(previous_));
}

std::optional<std::vector<std::uint8_t>> CurrentUserSid() {
  return TheStandInUser().With([](const std::vector<std::uint8_t>& sid) { return sid; });
}

bool EqualSids(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
  const auto first = CheckedSid(a);
  const auto second = CheckedSid(b);
  return first && second && std::ranges::equal(*first, *second);
}

std::optional<std::u16string> SidToText(std::span<const std::uint8_t> sid) {
  const auto checked = CheckedSid(sid);
  if (!checked) {
    return std::nullopt;
  }
  std::uint64_t authority = 0;
  for (std::size_t i = 2; i < 8; ++i) {
    authority = (authority << 8) | (*checked)[i];
  }
  std::u16string text = u"S-1-" + IntToText(static_cast<std::int64_t>(authority));
  for (std::size_t offset = 8; offset < checked->size(); offset += 4) {
    const std::uint32_t sub =
        std::uint32_t{(*checked)[offset]} | std::uint32_t{(*checked)[offset + 1]} << 8 |
        std::uint32_t{(*checked)[offset + 2]} << 16 | std::uint32_t{(*checked)[offset + 3]} << 24;
    text += u"-" + IntToText(sub);
  }
  return text;
}

std::optional<std::u16string> UserName() {
  return u"user";
}

}  // namespace dactyra::platform
