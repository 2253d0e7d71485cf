// The headless backend: no native windows; the model is all there is. Posted messages wait in a
// per-form queue, modal forms are run by the test's driver and message boxes are answered by
// the test's responder (see driver.h).

#include <algorithm>
#include <utility>
#include <vector>

#include "base/error.h"
#include "ui/detail/backend.h"
#include "ui/detail/focus.h"
#include "ui/edit.h"
#include "ui/headless/driver.h"
#include "ui/headless/mailbox.h"
#include "ui/layout.h"
#include "ui/list_view.h"

namespace dactyra::ui {

namespace detail {

struct Access {
  static void SelectionChanged(ListView& list, int row, bool selected) {
    list.SelectionChanged(row, selected);
  }
  static Control*& Focused(Form& form) { return form.focused_; }
  // The form is on a monitor of `dpi`: its client area and its controls follow.
  static void Rescale(Form& form, int dpi) {
    form.SetDpi(dpi);
    form.client_size_ = {ScaleForDpi(form.design_client_.width, dpi),
                         ScaleForDpi(form.design_client_.height, dpi)};
    form.LayoutChildrenNow();
  }
  static Mailbox& MailboxOf(Form& form) { return *form.mailbox_; }
  static void SetHighContrast(Form& form, bool high_contrast) {
    form.SetHighContrast(high_contrast);
  }
  static void TimerElapsed(Form& form) { form.TimerElapsed(); }
};

namespace {

// The high-contrast settings of the ScopedHighContrast objects of this thread, innermost last.
std::vector<bool>& ThreadHighContrast() {
  thread_local std::vector<bool> settings;
  return settings;
}

// The modal drivers installed on this thread, innermost last.
std::vector<headless::ScopedModalDriver*>& ThreadDrivers() {
  thread_local std::vector<headless::ScopedModalDriver*> drivers;
  return drivers;
}

}  // namespace

void Mailbox::Push(const PostedMessage& message) {
  {
    const std::lock_guard lock(mutex_);
    queue_.push_back(message);
  }
  arrived_.notify_all();
}

std::deque<PostedMessage> Mailbox::TakeAll() {
  const std::lock_guard lock(mutex_);
  return std::exchange(queue_, {});
}

bool Mailbox::WaitUntil(std::chrono::steady_clock::time_point deadline) {
  std::unique_lock lock(mutex_);
  return arrived_.wait_until(lock, deadline, [this] { return !queue_.empty(); });
}

// A dialog opens on its owner's monitor, at its DPI. A form takes the theme of the moment.
void CreateNative(Control& control) {
  if (control.Kind() == ControlKind::kForm) {
    auto& form = static_cast<Form&>(control);
    if (form.Owner() != nullptr) {
      Access::Rescale(form, form.Owner()->Dpi());
    }
    const std::vector<bool>& settings = ThreadHighContrast();
    Access::SetHighContrast(form, !settings.empty() && settings.back());
  }
}
void DestroyNative(Control&) {}
void OrphanNative(Control&) {}
void UpdateText(Control&) {}
// As on Windows, a disabled control cannot keep the focus: it is nowhere until it is given again.
void UpdateEnabled(Control& control) {
  if (!control.Enabled() && control.Kind() != ControlKind::kForm && HoldsFocus(control)) {
    Access::Focused(control.OwnerForm()) = nullptr;
  }
}
void UpdateVisible(Control&) {}
void UpdateBounds(Control&) {}
void UpdateLook(Control&) {}
void UpdateAccessibleName(Control&) {}

void SetFocus(Control& control) {
  Access::Focused(control.OwnerForm()) = &control;
}

void MoveToTabFront(Control&) {}

bool HasFocus(const Control& control) {
  return Access::Focused(control.OwnerForm()) == &control;
}

namespace {

// Whether a character takes two cells of a fixed-width font (Chinese, Japanese and Korean
// scripts, full-width forms).
bool IsWide(char16_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
         (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6);
}

}  // namespace

// A fixed stand-in for the font: 7 pixels per character (8 when bold; twice that for a wide
// one), 15 per line, at 96 DPI.
Size MeasureText(const Form& form, std::u16string_view text, FontWeight weight) {
  const bool bold = weight == FontWeight::kBold;
  int lines = 1;
  int longest = 0;
  int current = 0;
  for (const char16_t c : text) {
    if (c == u'\n') {
      ++lines;
      current = 0;
    } else if (c != u'\r' && c != u'&') {
      current += IsWide(c) ? 2 : 1;
      longest = std::max(longest, current);
    }
  }
  const int per_cell = bold ? 8 : 7;
  return {ScaleForDpi(longest * per_cell, form.Dpi()), ScaleForDpi(lines * 15, form.Dpi())};
}

void ListAddColumn(ListView&, int) {}
void ListInsertRow(ListView&, int) {}
void ListSetCell(ListView&, int, int) {}
void ListClear(ListView&) {}

void ListSelect(ListView& list, int row) {
  const int old = list.SelectedIndex();
  if (old == row) {
    return;
  }
  if (old >= 0) {
    Access::SelectionChanged(list, old, false);
  }
  if (row >= 0) {
    Access::SelectionChanged(list, row, true);
  }
}

void ListSetRedraw(ListView&, bool) {}

// There is no screen: a keyboard menu opens at the list's own corner.
Point ListMenuPoint(const ListView& list, int) {
  return {list.Bounds().left, list.Bounds().top};
}
void MemoAppend(Memo&, std::u16string_view) {}
void MemoClear(Memo&) {}

std::shared_ptr<Mailbox> MakeMailbox(Form&) {
  return std::make_shared<Mailbox>();
}
void FormApplyClientSize(Form&) {}
void FormApplyFont(Form&) {}

namespace {

// A form that is shown gets the focus as on Windows: on its first tab stop unless one of its
// controls has it already.
void FocusOnShow(Form& form) {
  if (!HoldsFocus(form)) {
    Control* first = NextTabStop(form, nullptr);
    SetFocus(first != nullptr ? *first : static_cast<Control&>(form));
  }
}

}  // namespace

void FormShow(Form& form) {
  FocusOnShow(form);
}

void FormEnterModal(Form&) {}
void FormLeaveModal(Form&) {}
void FormHide(Form&) {}
void FormBringToFront(Form&) {}
void FormWakeWaits(Form&) {}
void FormInsertSystemMenuItem(Form&, const SystemMenuItem&) {}
std::uintptr_t FormNativeWindow(const Form&) {
  return 0;
}
// The timer's wait is the test's: see headless::ElapseTimer.
void FormStartTimer(Form&, std::chrono::milliseconds) {}
void FormStopTimer(Form&) {}

bool ClipboardSetText(Form& owner, std::u16string_view text) {
  auto* clipboard = headless::ScopedClipboard::Innermost();
  if (clipboard == nullptr) {
    throw Error(u"No clipboard takes the text of \"" + owner.Caption() + u"\".");
  }
  return clipboard->Answer(&owner, std::u16string(text));
}

ModalResult FormRunModal(Form& form) {
  auto& drivers = ThreadDrivers();
  if (drivers.empty()) {
    throw Error(u"No modal driver runs the form \"" + form.Caption() + u"\".");
  }
  FocusOnShow(form);
  headless::DeliverPostedMessages(form);
  if (form.GetModalResult() == ModalResult::kNone) {
    drivers.back()->Run(form);
  }
  if (form.GetModalResult() == ModalResult::kNone) {
    headless::DeliverPostedMessages(form);
  }
  if (form.GetModalResult() == ModalResult::kNone && form.WaitsEnded()) {
    form.Close();  // as the Win32 loop does once the waits ended
  }
  if (form.GetModalResult() == ModalResult::kNone) {
    throw Error(u"The modal form \"" + form.Caption() + u"\" was left open.");
  }
  return form.GetModalResult();
}

}  // namespace detail

bool MessageTarget::Post(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) const {
  const std::shared_ptr<detail::Mailbox> mailbox = mailbox_.lock();
  if (!mailbox) {
    return false;
  }
  mailbox->Push({message, wparam, lparam});
  return true;
}

ModalResult ShowMessageBox(const Form* owner, const MessageBoxRequest& request) {
  if (Form::WaitsEnded(owner)) {
    return ModalResult::kCancel;  // never shown
  }
  auto* responder = headless::ScopedMessageBoxResponder::Innermost();
  if (responder == nullptr) {
    throw Error(u"No responder answers the message box \"" + request.text + u"\".");
  }
  return responder->Answer(owner, request);
}

std::uint32_t ShowPopupMenu(const Form& owner, const PopupMenuRequest& request) {
  auto* responder = headless::ScopedPopupMenuResponder::Innermost();
  if (responder == nullptr) {
    throw Error(u"No responder answers the popup menu of \"" + owner.Caption() + u"\".");
  }
  const std::uint32_t chosen = responder->Answer(&owner, request);
  const bool choosable = std::ranges::any_of(request.items, [&](const MenuItem& item) {
    return item.id == chosen && item.enabled && !item.text.empty();
  });
  return choosable ? chosen : 0;
}

namespace headless {

ScopedHighContrast::ScopedHighContrast(bool high_contrast) {
  detail::ThreadHighContrast().push_back(high_contrast);
}

ScopedHighContrast::~ScopedHighContrast() {
  detail::ThreadHighContrast().pop_back();
}

ScopedModalDriver::ScopedModalDriver(ModalDriver driver) : driver_(std::move(driver)) {
  detail::ThreadDrivers().push_back(this);
}

ScopedModalDriver::~ScopedModalDriver() {
  std::erase(detail::ThreadDrivers(), this);
}

int DeliverPostedMessages(Form& form) {
  int delivered = 0;
  for (const detail::PostedMessage& posted : detail::Access::MailboxOf(form).TakeAll()) {
    form.Dispatch(posted.message, posted.wparam, posted.lparam);
    ++delivered;
  }
  return delivered;
}

bool PumpUntil(Form& form, const std::function<bool()>& condition,
               std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  DeliverPostedMessages(form);
  while (!condition()) {
    if (!detail::Access::MailboxOf(form).WaitUntil(deadline)) {
      return condition();
    }
    DeliverPostedMessages(form);
  }
  return true;
}

namespace {

// The control a key goes to: the one with the focus. A form that is not shown takes keys itself;
// in a form that is shown with the focus nowhere no key reaches anything (null).
Control* KeyTarget(Form& form) {
  Control* focused = detail::Access::Focused(form);
  return focused != nullptr || form.Showing() ? focused : &form;
}

}  // namespace

void PressEnter(Form& form) {
  Control* target = KeyTarget(form);
  if (target == nullptr) {
    return;
  }
  if (target->Kind() == ControlKind::kButton) {
    static_cast<Button*>(target)->Click();
  } else if (form.DefaultButton() != nullptr) {
    form.DefaultButton()->Click();
  }
}

void PressEscape(Form& form) {
  if (KeyTarget(form) != nullptr && form.CancelButton() != nullptr) {
    form.CancelButton()->Click();
  }
}

void PressCloseBox(Form& form) {
  form.Close();
}

bool PressKey(Form& form, Key key) {
  Control* target = KeyTarget(form);
  return target != nullptr && target->KeyDown(key);
}

void ElapseTimer(Form& form) {
  detail::Access::TimerElapsed(form);
}

void MoveToDpi(Form& form, int dpi) {
  detail::Access::Rescale(form, dpi);
}

}  // namespace headless

}  // namespace dactyra::ui
