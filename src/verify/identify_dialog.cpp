#include "verify/identify_dialog.h"

#include <utility>

#include "biometric/winbio_texts.h"

namespace dactyra {

TIdentifyDialog::TIdentifyDialog(ui::Form* owner, const TextSource& texts,
                                 const TServiceContext& context, const TIdentifyTexts& own_texts,
                                 const TLines& lines, std::optional<TFingerRecord> compared)
    : TWorkerDialog(owner, 380, 242, texts, context),
      lblStatus(*this, lines.Status, {}, {.word_wrap = true}),
      lblResult(*this, lines.Result, {}, {.word_wrap = true}),
      FOwnTexts(own_texts),
      FCompared(std::move(compared)) {
  btnRetry.OnClick = [this] { btnRetryClick(); };
  btnClose.OnClick = [this] { btnCloseClick(); };
  OnShow = [this] { FormShow(); };
  SetMessageHandler(WM_VERIFY_STATUS, [this](std::uintptr_t wparam, std::intptr_t lparam) {
    WMIdentifyStatus(wparam, lparam);
  });
  btnRetry.SetText(Texts().Get(FOwnTexts.Retry));
  btnRetry.SetEnabled(false);
}

void TIdentifyDialog::FormShow() {
  SetIcon(TStateLight::kIdle);
  BringToFront();
  StartIdentify();
}

void TIdentifyDialog::StartIdentify() {
  ClearAnswer();
  FFound = {};
  lblStatus.SetText(Texts().Get(FOwnTexts.Waiting));
  lblResult.SetSystemColor();
  lblResult.SetText(u"");
  btnRetry.SetEnabled(false);
  SetIcon(TStateLight::kWaiting);
  std::optional<TIdentifyTarget> target;
  if (FCompared) {
    target = TIdentifyTarget{.UnitId = FCompared->UnitId, .SubFactor = FCompared->SubFactor};
  }
  if (const HRESULT started = StartIdentifyWorker(target); Failed(started)) {
    IdentificationFailed(started);
  }
}

void TIdentifyDialog::ShowAnswer(TStateLight light, std::u16string_view status,
                                 std::u16string_view result, ui::Color color) {
  SetIcon(light);
  lblStatus.SetText(status);
  lblResult.SetColor(color);
  lblResult.SetText(result);
  btnRetry.SetEnabled(true);
  btnRetry.SetFocus();
}

void TIdentifyDialog::WMIdentifyStatus(std::uintptr_t wparam, std::intptr_t lparam) {
  switch (wparam) {
    case verify_event::kWaiting:
      lblStatus.SetText(Texts().Get(FOwnTexts.Waiting));
      SetIcon(TStateLight::kWaiting);
      break;
    case verify_event::kFound:
      if (std::optional<TFoundFinger> found = TakeFoundFinger()) {
        FFound = *found;
      }
      break;
    case verify_event::kIdentified:
      if (lparam >= 0 && lparam <= static_cast<std::intptr_t>(TVerifyOutcome::kOtherSensor)) {
        TouchIdentified(static_cast<TVerifyOutcome>(lparam));
      }
      break;
    case verify_event::kBadCapture:
      lblStatus.SetText(Texts().Get(FOwnTexts.BadCapture));
      lblResult.SetColor(kHintText);
      lblResult.SetText(RejectDetailText(EventLow32(lparam), Texts()));
      SetIcon(TStateLight::kNearMiss);
      PoorCapture();
      break;
    case verify_event::kFailed:
      NoteFailure(static_cast<HRESULT>(EventLow32(lparam)));
      IdentificationFailed(static_cast<HRESULT>(EventLow32(lparam)));
      break;
    default:
      break;
  }
}

void TIdentifyDialog::btnRetryClick() {
  BringToFront();
  StartIdentify();
}

void TIdentifyDialog::btnCloseClick() {
  StopWorker();
  Close();
}

}  // namespace dactyra
