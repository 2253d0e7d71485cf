#include "verify/form_verify.h"

#include "base/format.h"
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
  SetClientSize(380, 335);
  SetCaption(Texts().Get(kVerifyCaption));
  lblTitle.SetLabelText(Texts().Get(kVerifyDescriptionLabel));
  lblTitle.SetText(record.Description);
  lblStatus.SetText(Texts().Get(kVerifyPleaseWait));
  btnClose.SetText(Texts().Get(kVerifyClose));
  // Three buttons in the row, in the order of their creation: Retry, Close, Replace.
  btnRetry.SetPlacement({16, 292, 100, 32});
  btnClose.SetPlacement({126, 292, 100, 32});
  btnReplace.SetText(Texts().Get(kVerifyReplace));
  btnReplace.OnClick = [this] { btnReplaceClick(); };
  lblAdvice.SetVisible(false);
  btnReplace.SetVisible(false);
}

TVerifyDialogOutcome TFormVerify::Outcome() const {
  return {.Description = lblTitle.Text(), .Tally = FTally, .Request = FRequest};
}

void TFormVerify::btnReplaceClick() {
  FRequest = TVerifyRequest::kReplaceFinger;
  btnCloseClick();
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
  CountTouch(outcome == TVerifyOutcome::kMatch ? TTouchResult::kRecognised
                                               : TTouchResult::kNotRecognised);
}

void TFormVerify::IdentificationFailed(HRESULT error) {
  ShowAnswer(TStateLight::kFailure, Texts().Get(kVerifyFailed),
             Texts().Get(kVerifyFailurePrefix) + WinBioErrorText(error, Texts()), kFailureText);
  // A finger nobody enrolled was touched; any other failure is the service's, not the finger's.
  if (error == WINBIO_E_UNKNOWN_ID) {
    CountTouch(TTouchResult::kNotRecognised);
  }
}

void TFormVerify::PoorCapture() {
  CountTouch(TTouchResult::kNotRecognised);
}

void TFormVerify::CountTouch(TTouchResult result) {
  FTally.Count(result);
  lblTally.SetText(Format(Texts().Get(kVerifyTally), FTally.Recognised(), FTally.Touches()));
  const bool advice_due = FTally.AdviceDue();
  lblAdvice.SetText(advice_due ? Texts().Get(kVerifyAdvice) : u"");
  lblAdvice.SetVisible(advice_due);
  btnReplace.SetVisible(advice_due);
}

}  // namespace dactyra
