#pragma once

// The program's own classes, records and their fields are named as Windows programs of its kind
// name theirs: types T…, pointer types P…, fields F…, controls by kind and role (btnAdd,
// lblStatus), handlers by control and event (btnAddClick). The layers below them (base,
// platform, toml, ui, sim) follow the repository's style (snake_case, trailing-underscore
// members). One style per class.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "app/commands.h"
#include "app/finger_list.h"
#include "base/text_source.h"
#include "biometric/enrolled_fingers.h"
#include "biometric/finger_slots.h"
#include "biometric/winbio_buffer.h"
#include "biometric/winbio_lib.h"
#include "biometric/winbio_types.h"
#include "dialog_core/worker_dialog.h"
#include "documents/finger_book.h"
#include "documents/language.h"
#include "platform/device_change.h"
#include "platform/platform.h"
#include "ui/hello_verification.h"
#include "ui/ui.h"

namespace dactyra {

enum class TEnrollCheck;
struct TEnrollOutcome;

// The main window: the list of the current user's enrolled fingerprints, the command buttons
// and the activity log. It owns the binding of the biometric service, the open session, the
// sensors of the last listing, the user's identity and the language document, and gives every
// text of the program through GetLangStr and GetLangInt. Its commands are the rows of
// MainCommands (commands.h); each has its handler in a file of its own.
class TForm1 final : public ui::Form, public TextSource {
 public:
  // `executable_path` (the running program's, as a rule) locates CFG.TOML and the language
  // folder; `per_user_folder` is where CFG.TOML goes when the program's folder cannot take it
  // (the user's %LOCALAPPDATA%).
  explicit TForm1(std::u16string_view executable_path,
                  std::optional<std::u16string> per_user_folder = platform::LocalAppDataFolder());
  ~TForm1() override;

  ui::Panel pnlTop{*this, {.height = 60, .dock = ui::Dock::kTop}};
  ui::Label lblUser{pnlTop, {.left = 16, .top = 20}};
  // Why fingerprint sign-in does not work, in a few words; empty when all is well.
  ui::Label lblSignInStatus{pnlTop, {.left = 16, .top = 40}};
  ui::Panel pnlRight{*this, {.width = 188, .dock = ui::Dock::kRight}};
  ui::Button btnEnum{pnlRight, {20, 0, 148, 36}};
  ui::Button btnVerify{pnlRight, {20, 55, 148, 36}};
  ui::Button btnAdd{pnlRight, {20, 109, 148, 36}};
  ui::Button btnDelete{pnlRight, {20, 164, 148, 36}};
  ui::ListView ListView{*this, {.dock = ui::Dock::kClient}};
  // The bottom strip comes before its splitter: the first control docked to an edge is the
  // outermost.
  ui::Panel pnlBottom{*this, {.height = 265, .dock = ui::Dock::kBottom}};
  ui::Memo memoLog{pnlBottom, {.dock = ui::Dock::kClient}};
  ui::Splitter Splitter1{*this, {.height = 5, .dock = ui::Dock::kBottom}};
  ui::Button ButtonClose{pnlRight, {20, 240, 148, 36}};
  // The offer to open the system's sign-in options, at the right of the top strip, above the
  // buttons: hidden until the service refuses a call because Windows keeps a sensor to itself.
  ui::Panel pnlSignIn{pnlTop, {.width = 188, .dock = ui::Dock::kRight}};
  ui::Button btnSignInOptions{pnlSignIn, {20, 12, 148, 36}};

  // Texts and widths of the language document; the defaults without one.
  std::u16string GetLangStr(std::u16string_view Module, std::u16string_view Id,
                            std::u16string_view Default) const override;
  std::int32_t GetLangInt(std::u16string_view Module, std::u16string_view Id,
                          std::int32_t Default) const override;

  // ---- The commands' handlers (one file each) ----
  // The list command, run at start, by btnEnum and after an enrollment or a deletion.
  void btnEnumClick();
  void btnVerifyClick();
  void btnAddClick();
  // Deletes the selected finger; forgets a remembered one (ForgetFinger).
  void btnDeleteClick();
  void ButtonCloseClick();
  void btnSignInOptionsClick();
  // Renames the selected finger without a touch, as the verification dialog does.
  void RenameSelectedFinger();
  // Enrolls the selected remembered finger again, into its own slot when that is free, with its
  // description.
  void AddFingerAgain();
  // Replaces the selected finger's template (ReplaceFinger).
  void ReplaceSelectedFinger();
  // Replaces an enrolled finger's template, after a question and the owner's proof: the old
  // template is deleted (Windows refuses a second one of the same finger), and the same finger
  // is enrolled into the same slot on the same sensor with the same description, in the same
  // place in CFG.TOML. An enrollment that does not end with the finger leaves it remembered.
  void ReplaceFinger(const TFingerRecord& record);
  // Gives the record at `index` the description the user typed in a dialog: the row shows it and
  // the log says so; SaveCfg stores it. False, with nothing done, when it is the one it has.
  bool RenameRow(std::size_t index, std::u16string_view description);
  // "Which finger is this?": identifies a touch and, for a listed finger of the user, selects
  // its row.
  void FindTouchedFinger();
  // The About box.
  void ShowAbout();
  // "Sensors and sign-in": what the service, the settings and the sensors' drivers say.
  void ShowSensorsAndSignIn();

