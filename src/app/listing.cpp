// The list command: every template of the current user on every fingerprint sensor, one row
// each, with the description stored in CFG.TOML.

#include "app/config_file.h"
#include "app/main_form.h"
#include "base/format.h"
#include "base/hex.h"
#include "base/strings.h"
#include "biometric/winbio_texts.h"
#include "toml/document_io.h"
#include "toml/path_helpers.h"

namespace dactyra {
namespace {

// Columns of a row; column 0 is the row number.
constexpr int kColumnUnitId = 2;
constexpr int kColumnFingerId = 3;
constexpr int kColumnDescription = 4;

}  // namespace

void TForm1::btnEnumClick() {
  FListingComplete = false;
  FListedUnits.clear();
  ClearFingerList();
  UpdateButtons();
  const std::u16string user_label = GetLangStr(u"main", u"label.user", u"User: ");
  AddLog(GetLangStr(u"log", u"read_data", u"Reading fingerprint data..."));
  AddLog(user_label + GetCurrentUserName(*this));
  if (!EnsureLibrary()) {
    return;
  }
  if (!GetCurrentIdentity(FIdent)) {
    AddLog(GetLangStr(u"log", u"get_sid_error", u"Unable to obtain the current user's SID."));
    return;
  }
  lblUser.SetText(user_label + GetCurrentUserName(*this));
  AddLog(GetLangStr(u"log", u"sid", u"SID: ") + IdentitySidText(FIdent, *this));

  CloseCurrentSession();
  FUnitArray.Reset();
  FUnitCount = 0;
  const HRESULT units_result =
      FLib.EnumUnits(WINBIO_TYPE_FINGERPRINT, FUnitArray.Receive(FLib.Free), &FUnitCount);
  if (Failed(units_result)) {
    // Whatever the failed call left there is not a sensor array.
    FUnitArray.Reset();
    FUnitCount = 0;
    AddLogResult(u"WinBioEnumBiometricUnits ", units_result);
    return;
  }
  if (FUnitCount == 0 || !FUnitArray.Held()) {
    FUnitCount = 0;
    AddLog(GetLangStr(u"log", u"notfound", u"No fingerprint device found."));
    UpdateButtons();
    return;
  }
  AddLog(Format(GetLangStr(u"log", u"find", u"%d fingerprint collection devices were found."),
                static_cast<std::int64_t>(FUnitCount)));
  if (!EnsureSession()) {
    return;
  }

  // A configuration file that cannot be read is left alone: the rows keep their finger names.
  TConfigDocument config = LoadConfig(cfg);
  toml::TTOMLTable* document = config.Document.get();
  toml::TTOMLTable* units = nullptr;
  if (document == nullptr) {
    AddLog(GetLangStr(u"log", kConfigUnreadableKey, kConfigUnreadableText));
  } else {
    if (!toml::HasPath(document, u"units")) {
      document->Add(u"units", std::make_unique<toml::TTOMLTable>());
    }
    units = toml::FindTable(document, u"units");
  }

  std::int32_t row_count = 0;
  {
    const ui::RedrawSuspension suspension(ListView);
    for (std::size_t unit_index = 0; unit_index < FUnitCount; ++unit_index) {
      const WINBIO_UNIT_SCHEMA& unit = FUnitArray.Get()[unit_index];
      const std::u16string device_name = UnitDescription(unit);
      const std::u16string unit_id = IntToText(unit.UnitId);
      toml::SetString(units, unit_id, device_name, true);

      TWinBioBuffer<WINBIO_BIOMETRIC_SUBTYPE> sub_factors;
      std::size_t sub_factor_count = 0;
      const HRESULT result = FLib.EnumEnroll(FSession, unit.UnitId, &FIdent,
                                             sub_factors.Receive(FLib.Free), &sub_factor_count);
      if (Failed(result)) {
        AddLogResult(u"  >> WinBioEnumEnrollments ", result);
        continue;
      }
      FListedUnits.insert(unit.UnitId);
      if (sub_factor_count == 0 || !sub_factors.Held()) {
        AddLog(GetLangStr(u"log", u"nothing", u"No fingerprints were recorded."));
        continue;
      }
      for (std::size_t index = 0; index < sub_factor_count; ++index) {
        const WINBIO_BIOMETRIC_SUBTYPE sub_factor = sub_factors.Get()[index];
        TFingerRecord record{unit.UnitId, device_name, sub_factor,
                             SubFactorName(sub_factor, *this)};
        const std::u16string finger_name = record.SubName;
        FRecords.push_back(std::move(record));
        ListView.AddRow(IntToText(row_count + 1),
                        {device_name, unit_id, FingerIdText(sub_factor), finger_name},
                        FRecords.size() - 1);
        ++row_count;
      }
    }
  }

  if (document != nullptr) {
    if (const FileWriteResult written = toml::SaveToFile(document, cfg, true, 0, false); !written) {
      AddLog(GetLangStr(u"log", u"saved_error", u"Error occurred when saving configuration: ") +
             written.reason);
    }
    ApplyStoredDescriptions(document);
  }
  config.Document.reset();
  FListingComplete = true;

  AddLog(Format(GetLangStr(u"log", u"fingers", u"Fingerprints recorded: %d"), row_count));
  UpdateButtons();
}

void TForm1::ApplyStoredDescriptions(toml::TTOMLTable* document) {
  toml::TTOMLArray* fingers = toml::GetArray(document, u"finger");
  TDescriptionLookup lookup;
  const auto find = [&lookup](std::int32_t index, toml::TTOMLTable& table) {
    return lookup.FindDescription(index, table);
  };
  for (int row = 0; row < ListView.RowCount(); ++row) {
    lookup.UnitId = TextToInt(ListView.Cell(row, kColumnUnitId)).value_or(0);
    lookup.FingerId = ListView.Cell(row, kColumnFingerId);
    lookup.Description.clear();
    toml::ForEachTable(fingers, find, true);
    if (!lookup.Description.empty()) {
      ListView.SetCell(row, kColumnDescription, lookup.Description);
    }
  }
}

}  // namespace dactyra
