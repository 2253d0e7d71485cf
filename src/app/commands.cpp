// The verify, add and delete commands: what the dialogs are given, what is read back, and how
// CFG.TOML follows the change.

#include <array>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "app/config_file.h"
#include "app/enrolled_fingers.h"
#include "app/finger_entries.h"
#include "app/main_form.h"
#include "app/sensor_dialog.h"
#include "base/format.h"
#include "base/hex.h"
#include "biometric/winbio_texts.h"
#include "enroll/form_enroll.h"
#include "toml/path_helpers.h"
#include "verify/form_verify.h"

namespace dactyra {
namespace {

constexpr int kColumnDescription = 4;

// The slots the program enrolls into: WINBIO_FINGER_UNSPECIFIED_POS_01 to _10.
constexpr std::array<WINBIO_BIOMETRIC_SUBTYPE, 10> kFingerSlots = {0xF5, 0xF6, 0xF7, 0xF8, 0xF9,
                                                                   0xFA, 0xFB, 0xFC, 0xFD, 0xFE};

}  // namespace

void TForm1::btnVerifyClick() {
  TFingerRecord record;
  if (!GetSelectedRecord(record)) {
    AddLog(
        GetLangStr(u"log", u"select_finger", u"Please select a fingerprint from the list first."));
    return;
  }
  if (!EnsureLibrary() || !EnsureSession()) {
    return;
  }
  AddLog(u"");
  const int row = ListView.SelectedIndex();
  const std::u16string description = ListView.Cell(row, kColumnDescription);
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

  const bool changed = ListView.Cell(row, kColumnDescription) != edited;
  ListView.SetCell(row, kColumnDescription, edited);
  AddLog(GetLangStr(u"log", u"close_verity", u"The verification window has been closed."));
  if (changed) {
    SaveCfg();
  }
}

WINBIO_BIOMETRIC_SUBTYPE NextFreeSlot(std::span<const WINBIO_BIOMETRIC_SUBTYPE> in_use) {
  int highest = -1;
  for (const WINBIO_BIOMETRIC_SUBTYPE sub_factor : in_use) {
    for (int slot = 0; slot < static_cast<int>(kFingerSlots.size()); ++slot) {
      if (sub_factor == kFingerSlots[slot] && slot > highest) {
        highest = slot;
      }
    }
  }
  if (highest + 1 >= static_cast<int>(kFingerSlots.size())) {
    return 0;
  }
  return kFingerSlots[highest + 1];
}

WINBIO_BIOMETRIC_SUBTYPE TForm1::NextFreeSubFactor() const {
  std::vector<WINBIO_BIOMETRIC_SUBTYPE> listed;
  for (const TFingerRecord& record : FRecords) {
    listed.push_back(record.SubFactor);
  }
  return NextFreeSlot(listed);
}

std::optional<std::vector<WINBIO_BIOMETRIC_SUBTYPE>> TForm1::EnrolledSubFactors(
    WINBIO_UNIT_ID chosen_unit) {
  const TEnrolledFingers listed = ListEnrolledFingers(FLib, FSession, FIdent);
  if (Failed(listed.UnitsResult)) {
    AddLogResult(u"WinBioEnumBiometricUnits ", listed.UnitsResult);
    return std::nullopt;
  }
  // The finger may go to any sensor unless one was chosen: then only that one must answer.
  for (const TUnlistedUnit& unlisted : listed.Unlisted) {
    if (chosen_unit == 0 || unlisted.UnitId == chosen_unit) {
      AddLogResult(u"  >> WinBioEnumEnrollments ", unlisted.Result);
      return std::nullopt;
    }
  }
  std::vector<WINBIO_BIOMETRIC_SUBTYPE> in_use;
  for (const TEnrolledFinger& finger : listed.Fingers) {
    in_use.push_back(finger.SubFactor);
  }
  return in_use;
}

std::int64_t TForm1::SelectSensor() {
  std::vector<TSensorChoice> sensors;
  for (std::size_t index = 0; index < FUnitCount; ++index) {
    const WINBIO_UNIT_SCHEMA& unit = FUnitArray.Get()[index];
    sensors.push_back({UnitDescription(unit), unit.UnitId});
  }
  return dactyra::SelectSensor(*this, sensors, *this);
}

void TForm1::btnAddClick() {
  if (!EnsureLibrary()) {
    return;
  }
  // The list already tells when every slot is taken; the service has the last word below.
  if (NextFreeSubFactor() == 0) {
    AddLog(GetLangStr(u"log", u"full", u"All fingerprint slots are full (maximum 10)."));
    return;
  }
  CloseCurrentSession();  // the owner proves himself on a fresh session
  if (const auto fingers = ListOwnFingers(); !fingers || !ConfirmOwner(*fingers)) {
    return;
  }
  const std::int64_t unit = SelectSensor();
  if (unit < 0) {
    AddLog(GetLangStr(u"log", u"cancel_add", u"Cancel adding fingerprint."));
    return;
  }
  AddLog(u"");
  CloseCurrentSession();
  if (!EnsureSession()) {
    return;
  }
  // The slot comes from the service itself, right before the enrollment: the rows may be out
  // of date, and a slot in use would replace that finger.
  const auto in_use = EnrolledSubFactors(static_cast<WINBIO_UNIT_ID>(unit));
  if (!in_use) {
    AddLog(GetLangStr(u"log", u"cancel_add", u"Fingerprint addition has been cancelled."));
    CloseCurrentSession();
    return;
  }
  const WINBIO_BIOMETRIC_SUBTYPE slot = NextFreeSlot(*in_use);
  if (slot == 0) {
    AddLog(GetLangStr(u"log", u"full", u"All fingerprint slots are full (maximum 10)."));
    CloseCurrentSession();
    return;
  }
  if (unit != 0) {
    AddLog(Format(GetLangStr(u"log", u"specify_Add",
                             u"Add fingerprint: (Device ID: %d, Fingerprint ID: 0x%s)"),
                  unit, Hex2(slot)));
  } else {
    AddLog(Format(GetLangStr(u"log", u"auto_add",
                             u"Add fingerprint: (Fingerprint ID: 0x%s, automatically locates the "
                             u"sensor)"),
                  Hex2(slot)));
  }

  WINBIO_UNIT_ID result_unit = 0;
  WINBIO_BIOMETRIC_SUBTYPE result_slot = 0;
  std::u16string description;
  {
    TFormEnroll dialog(this, *this);
    dialog.Lib = FLib;
    dialog.Session = FSession;
    dialog.Identity = FIdent;
    dialog.SubFactor = slot;
    dialog.lblInstruction.SetText(SubFactorName(slot, *this));
    dialog.SubName = dialog.lblInstruction.Text();
    dialog.UnitId = static_cast<WINBIO_UNIT_ID>(unit);
    const ui::ModalResult answer = dialog.ShowModal();
    if (!dialog.SessionIdle()) {
      LeaveSessionBehind();
    }
    if (answer != ui::ModalResult::kOk) {
      AddLog(dialog.lblStatus.Text());
      NoteServiceRefusal(dialog.ResultError);
      AddLog(GetLangStr(u"log", u"cancel_add", u"Fingerprint addition has been cancelled."));
      CloseCurrentSession();
      return;
    }
    result_unit = dialog.ResultUnitId;
    result_slot = dialog.ResultSubFactor;
    description = dialog.lblInstruction.Text();
  }
  AddLog(Format(
      GetLangStr(u"log", u"add_success", u"Add fingerprint: (Device ID: %d), Fingerprint ID: 0x%s"),
      result_unit, Hex2(result_slot)));
  CloseCurrentSession();

  ChangeConfig([&](toml::TTOMLTable& document) -> std::u16string {
    if (!AppendFingerEntry(document, result_unit, FingerIdText(result_slot), description)) {
      return u"the \"finger\" entry is not an array.";
    }
    return {};
  });
  btnEnumClick();
}

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
  const std::u16string description = ListView.Cell(ListView.SelectedIndex(), kColumnDescription);
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

  ChangeConfig([&](toml::TTOMLTable& document) -> std::u16string {
    // An entry that is not there leaves the file as it was.
    RemoveFingerEntry(document, record.UnitId, FingerIdText(record.SubFactor));
    return {};
  });
  btnEnumClick();
}

void TForm1::ChangeConfig(const std::function<std::u16string(toml::TTOMLTable& document)>& change) {
  TConfigDocument config = LoadConfig(cfg);
  if (config.State == TConfigDocument::TState::kUnreadable) {
    AddLog(GetLangStr(u"log", kConfigUnreadableKey, kConfigUnreadableText));
    return;
  }
  const std::u16string saved_error =
      GetLangStr(u"log", u"saved_error", u"Error occurred when saving configuration: ");
  if (const std::u16string failure = change(*config.Document); !failure.empty()) {
    AddLog(saved_error + failure);
    return;
  }
  if (const FileWriteResult written = toml::SaveToFile(config.Document.get(), cfg, true, 0, false);
      !written) {
    AddLog(saved_error + written.reason);
  }
}

}  // namespace dactyra
