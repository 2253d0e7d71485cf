#pragma once

// Test hooks of the headless backend: who runs a modal form, who answers message boxes, and
// helpers that act on a form as its user would. The hooks belong to the thread that installs
// them (the test's UI thread) and nest: the innermost one answers.

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/button.h"
#include "ui/form.h"
#include "ui/message_box.h"
#include "ui/popup_menu.h"

namespace dactyra::ui::headless {

// Runs a modal form: called by ShowModal after the posted messages waiting for the form are
// delivered. It must end the form (press a button, close it, or pump until a message does);
// a form it leaves open makes ShowModal raise an Error.
using ModalDriver = std::function<void(Form& form)>;

class ScopedModalDriver {
 public:
  explicit ScopedModalDriver(ModalDriver driver);
  ~ScopedModalDriver();
  ScopedModalDriver(const ScopedModalDriver&) = delete;
  ScopedModalDriver& operator=(const ScopedModalDriver&) = delete;

  void Run(Form& form) { driver_(form); }

 private:
  ModalDriver driver_;
};

// Answers every request of one kind (message boxes, popup menus) while it lives, as the user
// would, and records them. Without one such a request raises an Error.
template <typename Request, typename Result>
class ScopedResponder {
 public:
  // One request as it was made.
  struct Call {
    std::u16string owner_caption;  // empty without an owner
    Request request;
  };
  using Responder = std::function<Result(const Request& request)>;

  explicit ScopedResponder(Responder responder) : responder_(std::move(responder)) {
    Stack().push_back(this);
  }
  ~ScopedResponder() { std::erase(Stack(), this); }
  ScopedResponder(const ScopedResponder&) = delete;
  ScopedResponder& operator=(const ScopedResponder&) = delete;

  // The innermost responder of this thread; null when none.
  static ScopedResponder* Innermost() { return Stack().empty() ? nullptr : Stack().back(); }

  Result Answer(const Form* owner, const Request& request) {
    calls_.push_back({owner != nullptr ? owner->Caption() : std::u16string(), request});
    return responder_(request);
  }
  const std::vector<Call>& Calls() const { return calls_; }

 private:
  static std::vector<ScopedResponder*>& Stack() {
    thread_local std::vector<ScopedResponder*> stack;
    return stack;
  }

  Responder responder_;
  std::vector<Call> calls_;
};

// Message boxes: the answer is the button pressed.
using ScopedMessageBoxResponder = ScopedResponder<MessageBoxRequest, ModalResult>;
using MessageBoxCall = ScopedMessageBoxResponder::Call;
using MessageBoxResponder = ScopedMessageBoxResponder::Responder;

// Popup menus: the answer is the id of the item chosen, 0 to dismiss the menu. An id that is
// not one of an enabled item (which the user could not choose) counts as 0.
using ScopedPopupMenuResponder = ScopedResponder<PopupMenuRequest, std::uint32_t>;
using PopupMenuCall = ScopedPopupMenuResponder::Call;

// The clipboard: the answer is whether the text was taken. Without one, putting a text on the
// clipboard raises an Error.
using ScopedClipboard = ScopedResponder<std::u16string, bool>;

// The system's theme as the forms made while it lives find it: high contrast or not. Forms made
// outside any have the normal theme.
class ScopedHighContrast {
 public:
  explicit ScopedHighContrast(bool high_contrast);
  ~ScopedHighContrast();
  ScopedHighContrast(const ScopedHighContrast&) = delete;
  ScopedHighContrast& operator=(const ScopedHighContrast&) = delete;
};

// Runs the handlers of the messages posted to `form` so far; returns how many arrived.
int DeliverPostedMessages(Form& form);

// Delivers posted messages as they arrive until `condition` holds (checked before waiting and
// after each delivery) or `timeout` has passed. Returns the last value of `condition`.
bool PumpUntil(Form& form, const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(5));

// The form's one-shot timer elapses now, when it is started (see Form::StartTimer).
void ElapseTimer(Form& form);

// Keys and the close box as the user uses them. A form that is shown gets the focus on its
// first tab stop; a control that is disabled loses it (see Control::SetEnabled). In a shown form
// with the focus nowhere, keys do nothing, as on Windows.
void PressEnter(Form& form);   // the focused button, else the default button
void PressEscape(Form& form);  // the cancel button, if any
void PressCloseBox(Form& form);
// A key pressed in the form: the focused control's (see Control::KeyDown), else the form's.
bool PressKey(Form& form, Key key);

// The form moved to a monitor of `dpi` dots per inch: it and its controls are scaled anew, and
// its dialogs opened from now on take that DPI.
void MoveToDpi(Form& form, int dpi);

// Every control of type T below `root`, in creation order (depth first).
template <typename T>
std::vector<T*> FindAll(Control& root) {
  std::vector<T*> found;
  for (Control* child : root.Children()) {
    if (auto* typed = dynamic_cast<T*>(child)) {
      found.push_back(typed);
    }
    for (T* below : FindAll<T>(*child)) {
      found.push_back(below);
    }
  }
  return found;
}

// The first control of type T below `root` whose text is `text`; null when none.
template <typename T>
T* FindByText(Control& root, std::u16string_view text) {
  for (T* control : FindAll<T>(root)) {
    if (control->Text() == text) {
      return control;
    }
  }
  return nullptr;
}

}  // namespace dactyra::ui::headless
