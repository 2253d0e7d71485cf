#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/text_source.h"
#include "ui/control.h"
#include "ui/message_target.h"

namespace dactyra::ui {

class Button;

namespace detail {
struct FormResources;  // a backend's per-form native resources (fonts)
}

enum class FormBorder {
  kSizeable,  // a main window: resizable, minimise and maximise boxes
  kDialog,    // fixed size, caption and close box only
};

enum class FormPosition { kCenterScreen, kCenterOwner };

struct FormOptions {
  std::u16string caption;
  int client_width = 0;  // 96-DPI pixels
  int client_height = 0;
  FormBorder border = FormBorder::kSizeable;
  FormPosition position = FormPosition::kCenterScreen;
  Form* owner = nullptr;  // a dialog's owner is disabled while the dialog is shown modally
  // The font of every control on the form. None given: the owner's font, or the system's
  // message font for a form without owner.
  std::optional<FontSpec> font = std::nullopt;
  // Where the texts the form shows by itself come from (the error box of a handler that failed),
  // which must outlive the form. None given: the owner's, or the built-in English for a form
  // without owner.
  const TextSource* texts = nullptr;
};

// An item added to the form's system menu.
struct SystemMenuItem {
  std::uint32_t id = 0;
  std::u16string text;
  bool checked = false;
};

// A handler of a posted message: its two parameters as posted.
using MessageHandler = std::function<void(std::uintptr_t wparam, std::intptr_t lparam)>;

// A top-level window: the main window or a dialog shown modally. Its controls are created on
// it (or on its panels) after it, usually as fields of the derived class:
//
//   class TFormVerify : public ui::Form {
//     ui::Button btnClose{*this, {232, 199, 100, 32}, u"&Close", {.cancel = true}};
//   };
//
// The derived class runs its own FormCreate at the end of its constructor and FormDestroy in
// its destructor; OnShow, OnClose and OnSysCommand are called by the form.
class Form : public Control {
 public:
  explicit Form(const FormOptions& options);
  ~Form() override;

  const std::u16string& Caption() const { return Text(); }
  void SetCaption(std::u16string_view caption) { SetText(caption); }
  Form* Owner() const { return owner_; }
  FormBorder Border() const { return border_; }
  const FontSpec& Font() const { return font_; }
  // Another font for every control of the form; dialogs made after it take it over.
  void SetFont(const FontSpec& font);
  const TextSource& Texts() const { return *texts_; }

  // The dots per inch of the monitor the form is on (96 for the headless backend).
  int Dpi() const { return dpi_; }

  // Whether the system shows a high-contrast theme: the controls then paint with its colours
  // instead of their own. The backend follows the system's setting while the form lives.
  bool HighContrast() const { return high_contrast_; }

  // Client size in 96-DPI pixels; ClientSize() is the current one in device pixels.
  void SetClientSize(int width, int height);
  Size ClientSize() const override { return client_size_; }

  // Shows the form without waiting (the main window).
  void Show();
  void Hide();
  bool Showing() const { return showing_; }

  // Shows the form modally: its owner is disabled and the call returns when a modal result has
  // been set (by a button with a modal result, SetModalResult, Esc on a cancel button, or
  // Close).
  ModalResult ShowModal();
  bool IsModal() const { return modal_; }
  ModalResult GetModalResult() const { return modal_result_; }
  void SetModalResult(ModalResult result) { modal_result_ = result; }

  // Closes the form as its close box does: OnCloseQuery may refuse it; otherwise OnClose runs,
  // then a modal form ends with Cancel (unless a result is set) and a modeless one hides and
  // counts as closed.
  void Close();
  bool Closed() const { return closed_; }

  // Brings the form to the foreground and to the top of the window order.
  void BringToFront();

