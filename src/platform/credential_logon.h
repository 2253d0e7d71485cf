#pragma once

// The check of a credential that the system's credential prompt packed (an account name and its
// password): a logon of that account by the system's security authority, closed at once. The
// builds without Windows log on the stand-in's accounts (posix/stand_in_logon.h).

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace dactyra::platform {

// The number of the authentication package "Negotiate", whose credentials (an account name and
// password, of a local, Microsoft or work account) the prompt is to offer and a logon takes.
// None when the system's security authority cannot be asked.
std::optional<std::uint32_t> NegotiatePackage();

enum class LogonOutcome {
  kLoggedOn,
  kRefused,      // no such account, a wrong password, or an account that may not log on
  kUnavailable,  // no logon of such a credential on this system
};

struct CredentialLogon {
  LogonOutcome outcome = LogonOutcome::kUnavailable;
  std::vector<std::uint8_t> user_sid;  // the binary SID of the account; empty unless logged on
};

// Logs on (interactively) with `packed`, as the prompt serialized it for `package`, and closes
// the logon again.
CredentialLogon LogOnWithPackedCredential(std::span<const std::uint8_t> packed,
                                          std::uint32_t package);

}  // namespace dactyra::platform
