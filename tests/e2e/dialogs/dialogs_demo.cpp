// Shows the enrollment or the verification dialog on the biometric service of the system (under
// Wine: the simulator), for the end-to-end suite tests/suites/dialogs-e2e, which drives it from
// outside:
//
//   dialogs_demo.exe enroll|verify|sensor <folder>
//
// Every 100 ms the dialog writes its status line to <folder>\status.txt (UTF-8) and looks for
// <folder>\command.txt: "click" presses its main button (Done, Close or OK) as the user would.
// The sensor dialog offers a sensor with a long name full of '&' beside a plain one; its status
// is the texts of its radio buttons as the windows hold them, one a line.
// Exit code: 0 when the dialog ended as expected (enrollment: OK with a new template;
// verification: closed after a match; sensor: OK with Auto), 1 when it ended otherwise, 2 for a
// usage error, 3 when the service cannot be reached.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/sensor_dialog.h"
#include "base/file.h"
#include "base/utf.h"
#include "base/wide.h"
#include "biometric/winbio_lib.h"
#include "biometric/winbio_texts.h"
#include "enroll/form_enroll.h"
#include "ui/win32/native.h"
#include "verify/form_verify.h"

namespace dactyra {
namespace {

constexpr std::uint32_t kTick = ui::kUserMessage + 300;

// Posts a tick to the form every 100 ms while it lives.
class Ticker {
 public:
  explicit Ticker(const ui::Form& form)
      : thread_([this, target = form.Target()] {
          while (!stop_) {
            target.Post(kTick, 0, 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
          }
        }) {}
  ~Ticker() {
    stop_ = true;
    thread_.join();
  }
  Ticker(const Ticker&) = delete;
  Ticker& operator=(const Ticker&) = delete;

 private:
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// On each tick: reports the status line and carries out a waiting command.
void OnTick(const std::u16string& folder, const ui::Label& status, ui::Button& main_button) {
  WriteFileAtomically(folder + u"\\status.txt", Utf16ToUtf8Lossy(status.Text()));
  const std::u16string command_path = folder + u"\\command.txt";
  const FileReadResult command = ReadWholeFile(command_path);
  if (command.status == FileReadResult::Status::kOk && command.bytes.starts_with("click")) {
    DeleteFileW(Wide(command_path));
    main_button.Click();
  }
}

std::u16string WindowText(HWND window) {
  std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, u'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(window, WideData(text), static_cast<int>(text.size()))));
  return text;
}

// The buttons of a window, in creation order.
std::vector<HWND> Buttons(HWND window) {
  std::vector<HWND> buttons;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM found) {
        wchar_t name[16] = {};
        GetClassNameW(child, name, 16);
        if (lstrcmpiW(name, L"Button") == 0) {
          reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&buttons));
  return buttons;
}

// On each tick of the owner: reports the sensor dialog's radio texts and carries out a command.
void OnSensorTick(const std::u16string& folder, const ui::Form& owner) {
  HWND dialog = nullptr;
  do {
    dialog = FindWindowExW(nullptr, dialog, L"DactyraWindow", nullptr);
  } while (dialog != nullptr &&
           (GetWindow(dialog, GW_OWNER) != ui::win32::WindowOf(owner) || !IsWindowVisible(dialog)));
  if (dialog == nullptr) {
    return;
  }
  std::u16string status;
  HWND ok = nullptr;
  for (HWND button : Buttons(dialog)) {
    if ((GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON) {
      status += WindowText(button) + u"\n";
    } else if (ok == nullptr) {
      ok = button;
    }
  }
  WriteFileAtomically(folder + u"\\status.txt", Utf16ToUtf8Lossy(status));
  const std::u16string command_path = folder + u"\\command.txt";
  const FileReadResult command = ReadWholeFile(command_path);
  if (command.status == FileReadResult::Status::kOk && command.bytes.starts_with("click")) {
    DeleteFileW(Wide(command_path));
    PostMessageW(ok, BM_CLICK, 0, 0);
  }
}

int RunSensor(const std::u16string& folder) {
  const BuiltInTexts texts;
  ui::Form owner({.caption = u"Dactyra", .client_width = 600, .client_height = 400});
  owner.Show();
  owner.SetMessageHandler(kTick,
                          [&](std::uintptr_t, std::intptr_t) { OnSensorTick(folder, owner); });
  const Ticker ticker(owner);
  const std::vector<TSensorChoice> sensors{
      {u"R&D Lab Fingerprint Reader & Sensor of the Second Floor, Left Desk", 1},
      {u"USB Fingerprint Reader", 2}};
  return SelectSensor(owner, sensors, texts) == 0 ? 0 : 1;
}

int RunEnroll(const std::u16string& folder, const TWinBioLib& lib, WINBIO_SESSION_HANDLE session,
              const TWinBioIdentity& me) {
  const BuiltInTexts texts;
  TFormEnroll form(nullptr, texts, {lib, session, me},
                   {.SubFactor = 0xF6, .UnitId = 1, .Description = SubFactorName(0xF6, texts)});
  form.SetMessageHandler(kTick, [&](std::uintptr_t, std::intptr_t) {
    OnTick(folder, form.lblStatus, form.btnCancel);
  });
  const Ticker ticker(form);
  const ui::ModalResult result = form.ShowModal();
  const std::optional<TEnrollResult> enrolled = form.Outcome().Committed;
  return result == ui::ModalResult::kOk && enrolled && enrolled->IsNew && enrolled->UnitId == 1 ? 0
                                                                                                : 1;
}

int RunVerify(const std::u16string& folder, const TWinBioLib& lib, WINBIO_SESSION_HANDLE session,
              const TWinBioIdentity& me) {
  const BuiltInTexts texts;
  TFormVerify form(
      nullptr, texts, {lib, session, me},
      {1, u"Simulated sensor", 0xF5, SubFactorName(0xF5, texts), u"right index finger"});
  form.SetMessageHandler(
      kTick, [&](std::uintptr_t, std::intptr_t) { OnTick(folder, form.lblStatus, form.btnClose); });
  const Ticker ticker(form);
  form.ShowModal();
  return form.shapeIcon.Fill() == ui::Color(0x00BB00) ? 0 : 1;
}

}  // namespace
}  // namespace dactyra

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR command_line, int) {
  using namespace dactyra;
  // "<mode> <folder>": the folder is the rest of the line, without surrounding quotes.
  const std::wstring line = command_line != nullptr ? command_line : L"";
  const std::size_t space = line.find(L' ');
  if (space == std::wstring::npos) {
    return 2;
  }
  const std::wstring mode = line.substr(0, space);
  std::wstring folder_wide = line.substr(space + 1);
  std::erase(folder_wide, L'"');
  const std::u16string folder(folder_wide.begin(), folder_wide.end());
  if (mode == L"sensor") {
    return RunSensor(folder);
  }

  TWinBioLib lib;
  TWinBioIdentity me{};
  WINBIO_SESSION_HANDLE session = 0;
  if (!lib.Load() || !GetCurrentIdentity(me) ||
      Failed(lib.OpenSession(WINBIO_TYPE_FINGERPRINT, WINBIO_POOL_SYSTEM, WINBIO_FLAG_DEFAULT,
                             nullptr, 0, kDatabaseIdNull, &session))) {
    return 3;
  }
  int exit_code = 2;
  if (mode == L"enroll") {
    exit_code = RunEnroll(folder, lib, session, me);
  } else if (mode == L"verify") {
    exit_code = RunVerify(folder, lib, session, me);
  }
  lib.CloseSession(session);
  lib.Unload();
  return exit_code;
}
