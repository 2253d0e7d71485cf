#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/config_store.h"
#include "app/enrolled_fingers.h"
#include "app/finger_list.h"
#include "app/winbio_buffer.h"
#include "base/text_source.h"
#include "biometric/winbio_lib.h"
#include "biometric/winbio_types.h"
#include "platform/platform.h"
#include "toml/value.h"
#include "ui/ui.h"

namespace dactyra {

// The system-menu command of the About item.
inline constexpr std::uint32_t kAboutCommand = 0x401;

// The window's font, which the dialogs take over: Microsoft YaHei ("微软雅黑") at 13 pixels.
inline constexpr char16_t kWindowFontFace[] = u"\u5FAE\u8F6F\u96C5\u9ED1";
inline constexpr int kWindowFontPixels = 13;

// The slot for a new enrollment: the one after the highest of the ten unspecified-position
// slots among `in_use`; 0 when 0xFE is among them.
WINBIO_BIOMETRIC_SUBTYPE NextFreeSlot(std::span<const WINBIO_BIOMETRIC_SUBTYPE> in_use);

// The main window: the list of the current user's enrolled fingerprints, the command buttons
// and the activity log. It owns the binding of the biometric service, the open session, the
// sensors of the last listing, the user's identity and the language document, and gives every
// text of the program through GetLangStr and GetLangInt.
class TForm1 final : public ui::Form, public TextSource {
 public:
  // `executable_path` (the running program's, as a rule) locates CFG.TOML and the language
  // folder; `per_user_folder` is where CFG.TOML goes when the program's folder cannot take it
  // (the user's %LOCALAPPDATA%).
  explicit TForm1(std::u16string_view executable_path,
                  std::optional<std::u16string> per_user_folder = platform::LocalAppDataFolder());
  ~TForm1() override;

  ui::Panel pnlTop{*this, {.height = 60, .dock = ui::Dock::kTop}};
  ui::Label lblUser{pnlTop, {.left = 16, .top = 20}, u"Current user: "};
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

  // The list command, run at start, by btnEnum and after an enrollment or a deletion.
  void btnEnumClick();
  void btnVerifyClick();
  void btnAddClick();
  void btnDeleteClick();
  void ButtonCloseClick();
  void btnSignInOptionsClick();
  void ListViewSelectItem(int row, bool selected);
  bool WMSysCommand(std::uint32_t command);

  // The list's keys and context menu (list_keys.cpp): Enter verifies and Del deletes the
  // selected finger; anywhere in the window F2 renames it, F3 finds the finger touched and F5
  // lists again. Each acts only when its command is enabled.
  bool ListViewKeyDown(ui::Key key);
  bool FormKeyDown(ui::Key key);
  void ListViewContextMenu(const ui::ContextMenuRequest& request);
  // Renames the selected finger without a touch, as the verification dialog does.
  void RenameSelectedFinger();
  // "Which finger is this?": identifies a touch and, for a listed finger of the user, selects
  // its row. Enabled once a listing found a sensor.
  void FindTouchedFinger();
  bool CanFindTouchedFinger() const { return FUnitCount > 0; }

  // Rewrites CFG.TOML from the records of the list.
  void SaveCfg();

  // The record behind the selected row; false (and an empty record) when none is selected.
  bool GetSelectedRecord(TFingerRecord& record) const;

  // The listed fingers, one record per row.
  const TFingerList& Fingers() const { return FFingers; }

  // The slot for a new enrollment by the rows of the list: the one after the highest of the ten
  // unspecified-position slots in use on any sensor; 0 when 0xFE is in use.
  WINBIO_BIOMETRIC_SUBTYPE NextFreeSubFactor() const;

  // A string of the program's version resource ("FileVersion"); empty when absent.
  std::u16string GetAppVersionField(std::u16string_view Key) const;
  // The link time of a PE file in local time; the zero date-time (and a log line) when its
  // headers cannot be read. Raises Error when the file cannot be opened.
  platform::LocalDateTime GetLocalLinkerTimestamp(std::u16string_view filename);

 private:
  void FormCreate();
  void FormClose();
  void FormDestroy();

  void AddLog(std::u16string_view text);
  void AddLogResult(std::u16string_view prefix, HRESULT code);
  // The signed-in user's SID text, which owns his entries in CFG.TOML; empty while unknown.
  std::u16string Owner() const;
  bool EnsureLibrary();
  bool EnsureSession();
  void CloseCurrentSession();
  // Forgets the session without closing it: a worker that the service did not release is still
  // blocked on it, and a close could wait for that worker's touch.
  void LeaveSessionBehind() { FSession = 0; }
  void ReleaseBiometrics();
  void ClearFingerList();
  void UpdateButtons();

  // The steps of the list command.
  std::u16string BeginListing();
  bool ReadCurrentUser(std::u16string_view user_label);
  bool ReadSensors();
  void ListEnrollments();
  void StoreSensorNames(toml::TTOMLTable& document);
  void ApplyStoredDescriptions(const toml::TTOMLTable& document);

  // The sensor for a new enrollment (SelectSensor of sensor_dialog.h over the sensors of the
  // last listing): a unit id, 0 for the automatic choice, -1 when cancelled.
  std::int64_t SelectSensor();

  // The slot for a new finger by the service's current list (EnrolledSubFactors); 0, with the
  // reason logged, when there is none or the service cannot tell.
  WINBIO_BIOMETRIC_SUBTYPE ChooseFreeSlot(WINBIO_UNIT_ID unit);
  // Enrolls `slot` on `unit` (0: the sensor touched) through the enrollment dialog: the new
  // finger with its description, or none (the dialog's last status logged).
  std::optional<TFingerRecord> Enroll(WINBIO_BIOMETRIC_SUBTYPE slot, WINBIO_UNIT_ID unit);

  // The sub-factors the current user has enrolled, as the service lists them now on every
  // sensor; none (and the failure logged) when a sensor the finger may go to cannot be listed:
  // `chosen_unit`, or any sensor when it is 0.
  std::optional<std::vector<WINBIO_BIOMETRIC_SUBTYPE>> EnrolledSubFactors(
      WINBIO_UNIT_ID chosen_unit);

  // ---- The owner's proof, and sensors that Windows keeps to itself (owner_proof.cpp) ----
  void PrepareSignInOffer();
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
  // After the service refused a call with `code`: when that means that Windows keeps the sensor
  // to itself, a log line says so and the window offers the sign-in options.
  void NoteServiceRefusal(HRESULT code);

  std::u16string FExecutablePath;
  std::optional<std::u16string> FPerUserFolder;
  TWinBioLib FLib;
  WINBIO_SESSION_HANDLE FSession = 0;
  TWinBioBuffer<WINBIO_UNIT_SCHEMA> FUnitArray;
  std::size_t FUnitCount = 0;
  TWinBioIdentity FIdent{};
  std::u16string cfg;
  TConfigStore FConfig;           // reads and writes cfg
  bool FConfigPlaceTold = false;  // the log has said where cfg is, when not beside the program
  std::unique_ptr<toml::TTOMLTable> lang;
  TFingerList FFingers{ListView};
  // The rows show every enrollment of the sensors that the last listing could enumerate (the
  // listing got through its end): only then may closing the window rewrite CFG.TOML.
  bool FListingComplete = false;
  // The unit ids whose enrollments the last listing enumerated.
  std::set<std::int64_t> FListedUnits;
};

}  // namespace dactyra
