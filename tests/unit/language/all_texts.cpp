#include "all_texts.h"

#include "biometric/service_texts.h"
#include "enroll/enroll_texts.h"
#include "verify/owner_texts.h"
#include "verify/verify_texts.h"
#include "verify/which_texts.h"

namespace dactyra::language_test {
namespace {

template <typename TTable>
void Append(std::vector<TranslatableText>& texts, const TTable& table) {
  texts.insert(texts.end(), table.begin(), table.end());
}

}  // namespace

TProgramTexts AllProgramTexts() {
  TProgramTexts all;
  for (const ErrorCodeRow& row : kErrorCodeRows) {
    all.fixed.push_back(row.message);
  }
  for (const RejectRow& row : kRejectRows) {
    all.fixed.push_back(row.hint);
  }
  Append(all.fixed, kFingerNames);
  Append(all.fixed, kServiceTexts);
  all.composed.push_back(kUnknownFingerName.start);
  Append(all.fixed, kEnrollTexts);
  Append(all.fixed, kVerifyTexts);
  Append(all.fixed, kOwnerTexts);
  Append(all.fixed, kWhichTexts);
  // TODO(app tables): the main window's texts ("main", "log") and column widths, and the
  // configuration store's "log" texts; then empty kPartlyGatheredSections.
  return all;
}

std::vector<std::vector<TKey>> ShortcutGroups() {
  return {
      // TODO(app tables): these keys from the main window's tables.
      {{u"main", u"button.enum"},
       {u"main", u"button.verify"},
       {u"main", u"button.add"},
       {u"main", u"button.del"},
       {u"main", u"button.exit"},
       {u"main", u"button.signin"}},
      {{u"main", u"menu.verify"},
       {u"main", u"menu.rename"},
       {u"main", u"menu.del"},
       {u"main", u"menu.which"},
       {u"main", u"menu.enum"}},
      {{u"main", u"button.ok"}, {u"main", u"button.cancel"}},
      {KeyOf(kVerifyRetry), KeyOf(kVerifyClose)},
      {KeyOf(kWhichRetry), KeyOf(kWhichClose)},
      {KeyOf(kOwnerRetry), KeyOf(kOwnerCancel)},
  };
}

}  // namespace dactyra::language_test
