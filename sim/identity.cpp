#include "sim/identity.h"

#include <span>

#include "biometric/winbio_lib.h"
#include "platform/platform.h"

namespace dactyra::sim {
namespace {

constexpr std::size_t kMaxSubAuthorities = 15;
constexpr std::uint64_t kAuthorityLimit = std::uint64_t{1} << 48;

// The "-"-separated parts of a text; an empty text gives one empty part.
std::vector<std::u16string_view> Parts(std::u16string_view text) {
  std::vector<std::u16string_view> parts;
  std::size_t begin = 0;
  for (std::size_t dash = text.find(u'-'); dash != std::u16string_view::npos;
       dash = text.find(u'-', begin)) {
    parts.push_back(text.substr(begin, dash - begin));
    begin = dash + 1;
  }
  parts.push_back(text.substr(begin));
  return parts;
}

// Digits only (no sign), in [0, limit).
std::optional<std::uint64_t> Number(std::u16string_view digits, std::uint64_t limit) {
  if (digits.empty() || digits.size() > 19) {
    return std::nullopt;
  }
  std::uint64_t value = 0;
  for (const char16_t c : digits) {
    if (c < u'0' || c > u'9') {
      return std::nullopt;
    }
    value = value * 10 + static_cast<std::uint64_t>(c - u'0');
  }
  if (value >= limit) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<Sid> SidFromText(std::u16string_view text) {
  const std::vector<std::u16string_view> parts = Parts(text);
  if (parts.size() < 3 || parts.size() > 3 + kMaxSubAuthorities || parts[0] != u"S" ||
      parts[1] != u"1") {
    return std::nullopt;
  }
  const auto authority = Number(parts[2], kAuthorityLimit);
  if (!authority) {
    return std::nullopt;
  }
  Sid sid = {1, static_cast<std::uint8_t>(parts.size() - 3)};
  for (int shift = 40; shift >= 0; shift -= 8) {
    sid.push_back(static_cast<std::uint8_t>(*authority >> shift));
  }
  for (std::size_t i = 3; i < parts.size(); ++i) {
    const auto sub = Number(parts[i], std::uint64_t{1} << 32);
    if (!sub) {
      return std::nullopt;
    }
    for (int shift = 0; shift < 32; shift += 8) {
      sid.push_back(static_cast<std::uint8_t>(*sub >> shift));
    }
  }
  return sid;
}

std::optional<Sid> ResolveIdentity(std::u16string_view text, const Sid& current_user) {
  if (text == kCurrentIdentity) {
    if (current_user.empty()) {
      return std::nullopt;
    }
    return current_user;
  }
  return SidFromText(text);
}

std::optional<Sid> SidOfIdentity(const TWinBioIdentity& identity) {
  if (identity.IdentityType != WINBIO_ID_TYPE_SID || identity.SidSize > identity.SidData.size()) {
    return std::nullopt;
  }
  const std::span<const std::uint8_t> bytes(identity.SidData.data(), identity.SidSize);
  const auto length = platform::DeclaredSidLength(bytes);
  if (!length || *length != bytes.size() || !platform::SidToText(bytes)) {
    return std::nullopt;
  }
  return Sid(bytes.begin(), bytes.end());
}

TWinBioIdentity IdentityOfSid(const Sid& sid) {
  TWinBioIdentity identity{};
  IdentityFromSid(sid, identity);
  return identity;
}

std::u16string IdentityText(const Sid& sid, const Sid& current_user) {
  if (!current_user.empty() && platform::EqualSids(sid, current_user)) {
    return std::u16string(kCurrentIdentity);
  }
  return platform::SidToText(sid).value_or(u"");
}

}  // namespace dactyra::sim
