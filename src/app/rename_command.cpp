// Renaming a finger: without a touch (F2), and the description changed in the verification
// dialog; both logged and stored alike.

#include <optional>

#include "app/log_texts.h"
#include "app/main_form.h"
#include "app/rename_dialog.h"
#include "base/format.h"
#include "base/hex.h"

namespace dactyra {

void TForm1::RenameSelectedFinger() {
  const std::optional<std::size_t> selected = FFingers.Selected();
  if (!selected) {
    AddLog(Get(kLogSelectFirst));
    return;
  }
  const std::optional<std::u16string> edited =
      AskDescription(*this, FFingers.Records()[*selected].Description, *this);
  if (edited && RenameRow(*selected, *edited)) {
    SaveCfg();
  }
}

bool TForm1::RenameRow(std::size_t index, std::u16string_view description) {
  const TFingerRecord& record = FFingers.Records()[index];
  if (description == record.Description) {
    return false;
  }
  AddLog(Format(Get(kLogRenamed), record.Description, description, record.UnitId,
                Hex2(record.SubFactor)));
  FFingers.SetDescription(index, std::u16string(description));
  return true;
}

}  // namespace dactyra