  // The one way every button, key, menu item and double click runs its command: only when no
  // other command runs and the command's rule enables it (false otherwise); then the window's
  // close that was asked for meanwhile, or else the listing that fell due (ListAgainWhenDue).
  bool RunCommand(const TCommand& command);

  // Rewrites CFG.TOML from the records of the list.
  void SaveCfg();

  // ---- The model the commands' rules read ----
  // The record behind the selected row; none when no row is selected.
  std::optional<TFingerRecord> GetSelectedRecord() const;
  // The listed fingers, one record per row.
  const TFingerList& Fingers() const { return FFingers; }
  // The sensors of the last listing.
  std::size_t SensorCount() const { return FUnitCount; }

  // The slot for a new enrollment by the rows of the list (NextFreeSlot over the slots in use on
  // any sensor, a remembered finger's included); 0 when all ten are in use.
  WINBIO_BIOMETRIC_SUBTYPE NextFreeSubFactor() const;

  // A string of the program's version resource ("FileVersion"); empty when absent.
  std::u16string GetAppVersionField(std::u16string_view Key) const;
  // The link time of a PE file in local time; the zero date-time (and a log line) when its
  // headers cannot be read. Raises Error when the file cannot be opened.
  platform::LocalDateTime GetLocalLinkerTimestamp(std::u16string_view filename);

 private:
  // A fresh session for a part of a command: the session open before is closed at once, and
  // the one the part opens is closed when the part ends, however it ends.
  class TFreshSession {
   public:
    explicit TFreshSession(TForm1& form) : FForm(form) { FForm.CloseCurrentSession(); }
    ~TFreshSession() { FForm.CloseCurrentSession(); }
    TFreshSession(const TFreshSession&) = delete;
    TFreshSession& operator=(const TFreshSession&) = delete;

   private:
    TForm1& FForm;
  };

  void FormCreate();
  // While a command runs, the close waits for it: its waits end as cancelled.
  bool FormCloseQuery();
  void FormClose();
  void FormDestroy();

  // The buttons, keys, context menu and system menu of the command table.
  void WireCommands();
  bool ListViewKeyDown(ui::Key key);
  bool FormKeyDown(ui::Key key);
  void ListViewContextMenu(const ui::ContextMenuRequest& request);
  bool WMSysCommand(std::uint32_t command);
  // A double click: the context menu's default command that is enabled.
  void ListViewDoubleClick();
  void ListViewSelectItem(int row, bool selected);

  void AddLog(std::u16string_view text);
  void AddLogResult(std::u16string_view prefix, HRESULT code);
  // The signed-in user's SID text, which owns his entries in CFG.TOML; empty while unknown.
  std::u16string Owner() const;
  bool EnsureLibrary();
  bool EnsureSession();
  void CloseCurrentSession();
  // What a dialog that waits in the service is given: the binding, the open session and the
  // signed-in user.
  TServiceContext ServiceContext() const { return {FLib, FSession, FIdent}; }
  // Shows a dialog that waits in the service on the open session. A worker that it could not
  // get out of the service is still blocked on that session: the session is then forgotten
  // without being closed (a close could wait for that worker's touch).
  ui::ModalResult ShowServiceDialog(TWorkerDialog& dialog);
  void ReleaseBiometrics();
  void ClearFingerList();
  void UpdateButtons();

  // The steps of the list command.
  std::u16string BeginListing();
  bool ReadCurrentUser(std::u16string_view user_label);
  HRESULT EnumerateSensors();
  bool SensorsFound();
  // Gives the unit ids whose enrollments it could read.
  std::set<std::int64_t> ListEnrollments();
  // The stored descriptions on the rows, and the sensors' names in CFG.TOML.
  void ReadStoredDescriptions(const std::set<std::int64_t>& listed_units);

