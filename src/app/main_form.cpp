#include "app/main_form.h"

#include "app/log_texts.h"
#include "app/main_texts.h"
#include "biometric/winbio_texts.h"
#include "documents/config_place.h"
#include "documents/language.h"
#include "platform/platform.h"

namespace dactyra {
namespace {

std::u16string TwoDigits(int value) {
  return {static_cast<char16_t>(u'0' + value / 10 % 10), static_cast<char16_t>(u'0' + value % 10)};
}

// The window's font as the texts name it.
ui::FontSpec WindowFont(const TextSource& texts) {
  const std::int32_t height = texts.Get(kMainFontHeight);
  const auto [lowest, highest] = kMainFontHeightRange;
  return {texts.Get(kMainFontName),
          height >= lowest && height <= highest ? height : kMainFontHeight.built_in};
}

// "[hh:nn:ss] " with the locale's time separator.
std::u16string TimeStamp() {
  const platform::LocalDateTime now = platform::CurrentLocalTime();
  const std::u16string separator = platform::TimeSeparator();
  return u"[" + TwoDigits(now.hour) + separator + TwoDigits(now.minute) + separator +
         TwoDigits(now.second) + u"] ";
}

}  // namespace

TForm1::TForm1(std::u16string_view executable_path, std::optional<std::u16string> per_user_folder)
    : ui::Form({.caption = u"Dactyra",
                .client_width = 880,
                .client_height = 620,
                .font = WindowFont(BuiltInTexts()),
                .texts = this}),
      FExecutablePath(executable_path),
      FPerUserFolder(std::move(per_user_folder)) {
  ListView.OnSelectItem = [this](int row, bool selected) { ListViewSelectItem(row, selected); };
  ListView.OnDoubleClick = [this] { ListViewDoubleClick(); };
  OnCloseQuery = [this] { return FormCloseQuery(); };
  OnClose = [this] { FormClose(); };
  FormCreate();
}

TForm1::~TForm1() {
  FormDestroy();
}

std::u16string TForm1::GetLangStr(std::u16string_view Module, std::u16string_view Id,
                                  std::u16string_view Default) const {
  return dactyra::GetLangStr(FLang.get(), Module, Id, Default);
}

std::int32_t TForm1::GetLangInt(std::u16string_view Module, std::u16string_view Id,
                                std::int32_t Default) const {
  return dactyra::GetLangInt(FLang.get(), Module, Id, Default);
}

void TForm1::FormCreate() {
  const std::u16string directory = ExecutableDirectory(FExecutablePath);
  FBook = TFingerBook(TConfigStore(ChooseConfigPlace(directory, FPerUserFolder), *this,
                                   [this](std::u16string_view line) { AddLog(line); }));
  FLang = LoadLanguageFor(directory, GetLocaleName());
  SetFont(WindowFont(*this));

  SetCaption(Get(kMainTitle) + u" V" + GetAppVersionField(u"FileVersion"));
  lblUser.SetText(Get(kMainCurrentUserLabel));
  WireCommands();
  FFingers.AddColumns();

  // Outside any control's event: an error escaping the listing is shown in an error box, and
  // the window stays usable.
  RunHandler([this] { btnEnumClick(); });
  UpdateButtons();
  WatchHardware();
}

void TForm1::FormClose() {
  FLang.reset();
  SaveCfg();
}

void TForm1::SaveCfg() {
  // Rows that do not show the stored enrollments (the listing stopped early, or never ran)
  // would wipe every description from the file: the book writes nothing then.
  FBook.WriteList(FFingers.Records(), Owner());
}

void TForm1::FormDestroy() {
  ClearFingerList();
  ReleaseBiometrics();
}

void TForm1::AddLog(std::u16string_view text) {
  memoLog.AppendLine(TimeStamp() + std::u16string(text));
}

void TForm1::AddLogResult(std::u16string_view prefix, HRESULT code) {
  AddLog(std::u16string(prefix) + WinBioErrorText(code, *this));
  NoteServiceRefusal(code);
}

std::u16string TForm1::Owner() const {
  return platform::SidToText(FIdent.SidData).value_or(u"");
}

bool TForm1::EnsureLibrary() {
  if (FLib.IsReady()) {
    return true;
  }
  if (FLib.Load()) {
    return true;
  }
  AddLog(Get(kLogLibraryMissing));
  return false;
}

bool TForm1::EnsureSession() {
  if (FSession != 0) {
    return true;
  }
  const HRESULT result = OpenFingerprintSession(FLib, FSession);
  if (Failed(result)) {
    AddLogResult(u"WinBioOpenSession ", result);
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

ui::ModalResult TForm1::ShowServiceDialog(TWorkerDialog& dialog) {
  const ui::ModalResult result = dialog.ShowModal();
  // The session comes back: the one lent, or the one that replaced it after the service lost it.
  FSession = dialog.Context().Session;
  if (!dialog.SessionIdle()) {
    FSession = 0;
  } else if (dialog.SessionLost()) {
    CloseCurrentSession();  // what is left of it; the next call opens a new one
  }
  return result;
}

void TForm1::ReleaseBiometrics() {
  CloseCurrentSession();
  FUnitArray.Reset();
  FUnitCount = 0;
  FLib.Unload();
}

void TForm1::ClearFingerList() {
  FFingers.Clear();
}

std::optional<TFingerRecord> TForm1::GetSelectedRecord() const {
  const std::optional<std::size_t> index = FFingers.Selected();
  if (!index) {
    return std::nullopt;
  }
  return FFingers.Records()[*index];
}

void TForm1::ListViewSelectItem(int, bool) {
  UpdateButtons();
}

void TForm1::ButtonCloseClick() {
  Close();
}

}  // namespace dactyra
