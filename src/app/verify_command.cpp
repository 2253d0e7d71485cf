// The verify command: the verification dialog for the selected finger, and the description the
// user may have changed in it.

#include <optional>

#include "app/main_form.h"
#include "base/format.h"
#include "base/hex.h"
#include "verify/form_verify.h"

namespace dactyra {

void TForm1::btnVerifyClick() {
  const std::optional<std::size_t> selected = FFingers.Selected();
  if (!selected) {
    AddLog(
        GetLangStr(u"log", u"select_finger", u"Please select a fingerprint from the list first."));
    return;
  }
  if (!EnsureLibrary() || !EnsureSession()) {
    return;
  }
  AddLog(u"");
  const TFingerRecord record = FFingers.Records()[*selected];
  const std::u16string& description = record.Description;
  AddLog(Format(GetLangStr(u"log", u"verity_info",
                           u"Verify fingerprint: %s (Device ID: %d, Fingerprint ID: 0x%s)"),
                description, record.UnitId, Hex2(record.SubFactor)));

  std::u16string edited;
  {
    TFormVerify dialog(this, *this);
    dialog.Lib = FLib;
    dialog.Session = FSession;
    dialog.CurrentIdent = FIdent;
    dialog.SelRecord = record;
    dialog.lblTitle.SetText(description);
    dialog.ShowModal();
    edited = dialog.lblTitle.Text();
    if (!dialog.SessionIdle()) {
      LeaveSessionBehind();
    }
  }

  const bool changed = description != edited;
  FFingers.SetDescription(*selected, edited);
  AddLog(GetLangStr(u"log", u"close_verity", u"The verification window has been closed."));
  if (changed) {
    SaveCfg();
  }
}

}  // namespace dactyra