  // The sensor for a new enrollment (SelectSensor of sensor_dialog.h over the sensors of the
  // last listing): a unit id, 0 for the automatic choice, -1 when cancelled.
  std::int64_t SelectSensor();
  // The enrollment of a new finger on `unit` (0: the sensor touched) on a fresh session: a free
  // slot as the service sees it, and the enrollment dialog. The new finger with its
  // description, or none (why logged).
  std::optional<TFingerRecord> EnrollNewFinger(WINBIO_UNIT_ID unit);
  // The sub-factors the current user has enrolled, as the service lists them now on every
  // sensor; none (and the failure logged) when a sensor the finger may go to cannot be listed:
  // `chosen_unit`, or any sensor when it is 0.
  std::optional<std::vector<WINBIO_BIOMETRIC_SUBTYPE>> EnrolledSubFactors(
      WINBIO_UNIT_ID chosen_unit);
  // The slot for a finger enrolled on `unit` by the service's current list: `wanted` when it is
  // free on every sensor (0: none wanted), else the next free one that no remembered finger keeps;
  // 0, with the reason logged, when there is none or the service cannot tell.
  WINBIO_BIOMETRIC_SUBTYPE ChooseFreeSlot(WINBIO_UNIT_ID unit, WINBIO_BIOMETRIC_SUBTYPE wanted = 0);
  // Enrolls `slot` on `unit` through the enrollment dialog, starting with `description`: the new
  // finger with the description the user left and the result of its check, or none (the
  // dialog's last status logged).
  std::optional<TFingerRecord> Enroll(WINBIO_BIOMETRIC_SUBTYPE slot, WINBIO_UNIT_ID unit,
                                      std::u16string_view description);
  // An enrollment that committed nothing: the log says why, and what to do about a duplicate;
  // the row of the user's own finger that it duplicates is selected.
  void EndWithoutFinger(const TEnrollOutcome& outcome);
  // Add again: the enrollment of a remembered finger on its sensor, on a fresh session.
  std::optional<TFingerRecord> EnrollAgain(const TFingerRecord& remembered);
  // Replace: the enrollment into the slot of a finger whose template was deleted, on a fresh
  // session.
  std::optional<TFingerRecord> EnrollInPlaceOf(const TFingerRecord& deleted);
  // After the check of a new finger: false when the user had it removed (and it was); the log
  // says how the check ended when the finger did not prove to work.
  bool KeepCheckedFinger(TEnrollCheck check, const TFingerRecord& record);
  // Deletes the record's template on a fresh session; false, with the failure logged, when the
  // service did not.
  bool DeleteTemplate(const TFingerRecord& record);
  // Delete on a remembered finger: after a question, its entry in CFG.TOML goes (nothing changes
  // in Windows, so no proof is asked).
  void ForgetFinger(const TFingerRecord& record);

  // ---- The owner's proof, and sensors that Windows keeps to itself (owner_proof.cpp) ----
  // The current user's fingers on every sensor as the service lists them now, on the open
  // session (opened when there is none); the sensors it could not list are logged. None, and
  // the failure logged, when no session can be opened or the sensors cannot be listed.
  std::optional<TEnrolledFingers> ListOwnFingers();
  // Confirms that the account's owner is at the keyboard before his fingerprints change: a
  // touch of one of his `fingers`, or his Windows password when he has none. Logs how it ended;
  // false: the command must change nothing.
  bool ConfirmOwner(const TEnrolledFingers& fingers);
  bool ConfirmOwnerByTouch();
  bool ConfirmOwnerByPassword();
  // Windows Hello proves the owner; where it cannot be asked, his password does.
  bool ConfirmOwnerByHello();
  bool ConfirmOwnerByHelloAnswer(const ui::HelloResult& answer);
  // After the service refused a call with `code`: a session that the service lost is forgotten
  // (the next call opens a new one), a listed sensor that is gone makes the list due again, and
  // when the code means that Windows keeps the sensor to itself, a log line says so and the
  // window offers the sign-in options.
  void NoteServiceRefusal(HRESULT code);
  // Offers the button that opens Settings › Accounts › Sign-in options, where Windows has it,
  // from now on.
  void OfferSignInOptions();

  // ---- Why sign-in works or not, and a list that follows the hardware (hardware_watch.cpp) ----
  // Once the sensors were enumerated with `sensors_result`: the log lines and the status line of
  // the sign-in state, and the offer of the sign-in options where the user can mend it himself.
  void ShowSignInState(HRESULT sensors_result);
  // Registers the window for sensors that come and go and for resume from sleep.
  void WatchHardware();
  // A system message: a change of the sensors starts (or restarts) the wait for the events to
  // settle.
  void WMSystemMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam);
  // The events settled: the list is due again.
  void SensorChangesSettled();
  // The rows no longer match the service (a sensor gone, every slot taken): the list is due.
  void NoteRowsOutOfDate();
  // Lists again, with the line that says why, when a listing is due and no command runs.
  void ListAgainWhenDue();

  std::u16string FExecutablePath;
  std::optional<std::u16string> FPerUserFolder;
  TWinBioLib FLib;
  WINBIO_SESSION_HANDLE FSession = 0;
  TWinBioBuffer<WINBIO_UNIT_SCHEMA> FUnitArray;
  std::size_t FUnitCount = 0;
  TWinBioIdentity FIdent{};
  TFingerBook FBook;              // the descriptions in CFG.TOML
  bool FConfigPlaceTold = false;  // the log has said where CFG.TOML is, when not beside the program
  TLanguageDocument FLang;
  TFingerList FFingers{ListView, *this};
  // A command runs (RunCommand), and the window was closed meanwhile.
  bool FCommandRunning = false;
  bool FCloseWhenDone = false;
  // The window offers the system's sign-in options (see OfferSignInOptions).
  bool FSignInOptionsOffered = false;
  // The line that says why the list is to be read again: of the events still settling, and
  // once they settled or the rows are out of date, of the listing due; null when none.
  const TranslatableText* FSettlingChange = nullptr;
  const TranslatableText* FListDue = nullptr;
  std::optional<platform::BiometricReaderNotification> FReaderNotification;
};

}  // namespace dactyra
