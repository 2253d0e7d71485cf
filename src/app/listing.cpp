// The list command: every template of the current user on every fingerprint sensor, one row
// each, with the description stored in CFG.TOML.

#include <utility>

#include "app/log_texts.h"
#include "app/main_form.h"
#include "app/main_texts.h"
#include "base/format.h"
#include "base/hex.h"
#include "base/strings.h"
#include "biometric/winbio_texts.h"
#include "documents/config_file.h"
#include "documents/finger_entry.h"
#include "toml/path_helpers.h"

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
  ListEnrollments();
  // A configuration file that cannot be read is left alone: the rows keep their finger names.
  FConfig.Change([this](toml::TTOMLTable& document) {
    StoreSensorNames(document);
    ApplyStoredDescriptions(document);
    return std::u16string();
  });
  FListingComplete = true;
  AddLog(Format(Get(kLogFingersListed), static_cast<std::int64_t>(FFingers.Count())));
  UpdateButtons();
}

// Empties the list and says whose fingers are read; gives the user label.
std::u16string TForm1::BeginListing() {
  FListingComplete = false;
  FListDue = nullptr;  // this listing is the one due
  FListedUnits.clear();
  ClearFingerList();
  UpdateButtons();
  std::u16string user_label = Get(kMainUserLabel);
  AddLog(Get(kLogReading));
  AddLog(user_label + GetCurrentUserName(*this));
  if (!FConfigPlaceTold && !FConfig.Place().BesideProgram) {
    AddLog(Format(Get(kLogConfigLocation), FCfgPath));
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
void TForm1::ListEnrollments() {
  const ui::RedrawSuspension suspension(ListView);
  for (std::size_t unit_index = 0; unit_index < FUnitCount; ++unit_index) {
    const WINBIO_UNIT_SCHEMA& unit = FUnitArray.Get()[unit_index];
    const std::u16string device_name = UnitDescription(unit);

    const TUnitEnrollments enrollments = ListUnitEnrollments(FLib, FSession, FIdent, unit.UnitId);
    if (Failed(enrollments.Result)) {
      AddLogResult(u"  >> WinBioEnumEnrollments ", enrollments.Result);
      continue;
    }
    FListedUnits.insert(unit.UnitId);
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
}

// Every sensor's name in the configuration's "units" table, which is made when missing.
void TForm1::StoreSensorNames(toml::TTOMLTable& document) {
  if (!toml::HasPath(&document, u"units")) {
    document.Add(u"units", std::make_unique<toml::TTOMLTable>());
  }
  toml::TTOMLTable* units = toml::FindTable(&document, u"units");
  for (std::size_t unit_index = 0; unit_index < FUnitCount; ++unit_index) {
    const WINBIO_UNIT_SCHEMA& unit = FUnitArray.Get()[unit_index];
    toml::SetString(units, IntToText(unit.UnitId), UnitDescription(unit), true);
  }
}

// Each record takes the first stored description of its sensor and finger that is not empty.
void TForm1::ApplyStoredDescriptions(const toml::TTOMLTable& document) {
  const toml::TTOMLArray* fingers = toml::GetArray(&document, kFingerArrayKey);
  TDescriptionLookup lookup;
  lookup.Entry.Owner = Owner();
  const auto find = [&lookup](std::int32_t index, const toml::TTOMLTable& table) {
    return lookup.FindDescription(index, table);
  };
  for (std::size_t index = 0; index < FFingers.Count(); ++index) {
    const TFingerRecord& record = FFingers.Records()[index];
    lookup.Entry.UnitId = record.UnitId;
    lookup.Entry.FingerId = FingerIdText(record.SubFactor);
    lookup.Description.clear();
    toml::ForEachTable(fingers, find, true);
    if (!lookup.Description.empty()) {
      FFingers.SetDescription(index, std::move(lookup.Description));
    }
  }
}

}  // namespace dactyra
