#pragma once

#include <cstdint>
#include <functional>
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

// The description of one of the user's listed fingers by its sensor and sub-factor; none for a
// finger that is not listed.
using TListedDescription =
    std::function<std::optional<std::u16string>(WINBIO_UNIT_ID, WINBIO_BIOMETRIC_SUBTYPE)>;

// What to enroll, and where.
struct TEnrollRequest {
  WINBIO_BIOMETRIC_SUBTYPE SubFactor = 0;
  WINBIO_UNIT_ID UnitId = 0;   // 0: the user's touch finds the sensor
  std::u16string Description;  // the finger's initial description, which the user may change
  // The account has no Windows Hello PIN: the dialog ends by saying that the new finger signs in
  // only once one is set up.
  bool PinNeeded = false;
  // Names the user's own finger that a refused duplicate turns out to be; empty: none is listed.
  TListedDescription ListedDescription = {};
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
  // The commit was refused as a duplicate; a touch of the same finger tells whose it is: Close.
  kFindingHolder,
  kChecking,  // committed; the check of the new finger waits or did not prove it: Skip
  kChecked,   // committed and the check proved it (or nothing can check it): Done
};

// How an enrollment dialog ended, for its caller.
struct TEnrollOutcome {
  std::optional<TEnrollResult> Committed;  // the committed template, once there is one
  std::u16string Description;              // as the user left it
  TEnrollCheck Check = TEnrollCheck::kUnchecked;
  std::u16string Status;  // the last status line: why nothing was committed
  HRESULT Error = S_OK;   // the failure that ended the enrollment, S_OK when none did
  // After a refused duplicate, once the touch told whose it is: what to do (the line below
  // Status), and the user's own finger when it was one of his.
  std::u16string Advice;
  std::optional<TFoundFinger> OwnDuplicate;
};

// The modal dialog that enrolls one finger through its worker thread. Its Outcome says what
// was committed and the description the user gave, or why nothing was. After the commit it asks
// for one more touch of the new finger (the verification worker, with the committed template):
// the outcome's Check says how that ended; Skip, like the close box, leaves it unchecked and never
// undoes the commit. A commit refused as a duplicate asks for one more touch of the same finger
// (the verification worker, reporting what it found) and says whose fingerprint it is: one of the
// user's own, or another account's (DescribeOtherAccount), with what to do about it.
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
  // Five lines and four: whose a refused duplicate is (with a SID) and what to do about it take
  // them in every language.
  ui::Label lblStatus{*this, {96, 52, 268, 84}, {}, {.word_wrap = true}};
  ui::Label lblCount{*this, {16, 142, 348, 68}, {}, {.word_wrap = true}};
  ui::ProgressBar ProgressBar{*this, {16, 218, 348, 20}};
  // After the check of the new finger: Retry after any answer; Remove it and Keep it instead of
  // the one button when the finger was not recognised. After a duplicate: Retry when the touch
  // did not tell whose it is.
  ui::Button btnRetry{*this, {16, 246, 110, 32}};
  ui::Button btnCancel{*this, {140, 246, 100, 32}, {}, {.cancel = true}};
  ui::Button btnRemove{*this, {145, 246, 110, 32}};
  ui::Button btnKeep{*this, {264, 246, 100, 32}};

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
  // WM_VERIFY_STATUS from the worker that finds whose a refused duplicate is.
  void WMHolderStatus(std::uintptr_t wparam, std::intptr_t lparam);

  // Where the worker of this showing leaves the committed template before it posts "done".
  const PEnrollResultSlot& ResultSlot() const { return FResult; }

 private:
  // The colour of the lines that ask the user for something.
  static constexpr ui::Color kInstructionText{0x000080};

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
  // "Failed: " and what the service's `error` means.
  std::u16string FailureText(HRESULT error) const;
  // A touch of the check or of the holder's search was too poor to be read: the hint below the
  // status line.
  void ShowTouchHint(std::uint32_t reject_detail);

  // After a commit refused as a duplicate (form_enroll_duplicate.cpp): waits for the touch that
  // tells whose the fingerprint is.
  void StartFindingHolder();
  // The touch was identified: whose it is and what to do, which ends the enrollment.
  void ShowHolder(const TFoundFinger& found, TVerifyOutcome outcome);
  // The touch told nobody: `detail` says why, and Retry waits for the next one.
  void ShowHolderUnknown(std::u16string_view detail);

  TEnrollRequest FRequest;
  TEnrollPhase FPhase = TEnrollPhase::kCapturing;
  TEnrollCheck FCheck = TEnrollCheck::kUnchecked;
  std::optional<TEnrollResult> FCommitted;
  std::u16string FStatus;  // the status line as last shown
  HRESULT FResultError = S_OK;
  // Shared with the running worker: where it leaves the committed template.
  PEnrollResultSlot FResult = std::make_shared<TEnrollResultSlot>();
  std::int32_t FCaptureCount = 0;  // good captures, as last reported
  // After a refused duplicate: the finger the touch identified, as the worker reported it, and
  // what the dialog made of it.
  std::optional<TFoundFinger> FHolderFound;
  std::u16string FAdvice;
  std::optional<TFoundFinger> FOwnDuplicate;
};

}  // namespace dactyra
