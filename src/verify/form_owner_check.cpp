#include "verify/form_owner_check.h"

#include "biometric/winbio_texts.h"
#include "verify/owner_texts.h"

namespace dactyra {

TFormOwnerCheck::TFormOwnerCheck(ui::Form* owner, const TextSource& texts)
    : TIdentifyDialog(owner, texts, kOwnerIdentifyTexts, {13, 109, 348, 68}) {
  SetCaption(Texts().Get(kOwnerCaption));
  lblReason.SetText(Texts().Get(kOwnerReason));
  btnClose.SetText(Texts().Get(kOwnerCancel));
}

void TFormOwnerCheck::ShowRefusal(std::u16string_view result) {
  ShowAnswer(TStateLight::kFailure, Texts().Get(kOwnerNotConfirmed), result, kFailureText);
}

void TFormOwnerCheck::UsersFingerIdentified() {
  // Any finger of the signed-in user proves the owner, on any sensor.
  SetIcon(TStateLight::kSuccess);
  SetModalResult(ui::ModalResult::kOk);
}

void TFormOwnerCheck::OtherUsersFingerIdentified() {
  ShowRefusal(Texts().Get(kOwnerOtherUser));
}

void TFormOwnerCheck::IdentificationFailed(HRESULT error) {
  ResultError = error;
  if (error == WINBIO_E_UNKNOWN_ID) {
    ShowRefusal(Texts().Get(kOwnerUnknownFinger));
  } else {
    ShowRefusal(Texts().Get(kOwnerFailurePrefix) + WinBioErrorText(error, Texts()));
  }
}

}  // namespace dactyra
