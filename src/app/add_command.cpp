// The add command: the owner's proof, a free slot as the service sees it, the sensor, the
// enrollment dialog, and the new finger's description in CFG.TOML.

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/log_texts.h"
#include "app/main_form.h"
#include "app/new_finger_texts.h"
#include "app/sensor_dialog.h"
#include "base/format.h"
#include "base/hex.h"
#include "biometric/winbio_texts.h"
#include "enroll/form_enroll.h"
#include "platform/windows_version.h"
#include "ui/hello_verification.h"

namespace dactyra {
namespace {

// The descriptions of the listed fingers, for the enrollment dialog to name the user's own finger
// that a refused duplicate turns out to be.
TListedDescription ListedDescriptions(std::vector<TFingerRecord> records) {
  return [records = std::move(records)](
             WINBIO_UNIT_ID unit,
             WINBIO_BIOMETRIC_SUBTYPE sub_factor) -> std::optional<std::u16string> {
    const std::optional<std::size_t> listed = FindFingerRecord(records, unit, sub_factor);
    if (!listed) {
      return std::nullopt;
    }
    return records[*listed].Description;
  };
}

// The check of a new finger is its first test, of one touch; none when nothing was checked.
std::optional<TRecognition> CheckResult(TEnrollCheck check) {
  switch (check) {
    case TEnrollCheck::kWorks:
      return TRecognition{.Recognised = 1, .Touches = 1, .Tested = Today()};
    case TEnrollCheck::kNotRecognised:
      return TRecognition{.Recognised = 0, .Touches = 1, .Tested = Today()};
    case TEnrollCheck::kUnchecked:
    case TEnrollCheck::kRemove:
      break;
  }
  return std::nullopt;
}

}  // namespace

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
  return listed.SubFactors();
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
    AddLog(Get(kLogSlotsFull));
    return;
  }
  CloseCurrentSession();  // the owner proves himself on a fresh session
  if (const auto fingers = ListOwnFingers(); !fingers || !ConfirmOwner(*fingers)) {
    return;
  }
  const std::int64_t unit = SelectSensor();
  if (unit < 0) {
    AddLog(Get(kLogSensorChoiceCancelled));
    return;
  }
  AddLog(u"");
  const std::optional<TFingerRecord> enrolled = EnrollNewFinger(static_cast<WINBIO_UNIT_ID>(unit));
  if (!enrolled) {
    return;
  }
  FBook.Add(*enrolled, Owner());
  btnEnumClick();
}

std::optional<TFingerRecord> TForm1::EnrollNewFinger(WINBIO_UNIT_ID unit) {
  const TFreshSession session(*this);
  if (!EnsureSession()) {
    return std::nullopt;
  }
  const WINBIO_BIOMETRIC_SUBTYPE slot = ChooseFreeSlot(unit);
  if (slot == 0) {
    return std::nullopt;
  }
  if (unit != 0) {
    AddLog(Format(Get(kLogAddingOnSensor), unit, Hex2(slot)));
  } else {
    AddLog(Format(Get(kLogAddingOnTouchedSensor), Hex2(slot)));
  }
  return Enroll(slot, unit, SubFactorName(slot, *this));
}

WINBIO_BIOMETRIC_SUBTYPE TForm1::ChooseFreeSlot(WINBIO_UNIT_ID unit,
                                                WINBIO_BIOMETRIC_SUBTYPE wanted) {
  // The slot comes from the service itself, right before the enrollment: the rows may be out
  // of date, and a slot in use would replace that finger.
  auto in_use = EnrolledSubFactors(unit);
  if (!in_use) {
    AddLog(Get(kLogAddCancelled));
    return 0;
  }
  if (wanted != 0 && std::ranges::find(*in_use, wanted) == in_use->end()) {
    return wanted;
  }
  // A remembered finger keeps its slot for when it is added again: a new finger there would
  // take over its description.
  for (const TFingerRecord& record : FFingers.Records()) {
    if (record.State == TFingerState::kRemembered) {
      in_use->push_back(record.SubFactor);
    }
  }
  const WINBIO_BIOMETRIC_SUBTYPE slot = NextFreeSlot(*in_use);
  if (slot == 0) {
    AddLog(Get(kLogSlotsFull));
    NoteRowsOutOfDate();  // the rows showed a free slot
  }
  return slot;
}

