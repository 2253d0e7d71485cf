// The add command: the owner's proof, a free slot as the service sees it, the sensor, the
// enrollment dialog, and the new finger's description in CFG.TOML.

#include <array>
#include <optional>
#include <span>
#include <vector>

#include "app/enrolled_fingers.h"
#include "app/finger_entries.h"
#include "app/main_form.h"
#include "app/sensor_dialog.h"
#include "base/format.h"
#include "base/hex.h"
#include "biometric/winbio_texts.h"
#include "enroll/form_enroll.h"

namespace dactyra {
namespace {

// The slots the program enrolls into: WINBIO_FINGER_UNSPECIFIED_POS_01 to _10.
constexpr std::array<WINBIO_BIOMETRIC_SUBTYPE, 10> kFingerSlots = {0xF5, 0xF6, 0xF7, 0xF8, 0xF9,
                                                                   0xFA, 0xFB, 0xFC, 0xFD, 0xFE};

}  // namespace

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
  for (const TFingerRecord& record : FFingers.Records()) {
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
  const WINBIO_BIOMETRIC_SUBTYPE slot = ChooseFreeSlot(static_cast<WINBIO_UNIT_ID>(unit));
  if (slot == 0) {
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
  const std::optional<TFingerRecord> enrolled = Enroll(slot, static_cast<WINBIO_UNIT_ID>(unit));
  CloseCurrentSession();
  if (!enrolled) {
    return;
  }
  FConfig.Change([&](toml::TTOMLTable& document) -> std::u16string {
    if (!AppendFingerEntry(document, enrolled->UnitId, FingerIdText(enrolled->SubFactor),
                           enrolled->Description, Owner())) {
      return u"the \"finger\" entry is not an array.";
    }
    return {};
  });
  btnEnumClick();
}

WINBIO_BIOMETRIC_SUBTYPE TForm1::ChooseFreeSlot(WINBIO_UNIT_ID unit) {
  // The slot comes from the service itself, right before the enrollment: the rows may be out
  // of date, and a slot in use would replace that finger.
  const auto in_use = EnrolledSubFactors(unit);
  if (!in_use) {
    AddLog(GetLangStr(u"log", u"cancel_add", u"Fingerprint addition has been cancelled."));
    return 0;
  }
  const WINBIO_BIOMETRIC_SUBTYPE slot = NextFreeSlot(*in_use);
  if (slot == 0) {
    AddLog(GetLangStr(u"log", u"full", u"All fingerprint slots are full (maximum 10)."));
  }
  return slot;
}

std::optional<TFingerRecord> TForm1::Enroll(WINBIO_BIOMETRIC_SUBTYPE slot, WINBIO_UNIT_ID unit) {
  TFormEnroll dialog(this, *this);
  dialog.Lib = FLib;
  dialog.Session = FSession;
  dialog.Identity = FIdent;
  dialog.SubFactor = slot;
  dialog.lblInstruction.SetText(SubFactorName(slot, *this));
  dialog.SubName = dialog.lblInstruction.Text();
  dialog.UnitId = unit;
  const ui::ModalResult answer = dialog.ShowModal();
  if (!dialog.SessionIdle()) {
    LeaveSessionBehind();
  }
  if (answer != ui::ModalResult::kOk) {
    AddLog(dialog.lblStatus.Text());
    NoteServiceRefusal(dialog.ResultError);
    AddLog(GetLangStr(u"log", u"cancel_add", u"Fingerprint addition has been cancelled."));
    return std::nullopt;
  }
  AddLog(Format(
      GetLangStr(u"log", u"add_success", u"Add fingerprint: (Device ID: %d), Fingerprint ID: 0x%s"),
      dialog.ResultUnitId, Hex2(dialog.ResultSubFactor)));
  return TFingerRecord{.UnitId = dialog.ResultUnitId,
                       .DeviceName = {},
                       .SubFactor = dialog.ResultSubFactor,
                       .SubName = dialog.SubName,
                       .Description = dialog.lblInstruction.Text()};
}

}  // namespace dactyra
