#pragma once

// The name of an account by its SID, as the system's account lookup gives it. The builds without
// Windows answer the names a test installs (posix/stand_in_account_names.h) and know no other
// account.

#include <cstdint>
#include <span>
#include <string>

namespace dactyra::platform {

enum class AccountNameLookup {
  kFound,          // the account exists: its name is given
  kNoSuchAccount,  // no account has the SID: it was removed from this PC (or its domain)
  kFailed,         // the system could not say: a domain that cannot be reached, a SID not valid
};

struct AccountName {
  AccountNameLookup lookup = AccountNameLookup::kFailed;
  // "DOMAIN\name", or the name alone for an account without a domain; empty unless found. It
  // comes from the system and is shown as it is: never a format.
  std::u16string name;
};

// Looks up the account whose binary SID `sid` holds (its length taken from the SID itself).
AccountName AccountNameOfSid(std::span<const std::uint8_t> sid);

}  // namespace dactyra::platform
