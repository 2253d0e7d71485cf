// The verify command: the verification dialog for the selected finger, and the description the
// user may have changed in it.

#include <optional>

#include "app/log_texts.h"
#include "app/main_form.h"
#include "base/format.h"
#include "base/hex.h"
#include "verify/form_verify.h"

namespace dactyra {

void TForm1::btnVerifyClick() {
  const std::optional<std::size_t> selected = FFingers.Selected();
  if (!selected) {
    AddLog(Get(kLogSelectFirst));
    return;
  }
  if (!EnsureLibrary() || !EnsureSession()) {
    return;
  }
  AddLog(u"");
  const TFingerRecord record = FFingers.Records()[*selected];
  AddLog(Format(Get(kLogVerifying), record.Description, record.UnitId, Hex2(record.SubFactor)));

  std::u16string edited;
  {
    TFormVerify dialog(this, *this, ServiceContext(), record);
    ShowServiceDialog(dialog);
    edited = dialog.Description();
  }

  const bool renamed = RenameRow(*selected, edited);
  AddLog(Get(kLogVerifyClosed));
  if (renamed) {
    SaveCfg();
  }
}

}  // namespace dactyra
