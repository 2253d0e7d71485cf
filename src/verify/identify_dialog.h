#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/text_source.h"
#include "dialog_core/verify_worker.h"
#include "dialog_core/worker_dialog.h"
#include "ui/ui.h"
#include "verify/identify_texts.h"

namespace dactyra {

// A modal dialog that waits for a touch (through the verification worker, one per attempt) and
// answers whose finger it was: what the verification dialog, the owner's check and "which
// finger is this?" have in common. A poor capture keeps it waiting with a hint; an answer enables
// Retry, which waits for the next touch; its second button, Esc and the close box end it, and
// any worker still waiting goes with it. Its texts are looked up each time one is shown.
class TIdentifyDialog : public TWorkerDialog {
 public:
  ui::Label lblStatus;
  ui::Label lblResult;
  ui::Button btnRetry{*this, {44, 199, 100, 32}, {}, {.is_default = true}};
  ui::Button btnClose{*this, {232, 199, 100, 32}, {}, {.cancel = true}};

  // Stops a held worker, resets the dialog to waiting and starts a new worker.
  void StartIdentify();

  // WM_VERIFY_STATUS from the worker.
  void WMIdentifyStatus(std::uintptr_t wparam, std::intptr_t lparam);

  void FormShow();
  void btnRetryClick();
  void btnCloseClick();

 protected:
  // Where the status and result lines sit.
  struct TLines {
    ui::Placement Status;
    ui::Placement Result;
  };

  // The texts it shows by itself are `own_texts`, read from `texts`, which must outlive the
  // dialog; its worker waits on the session of `context`. A touch is compared with `compared`
  // (the verification's record); without one the worker reports the finger it found.
  TIdentifyDialog(ui::Form* owner, const TextSource& texts, const TServiceContext& context,
                  const TIdentifyTexts& own_texts, const TLines& lines,
                  std::optional<TFingerRecord> compared = std::nullopt);

  // The record a touch is compared with, if any.
  const std::optional<TFingerRecord>& Compared() const { return FCompared; }
  // The finger of the touch last identified, as the worker reported it (without a record to
  // compare with).
  const TFoundFinger& Found() const { return FFound; }
  // An answer to a touch: the light, the status line, the result line in `color`, and Retry,
  // which takes the focus.
  void ShowAnswer(TStateLight light, std::u16string_view status, std::u16string_view result,
                  ui::Color color);

 private:
  // Forgets the answer to the last touch when the next attempt starts.
  virtual void ClearAnswer() {}
  // A touch was identified; `outcome` compares it with the record given, or (without one) says
  // at least whether it was another user's finger.
  virtual void TouchIdentified(TVerifyOutcome outcome) = 0;
  // The identification failed with `error`; WINBIO_E_UNKNOWN_ID: a finger nobody enrolled.
  virtual void IdentificationFailed(HRESULT error) = 0;
  // A poor capture's hint is shown; the worker waits for the next touch.
  virtual void PoorCapture() {}

  TIdentifyTexts FOwnTexts;
  std::optional<TFingerRecord> FCompared;
  TFoundFinger FFound;
};

}  // namespace dactyra
