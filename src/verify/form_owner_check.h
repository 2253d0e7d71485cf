#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/text_source.h"
#include "dialog_core/worker_dialog.h"
#include "ui/ui.h"
#include "verify/verify_worker.h"

namespace dactyra {

// The modal dialog that confirms the account's owner before his fingerprints change: it waits
// for a touch on any sensor (through the verification worker, one per attempt) and ends with
// OK as soon as a finger of the signed-in user is identified, whatever the sensor or finger.
// Another user's finger, a finger the service does not know or a failure is shown, and Retry
// waits for the next touch; Cancel, Esc and the close box end it without proof.
class TFormOwnerCheck final : public TWorkerDialog {
 public:
  // Texts come from `texts` (section "owner"), looked up each time one is shown; it must
  // outlive the dialog.
  TFormOwnerCheck(ui::Form* owner, const TextSource& texts);
  ~TFormOwnerCheck() override;

  // Caller (besides Lib and Session): whose finger proves the owner.
  TWinBioIdentity CurrentIdent{};  // the signed-in user

  // The result of the last failed identification, S_OK when the last attempt did not fail.
  HRESULT ResultError = S_OK;

  ui::Label lblReason{*this, {96, 16, 265, 54}, {}, {.word_wrap = true}};
  ui::Label lblStatus{*this, {96, 76, 265, 22}, {}, {.word_wrap = true}};
  ui::Label lblResult{*this, {13, 109, 348, 68}, {}, {.word_wrap = true}};
  ui::Button btnRetry{*this, {44, 199, 100, 32}, {}, {.is_default = true}};
  ui::Button btnCancel{*this, {232, 199, 100, 32}, {}, {.cancel = true}};

  // Stops a held worker, resets the dialog to waiting and starts a new worker.
  void StartCheck();

  // WM_VERIFY_STATUS from the worker.
  void WMOwnerStatus(std::uintptr_t wparam, std::intptr_t lparam);

  void FormShow();
  void btnRetryClick();
  void btnCancelClick();

 private:
  std::u16string OwnerText(std::u16string_view key, std::u16string_view default_text) const;
  // The result line in `color`.
  void ShowResult(std::u16string_view text, ui::Color color);
  // After a touch that proves nothing: the light, the status, `result` saying why, and Retry.
  void ShowRefusal(std::u16string_view result);
};

}  // namespace dactyra
