// The check of a packed credential by the local security authority: LsaLogonUser over an
// untrusted connection, which needs no privilege. Its functions are looked up at run time in
// secur32.dll (which forwards them to sspicli.dll where they live there), so that the program's
// import table names no DLL for them.

#include <windows.h>
// Separate include block: ntsecapi.h needs the types of windows.h.
#include <ntsecapi.h>

#include <algorithm>
#include <memory>
#include <string_view>

#include "platform/credential_logon.h"
#include "platform/platform.h"
#include "platform/win32/token.h"

namespace dactyra::platform {
namespace {

// Status codes as ntstatus.h defines them (which does not go together with windows.h).
constexpr NTSTATUS kStatusSuccess = 0;
// What the security authority answers to a wrong account or password, or to an account that may
// not log on.
constexpr NTSTATUS kRefusals[] = {
    static_cast<NTSTATUS>(0xC000006D),  // STATUS_LOGON_FAILURE
    static_cast<NTSTATUS>(0xC000006A),  // STATUS_WRONG_PASSWORD
    static_cast<NTSTATUS>(0xC0000064),  // STATUS_NO_SUCH_USER
    static_cast<NTSTATUS>(0xC000006E),  // STATUS_ACCOUNT_RESTRICTION
    static_cast<NTSTATUS>(0xC0000072),  // STATUS_ACCOUNT_DISABLED
    static_cast<NTSTATUS>(0xC0000234),  // STATUS_ACCOUNT_LOCKED_OUT
    static_cast<NTSTATUS>(0xC0000071),  // STATUS_PASSWORD_EXPIRED
    static_cast<NTSTATUS>(0xC0000224),  // STATUS_PASSWORD_MUST_CHANGE
};

// The name of the program as the logon's origin and its token's source (at most 8 characters).
constexpr std::string_view kSourceName = "Dactyra";

using ConnectFunction = decltype(&LsaConnectUntrusted);
using LookupFunction = decltype(&LsaLookupAuthenticationPackage);
using LogonFunction = decltype(&LsaLogonUser);
using FreeFunction = decltype(&LsaFreeReturnBuffer);
using DeregisterFunction = decltype(&LsaDeregisterLogonProcess);

// A buffer the security authority returned, freed with its own function.
struct ReturnBufferFreer {
  FreeFunction free;
  void operator()(void* buffer) const { free(buffer); }
};
using ReturnBuffer = std::unique_ptr<void, ReturnBufferFreer>;

// A text the security authority only reads.
LSA_STRING LsaText(std::string_view text) {
  LSA_STRING string;
  string.Buffer = const_cast<char*>(text.data());
  string.Length = static_cast<USHORT>(text.size());
  string.MaximumLength = string.Length;
  return string;
}

// An untrusted connection to the security authority, deregistered when it goes.
class SecurityAuthority {
 public:
  SecurityAuthority() {
    if (connect_ == nullptr || lookup_ == nullptr || logon_ == nullptr || free_ == nullptr ||
        deregister_ == nullptr || connect_(&handle_) != kStatusSuccess) {
      handle_ = nullptr;
    }
  }
  ~SecurityAuthority() {
    if (handle_ != nullptr) {
      deregister_(handle_);
    }
  }
  SecurityAuthority(const SecurityAuthority&) = delete;
  SecurityAuthority& operator=(const SecurityAuthority&) = delete;

  bool Connected() const { return handle_ != nullptr; }

  std::optional<std::uint32_t> Package(std::string_view name) const {
    LSA_STRING package_name = LsaText(name);
    ULONG package = 0;
    if (lookup_(handle_, &package_name, &package) != kStatusSuccess) {
      return std::nullopt;
    }
    return package;
  }

  CredentialLogon LogOn(std::span<const std::uint8_t> packed, std::uint32_t package) const {
    LSA_STRING origin = LsaText(kSourceName);
    TOKEN_SOURCE source{};
    std::ranges::copy(kSourceName, source.SourceName);
    AllocateLocallyUniqueId(&source.SourceIdentifier);
    void* raw_profile = nullptr;
    ULONG profile_size = 0;
    LUID logon_id{};
    HANDLE raw_token = nullptr;
    QUOTA_LIMITS quotas{};
    NTSTATUS sub_status = kStatusSuccess;
    const NTSTATUS status =
        logon_(handle_, &origin, Interactive, package, const_cast<std::uint8_t*>(packed.data()),
               static_cast<ULONG>(packed.size()), nullptr, &source, &raw_profile, &profile_size,
               &logon_id, &raw_token, &quotas, &sub_status);
    const ReturnBuffer profile(raw_profile, ReturnBufferFreer{free_});
    const win32::UniqueHandle token(raw_token);
    if (status != kStatusSuccess) {
      return {.outcome = std::ranges::find(kRefusals, status) != std::end(kRefusals)
                             ? LogonOutcome::kRefused
                             : LogonOutcome::kUnavailable,
              .user_sid = {}};
    }
    // A logon that gave no token (as a stub may) shows nobody.
    std::optional<std::vector<std::uint8_t>> sid =
        token ? win32::TokenUserSid(token.get()) : std::nullopt;
    if (!sid) {
      return {};
    }
    return {.outcome = LogonOutcome::kLoggedOn, .user_sid = std::move(*sid)};
  }

 private:
  Module secur32_{u"secur32.dll"};
  ConnectFunction connect_ = secur32_.Find<ConnectFunction>("LsaConnectUntrusted");
  LookupFunction lookup_ = secur32_.Find<LookupFunction>("LsaLookupAuthenticationPackage");
  LogonFunction logon_ = secur32_.Find<LogonFunction>("LsaLogonUser");
  FreeFunction free_ = secur32_.Find<FreeFunction>("LsaFreeReturnBuffer");
  DeregisterFunction deregister_ = secur32_.Find<DeregisterFunction>("LsaDeregisterLogonProcess");
  HANDLE handle_ = nullptr;
};

}  // namespace

std::optional<std::uint32_t> NegotiatePackage() {
  const SecurityAuthority authority;
  if (!authority.Connected()) {
    return std::nullopt;
  }
  return authority.Package("Negotiate");
}

CredentialLogon LogOnWithPackedCredential(std::span<const std::uint8_t> packed,
                                          std::uint32_t package) {
  const SecurityAuthority authority;
  if (!authority.Connected()) {
    return {};
  }
  return authority.LogOn(packed, package);
}

}  // namespace dactyra::platform
