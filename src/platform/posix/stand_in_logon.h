#pragma once

// The security authority of the builds without Windows: it logs on the accounts a test installs
// (a local "name", "MicrosoftAccount\name@example.com", "AzureAD\name" alike), each with its
// password and SID, from a credential packed in the stand-in's own format. Without accounts
// every logon is refused.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dactyra::platform {

struct StandInAccount {
  std::u16string name;  // as the prompt gives it
  std::u16string password;
  std::vector<std::uint8_t> sid;
};

// The accounts of the computer while it lives.
class ScopedStandInAccounts {
 public:
  explicit ScopedStandInAccounts(std::vector<StandInAccount> accounts);
  ~ScopedStandInAccounts();
  ScopedStandInAccounts(const ScopedStandInAccounts&) = delete;
  ScopedStandInAccounts& operator=(const ScopedStandInAccounts&) = delete;

 private:
  std::vector<StandInAccount> previous_;
};

// A credential as the stand-in's credential prompt would pack it.
std::vector<std::uint8_t> PackStandInCredential(std::u16string_view name,
                                                std::u16string_view password);

}  // namespace dactyra::platform