std::optional<TFingerRecord> TForm1::Enroll(WINBIO_BIOMETRIC_SUBTYPE slot, WINBIO_UNIT_ID unit,
                                            std::u16string_view description) {
  const std::u16string finger_name = SubFactorName(slot, *this);
  // From Windows 10 on a fingerprint signs in only for an account with a Windows Hello PIN.
  const std::optional<ui::HelloResult> hello =
      platform::IsWindows10OrLater() ? ui::WindowsHelloUnavailable(this) : std::nullopt;
  if (hello && hello->outcome == ui::HelloOutcome::kCancelled) {
    AddLog(Get(kLogAddCancelled));  // the window was closed meanwhile
    return std::nullopt;
  }
  const bool pin_needed = hello && hello->NotConfiguredForUser();
  TFormEnroll dialog(this, *this, ServiceContext(),
                     {.SubFactor = slot,
                      .UnitId = unit,
                      .Description = std::u16string(description),
                      .PinNeeded = pin_needed,
                      .ListedDescription = ListedDescriptions(FFingers.Records())});
  const bool ended_ok = ShowServiceDialog(dialog) == ui::ModalResult::kOk;
  const TEnrollOutcome outcome = dialog.Outcome();
  if (!ended_ok || !outcome.Committed) {
    EndWithoutFinger(outcome);
    return std::nullopt;
  }
  const TEnrollResult& committed = *outcome.Committed;
  AddLog(Format(Get(kLogAdded), committed.UnitId, Hex2(committed.SubFactor)));
  TFingerRecord record{.UnitId = committed.UnitId,
                       .DeviceName = {},
                       .SubFactor = committed.SubFactor,
                       .SubName = finger_name,
                       .Description = outcome.Description,
                       .Recognition = CheckResult(outcome.Check)};
  if (!KeepCheckedFinger(outcome.Check, record)) {
    return std::nullopt;
  }
  if (pin_needed) {
    AddLog(ui::HelloPinNeededText(*this));
    OfferSignInOptions();
  }
  return record;
}

void TForm1::EndWithoutFinger(const TEnrollOutcome& outcome) {
  AddLog(outcome.Status);
  if (!outcome.Advice.empty()) {
    AddLog(outcome.Advice);
  }
  NoteServiceRefusal(outcome.Error);
  AddLog(Get(kLogAddCancelled));
  if (outcome.OwnDuplicate) {
    if (const std::optional<std::size_t> listed = FindFingerRecord(
            FFingers.Records(), outcome.OwnDuplicate->UnitId, outcome.OwnDuplicate->SubFactor)) {
      FFingers.Show(*listed);
    }
  }
}

bool TForm1::KeepCheckedFinger(TEnrollCheck check, const TFingerRecord& record) {
  switch (check) {
    case TEnrollCheck::kWorks:
      return true;
    case TEnrollCheck::kUnchecked:
      AddLog(Get(kLogCheckSkipped));
      return true;
    case TEnrollCheck::kNotRecognised:
      AddLog(Get(kLogCheckKept));
      return true;
    case TEnrollCheck::kRemove:
      break;
  }
  // The owner proved himself for this enrollment: its template goes without a second proof.
  // Where the service does not delete it, it stays listed with its description.
  if (!DeleteTemplate(record)) {
    return true;
  }
  AddLog(Get(kLogDeleted));
  AddLog(Get(kLogCheckRemoved));
  return false;
}

}  // namespace dactyra
