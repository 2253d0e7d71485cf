#include "dialog_core/worker_dialog.h"

#include <memory>

#include "biometric/session_lost.h"

namespace dactyra {

TWorkerDialog::TWorkerDialog(ui::Form* owner, int client_width, int client_height,
                             const TextSource& texts, const TServiceContext& context)
    : ui::Form({.caption = {},
                .client_width = client_width,
                .client_height = client_height,
                .border = ui::FormBorder::kDialog,
                .position = ui::FormPosition::kCenterOwner,
                .owner = owner,
                .texts = &texts}),
      FContext(context) {
  SetIcon(TStateLight::kIdle);
}

TWorkerDialog::~TWorkerDialog() {
  // Closed by its close box, a dialog never went through its own Close or Cancel button.
  StopWorker();
}

TWorkerPoster TWorkerDialog::PosterOf(std::uint32_t message) const {
  return [target = Target(), message](std::uintptr_t event, std::intptr_t value) {
    return target.Post(message, event, value);
  };
}

const PCancelFlag& TWorkerDialog::NewCancelFlag() {
  FCancel = std::make_shared<std::atomic<bool>>(false);
  return FCancel;
}

void TWorkerDialog::StopWorker() {
  if (FThread.Held() && !StopServiceWorker(FContext.Lib, FContext.Session, *FCancel, FThread)) {
    FWorkerLeftBehind = true;
  }
}

HRESULT TWorkerDialog::StartIdentifyWorker(std::optional<TIdentifyTarget> target) {
  auto param = std::make_unique<TVerifyThreadParam>();
  if (const HRESULT ready =
          PrepareWorker(*param, WM_VERIFY_STATUS, &TVerifyThreadParam::CurrentIdent);
      Failed(ready)) {
    return ready;
  }
  // Each worker that reports gets a slot of its own: one left behind cannot fill the next one's.
  FFound = target ? nullptr : std::make_shared<TWorkerSlot<TFoundFinger>>();
  param->Found = FFound;
  if (target) {
    param->SelSubFactor = target->SubFactor;
    param->SelUnitId = target->UnitId;
  }
  HoldWorker(StartVerifyThread(std::move(param)));
  return S_OK;
}

std::optional<TFoundFinger> TWorkerDialog::TakeFoundFinger() {
  return FFound ? FFound->Take() : std::nullopt;
}

void TWorkerDialog::NoteFailure(HRESULT code) {
  if (dactyra::SessionLost(code)) {
    FSessionLost = true;
  }
}

HRESULT TWorkerDialog::RenewLostSession() {
  if (!FSessionLost) {
    return S_OK;
  }
  if (FContext.Session != 0 && !FWorkerLeftBehind) {
    FContext.Lib.CloseSession(FContext.Session);
  }
  FWorkerLeftBehind = false;  // one blocked on the old session is let go with it
  const HRESULT result = OpenFingerprintSession(FContext.Lib, FContext.Session);
  FSessionLost = Failed(result);
  return result;
}

}  // namespace dactyra
