#include "verify/form_which_finger.h"

#include <utility>

#include "base/format.h"
#include "base/hex.h"
#include "biometric/winbio_texts.h"
#include "dialog_core/other_account.h"
#include "verify/which_texts.h"

namespace dactyra {

TFormWhichFinger::TFormWhichFinger(ui::Form* owner, const TextSource& texts,
                                   const TServiceContext& context,
                                   std::vector<TFingerRecord> fingers)
    : TIdentifyDialog(owner, texts, context, kWhichIdentifyTexts,
                      {.Status = {96, 76, 265, 22}, .Result = {13, 105, 348, 84}}),
      FFingers(std::move(fingers)) {
  SetCaption(Texts().Get(kWhichCaption));
  lblReason.SetText(Texts().Get(kWhichReason));
  btnClose.SetText(Texts().Get(kWhichClose));
}

void TFormWhichFinger::ClearAnswer() {
  FFoundIndex.reset();
  FAnswer.clear();
}

void TFormWhichFinger::ShowWhichAnswer(TStateLight light, std::u16string text, ui::Color color) {
  ShowAnswer(light, Texts().Get(kWhichAnswer), text, color);
  FAnswer = std::move(text);
}

void TFormWhichFinger::TouchIdentified(TVerifyOutcome outcome) {
  if (outcome == TVerifyOutcome::kOtherUser) {
    ShowWhichAnswer(TStateLight::kFailure, DescribeOtherAccount(Found().Identity, Texts()).Sentence,
                    kFailureText);
    return;
  }
  UsersFingerIdentified();
}

void TFormWhichFinger::UsersFingerIdentified() {
  const std::optional<std::size_t> index =
      FindFingerRecord(FFingers, Found().UnitId, Found().SubFactor);
  if (!index) {
    // Enrolled since the listing, or on a sensor the listing could not read.
    ShowWhichAnswer(
        TStateLight::kNearMiss,
        Format(Texts().Get(kWhichOwnUnlisted), SubFactorName(Found().SubFactor, Texts()),
               Hex2(Found().SubFactor), Found().UnitId),
        kHintText);
    return;
  }
  FFoundIndex = *index;
  const TFingerRecord& listed = FFingers[*index];
  ShowWhichAnswer(TStateLight::kSuccess,
                  Format(Texts().Get(kWhichOwnListed), listed.Description, listed.SubName,
                         Hex2(listed.SubFactor), listed.DeviceName, listed.UnitId),
                  kSuccessText);
}

void TFormWhichFinger::IdentificationFailed(HRESULT error) {
  ShowWhichAnswer(TStateLight::kFailure,
                  error == WINBIO_E_UNKNOWN_ID
                      ? Texts().Get(kWhichUnknownFinger)
                      : Texts().Get(kWhichFailurePrefix) + WinBioErrorText(error, Texts()),
                  kFailureText);
}

}  // namespace dactyra
