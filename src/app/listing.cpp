// The list command: every template of the current user on every fingerprint sensor, one row
// each, with the description stored in CFG.TOML; after them, in grey, the fingers that CFG.TOML
// remembers on those sensors but whose templates are gone.

#include <algorithm>
#include <utility>
#include <vector>

#include "app/log_texts.h"
#include "app/main_form.h"
#include "app/main_texts.h"
#include "base/format.h"
#include "biometric/winbio_texts.h"

namespace dactyra {

void TForm1::btnEnumClick() {
  const std::u16string user_label = BeginListing();
  if (!EnsureLibrary()) {
    return;
  }
  if (!ReadCurrentUser(user_label)) {
    return;
  }
  const HRESULT enumerated = EnumerateSensors();
  const bool found = !Failed(enumerated) && SensorsFound();
  // After the enumeration: a service that Windows starts on demand has had its chance.
  ShowSignInState(enumerated);
  if (!found || !EnsureSession()) {
    return;
  }
  ReadStoredDescriptions(ListEnrollments());
  AddLog(Format(Get(kLogFingersListed),
                static_cast<std::int64_t>(FFingers.CountOf(TFingerState::kEnrolled))));
  if (const std::size_t remembered = FFingers.CountOf(TFingerState::kRemembered); remembered > 0) {
    AddLog(Format(Get(kLogRememberedListed), static_cast<std::int64_t>(remembered)));
  }
  UpdateButtons();
}

// Empties the list and says whose fingers are read; gives the user label.
std::u16string TForm1::BeginListing() {
  FBook.ForgetListing();
  FListDue = nullptr;  // this listing is the one due
  ClearFingerList();
  UpdateButtons();
  std::u16string user_label = Get(kMainUserLabel);
  AddLog(Get(kLogReading));
  AddLog(user_label + GetCurrentUserName(*this));
  if (!FConfigPlaceTold && !FBook.Place().BesideProgram) {
    AddLog(Format(Get(kLogConfigLocation), FBook.Place().Path));
  }
  FConfigPlaceTold = true;
  return user_label;
}

// The identity whose templates are listed, shown with the user's name and SID.
bool TForm1::ReadCurrentUser(std::u16string_view user_label) {
  if (!GetCurrentIdentity(FIdent)) {
    AddLog(Get(kLogNoSid));
    return false;
  }
  lblUser.SetText(std::u16string(user_label) + GetCurrentUserName(*this));
  AddLog(Get(kLogSid) + IdentitySidText(FIdent, *this));
  return true;
}

// The fingerprint sensors, afresh, on a session that is closed first: the result of the
// enumeration, logged when it failed.
HRESULT TForm1::EnumerateSensors() {
  CloseCurrentSession();
  FUnitArray.Reset();
  FUnitCount = 0;
  const HRESULT result =
      FLib.EnumUnits(WINBIO_TYPE_FINGERPRINT, FUnitArray.Receive(FLib.Free), &FUnitCount);
  if (Failed(result)) {
    // Whatever the failed call left there is not a sensor array.
    FUnitArray.Reset();
    FUnitCount = 0;
    AddLogResult(u"WinBioEnumBiometricUnits ", result);
  }
  return result;
}

// How many sensors the enumeration found, in the log; false when none.
bool TForm1::SensorsFound() {
  if (FUnitCount == 0 || !FUnitArray.Held()) {
    FUnitCount = 0;
    AddLog(Get(kLogNoSensor));
    UpdateButtons();
    return false;
  }
  AddLog(Format(Get(kLogSensorsFound), static_cast<std::int64_t>(FUnitCount)));
  return true;
}

// One row per enrolled finger of every sensor.
std::set<std::int64_t> TForm1::ListEnrollments() {
  const ui::RedrawSuspension suspension(ListView);
  std::set<std::int64_t> listed_units;
  for (std::size_t unit_index = 0; unit_index < FUnitCount; ++unit_index) {
    const WINBIO_UNIT_SCHEMA& unit = FUnitArray.Get()[unit_index];
    const std::u16string device_name = UnitDescription(unit);

    const TUnitEnrollments enrollments = ListUnitEnrollments(FLib, FSession, FIdent, unit.UnitId);
    if (Failed(enrollments.Result)) {
      AddLogResult(u"  >> WinBioEnumEnrollments ", enrollments.Result);
      continue;
    }
    listed_units.insert(unit.UnitId);
    if (enrollments.SubFactors.empty()) {
      AddLog(Get(kLogNoFingers));
      continue;
    }
    for (const WINBIO_BIOMETRIC_SUBTYPE sub_factor : enrollments.SubFactors) {
      std::u16string finger_name = SubFactorName(sub_factor, *this);
      FFingers.Add({.UnitId = unit.UnitId,
                    .DeviceName = device_name,
                    .SubFactor = sub_factor,
                    .SubName = finger_name,
                    .Description = finger_name});
    }
  }
  return listed_units;
}

// Each record takes the stored description of its sensor and finger, when it is not empty, and
// the result of its last test, and every sensor's name is stored; the remembered fingers follow
// as rows of their own. A configuration file that cannot be read is left alone: the rows keep
// their finger names.
void TForm1::ReadStoredDescriptions(const std::set<std::int64_t>& listed_units) {
  std::vector<TSensorName> sensors;
  for (std::size_t unit_index = 0; unit_index < FUnitCount; ++unit_index) {
    const WINBIO_UNIT_SCHEMA& unit = FUnitArray.Get()[unit_index];
    sensors.push_back({unit.UnitId, UnitDescription(unit)});
  }
  TStoredFingers stored = FBook.ReadListing(sensors, listed_units, FFingers.Records(), Owner());
  for (std::size_t index = 0; index < stored.Listed.size(); ++index) {
    TStoredFinger& listed = stored.Listed[index];
    if (!listed.Description.empty()) {
      FFingers.SetDescription(index, std::move(listed.Description));
    }
    if (listed.Recognition) {
      FFingers.SetRecognition(index, listed.Recognition);
    }
  }
  for (const TRememberedFinger& finger : stored.Remembered) {
    const auto sensor = std::ranges::find(sensors, finger.UnitId, &TSensorName::UnitId);
    const std::u16string finger_name = SubFactorName(finger.SubFactor, *this);
    FFingers.Add({.UnitId = finger.UnitId,
                  .DeviceName = sensor != sensors.end() ? sensor->Name : u"",
                  .SubFactor = finger.SubFactor,
                  .SubName = finger_name,
                  .Description = finger.Description.empty() ? finger_name : finger.Description,
                  .Recognition = finger.Recognition,
                  .State = TFingerState::kRemembered});
  }
}

}  // namespace dactyra
