// The stand-in's packed credential is the account name and the password in UTF-16 (little
// endian), with a zero unit between them.

#include <algorithm>
#include <utility>

#include "platform/credential_logon.h"
#include "platform/posix/stand_in_logon.h"
#include "platform/posix/stand_in_value.h"

namespace dactyra::platform {
namespace {

constexpr std::uint32_t kNegotiate = 9;  // any number: the stand-in knows only this package

StandInValue<std::vector<StandInAccount>>& TheStandInAccounts() {
  static StandInValue<std::vector<StandInAccount>> accounts({});
  return accounts;
}

struct UnpackedCredential {
  std::u16string name;
  std::u16string password;
};

std::optional<UnpackedCredential> Unpack(std::span<const std::uint8_t> packed) {
  if (packed.size() % 2 != 0) {
    return std::nullopt;
  }
  std::u16string units;
  for (std::size_t i = 0; i < packed.size(); i += 2) {
    units.push_back(static_cast<char16_t>(packed[i] | packed[i + 1] << 8));
  }
  const std::size_t separator = units.find(u'\0');
  if (separator == std::u16string::npos) {
    return std::nullopt;
  }
  return UnpackedCredential{units.substr(0, separator), units.substr(separator + 1)};
}

}  // namespace

ScopedStandInAccounts::ScopedStandInAccounts(std::vector<StandInAccount> accounts)
    : previous_(TheStandInAccounts().Swap(std::move(accounts))) {}

ScopedStandInAccounts::~ScopedStandInAccounts() {
  TheStandInAccounts().Swap(std::move(previous_));
}

std::vector<std::uint8_t> PackStandInCredential(std::u16string_view name,
                                                std::u16string_view password) {
  std::vector<std::uint8_t> packed;
  const auto put = [&](char16_t unit) {
    packed.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    packed.push_back(static_cast<std::uint8_t>(unit >> 8));
  };
  std::ranges::for_each(name, put);
  put(u'\0');
  std::ranges::for_each(password, put);
  return packed;
}

std::optional<std::uint32_t> NegotiatePackage() {
  return kNegotiate;
}

CredentialLogon LogOnWithPackedCredential(std::span<const std::uint8_t> packed,
                                          std::uint32_t package) {
  const std::optional<UnpackedCredential> credential = Unpack(packed);
  if (package != kNegotiate || !credential) {
    return {};  // what the system says to a buffer it cannot read
  }
  return TheStandInAccounts().With([&](const std::vector<StandInAccount>& accounts) {
    const auto account = std::ranges::find(accounts, credential->name, &StandInAccount::name);
    if (account == accounts.end() || account->password != credential->password) {
      return CredentialLogon{.outcome = LogonOutcome::kRefused, .user_sid = {}};
    }
    return CredentialLogon{.outcome = LogonOutcome::kLoggedOn, .user_sid = account->sid};
  });
}

}  // namespace dactyra::platform
