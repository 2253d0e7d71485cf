#include "dialog_core/other_account.h"

#include "base/format.h"
#include "biometric/winbio_texts.h"
#include "dialog_core/other_account_texts.h"
#include "platform/account_name.h"

namespace dactyra {

TOtherAccount DescribeOtherAccount(const TWinBioIdentity& identity, const TextSource& texts) {
  // The SID's own header gives its length, as for its text.
  const platform::AccountName account = platform::AccountNameOfSid(identity.SidData);
  switch (account.lookup) {
    case platform::AccountNameLookup::kFound:
      // The name is the system's, never a format: it goes in as an argument.
      return {TOtherAccountKind::kOnThisPC, Format(texts.Get(kAccountOnThisPC), account.name)};
    case platform::AccountNameLookup::kNoSuchAccount:
      return {TOtherAccountKind::kRemoved,
              Format(texts.Get(kAccountRemoved), IdentitySidText(identity, texts))};
    case platform::AccountNameLookup::kFailed:
      break;
  }
  return {TOtherAccountKind::kNotLookedUp,
          Format(texts.Get(kAccountNotLookedUp), IdentitySidText(identity, texts))};
}

}  // namespace dactyra
