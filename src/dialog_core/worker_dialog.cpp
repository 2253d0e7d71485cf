#include "dialog_core/worker_dialog.h"

namespace dactyra {

TWorkerDialog::TWorkerDialog(ui::Form* owner, int client_width, int client_height,
                             const TextSource& texts)
    : ui::Form({.caption = {},
                .client_width = client_width,
                .client_height = client_height,
                .border = ui::FormBorder::kDialog,
                .position = ui::FormPosition::kCenterOwner,
                .owner = owner}),
      texts_(texts) {
  SetIcon(TStateLight::kIdle);
}

TWorkerPoster TWorkerDialog::PosterOf(std::uint32_t message) const {
  return [target = Target(), message](std::uintptr_t event, std::intptr_t value) {
    return target.Post(message, event, value);
  };
}

const TCancelFlag& TWorkerDialog::NewCancelFlag() {
  FCancel = std::make_shared<std::atomic<bool>>(false);
  return FCancel;
}

void TWorkerDialog::StopWorker() {
  if (FThread.Held() && !StopServiceWorker(Lib, Session, *FCancel, FThread)) {
    FWorkerLeftBehind = true;
  }
}

}  // namespace dactyra
