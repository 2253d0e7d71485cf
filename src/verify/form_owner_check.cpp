#include "verify/form_owner_check.h"

#include <memory>
#include <utility>

#include "biometric/winbio_texts.h"
#include "verify/dialog_look.h"

namespace dactyra {

TFormOwnerCheck::TFormOwnerCheck(ui::Form* owner, const TextSource& texts)
    : ui::Form(TouchDialogOptions(owner)), texts_(texts) {
  btnRetry.OnClick = [this] { btnRetryClick(); };
  btnCancel.OnClick = [this] { btnCancelClick(); };
  OnShow = [this] { FormShow(); };
  SetMessageHandler(WM_VERIFY_STATUS, [this](std::uintptr_t wparam, std::intptr_t lparam) {
    WMOwnerStatus(wparam, lparam);
  });
  SetCaption(OwnerText(u"title", u"Confirm the owner"));
  lblReason.SetText(OwnerText(u"label.reason",
                              u"Touch a sensor with one of your enrolled fingers to confirm that "
                              u"you are the owner of this account."));
  btnRetry.SetText(OwnerText(u"button.retry", u"&Retry"));
  btnCancel.SetText(OwnerText(u"button.cancel", u"&Cancel"));
  btnRetry.SetEnabled(false);
}

TFormOwnerCheck::~TFormOwnerCheck() {
  // Closed by its close box the dialog never went through btnCancelClick.
  StopWorker();
}

std::u16string TFormOwnerCheck::OwnerText(std::u16string_view key,
                                          std::u16string_view default_text) const {
  return texts_.GetLangStr(u"owner", key, default_text);
}

void TFormOwnerCheck::FormShow() {
  SetStateLight(shapeIcon, state_light::kIdle);
  BringToFront();
  StartCheck();
}

void TFormOwnerCheck::StartCheck() {
  StopWorker();
  // A fresh flag: a worker that did not stop in time keeps its own, set.
  FCancel = std::make_shared<std::atomic<bool>>(false);
  ResultError = S_OK;
  lblStatus.SetText(OwnerText(u"label.waiting", u"Please touch the fingerprint sensor..."));
  SetResultLine(lblResult, u"", std::nullopt);
  btnRetry.SetEnabled(false);
  SetStateLight(shapeIcon, state_light::kWaiting);

  auto param = std::make_unique<TVerifyThreadParam>();
  param->Window = [target = Target()](std::uintptr_t event, std::intptr_t value) {
    return target.Post(WM_VERIFY_STATUS, event, value);
  };
  param->Lib = Lib;
  param->Session = Session;
  param->CurrentIdent = CurrentIdent;
  param->Cancel = FCancel;
  FThread = StartVerifyThread(std::move(param));
}

void TFormOwnerCheck::StopWorker() {
  if (FThread.Held() && !StopServiceWorker(Lib, Session, *FCancel, FThread)) {
    FWorkerLeftBehind = true;
  }
}

void TFormOwnerCheck::ShowRefusal(std::u16string_view result) {
  SetStateLight(shapeIcon, state_light::kRefused);
  lblStatus.SetText(OwnerText(u"label.not_confirmed", u"Not confirmed"));
  SetResultLine(lblResult, result, kFailureText);
  btnRetry.SetEnabled(true);
  btnRetry.SetFocus();
}

void TFormOwnerCheck::WMOwnerStatus(std::uintptr_t wparam, std::intptr_t lparam) {
  switch (wparam) {
    case verify_event::kWaiting:
      lblStatus.SetText(OwnerText(u"label.waiting", u"Please touch the fingerprint sensor..."));
      SetStateLight(shapeIcon, state_light::kWaiting);
      break;
    case verify_event::kIdentified:
      // Any finger of the signed-in user proves the owner, on any sensor.
      if (lparam == static_cast<std::intptr_t>(VerifyOutcome::kOtherUser)) {
        ShowRefusal(OwnerText(u"result.other_user",
                              u"This fingerprint belongs to another user, not to the owner of "
                              u"this account."));
      } else if (lparam >= 0 && lparam <= static_cast<std::intptr_t>(VerifyOutcome::kOtherSensor)) {
        SetStateLight(shapeIcon, state_light::kMatch);
        SetModalResult(ui::ModalResult::kOk);
      }
      break;
    case verify_event::kBadCapture:
      lblStatus.SetText(OwnerText(u"label.bad_capture",
                                  u"Poor fingerprint quality, please touch the sensor again."));
      SetResultLine(lblResult, RejectDetailText(static_cast<std::uint32_t>(lparam), texts_),
                    kNearMissText);
      SetStateLight(shapeIcon, state_light::kNearMiss);
      break;
    case verify_event::kFailed:
      ResultError = static_cast<HRESULT>(static_cast<std::uint32_t>(lparam));
      if (ResultError == WINBIO_E_UNKNOWN_ID) {
        ShowRefusal(OwnerText(u"result.unknown",
                              u"This finger is not enrolled. Please use one of "
                              u"your enrolled fingers."));
      } else {
        ShowRefusal(OwnerText(u"result.failure", u"Failure: ") +
                    WinBioErrorText(ResultError, texts_));
      }
      break;
    default:
      break;
  }
}

void TFormOwnerCheck::btnRetryClick() {
  BringToFront();
  StartCheck();
}

void TFormOwnerCheck::btnCancelClick() {
  StopWorker();
  Close();
}

}  // namespace dactyra
