// Replace: an enrolled finger is enrolled anew in its own slot. Windows refuses a second template
// of the same finger, so after the question and the owner's proof its old template is deleted
// first; its entry in CFG.TOML keeps its place and description. When the new enrollment does not
// end with the finger, it stays listed as remembered, ready to be added again.

#include <optional>

#include "app/log_texts.h"
#include "app/main_form.h"
#include "app/main_texts.h"
#include "base/format.h"
#include "base/hex.h"

namespace dactyra {

void TForm1::ReplaceSelectedFinger() {
  const std::optional<TFingerRecord> selected = GetSelectedRecord();
  if (!selected) {
    AddLog(Get(kLogSelectFirst));
    return;
  }
  ReplaceFinger(*selected);
}

void TForm1::ReplaceFinger(const TFingerRecord& record) {
  if (!EnsureLibrary()) {
    return;
  }
  const std::optional<TEnrolledFingers> fingers = ListOwnFingers();
  if (!fingers) {
    return;
  }
  const std::u16string question = Format(Get(kMainReplaceQuestion), record.DeviceName,
                                         record.UnitId, Hex2(record.SubFactor), record.Description);
  if (!ui::AskYesNo(this, Get(kMainDeleteQuestionTitle), question, ui::DefaultAnswer::kNo)) {
    AddLog(Get(kLogReplaceDeclined));
    return;
  }
  if (!ConfirmOwner(*fingers)) {
    return;
  }
  AddLog(u"");
  AddLog(Format(Get(kLogReplacing), record.Description, record.UnitId, Hex2(record.SubFactor)));
  if (!DeleteTemplate(record)) {
    return;
  }
  AddLog(Get(kLogOldPrintDeleted));
  if (const std::optional<TFingerRecord> enrolled = EnrollInPlaceOf(record)) {
    FBook.Replace(record, *enrolled, Owner());
  } else {
    AddLog(Format(Get(kLogReplaceUnfinished), record.Description));
  }
  btnEnumClick();
}

std::optional<TFingerRecord> TForm1::EnrollInPlaceOf(const TFingerRecord& deleted) {
  const TFreshSession session(*this);
  if (!EnsureSession()) {
    return std::nullopt;
  }
  return Enroll(deleted.SubFactor, deleted.UnitId, deleted.Description);
}

}  // namespace dactyra
