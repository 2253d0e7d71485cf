#include <algorithm>
#include <mutex>
#include <utility>

#include "platform/account_name.h"
#include "platform/platform.h"
#include "platform/posix/stand_in_account_names.h"

namespace dactyra::platform {
namespace {

struct StandInAccountNames {
  std::mutex mutex;
  std::vector<StandInAccountName> accounts;
};

StandInAccountNames& TheStandInAccountNames() {
  static StandInAccountNames names;
  return names;
}

std::vector<StandInAccountName> SwapStandInAccountNames(std::vector<StandInAccountName> accounts) {
  StandInAccountNames& installed = TheStandInAccountNames();
  const std::lock_guard lock(installed.mutex);
  return std::exchange(installed.accounts, std::move(accounts));
}

}  // namespace

ScopedStandInAccountNames::ScopedStandInAccountNames(std::vector<StandInAccountName> accounts)
    : previous_(SwapStandInAccountNames(std::move(accounts))) {}

ScopedStandInAccountNames::~ScopedStandInAccountNames() {
  SwapStandInAccountNames(std::move(previous_));
}

AccountName AccountNameOfSid(std::span<const std::uint8_t> sid) {
  const std::optional<std::u16string> text = SidToText(sid);
  if (!text) {
    return {};  // what the system says of a SID that is not valid
  }
  StandInAccountNames& installed = TheStandInAccountNames();
  const std::lock_guard lock(installed.mutex);
  const auto account = std::ranges::find(installed.accounts, *text, &StandInAccountName::sid);
  if (account == installed.accounts.end()) {
    return {.lookup = AccountNameLookup::kNoSuchAccount, .name = {}};
  }
  return {.lookup = AccountNameLookup::kFound, .name = account->name};
}

}  // namespace dactyra::platform
