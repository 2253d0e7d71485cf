// The delete command: the question (which tells about the last finger), the owner's proof, the
// deletion in the service, and CFG.TOML in step.

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
  const std::optional<TEnrolledFingers> fingers = ListOwnFingers();
  if (!fingers) {
    return;
  }
  const std::u16string& description = record.Description;
  std::u16string question =
      Format(GetLangStr(u"main", u"msg.querydel.text",
                        u"Confirm deletion of the following fingerprint? \r\n\r\n"
                        u"  Fingerprint device: %s (Device ID: %d)\r\n"
                        u"  Fingerprint ID: 0x%s, Fingerprint description: %s\r\n\r\n"
                        u"This operation is irreversible!"),
             record.DeviceName, record.UnitId, Hex2(record.SubFactor), description);
  if (fingers->IsLastFinger({record.UnitId, record.SubFactor})) {
    question += u"\r\n\r\n" + GetLangStr(u"main", u"msg.querydel.last",
                                         u"This is your last fingerprint: afterwards you sign in "
                                         u"with your PIN or password.");
  }
  if (!ui::AskYesNo(this, GetLangStr(u"main", u"msg.querydel.title", u"Query"), question, true)) {
    AddLog(GetLangStr(u"log", u"del_msg2", u"Canceled deletion."));
    return;
  }
  if (!ConfirmOwner(*fingers)) {
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
