#include "verify/form_owner_check.h"

#include "biometric/winbio_texts.h"

namespace dactyra {

TFormOwnerCheck::TFormOwnerCheck(ui::Form* owner, const TextSource& texts)
    : TIdentifyDialog(owner, texts, u"owner", {13, 109, 348, 68}) {
  SetCaption(SectionText(u"title", u"Confirm the owner"));
  lblReason.SetText(SectionText(u"label.reason",
                                u"Touch a sensor with one of your enrolled fingers to confirm that "
                                u"you are the owner of this account."));
  btnClose.SetText(SectionText(u"button.cancel", u"&Cancel"));
}

void TFormOwnerCheck::ShowRefusal(std::u16string_view result) {
  ShowAnswer(TStateLight::kFailure, SectionText(u"label.not_confirmed", u"Not confirmed"), result,
             kFailureText);
}

void TFormOwnerCheck::UsersFingerIdentified() {
  // Any finger of the signed-in user proves the owner, on any sensor.
  SetIcon(TStateLight::kSuccess);
  SetModalResult(ui::ModalResult::kOk);
}

void TFormOwnerCheck::OtherUsersFingerIdentified() {
  ShowRefusal(
      SectionText(u"result.other_user",
                  u"This fingerprint belongs to another user, not to the owner of this account."));
}

void TFormOwnerCheck::IdentificationFailed(HRESULT error) {
  ResultError = error;
  if (error == WINBIO_E_UNKNOWN_ID) {
    ShowRefusal(SectionText(u"result.unknown",
                            u"This finger is not enrolled. Please use one of your enrolled "
                            u"fingers."));
  } else {
    ShowRefusal(SectionText(u"result.failure", u"Failure: ") + WinBioErrorText(error, Texts()));
  }
}

}  // namespace dactyra
