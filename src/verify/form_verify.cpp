#include "verify/form_verify.h"

#include "biometric/winbio_texts.h"
#include "verify/verify_texts.h"

namespace dactyra {
namespace {

constexpr TIdentifyTexts kOwnTexts{kVerifySwipeFinger, kVerifyPoorCapture, kVerifyRetry};

}  // namespace

TFormVerify::TFormVerify(ui::Form* owner, const TextSource& texts, const TServiceContext& context,
                         const TFingerRecord& record)
    : TIdentifyDialog(owner, texts, context, kOwnTexts,
                      {.Status = {96, 52, 265, 37}, .Result = {13, 109, 348, 68}}, record) {
  lblTitle.MoveToTabFront();
  SetCaption(Texts().Get(kVerifyCaption));
  lblTitle.SetLabelText(Texts().Get(kVerifyDescriptionLabel));
  lblTitle.SetText(record.Description);
  lblStatus.SetText(Texts().Get(kVerifyPleaseWait));
  btnClose.SetText(Texts().Get(kVerifyClose));
}

void TFormVerify::TouchIdentified(TVerifyOutcome outcome) {
  const std::u16string status = Texts().Get(kVerifyResults);
  switch (outcome) {
    case TVerifyOutcome::kMatch:
      ShowAnswer(TStateLight::kSuccess, status, Texts().Get(kVerifyMatch), kSuccessText);
      break;
    case TVerifyOutcome::kOtherUser:
      ShowAnswer(TStateLight::kFailure, status, Texts().Get(kVerifyOtherUser), kFailureText);
      break;
    case TVerifyOutcome::kOtherFinger:
      ShowAnswer(TStateLight::kNearMiss, status, Texts().Get(kVerifyOtherFinger), kHintText);
      break;
    case TVerifyOutcome::kOtherSensor:
      ShowAnswer(TStateLight::kNearMiss, status, Texts().Get(kVerifyOtherSensor), kHintText);
      break;
  }
}

void TFormVerify::IdentificationFailed(HRESULT error) {
  ShowAnswer(TStateLight::kFailure, Texts().Get(kVerifyFailed),
             Texts().Get(kVerifyFailurePrefix) + WinBioErrorText(error, Texts()), kFailureText);
}

}  // namespace dactyra
