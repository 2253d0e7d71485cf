#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/text_source.h"
#include "biometric/winbio_lib.h"
#include "enroll/enroll_worker.h"
#include "platform/worker_thread.h"
#include "ui/ui.h"

namespace dactyra {

// The position of the progress bar after `captures` good samples: rises toward 90 and never
// reaches it, however many samples the service asks for.
int EnrollProgress(std::int32_t captures);

// The modal dialog that enrolls one finger through its worker thread. The caller fills the
// fields marked "caller" and the text of lblInstruction, shows it modally and, on OK, reads the
// results and the description from lblInstruction; otherwise the last status line.
class TFormEnroll final : public ui::Form {
 public:
  // Texts come from `texts` (section "add"), looked up each time one is shown; it must outlive
  // the dialog.
  TFormEnroll(ui::Form* owner, const TextSource& texts);
  ~TFormEnroll() override;

  // Caller: what to enroll, and where.
  TWinBioLib Lib;                     // a copy of the loaded table
  WINBIO_SESSION_HANDLE Session = 0;  // an open session
  TWinBioIdentity Identity{};         // the signed-in user
  WINBIO_BIOMETRIC_SUBTYPE SubFactor = 0;
  std::u16string SubName;     // the finger's initial description; not read here
  WINBIO_UNIT_ID UnitId = 0;  // 0: the user's touch finds the sensor

  // Results, valid after the modal result OK.
  WINBIO_UNIT_ID ResultUnitId = 0;
  WINBIO_BIOMETRIC_SUBTYPE ResultSubFactor = 0;
  bool ResultIsNew = false;  // false: an existing template was updated
  // The failure that ended the enrollment, S_OK when none did.
  HRESULT ResultError = S_OK;

  ui::Shape shapeIcon{*this, {16, 16, 64, 64}, {ui::Color(0xC0C0C0), ui::Color(0x808080), 2}};
  ui::LabeledEdit lblInstruction{*this, {243, 19, 121, 27}};
  ui::Label lblStatus{*this, {96, 52, 268, 42}, {}, {.word_wrap = true}};
  ui::Label lblCount{*this, {16, 100, 348, 37}, {}, {.word_wrap = true}};
  ui::ProgressBar ProgressBar{*this, {16, 150, 348, 20}};
  ui::Button btnCancel{*this, {140, 177, 100, 32}, {}, {.cancel = true}};

  // The status line in `color`.
  void SetStatus(std::u16string_view text, ui::Color color);
  // The state light: 0 idle, 1 waiting for the user, 2 committed, 3 failed.
  void SetIcon(int state);

  // WM_ENROLL_STATUS from the worker.
  void WMEnrollStatus(std::uintptr_t wparam, std::intptr_t lparam);

  void FormCreate();
  void FormShow();
  void FormDestroy();
  void btnCancelClick();

  // False when a worker could not be got out of the service and is still blocked on Session,
  // which then must not be used again.
  bool SessionIdle() const { return !FWorkerLeftBehind; }

  // Where the worker of this showing leaves the committed template before it posts "done".
  const PEnrollResultSlot& ResultSlot() const { return FResult; }

 private:
  std::u16string LangText(std::u16string_view key, std::u16string_view default_text) const;
  // Gets a held worker out of the service (see StopServiceWorker).
  void StopWorker();

  const TextSource& texts_;
  TCancelFlag FCancel;             // shared with the running worker
  PEnrollResultSlot FResult;       // where the running worker leaves the committed template
  platform::WorkerThread FThread;  // the running worker, if one is held
  PEnrollThreadParam FParam;       // a record no worker has taken yet
  bool FCommitting = false;        // the commit has started and not yet ended
  bool FDone = false;              // the template has been committed
  bool FWorkerLeftBehind = false;  // a worker is still blocked on Session
  std::int32_t FCaptureCount = 0;  // good captures, as last reported
};

}  // namespace dactyra
