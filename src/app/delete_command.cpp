// The delete command: the question, the deletion in the service, and CFG.TOML in step.

#include "app/finger_entries.h"
#include "app/main_form.h"
#include "base/format.h"
#include "base/hex.h"

namespace dactyra {

void TForm1::btnDeleteClick() {
  TFingerRecord record;
  if (!GetSelectedRecord(record)) {
    AddLog(GetLangStr(u"log", u"select_finger_del",
                      u"Please first select the fingerprint you want to delete from the list."));
    return;
  }
  if (!EnsureLibrary()) {
    return;
  }
  const std::u16string& description = record.Description;
  const std::u16string question =
      Format(GetLangStr(u"main", u"msg.querydel.text",
                        u"Confirm deletion of the following fingerprint? \r\n\r\n"
                        u"  Fingerprint device: %s (Device ID: %d)\r\n"
                        u"  Fingerprint ID: 0x%s, Fingerprint description: %s\r\n\r\n"
                        u"This operation is irreversible!"),
             record.DeviceName, record.UnitId, Hex2(record.SubFactor), description);
  if (!ui::AskYesNo(this, GetLangStr(u"main", u"msg.querydel.title", u"Query"), question, true)) {
    AddLog(GetLangStr(u"log", u"del_msg2", u"Canceled deletion."));
    return;
  }
  AddLog(Format(GetLangStr(u"log", u"del_finger", u"Delete this finger: %s (UnitId=%d, 0x%s)"),
                description, record.UnitId, Hex2(record.SubFactor)));
  CloseCurrentSession();
  if (!EnsureSession()) {
    return;
  }
  const HRESULT result = FLib.DeleteTpl(FSession, record.UnitId, &FIdent, record.SubFactor);
  if (Failed(result)) {
    AddLogResult(u"  WinBioDeleteTemplate ", result);
    return;
  }
  AddLog(GetLangStr(u"log", u"del_msg1", u"Deletion successful! Refreshing the list..."));
  CloseCurrentSession();

  FConfig.Change([&](toml::TTOMLTable& document) -> std::u16string {
    // An entry that is not there leaves the file as it was.
    RemoveFingerEntry(document, record.UnitId, FingerIdText(record.SubFactor), Owner());
    return {};
  });
  btnEnumClick();
}

}  // namespace dactyra
