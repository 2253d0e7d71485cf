#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/text_source.h"
#include "biometric/winbio_lib.h"
#include "platform/worker_thread.h"
#include "ui/ui.h"
#include "verify/verify_worker.h"

namespace dactyra {

// The modal dialog that verifies one listed template by a live touch, through a worker thread
// per attempt. The caller fills the fields marked "caller" and the text of lblTitle (the
// record's description), shows it modally and reads lblTitle back; the modal result carries no
// meaning.
class TFormVerify final : public ui::Form {
 public:
  // Texts come from `texts` (section "verify"), looked up each time one is shown; it must
  // outlive the dialog.
  TFormVerify(ui::Form* owner, const TextSource& texts);
  ~TFormVerify() override;

  // Caller: what to verify, and on which session.
  TWinBioLib Lib;                     // a copy of the loaded table
  WINBIO_SESSION_HANDLE Session = 0;  // an open session
  TWinBioIdentity CurrentIdent{};     // the signed-in user
  TFingerRecord SelRecord;            // the record being verified

  ui::Shape shapeIcon{*this, {16, 16, 64, 64}, {ui::Color(0xC0C0C0), ui::Color(0x808080), 2}};
  ui::LabeledEdit lblTitle{*this, {240, 19, 121, 27}};
  ui::Label lblStatus{*this, {96, 52, 265, 37}, {}, {.word_wrap = true}};
  ui::Label lblResult{*this, {13, 109, 348, 68}, {}, {.word_wrap = true}};
  ui::Button btnRetry{*this, {44, 199, 100, 32}, {}, {.is_default = true}};
  ui::Button btnClose{*this, {232, 199, 100, 32}, {}, {.cancel = true}};

  // Stops a held worker, resets the dialog to waiting and starts a new worker.
  void StartVerify();
  // Stops a held worker: gets it out of the service (see StopServiceWorker).
  void StopWorker();
  // The state light: 0 idle, 1 waiting, 2 match, 3 other user or failure, 4 near miss or hint.
  void SetIcon(int state);
  // The result line, in `color` or (none) the window-text colour.
  void SetResult(std::u16string_view text, std::optional<ui::Color> color);

  // WM_VERIFY_STATUS from the worker.
  void WMVerifyStatus(std::uintptr_t wparam, std::intptr_t lparam);

  void FormCreate();
  void FormShow();
  void FormDestroy();
  void btnRetryClick();
  void btnCloseClick();

  // False when a worker could not be got out of the service and is still blocked on Session,
  // which then must not be used again.
  bool SessionIdle() const { return !FWorkerLeftBehind; }

 private:
  std::u16string LangText(std::u16string_view key, std::u16string_view default_text) const;
  // The outcome of an identified touch: light, result line and its colour.
  void ShowOutcome(VerifyOutcome outcome);

  const TextSource& texts_;
  TCancelFlag FCancel;  // shared with the held worker
  // The last worker started; held until it has been stopped, whatever messages arrive.
  platform::WorkerThread FThread;
  PVerifyThreadParam FParam;       // a record no worker has taken yet
  bool FWorkerLeftBehind = false;  // a worker is still blocked on Session
};

}  // namespace dactyra
