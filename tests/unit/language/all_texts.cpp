#include "all_texts.h"

#include <algorithm>
#include <array>

#include "app/log_texts.h"
#include "app/main_texts.h"
#include "app/new_finger_texts.h"
#include "app/sensors_texts.h"
#include "biometric/sensor_facts.h"
#include "biometric/service_texts.h"
#include "biometric/sign_in_texts.h"
#include "dialog_core/other_account_texts.h"
#include "dialog_core/state_light.h"
#include "documents/config_texts.h"
#include "documents/link_time_texts.h"
#include "enroll/enroll_texts.h"
#include "ui/form_texts.h"
#include "ui/hello_texts.h"
#include "ui/key_names.h"
#include "verify/owner_texts.h"
#include "verify/verify_texts.h"
#include "verify/which_texts.h"

namespace dactyra::language_test {
namespace {

bool SameEntry(const TranslatableText& a, const TranslatableText& b) {
  return KeyOf(a) == KeyOf(b) && a.english == b.english;
}

// Adds the entries of a table; an entry that several rows share (one text for several codes, or
// for several values) is gathered once.
template <typename TTable>
void Append(std::vector<TranslatableText>& texts, const TTable& table) {
  for (const TranslatableText& text : table) {
    if (std::ranges::none_of(texts,
                             [&](const TranslatableText& t) { return SameEntry(t, text); })) {
      texts.push_back(text);
    }
  }
}

}  // namespace

TProgramTexts AllProgramTexts() {
  TProgramTexts all;
  for (const TErrorCodeRow& row : kErrorCodeRows) {
    Append(all.fixed, std::array{row.message});
  }
  for (const TRejectRow& row : kRejectRows) {
    all.fixed.push_back(row.hint);
  }
  Append(all.fixed, kFingerNames);
  Append(all.fixed, kServiceTexts);
  all.composed.push_back(kUnknownFingerName.start);
  Append(all.fixed, SignInTexts());
  Append(all.fixed, SensorFactsTexts());
  for (const TLightMeaning& meaning : kLightMeanings) {
    Append(all.fixed, std::array{meaning.Text});
  }
  Append(all.fixed, ui::kHelloTexts);
  Append(all.fixed, ui::kKeyNameTexts);
  Append(all.fixed, ui::kFormTexts);
  Append(all.fixed, kEnrollTexts);
  Append(all.fixed, kVerifyTexts);
  Append(all.fixed, kOwnerTexts);
  Append(all.fixed, kWhichTexts);
  Append(all.fixed, kOtherAccountTexts);
  Append(all.fixed, kMainTexts);
  Append(all.fixed, kMainColumnTitles);
  Append(all.fixed, kLogTexts);
  Append(all.fixed, kSensorsTexts);
  Append(all.fixed, kNewFingerLogTexts);
  Append(all.fixed, kConfigTexts);
  Append(all.fixed, kLinkTimeTexts);
  all.numbers.assign(kMainColumnWidths.begin(), kMainColumnWidths.end());
  all.font_name = kMainFontName;
  all.font_height = kMainFontHeight;
  return all;
}

std::vector<std::vector<TKey>> ShortcutGroups() {
  return {
      {KeyOf(kMainButtonRead), KeyOf(kMainButtonVerify), KeyOf(kMainButtonAdd),
       KeyOf(kMainButtonDelete), KeyOf(kMainButtonExit), KeyOf(kMainButtonSignInOptions)},
      {KeyOf(kMainMenuVerify), KeyOf(kMainMenuAddAgain), KeyOf(kMainMenuRename),
       KeyOf(kMainMenuReplace), KeyOf(kMainMenuDelete), KeyOf(kMainMenuWhichFinger),
       KeyOf(kMainMenuRead), KeyOf(kSensorsMenuItem)},
      {KeyOf(kSensorsCopy), KeyOf(kSensorsClose)},
      {KeyOf(kMainButtonOk), KeyOf(kMainButtonCancel)},
      {KeyOf(kVerifyRetry), KeyOf(kVerifyClose), KeyOf(kVerifyReplace)},
      {KeyOf(kWhichRetry), KeyOf(kWhichClose)},
      {KeyOf(kOwnerRetry), KeyOf(kOwnerCancel), KeyOf(kOwnerUsePin)},
      {KeyOf(kEnrollCheckRetry), KeyOf(kEnrollCheckRemove), KeyOf(kEnrollCheckKeep),
       KeyOf(kEnrollCheckSkip), KeyOf(kEnrollDone)},
  };
}

}  // namespace dactyra::language_test
