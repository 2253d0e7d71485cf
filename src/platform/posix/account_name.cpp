#include <algorithm>
#include <utility>

#include "platform/account_name.h"
#include "platform/platform.h"
#include "platform/posix/stand_in_account_names.h"
#include "platform/posix/stand_in_value.h"

namespace dactyra::platform {
namespace {

StandInValue<std::vector<StandInAccountName>>& TheStandInAccountNames() {
  static StandInValue<std::vector<StandInAccountName>> names({});
  return names;
}

}  // namespace

ScopedStandInAccountNames::ScopedStandInAccountNames(std::vector<StandInAccountName> accounts)
    : previous_(TheStandInAccountNames().Swap(std::move(accounts))) {}

ScopedStandInAccountNames::~ScopedStandInAccountNames() {
  TheStandInAccountNames().Swap(std::move(previous_));
}

AccountName AccountNameOfSid(std::span<const std::uint8_t> sid) {
  const std::optional<std::u16string> text = SidToText(sid);
  if (!text) {
    return {};  // what the system says of a SID that is not valid
  }
  return TheStandInAccountNames().With([&](const std::vector<StandInAccountName>& accounts) {
    const auto account = std::ranges::find(accounts, *text, &StandInAccountName::sid);
    if (account == accounts.end()) {
      return AccountName{.lookup = AccountNameLookup::kNoSuchAccount, .name = {}};
    }
    return AccountName{.lookup = AccountNameLookup::kFound, .name = account->name};
  });
}

}  // namespace dactyra::platform
