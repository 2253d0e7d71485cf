#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/text_source.h"
#include "dialog_core/worker_dialog.h"
#include "ui/ui.h"
#include "verify/verify_worker.h"

namespace dactyra {

// The modal dialog that verifies one listed template by a live touch, through a worker thread
// per attempt. The caller fills the fields marked "caller" and the text of lblTitle (the
// record's description), shows it modally and reads lblTitle back; the modal result carries no
// meaning.
class TFormVerify final : public TWorkerDialog {
 public:
  // Texts (verify_texts.h) come from `texts`, looked up each time one is shown; it must outlive
  // the dialog.
  TFormVerify(ui::Form* owner, const TextSource& texts);
  ~TFormVerify() override;

  // Caller (besides Lib and Session): what to verify.
  TWinBioIdentity CurrentIdent{};  // the signed-in user
  TFingerRecord SelRecord;         // the record being verified

  ui::LabeledEdit lblTitle{*this, {240, 19, 121, 27}};
  ui::Label lblStatus{*this, {96, 52, 265, 37}, {}, {.word_wrap = true}};
  ui::Label lblResult{*this, {13, 109, 348, 68}, {}, {.word_wrap = true}};
  ui::Button btnRetry{*this, {44, 199, 100, 32}, {}, {.is_default = true}};
  ui::Button btnClose{*this, {232, 199, 100, 32}, {}, {.cancel = true}};

  // Stops a held worker, resets the dialog to waiting and starts a new worker.
  void StartVerify();
  // Stops a held worker: gets it out of the service (see StopServiceWorker).
  using TWorkerDialog::StopWorker;
  // The result line, in `color` or (none) the window-text colour.
  void SetResult(std::u16string_view text, std::optional<ui::Color> color);

  // WM_VERIFY_STATUS from the worker.
  void WMVerifyStatus(std::uintptr_t wparam, std::intptr_t lparam);

  void FormCreate();
  void FormShow();
  void FormDestroy();
  void btnRetryClick();
  void btnCloseClick();

 private:
  // The outcome of an identified touch: light, result line and its colour.
  void ShowOutcome(VerifyOutcome outcome);
};

}  // namespace dactyra
