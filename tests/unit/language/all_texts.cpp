#include "all_texts.h"

#include "app/log_texts.h"
#include "app/main_texts.h"
#include "biometric/service_texts.h"
#include "documents/config_texts.h"
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
  for (const TErrorCodeRow& row : kErrorCodeRows) {
    all.fixed.push_back(row.message);
  }
  for (const TRejectRow& row : kRejectRows) {
    all.fixed.push_back(row.hint);
  }
  Append(all.fixed, kFingerNames);
  Append(all.fixed, kServiceTexts);
  all.composed.push_back(kUnknownFingerName.start);
  Append(all.fixed, kEnrollTexts);
  Append(all.fixed, kVerifyTexts);
  Append(all.fixed, kOwnerTexts);
  Append(all.fixed, kWhichTexts);
  Append(all.fixed, kMainTexts);
  Append(all.fixed, kLogTexts);
  Append(all.fixed, kConfigTexts);
  all.numbers.assign(kMainColumnWidths.begin(), kMainColumnWidths.end());
  return all;
}

std::vector<std::vector<TKey>> ShortcutGroups() {
  return {
      {KeyOf(kMainButtonRead), KeyOf(kMainButtonVerify), KeyOf(kMainButtonAdd),
       KeyOf(kMainButtonDelete), KeyOf(kMainButtonExit), KeyOf(kMainButtonSignInOptions)},
      {KeyOf(kMainMenuVerify), KeyOf(kMainMenuRename), KeyOf(kMainMenuDelete),
       KeyOf(kMainMenuWhichFinger), KeyOf(kMainMenuRead)},
      {KeyOf(kMainButtonOk), KeyOf(kMainButtonCancel)},
      {KeyOf(kVerifyRetry), KeyOf(kVerifyClose)},
      {KeyOf(kWhichRetry), KeyOf(kWhichClose)},
      {KeyOf(kOwnerRetry), KeyOf(kOwnerCancel)},
  };
}

}  // namespace dactyra::language_test
