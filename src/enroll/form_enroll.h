#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/text_source.h"
#include "dialog_core/worker_dialog.h"
#include "enroll/enroll_worker.h"
#include "ui/ui.h"

namespace dactyra {

// The position of the progress bar after `captures` good samples: rises toward 90 and never
// reaches it, however many samples the service asks for.
int EnrollProgress(std::int32_t captures);

// The modal dialog that enrolls one finger through its worker thread. The caller fills the
// fields marked "caller" and the text of lblInstruction, shows it modally and, on OK, reads the
// results and the description from lblInstruction; otherwise the last status line.
class TFormEnroll final : public TWorkerDialog {
 public:
  // Texts (enroll_texts.h) come from `texts`, looked up each time one is shown; it must outlive
  // the dialog.
  TFormEnroll(ui::Form* owner, const TextSource& texts);
  ~TFormEnroll() override;

  // Caller (besides Lib and Session): what to enroll, and where.
  TWinBioIdentity Identity{};  // the signed-in user
  WINBIO_BIOMETRIC_SUBTYPE SubFactor = 0;
  std::u16string SubName;     // the finger's initial description; not read here
  WINBIO_UNIT_ID UnitId = 0;  // 0: the user's touch finds the sensor

  // Results, valid after the modal result OK.
  WINBIO_UNIT_ID ResultUnitId = 0;
  WINBIO_BIOMETRIC_SUBTYPE ResultSubFactor = 0;
  bool ResultIsNew = false;  // false: an existing template was updated
  // The failure that ended the enrollment, S_OK when none did.
  HRESULT ResultError = S_OK;

  ui::LabeledEdit lblInstruction{*this, {243, 19, 121, 27}};
  ui::Label lblStatus{*this, {96, 52, 268, 42}, {}, {.word_wrap = true}};
  ui::Label lblCount{*this, {16, 100, 348, 37}, {}, {.word_wrap = true}};
  ui::ProgressBar ProgressBar{*this, {16, 150, 348, 20}};
  ui::Button btnCancel{*this, {140, 177, 100, 32}, {}, {.cancel = true}};

  // The status line in `color`.
  void SetStatus(std::u16string_view text, ui::Color color);

  // WM_ENROLL_STATUS from the worker.
  void WMEnrollStatus(std::uintptr_t wparam, std::intptr_t lparam);

  void FormCreate();
  void FormShow();
  void FormDestroy();
  void btnCancelClick();

  // Where the worker of this showing leaves the committed template before it posts "done".
  const PEnrollResultSlot& ResultSlot() const { return FResult; }

 private:
  // Shared with the running worker: where it leaves the committed template.
  PEnrollResultSlot FResult = std::make_shared<TEnrollResultSlot>();
  bool FCommitting = false;        // the commit has started and not yet ended
  bool FDone = false;              // the template has been committed
  std::int32_t FCaptureCount = 0;  // good captures, as last reported
};

}  // namespace dactyra
