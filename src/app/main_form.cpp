#include "app/main_form.h"

#include <exception>

#include "app/language.h"
#include "base/error.h"
#include "base/utf.h"
#include "biometric/winbio_texts.h"
#include "platform/platform.h"

namespace dactyra {
namespace {

constexpr int kMaxRows = 10;

std::u16string TwoDigits(int value) {
  return {static_cast<char16_t>(u'0' + value / 10 % 10), static_cast<char16_t>(u'0' + value % 10)};
}

// "[hh:nn:ss] " with the locale's time separator.
std::u16string TimeStamp() {
  const platform::LocalDateTime now = platform::CurrentLocalTime();
  const std::u16string separator = platform::TimeSeparator();
  return u"[" + TwoDigits(now.hour) + separator + TwoDigits(now.minute) + separator +
         TwoDigits(now.second) + u"] ";
}

std::u16string ErrorMessage(const std::exception& error) {
  if (const auto* own = dynamic_cast<const Error*>(&error)) {
    return own->Message();
  }
  return Utf8ToUtf16(error.what()).value_or(u"Unexpected error.");
}

}  // namespace

TForm1::TForm1(std::u16string_view executable_path)
    : ui::Form({.caption = u"Dactyra",
                .client_width = 880,
                .client_height = 620,
                .font = ui::FontSpec{kWindowFontFace, kWindowFontPixels}}),
      FExecutablePath(executable_path) {
  btnEnum.OnClick = [this] { btnEnumClick(); };
  btnVerify.OnClick = [this] { btnVerifyClick(); };
  btnAdd.OnClick = [this] { btnAddClick(); };
  btnDelete.OnClick = [this] { btnDeleteClick(); };
  ButtonClose.OnClick = [this] { ButtonCloseClick(); };
  btnSignInOptions.OnClick = [this] { btnSignInOptionsClick(); };
  ListView.OnSelectItem = [this](int row, bool selected) { ListViewSelectItem(row, selected); };
  ListView.OnDoubleClick = [this] { btnVerifyClick(); };
  OnClose = [this] { FormClose(); };
  OnSysCommand = [this](std::uint32_t command) { return WMSysCommand(command); };
  FormCreate();
}

TForm1::~TForm1() {
  FormDestroy();
}

std::u16string TForm1::GetLangStr(std::u16string_view Module, std::u16string_view Id,
                                  std::u16string_view Default) const {
  return dactyra::GetLangStr(lang.get(), Module, Id, Default);
}

std::int32_t TForm1::GetLangInt(std::u16string_view Module, std::u16string_view Id,
                                std::int32_t Default) const {
  return dactyra::GetLangInt(lang.get(), Module, Id, Default);
}

void TForm1::FormCreate() {
  const std::u16string directory = ExecutableDirectory(FExecutablePath);
  cfg = ConfigFilePath(directory);
  lang = LoadLanguage(LanguageFilePath(directory, GetLocaleName()));
  FSession = 0;
  FUnitArray.Reset();
  FUnitCount = 0;
  FLib = TWinBioLib{};

  SetCaption(GetLangStr(u"main", u"title", u"Dactyra"));
  InsertSystemMenuItem({kAboutCommand, GetLangStr(u"main", u"about", u"&About..."), true});
  SetCaption(Caption() + u" V" + platform::FileVersionField(FExecutablePath, u"FileVersion"));

  btnEnum.SetText(GetLangStr(u"main", u"button.enum", u"&Read Fingerprints"));
  btnVerify.SetText(GetLangStr(u"main", u"button.verify", u"&Verify Fingerprint"));
  btnAdd.SetText(GetLangStr(u"main", u"button.add", u"&Add Fingerprint"));
  btnDelete.SetText(GetLangStr(u"main", u"button.del", u"&Delete Fingerprint"));
  ButtonClose.SetText(GetLangStr(u"main", u"button.exit", u"E&xit"));
  PrepareSignInOffer();
  btnVerify.SetEnabled(false);
  btnAdd.SetEnabled(false);
  btnDelete.SetEnabled(false);

  struct ColumnDefault {
    std::u16string_view title_key;
    std::u16string_view title;
    std::u16string_view width_key;
    std::int32_t width;
  };
  static constexpr ColumnDefault kColumns[] = {
      {u"list.columns.1.title", u"#", u"list.columns.1.width", 30},
      {u"list.columns.2.title", u"Fingerprint Device", u"list.columns.2.width", 300},
      {u"list.columns.3.title", u"Device ID", u"list.columns.3.width", 60},
      {u"list.columns.4.title", u"Fingerprint ID", u"list.columns.4.width", 80},
      {u"list.columns.5.title", u"Fingerprint Description", u"list.columns.5.width", 170},
  };
  for (const ColumnDefault& column : kColumns) {
    ListView.AddColumn(GetLangStr(u"main", column.title_key, column.title),
                       GetLangInt(u"main", column.width_key, column.width));
  }

  RunCommand(&TForm1::btnEnumClick);
  UpdateButtons();
}

void TForm1::FormClose() {
  lang.reset();
  // Rows that do not show the stored enrollments (the listing stopped early, or never ran)
  // would wipe every description from the file.
  if (FListingComplete) {
    SaveCfg();
  }
}

void TForm1::FormDestroy() {
  ClearFingerList();
  ReleaseBiometrics();
}

void TForm1::RunCommand(void (TForm1::*command)()) {
  try {
    (this->*command)();
  } catch (const std::exception& error) {
    ui::ShowError(this, Caption(), ErrorMessage(error));
  }
}

void TForm1::AddLog(std::u16string_view text) {
  memoLog.AppendLine(TimeStamp() + std::u16string(text));
}

void TForm1::AddLogResult(std::u16string_view prefix, HRESULT code) {
  AddLog(std::u16string(prefix) + WinBioErrorText(code, *this));
  NoteServiceRefusal(code);
}

bool TForm1::EnsureLibrary() {
  if (FLib.IsReady()) {
    return true;
  }
  if (FLib.Load()) {
    return true;
  }
  AddLog(GetLangStr(u"log", u"dll_error",
                    u"Unable to load winbio.dll or failed to get the function address."));
  return false;
}

bool TForm1::EnsureSession() {
  if (FSession != 0) {
    return true;
  }
  const HRESULT result =
      FLib.OpenSession(WINBIO_TYPE_FINGERPRINT, WINBIO_POOL_SYSTEM, WINBIO_FLAG_DEFAULT, nullptr, 0,
                       kDatabaseIdNull, &FSession);
  if (Failed(result)) {
    AddLogResult(u"WinBioOpenSession ", result);
    FSession = 0;
    return false;
  }
  return true;
}

void TForm1::CloseCurrentSession() {
  if (FSession != 0 && FLib.CloseSession != nullptr) {
    FLib.CloseSession(FSession);
    FSession = 0;
  }
}

void TForm1::ReleaseBiometrics() {
  CloseCurrentSession();
  FUnitArray.Reset();
  FUnitCount = 0;
  FLib.Unload();
}

void TForm1::ClearFingerList() {
  ListView.Clear();
  FRecords.clear();
}

void TForm1::UpdateButtons() {
  const bool selected = ListView.SelectedIndex() >= 0;
  btnVerify.SetEnabled(selected);
  btnDelete.SetEnabled(selected);
  btnAdd.SetEnabled(FUnitCount > 0 && ListView.RowCount() < kMaxRows);
}

bool TForm1::GetSelectedRecord(TFingerRecord& record) const {
  record = TFingerRecord{};
  const int row = ListView.SelectedIndex();
  if (row < 0) {
    return false;
  }
  const std::optional<std::size_t> index = ListView.RowData(row);
  if (!index || *index >= FRecords.size()) {
    return false;
  }
  record = FRecords[*index];
  return true;
}

void TForm1::ListViewSelectItem(int, bool) {
  UpdateButtons();
}

void TForm1::ButtonCloseClick() {
  Close();
}

}  // namespace dactyra
