#include "verify/form_owner_check.h"

#include <memory>
#include <utility>

#include "biometric/winbio_texts.h"

namespace dactyra {
namespace {

constexpr ui::Color kRefusalText{0xFF0000};
constexpr ui::Color kHintText{0xFF8000};

}  // namespace

TFormOwnerCheck::TFormOwnerCheck(ui::Form* owner, const TextSource& texts)
    : TWorkerDialog(owner, 380, 242, texts) {
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
  return Texts().GetLangStr(u"owner", key, default_text);
}

void TFormOwnerCheck::ShowResult(std::u16string_view text, ui::Color color) {
  lblResult.SetColor(color);
  lblResult.SetText(text);
}

void TFormOwnerCheck::FormShow() {
  SetIcon(TStateLight::kIdle);
  BringToFront();
  StartCheck();
}

void TFormOwnerCheck::StartCheck() {
  StopWorker();
  ResultError = S_OK;
  lblStatus.SetText(OwnerText(u"label.waiting", u"Please touch the fingerprint sensor..."));
  lblResult.SetText(u"");
  btnRetry.SetEnabled(false);
  SetIcon(TStateLight::kWaiting);

  // Any finger of the signed-in user counts: the record the worker compares with is none.
  auto param = std::make_unique<TVerifyThreadParam>();
  param->Window = PosterOf(WM_VERIFY_STATUS);
  param->Lib = Lib;
  param->Session = Session;
  param->CurrentIdent = CurrentIdent;
  param->Cancel = NewCancelFlag();
  HoldWorker(StartVerifyThread(std::move(param)));
}

void TFormOwnerCheck::ShowRefusal(std::u16string_view result) {
  SetIcon(TStateLight::kFailure);
  lblStatus.SetText(OwnerText(u"label.not_confirmed", u"Not confirmed"));
  ShowResult(result, kRefusalText);
  btnRetry.SetEnabled(true);
  btnRetry.SetFocus();
}

void TFormOwnerCheck::WMOwnerStatus(std::uintptr_t wparam, std::intptr_t lparam) {
  switch (wparam) {
    case verify_event::kWaiting:
      lblStatus.SetText(OwnerText(u"label.waiting", u"Please touch the fingerprint sensor..."));
      SetIcon(TStateLight::kWaiting);
      break;
    case verify_event::kIdentified:
      // Any finger of the signed-in user proves the owner, on any sensor.
      if (lparam == static_cast<std::intptr_t>(VerifyOutcome::kOtherUser)) {
        ShowRefusal(OwnerText(u"result.other_user",
                              u"This fingerprint belongs to another user, not to the owner of "
                              u"this account."));
      } else if (lparam >= 0 && lparam <= static_cast<std::intptr_t>(VerifyOutcome::kOtherSensor)) {
        SetIcon(TStateLight::kSuccess);
        SetModalResult(ui::ModalResult::kOk);
      }
      break;
    case verify_event::kBadCapture:
      lblStatus.SetText(OwnerText(u"label.bad_capture",
                                  u"Poor fingerprint quality, please touch the sensor again."));
      ShowResult(RejectDetailText(EventLow32(lparam), Texts()), kHintText);
      SetIcon(TStateLight::kNearMiss);
      break;
    case verify_event::kFailed:
      ResultError = static_cast<HRESULT>(EventLow32(lparam));
      if (ResultError == WINBIO_E_UNKNOWN_ID) {
        ShowRefusal(OwnerText(u"result.unknown",
                              u"This finger is not enrolled. Please use one of your enrolled "
                              u"fingers."));
      } else {
        ShowRefusal(OwnerText(u"result.failure", u"Failure: ") +
                    WinBioErrorText(ResultError, Texts()));
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
