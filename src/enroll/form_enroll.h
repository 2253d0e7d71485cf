#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/text_source.h"
#include "dialog_core/verify_worker.h"
#include "dialog_core/worker_dialog.h"
#include "enroll/enroll_worker.h"
#include "ui/ui.h"

namespace dactyra {

// The position of the progress bar after `captures` good samples: rises toward 90 and never
// reaches it, however many samples the service asks for.
int EnrollProgress(std::int32_t captures);

// What to enroll, and where.
struct TEnrollRequest {
  WINBIO_BIOMETRIC_SUBTYPE SubFactor = 0;
  WINBIO_UNIT_ID UnitId = 0;   // 0: the user's touch finds the sensor
  std::u16string Description;  // the finger's initial description, which the user may change
  // The account has no Windows Hello PIN: the dialog ends by saying that the new finger signs in
  // only once one is set up.
  bool PinNeeded = false;
};

// How the check of the committed finger ended: one more touch on the sensor that enrolled it.
enum class TEnrollCheck {
  kUnchecked,      // skipped, or closed before an answer
  kWorks,          // the touch was the new finger on that sensor
  kNotRecognised,  // another answer, and the user keeps the finger
  kRemove,         // another answer, and the user wants the finger removed
};

// Where an enrollment dialog stands; its Cancel button's caption and result follow from it.
enum class TEnrollPhase {
  kCapturing,   // locating the sensor and taking samples: Cancel
  kCancelling,  // the worker is being stopped: Cancelling...
  kCommitting,  // the commit runs: no way out until it ends
  kFailed,      // the enrollment failed: Close
  kChecking,    // committed; the check of the new finger waits or did not prove it: Skip
  kChecked,     // committed and the check proved it (or nothing can check it): Done
};

// How an enrollment dialog ended, for its caller.
struct TEnrollOutcome {
  std::optional<TEnrollResult> Committed;  // the committed template, once there is one
  std::u16string Description;              // as the user left it
  TEnrollCheck Check = TEnrollCheck::kUnchecked;
  std::u16string Status;  // the last status line: why nothing was committed
  HRESULT Error = S_OK;   // the failure that ended the enrollment, S_OK when none did
};

// The modal dialog that enrolls one finger through its worker thread. Its Outcome says what
// was committed and the description the user gave, or why nothing was. After the commit it asks
// for one more touch of the new finger (the verification worker, with the committed template):
// the outcome's Check says how that ended; Skip, like the close box, leaves it unchecked and never
// undoes the commit.
class TFormEnroll final : public TWorkerDialog {
 public:
  // Enrolls for the user of `context` on its session. Texts (enroll_texts.h) come from `texts`,
  // looked up each time one is shown; it must outlive the dialog.
  TFormEnroll(ui::Form* owner, const TextSource& texts, const TServiceContext& context,
              TEnrollRequest request);

  // What it was asked to enroll.
  const TEnrollRequest& Request() const { return FRequest; }
  // How it ended (so far).
  TEnrollOutcome Outcome() const;
  TEnrollPhase Phase() const { return FPhase; }

  ui::LabeledEdit lblInstruction{*this, {243, 19, 121, 27}};
  ui::Label lblStatus{*this, {96, 52, 268, 42}, {}, {.word_wrap = true}};
  ui::Label lblCount{*this, {16, 100, 348, 37}, {}, {.word_wrap = true}};
  ui::ProgressBar ProgressBar{*this, {16, 150, 348, 20}};
  // After the check of the new finger: Retry after any answer; Remove it and Keep it instead of
  // the one button when the finger was not recognised.
  ui::Button btnRetry{*this, {16, 177, 110, 32}};
  ui::Button btnCancel{*this, {140, 177, 100, 32}, {}, {.cancel = true}};
  ui::Button btnRemove{*this, {145, 177, 110, 32}};
  ui::Button btnKeep{*this, {264, 177, 100, 32}};

  // The status line in `color`.
  void SetStatus(std::u16string_view text, ui::Color color);

  // WM_ENROLL_STATUS from the worker.
  void WMEnrollStatus(std::uintptr_t wparam, std::intptr_t lparam);

  void FormCreate();
  void FormShow();
  void btnCancelClick();
  void btnRetryClick();
  void btnRemoveClick();
  void btnKeepClick();

  // WM_VERIFY_STATUS from the worker that checks the committed template.
  void WMCheckStatus(std::uintptr_t wparam, std::intptr_t lparam);

  // Where the worker of this showing leaves the committed template before it posts "done".
  const PEnrollResultSlot& ResultSlot() const { return FResult; }

 private:
  // The phase, with the Cancel button's caption and result that go with it.
  void EnterPhase(TEnrollPhase phase);
  // Waits for the touch that checks the committed template.
  void StartCheck();
  // The buttons of the check, as its answer so far asks.
  enum class TCheckAnswer { kNone, kWorks, kNotRecognised };
  void ShowCheckAnswers(TCheckAnswer answer);
  // The answer to the check: the finger works, or it does not and the user chooses.
  void ShowWorks();
  void ShowNotRecognised(std::u16string_view detail);
  // Ends the dialog with OK and `check`.
  void EndCheck(TEnrollCheck check);
  // The last line: the summary, or that a Windows Hello PIN is needed first.
  std::u16string ClosingLine() const;

  TEnrollRequest FRequest;
  TEnrollPhase FPhase = TEnrollPhase::kCapturing;
  TEnrollCheck FCheck = TEnrollCheck::kUnchecked;
  std::optional<TEnrollResult> FCommitted;
  std::u16string FStatus;  // the status line as last shown
  HRESULT FResultError = S_OK;
  // Shared with the running worker: where it leaves the committed template.
  PEnrollResultSlot FResult = std::make_shared<TEnrollResultSlot>();
  std::int32_t FCaptureCount = 0;  // good captures, as last reported
};

}  // namespace dactyra
