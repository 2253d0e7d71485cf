#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/text_source.h"
#include "dialog_core/worker_dialog.h"
#include "ui/ui.h"
#include "verify/identify_texts.h"
#include "verify/verify_worker.h"

namespace dactyra {

// A modal dialog that waits for a touch on any sensor (through the verification worker, one per
// attempt) and answers whose finger it was: what the owner's check and "which finger is this?"
// have in common. A poor capture keeps it waiting with a hint; an answer enables Retry, which
// waits for the next touch; its second button, Esc and the close box end it. Its texts are looked
// up each time one is shown.
class TIdentifyDialog : public TWorkerDialog {
 public:
  ~TIdentifyDialog() override;

  // Caller (besides Lib and Session): the signed-in user.
  TWinBioIdentity CurrentIdent{};

  ui::Label lblReason{*this, {96, 16, 265, 54}, {}, {.word_wrap = true}};
  ui::Label lblStatus{*this, {96, 76, 265, 22}, {}, {.word_wrap = true}};
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
  // The texts it shows by itself are `own_texts`, read from `texts`, which must outlive the
  // dialog. The result line sits at `result_placement`.
  TIdentifyDialog(ui::Form* owner, const TextSource& texts, const TIdentifyTexts& own_texts,
                  const ui::Placement& result_placement);

  // The unit and sub-factor of the touch last identified, as the worker reported them.
  WINBIO_UNIT_ID FoundUnit() const { return FFoundUnit; }
  WINBIO_BIOMETRIC_SUBTYPE FoundSubFactor() const { return FFoundSubFactor; }
  // An answer to a touch: the light, the status line, the result line in `color`, and Retry.
  void ShowAnswer(TStateLight light, std::u16string_view status, std::u16string_view result,
                  ui::Color color);

 private:
  // Forgets the answer to the last touch when the next attempt starts.
  virtual void ClearAnswer() {}
  // The touch was a finger of the signed-in user, on any sensor.
  virtual void UsersFingerIdentified() = 0;
  // The touch was another user's finger.
  virtual void OtherUsersFingerIdentified() = 0;
  // The identification failed with `error`; WINBIO_E_UNKNOWN_ID: a finger nobody enrolled.
  virtual void IdentificationFailed(HRESULT error) = 0;

  TIdentifyTexts FOwnTexts;
  WINBIO_UNIT_ID FFoundUnit = 0;
  WINBIO_BIOMETRIC_SUBTYPE FFoundSubFactor = 0;
};

}  // namespace dactyra
