// Renaming the selected finger without a touch: its description, stored as the verification
// dialog stores a changed one.

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
  const TFingerRecord record = FFingers.Records()[*selected];
  const std::optional<std::u16string> edited = AskDescription(*this, record.Description, *this);
  if (!edited || *edited == record.Description) {
    return;
  }
  AddLog(
      Format(Get(kLogRenamed), record.Description, *edited, record.UnitId, Hex2(record.SubFactor)));
  FFingers.SetDescription(*selected, *edited);
  SaveCfg();
}

}  // namespace dactyra
