#include <windows.h>
// Separate include block: sddl.h needs the types of windows.h.
#include <sddl.h>

#include <memory>

#include "base/wide.h"
#include "platform/platform.h"
#include "platform/win32/token.h"

namespace dactyra::platform {
namespace {

struct LocalFreer {
  void operator()(void* memory) const { LocalFree(memory); }
};

// The SID in `sid` when it is well formed within its span, for the API's PSID parameters.
PSID CheckedSid(std::span<const std::uint8_t> sid) {
  if (!DeclaredSidLength(sid)) {
    return nullptr;
  }
  const PSID result = const_cast<std::uint8_t*>(sid.data());
  return IsValidSid(result) ? result : nullptr;
}

}  // namespace

namespace win32 {

std::optional<std::vector<std::uint8_t>> TokenUserSid(HANDLE token) {
  DWORD needed = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &needed);
  if (needed == 0) {
    return std::nullopt;
  }
  // TOKEN_USER holds a pointer: the buffer is allocated with pointer alignment.
  std::vector<std::uintptr_t> buffer((needed + sizeof(std::uintptr_t) - 1) /
                                     sizeof(std::uintptr_t));
  if (!GetTokenInformation(token, TokenUser, buffer.data(), needed, &needed)) {
    return std::nullopt;
  }
  const auto* user = reinterpret_cast<const TOKEN_USER*>(buffer.data());
  const auto* sid = static_cast<const std::uint8_t*>(user->User.Sid);
  return std::vector<std::uint8_t>(sid, sid + GetLengthSid(user->User.Sid));
}

}  // namespace win32

std::optional<std::vector<std::uint8_t>> CurrentUserSid() {
  HANDLE raw_token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw_token)) {
    return std::nullopt;
  }
  const win32::UniqueHandle token(raw_token);
  return win32::TokenUserSid(token.get());
}

bool EqualSids(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
  const PSID first = CheckedSid(a);
  const PSID second = CheckedSid(b);
  return first != nullptr && second != nullptr && EqualSid(first, second);
}

std::optional<std::u16string> SidToText(std::span<const std::uint8_t> sid) {
  const PSID checked = CheckedSid(sid);
  LPWSTR text = nullptr;
  if (checked == nullptr || !ConvertSidToStringSidW(checked, &text)) {
    return std::nullopt;
  }
  const std::unique_ptr<wchar_t, LocalFreer> owned(text);
  return FromWide(owned.get());
}

std::optional<std::u16string> UserName() {
  constexpr DWORD kCapacity = 257;  // the longest user name and its terminator
  wchar_t buffer[kCapacity] = {};
  DWORD size = kCapacity;
  if (!GetUserNameW(buffer, &size)) {
    return std::nullopt;
  }
  return FromWideBuffer(buffer, kCapacity - 1);
}

}  // namespace dactyra::platform
