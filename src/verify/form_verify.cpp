#include "verify/form_verify.h"

#include <memory>
#include <utility>

#include "biometric/winbio_texts.h"
#include "verify/verify_texts.h"

namespace dactyra {
TFormVerify::TFormVerify(ui::Form* owner, const TextSource& texts)
    : TWorkerDialog(owner, 380, 242, texts) {
  btnRetry.OnClick = [this] { btnRetryClick(); };
  btnClose.OnClick = [this] { btnCloseClick(); };
  OnShow = [this] { FormShow(); };
  SetMessageHandler(WM_VERIFY_STATUS, [this](std::uintptr_t wparam, std::intptr_t lparam) {
    WMVerifyStatus(wparam, lparam);
  });
  FormCreate();
}

TFormVerify::~TFormVerify() {
  FormDestroy();
}

void TFormVerify::SetResult(std::u16string_view text, std::optional<ui::Color> color) {
  if (color) {
    lblResult.SetColor(*color);
  } else {
    lblResult.SetSystemColor();
  }
  lblResult.SetText(text);
}

void TFormVerify::FormCreate() {
  SetCaption(Texts().Get(kVerifyCaption));
  lblTitle.SetLabelText(Texts().Get(kVerifyDescriptionLabel));
  lblStatus.SetText(Texts().Get(kVerifyPleaseWait));
  lblResult.SetText(u"");
  btnRetry.SetText(Texts().Get(kVerifyRetry));
  btnClose.SetText(Texts().Get(kVerifyClose));
  btnRetry.SetEnabled(false);
}

void TFormVerify::FormShow() {
  lblResult.SetText(u"");
  btnRetry.SetEnabled(false);
  SetIcon(TStateLight::kIdle);
  BringToFront();
  StartVerify();
}

void TFormVerify::StartVerify() {
  StopWorker();

  lblStatus.SetText(Texts().Get(kVerifySwipeFinger));
  SetResult(u"", std::nullopt);
  btnRetry.SetEnabled(false);
  SetIcon(TStateLight::kWaiting);

  auto param = std::make_unique<TVerifyThreadParam>();
  param->Window = PosterOf(WM_VERIFY_STATUS);
  param->Lib = Lib;
  param->Session = Session;
  param->CurrentIdent = CurrentIdent;
  param->SelSubFactor = SelRecord.SubFactor;
  param->SelUnitId = SelRecord.UnitId;
  param->Cancel = NewCancelFlag();
  HoldWorker(StartVerifyThread(std::move(param)));
}

void TFormVerify::ShowOutcome(VerifyOutcome outcome) {
  switch (outcome) {
    case VerifyOutcome::kMatch:
      SetIcon(TStateLight::kSuccess);
      SetResult(Texts().Get(kVerifyMatch), kSuccessText);
      break;
    case VerifyOutcome::kOtherUser:
      SetIcon(TStateLight::kFailure);
      SetResult(Texts().Get(kVerifyOtherUser), kFailureText);
      break;
    case VerifyOutcome::kOtherFinger:
      SetIcon(TStateLight::kNearMiss);
      SetResult(Texts().Get(kVerifyOtherFinger), kHintText);
      break;
    case VerifyOutcome::kOtherSensor:
      SetIcon(TStateLight::kNearMiss);
      SetResult(Texts().Get(kVerifyOtherSensor), kHintText);
      break;
  }
}

void TFormVerify::WMVerifyStatus(std::uintptr_t wparam, std::intptr_t lparam) {
  switch (wparam) {
    case verify_event::kWaiting:
      lblStatus.SetText(Texts().Get(kVerifySwipeFinger));
      SetIcon(TStateLight::kWaiting);
      break;
    case verify_event::kIdentified:
      btnRetry.SetEnabled(true);
      btnRetry.SetFocus();
      lblStatus.SetText(Texts().Get(kVerifyResults));
      if (lparam >= 0 && lparam <= static_cast<std::intptr_t>(VerifyOutcome::kOtherSensor)) {
        ShowOutcome(static_cast<VerifyOutcome>(lparam));
      }
      break;
    case verify_event::kBadCapture:
      lblStatus.SetText(Texts().Get(kVerifyPoorCapture));
      SetResult(RejectDetailText(static_cast<std::uint32_t>(lparam), Texts()), kHintText);
      SetIcon(TStateLight::kNearMiss);
      break;
    case verify_event::kFailed:
      SetIcon(TStateLight::kFailure);
      btnRetry.SetEnabled(true);
      lblStatus.SetText(Texts().Get(kVerifyFailed));
      SetResult(
          Texts().Get(kVerifyFailurePrefix) +
              WinBioErrorText(static_cast<HRESULT>(static_cast<std::uint32_t>(lparam)), Texts()),
          kFailureText);
      break;
    default:
      break;
  }
}

void TFormVerify::btnRetryClick() {
  BringToFront();
  StartVerify();
}

void TFormVerify::btnCloseClick() {
  StopWorker();
  Close();
}

void TFormVerify::FormDestroy() {
  // Closed by its close box the dialog never went through btnCloseClick.
  StopWorker();
}

}  // namespace dactyra
