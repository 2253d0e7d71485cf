#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_source.h"
#include "dialog_core/worker_dialog.h"
#include "ui/ui.h"
#include "verify/verify_worker.h"

namespace dactyra {

// The modal dialog that answers "which finger is this?": it waits for a touch on any sensor
// (through the verification worker, one per attempt) and says whose finger it was: one of the
// listed fingers of the signed-in user (sensor, finger and description), another of his, another
// user's, or none enrolled. Retry waits for the next touch; Close, Esc and the close box end it.
// It changes nothing.
class TFormWhichFinger final : public TWorkerDialog {
 public:
  // Texts come from `texts` (section "which"), looked up each time one is shown; it must
  // outlive the dialog.
  TFormWhichFinger(ui::Form* owner, const TextSource& texts);
  ~TFormWhichFinger() override;

  // Caller (besides Lib and Session).
  TWinBioIdentity CurrentIdent{};      // the signed-in user
  std::vector<TFingerRecord> Fingers;  // the listed fingers, in list order

  // After: the index in Fingers of the finger the last answered touch identified; none when it
  // was no listed finger of the user.
  std::optional<std::size_t> FoundIndex;
  // The answer to the last touch, one line; empty when none was answered.
  std::u16string Answer;

  ui::Label lblReason{*this, {96, 16, 265, 54}, {}, {.word_wrap = true}};
  ui::Label lblStatus{*this, {96, 76, 265, 22}, {}, {.word_wrap = true}};
  ui::Label lblResult{*this, {13, 105, 348, 84}, {}, {.word_wrap = true}};
  ui::Button btnRetry{*this, {44, 199, 100, 32}, {}, {.is_default = true}};
  ui::Button btnClose{*this, {232, 199, 100, 32}, {}, {.cancel = true}};

  // Stops a held worker, resets the dialog to waiting and starts a new worker.
  void StartIdentify();

  // WM_VERIFY_STATUS from the worker.
  void WMWhichStatus(std::uintptr_t wparam, std::intptr_t lparam);

  void FormShow();
  void btnRetryClick();
  void btnCloseClick();

 private:
  std::u16string WhichText(std::u16string_view key, std::u16string_view default_text) const;
  // The answer to a touch: light, the answer in `color`, and Retry.
  void ShowAnswer(TStateLight light, std::u16string text, ui::Color color);
  // The answer for a finger of the signed-in user: the unit and sub-factor last reported.
  void ShowOwnFinger();

  // The unit and sub-factor of the touch being identified, as the worker reported them.
  WINBIO_UNIT_ID FFoundUnit = 0;
  WINBIO_BIOMETRIC_SUBTYPE FFoundSubFactor = 0;
};

}  // namespace dactyra
