#include "verify/form_verify.h"

#include <memory>
#include <utility>

#include "biometric/winbio_texts.h"

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

std::u16string TFormVerify::LangText(std::u16string_view key,
                                     std::u16string_view default_text) const {
  return Texts().GetLangStr(u"verify", key, default_text);
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
  SetCaption(LangText(u"title", u"Verify fingerprint"));
  lblTitle.SetLabelText(LangText(u"edit.title", u"Verify fingerprint: "));
  lblStatus.SetText(LangText(u"label.status.1", u"Please waiting..."));
  lblResult.SetText(u"");
  btnRetry.SetText(LangText(u"button.retry", u"&Retry"));
  btnClose.SetText(LangText(u"button.close", u"&Close"));
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

  lblStatus.SetText(
      LangText(u"label.status.2", u"Please swipe your finger on the fingerprint sensor..."));
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
      SetResult(LangText(u"label.result.1",
                         u"Verification successful!\r\nThe fingerprint belongs to the current user "
                         u"and matches the selected record."),
                kSuccessText);
      break;
    case VerifyOutcome::kOtherUser:
      SetIcon(TStateLight::kFailure);
      SetResult(
          LangText(u"label.result.2", u"The fingerprint does not belong to the current user!"),
          kFailureText);
      break;
    case VerifyOutcome::kOtherFinger:
      SetIcon(TStateLight::kNearMiss);
      SetResult(
          LangText(u"label.result.3",
                   u"The fingerprint belongs to the current user,but the finger used to swipe "
                   u"it is different from the selected record."),
          kHintText);
      break;
    case VerifyOutcome::kOtherSensor:
      SetIcon(TStateLight::kNearMiss);
      SetResult(LangText(u"label.result.4",
                         u"The fingerprint belongs to the current user,but the touch sensor is "
                         u"different from the selected record.\r\nPlease try again using the "
                         u"correct sensor."),
                kHintText);
      break;
  }
}

void TFormVerify::WMVerifyStatus(std::uintptr_t wparam, std::intptr_t lparam) {
  switch (wparam) {
    case verify_event::kWaiting:
      lblStatus.SetText(
          LangText(u"label.status.2", u"Please swipe your finger on the fingerprint sensor..."));
      SetIcon(TStateLight::kWaiting);
      break;
    case verify_event::kIdentified:
      btnRetry.SetEnabled(true);
      btnRetry.SetFocus();
      lblStatus.SetText(LangText(u"label.status.4", u"Verification results"));
      if (lparam >= 0 && lparam <= static_cast<std::intptr_t>(VerifyOutcome::kOtherSensor)) {
        ShowOutcome(static_cast<VerifyOutcome>(lparam));
      }
      break;
    case verify_event::kBadCapture:
      lblStatus.SetText(LangText(u"label.status.3",
                                 u"Poor fingerprint quality, please scan your fingerprint again."));
      SetResult(RejectDetailText(static_cast<std::uint32_t>(lparam), Texts()), kHintText);
      SetIcon(TStateLight::kNearMiss);
      break;
    case verify_event::kFailed:
      SetIcon(TStateLight::kFailure);
      btnRetry.SetEnabled(true);
      lblStatus.SetText(LangText(u"label.status.5", u"Verification failed"));
      SetResult(
          LangText(u"label.result.5", u"Failure: ") +
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
