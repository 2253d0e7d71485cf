#include "verify/form_owner_check.h"

#include <utility>

#include "biometric/winbio_texts.h"
#include "platform/windows_version.h"
#include "verify/owner_texts.h"

namespace dactyra {

TFormOwnerCheck::TFormOwnerCheck(ui::Form* owner, const TextSource& texts,
                                 const TServiceContext& context)
    : TIdentifyDialog(owner, texts, context, kOwnerIdentifyTexts,
                      {.Status = {96, 76, 265, 22}, .Result = {13, 109, 348, 68}}) {
  SetCaption(Texts().Get(kOwnerCaption));
  lblReason.SetText(Texts().Get(kOwnerReason));
  btnClose.SetText(Texts().Get(kOwnerCancel));
  // Three buttons in the row, in the order of their creation: Retry, Cancel, Use PIN instead.
  btnRetry.SetPlacement({16, 199, 100, 32});
  btnClose.SetPlacement({126, 199, 100, 32});
  btnUsePin.SetText(Texts().Get(kOwnerUsePin));
  btnUsePin.OnClick = [this] { btnUsePinClick(); };
  // Before Windows 10 Windows Hello takes no PIN.
  btnUsePin.SetVisible(platform::IsWindows10OrLater());
}

void TFormOwnerCheck::btnUsePinClick() {
  // The worker leaves the service before Windows Hello is asked, as when the dialog closes.
  StopWorker();
  FHelloAnswer = ui::VerifyWithWindowsHello(this, Texts().Get(kOwnerHelloMessage), [this] {
    lblResult.SetSystemColor();
    lblResult.SetText(ui::HelloOwnWindowText(Texts()));
  });
  SetModalResult(FHelloAnswer->outcome == ui::HelloOutcome::kVerified ? ui::ModalResult::kOk
                                                                      : ui::ModalResult::kCancel);
}

void TFormOwnerCheck::ClearAnswer() {
  FRefusal.clear();
  FResultError = S_OK;
}

void TFormOwnerCheck::ShowRefusal(std::u16string result) {
  ShowAnswer(TStateLight::kFailure, Texts().Get(kOwnerNotConfirmed), result, kFailureText);
  FRefusal = std::move(result);
}

void TFormOwnerCheck::TouchIdentified(TVerifyOutcome outcome) {
  if (outcome == TVerifyOutcome::kOtherUser) {
    ShowRefusal(Texts().Get(kOwnerOtherUser));
    return;
  }
  // Any finger of the signed-in user proves the owner, on any sensor.
  SetIcon(TStateLight::kSuccess);
  SetModalResult(ui::ModalResult::kOk);
}

void TFormOwnerCheck::IdentificationFailed(HRESULT error) {
  FResultError = error;
  if (error == WINBIO_E_UNKNOWN_ID) {
    ShowRefusal(Texts().Get(kOwnerUnknownFinger));
  } else {
    ShowRefusal(Texts().Get(kOwnerFailurePrefix) + WinBioErrorText(error, Texts()));
  }
}

}  // namespace dactyra
