// The delete command: the question (which tells about the last finger), the owner's proof, the
// deletion in the service, and CFG.TOML in step; for a remembered finger, the question and its
// entry in CFG.TOML alone.

#include "app/log_texts.h"
#include "app/main_form.h"
#include "app/main_texts.h"
#include "base/format.h"
#include "base/hex.h"

namespace dactyra {

void TForm1::btnDeleteClick() {
  const std::optional<TFingerRecord> selected = GetSelectedRecord();
  if (!selected) {
    AddLog(Get(kLogSelectToDelete));
    return;
  }
  const TFingerRecord& record = *selected;
  if (record.State == TFingerState::kRemembered) {
    ForgetFinger(record);
    return;
  }
  if (!EnsureLibrary()) {
    return;
  }
  const std::optional<TEnrolledFingers> fingers = ListOwnFingers();
  if (!fingers) {
    return;
  }
  std::u16string question = Format(Get(kMainDeleteQuestion), record.DeviceName, record.UnitId,
                                   Hex2(record.SubFactor), record.Description);
  if (fingers->IsLastFinger({record.UnitId, record.SubFactor})) {
    question += u"\r\n\r\n" + Get(kMainDeleteLastFinger);
  }
  if (!ui::AskYesNo(this, Get(kMainDeleteQuestionTitle), question, ui::DefaultAnswer::kNo)) {
    AddLog(Get(kLogDeleteDeclined));
    return;
  }
  if (!ConfirmOwner(*fingers)) {
    return;
  }
  AddLog(Format(Get(kLogDeleting), record.Description, record.UnitId, Hex2(record.SubFactor)));
  if (!DeleteTemplate(record)) {
    return;
  }
  AddLog(Get(kLogDeleted));
  FBook.Remove(record, Owner());
  btnEnumClick();
}

void TForm1::ForgetFinger(const TFingerRecord& record) {
  const std::u16string question = Format(Get(kMainForgetQuestion), record.DeviceName, record.UnitId,
                                         Hex2(record.SubFactor), record.Description);
  if (!ui::AskYesNo(this, Get(kMainDeleteQuestionTitle), question, ui::DefaultAnswer::kNo)) {
    AddLog(Get(kLogDeleteDeclined));
    return;
  }
  FBook.Remove(record, Owner());
  AddLog(Format(Get(kLogForgotten), record.Description, record.UnitId, Hex2(record.SubFactor)));
  btnEnumClick();
}

bool TForm1::DeleteTemplate(const TFingerRecord& record) {
  const TFreshSession session(*this);
  if (!EnsureSession()) {
    return false;
  }
  const HRESULT result = FLib.DeleteTpl(FSession, record.UnitId, &FIdent, record.SubFactor);
  if (Failed(result)) {
    AddLogResult(u"  WinBioDeleteTemplate ", result);
    return false;
  }
  return true;
}

}  // namespace dactyra
