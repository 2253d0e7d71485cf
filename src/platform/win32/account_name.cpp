#include <windows.h>

#include "base/wide.h"
#include "platform/account_name.h"
#include "platform/platform.h"

namespace dactyra::platform {
namespace {

// What a lookup that failed with `error` says.
AccountName FailedLookup(DWORD error) {
  // ERROR_NONE_MAPPED: no account of this PC, nor of a domain it can ask, has the SID.
  return {.lookup = error == ERROR_NONE_MAPPED ? AccountNameLookup::kNoSuchAccount
                                               : AccountNameLookup::kFailed,
          .name = {}};
}

// Whether a SID of this use names no account that exists (a domain may still know the SID of
// an account it deleted).
bool NoAccountBehind(SID_NAME_USE use) {
  return use == SidTypeDeletedAccount || use == SidTypeInvalid || use == SidTypeUnknown;
}

}  // namespace

AccountName AccountNameOfSid(std::span<const std::uint8_t> sid) {
  const PSID checked = const_cast<std::uint8_t*>(sid.data());
  if (!DeclaredSidLength(sid) || !IsValidSid(checked)) {
    return {};
  }
  // The first call gives the sizes (terminators included), the second the names.
  DWORD name_size = 0;
  DWORD domain_size = 0;
  SID_NAME_USE use = SidTypeUnknown;
  if (!LookupAccountSidW(nullptr, checked, nullptr, &name_size, nullptr, &domain_size, &use)) {
    if (const DWORD error = GetLastError(); error != ERROR_INSUFFICIENT_BUFFER) {
      return FailedLookup(error);
    }
  }
  std::u16string name(name_size, u'\0');
  std::u16string domain(domain_size, u'\0');
  if (!LookupAccountSidW(nullptr, checked, WideData(name), &name_size, WideData(domain),
                         &domain_size, &use)) {
    return FailedLookup(GetLastError());
  }
  if (NoAccountBehind(use)) {
    return FailedLookup(ERROR_NONE_MAPPED);
  }
  name = FromWideBuffer(Wide(name), name.size());
  domain = FromWideBuffer(Wide(domain), domain.size());
  return {.lookup = AccountNameLookup::kFound,
          .name = domain.empty() ? name : domain + u"\\" + name};
}

}  // namespace dactyra::platform