  // Ends every wait of this window as a cancel, as a quit does: its modal dialogs (and theirs)
  // close as their close box closes them, a Windows Hello request is cancelled, and from now on
  // nothing owned by it opens (a dialog, message box or prompt gives its cancel answer at once).
  // Called on the main window when it is closed while a command waits.
  void EndWaits();
  // Whether EndWaits was called on this form or on one of its owners.
  bool WaitsEnded() const;
  // The same for the owner of a wait; false for a wait without owner.
  static bool WaitsEnded(const Form* owner) { return owner != nullptr && owner->WaitsEnded(); }

  // The buttons pressed by Enter and Esc (set by the buttons' options).
  Button* DefaultButton() const { return default_button_; }
  Button* CancelButton() const { return cancel_button_; }

  // Inserts an item at the top of the form's system menu; choosing it calls OnSysCommand with
  // its id.
  void InsertSystemMenuItem(const SystemMenuItem& item);
  const std::vector<SystemMenuItem>& SystemMenuItems() const { return system_menu_; }

  // A system menu command as the user chooses it: OnSysCommand sees it first; true when it
  // handled the command (otherwise the window's default handling applies).
  bool SysCommand(std::uint32_t command);

  // Registers the handler of a posted message number (kUserMessage + n).
  void SetMessageHandler(std::uint32_t message, MessageHandler handler);
  // The handle through which worker threads post to this form.
  MessageTarget Target() const { return MessageTarget(mailbox_); }
  // Runs the handler of a message that arrived; unknown numbers are ignored. True if handled.
  bool Dispatch(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam);

  // A message the system sends to every window that registered for it, of devices that come
  // and go (WM_DEVICECHANGE) and of sleep and resume (WM_POWERBROADCAST): OnSystemMessage hears
  // it with its parameters as sent, and the window's default handling follows.
  void SystemMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam);
  // The native window's handle, for registrations with the system (0 without one).
  std::uintptr_t NativeWindow() const;

  // The form's one-shot timer: OnTimer runs once, `delay` after the last start; a start while
  // it waits starts the wait anew.
  void StartTimer(std::chrono::milliseconds delay);
  void StopTimer();
  bool TimerStarted() const { return timer_started_; }

  std::function<void()> OnShow;
  // Asked before the form closes; false keeps it open.
  std::function<bool()> OnCloseQuery;
  std::function<void()> OnClose;
  std::function<bool(std::uint32_t command)> OnSysCommand;
  // A key pressed anywhere in the form that its control did not take (see Control::KeyDown);
  // true when handled.
  std::function<bool(Key key)> OnKeyDown;
  std::function<void(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam)>
      OnSystemMessage;
  std::function<void()> OnTimer;

 protected:
  bool HandleKey(Key key) override;

 private:
  friend struct detail::Access;
  friend class Button;
  friend class Control;
  class ModalShowing;

  void SetDpi(int dpi) { dpi_ = dpi; }
  // The backend's report that the timer's wait is over.
  void TimerElapsed();
  // The backend's report of the system's theme; the controls repaint when it changes.
  void SetHighContrast(bool high_contrast);

  Form* owner_;
  FormBorder border_;
  FormPosition position_;
  FontSpec font_;
  const TextSource* texts_;
  int dpi_ = 96;
  bool high_contrast_ = false;
  Size design_client_;  // 96-DPI pixels
  Size client_size_;    // device pixels
  bool showing_ = false;
  bool modal_ = false;
  bool closed_ = false;
  bool waits_ended_ = false;
  bool timer_started_ = false;
  ModalResult modal_result_ = ModalResult::kNone;
  Control* focused_ = nullptr;  // the control with the keyboard focus (headless bookkeeping)
  Button* default_button_ = nullptr;
  Button* cancel_button_ = nullptr;
  std::vector<SystemMenuItem> system_menu_;
  std::map<std::uint32_t, MessageHandler> message_handlers_;
  std::shared_ptr<detail::Mailbox> mailbox_;
  std::shared_ptr<detail::FormResources> resources_;
};

}  // namespace dactyra::ui
