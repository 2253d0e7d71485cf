#include "verify/form_which_finger.h"

#include <algorithm>
#include <utility>

#include "base/format.h"
#include "base/hex.h"
#include "biometric/winbio_texts.h"
#include "verify/which_texts.h"

namespace dactyra {

TFormWhichFinger::TFormWhichFinger(ui::Form* owner, const TextSource& texts)
    : TIdentifyDialog(owner, texts, kWhichIdentifyTexts, {13, 105, 348, 84}) {
  SetCaption(Texts().Get(kWhichCaption));
  lblReason.SetText(Texts().Get(kWhichReason));
  btnClose.SetText(Texts().Get(kWhichClose));
}

void TFormWhichFinger::ClearAnswer() {
  FoundIndex.reset();
  Answer.clear();
}

void TFormWhichFinger::ShowWhichAnswer(TStateLight light, std::u16string text, ui::Color color) {
  ShowAnswer(light, Texts().Get(kWhichAnswer), text, color);
  Answer = std::move(text);
}

void TFormWhichFinger::UsersFingerIdentified() {
  const auto listed = std::ranges::find_if(Fingers, [this](const TFingerRecord& record) {
    return record.UnitId == FoundUnit() && record.SubFactor == FoundSubFactor();
  });
  if (listed == Fingers.end()) {
    // Enrolled since the listing, or on a sensor the listing could not read.
    ShowWhichAnswer(TStateLight::kNearMiss,
                    Format(Texts().Get(kWhichOwnUnlisted), SubFactorName(FoundSubFactor(), Texts()),
                           Hex2(FoundSubFactor()), FoundUnit()),
                    kHintText);
    return;
  }
  FoundIndex = static_cast<std::size_t>(listed - Fingers.begin());
  ShowWhichAnswer(TStateLight::kSuccess,
                  Format(Texts().Get(kWhichOwnListed), listed->Description, listed->SubName,
                         Hex2(listed->SubFactor), listed->DeviceName, listed->UnitId),
                  kSuccessText);
}

void TFormWhichFinger::OtherUsersFingerIdentified() {
  ShowWhichAnswer(TStateLight::kFailure, Texts().Get(kWhichOtherUser), kFailureText);
}

void TFormWhichFinger::IdentificationFailed(HRESULT error) {
  ShowWhichAnswer(TStateLight::kFailure,
                  error == WINBIO_E_UNKNOWN_ID
                      ? Texts().Get(kWhichUnknownFinger)
                      : Texts().Get(kWhichFailurePrefix) + WinBioErrorText(error, Texts()),
                  kFailureText);
}

}  // namespace dactyra
