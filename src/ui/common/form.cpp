#include "ui/form.h"

#include <utility>

#include "ui/button.h"
#include "ui/detail/backend.h"
#include "ui/layout.h"

namespace dactyra::ui {
namespace {

const TextSource& BuiltInEnglish() {
  static const BuiltInTexts texts;
  return texts;
}

}  // namespace

Form::Form(const FormOptions& options)
    : Control(nullptr, ControlKind::kForm, {}, options.caption),
      owner_(options.owner),
      border_(options.border),
      position_(options.position),
      font_(options.font               ? *options.font
            : options.owner != nullptr ? options.owner->Font()
                                       : FontSpec{}),
      texts_(options.texts              ? options.texts
             : options.owner != nullptr ? &options.owner->Texts()
                                        : &BuiltInEnglish()),
      design_client_{options.client_width, options.client_height} {
  form_ = this;
  client_size_ = {ScaleForDpi(design_client_.width, dpi_),
                  ScaleForDpi(design_client_.height, dpi_)};
  detail::CreateNative(*this);
  mailbox_ = detail::MakeMailbox(*this);
}

namespace {

void UpdateLookBelow(Control& control) {
  for (Control* child : control.Children()) {
    detail::UpdateLook(*child);
    UpdateLookBelow(*child);
  }
}

}  // namespace

Form::~Form() {
  StopTimer();
  // The controls made at run time go while the form is whole, as its fields do.
  DestroyOwnedChildren();
  // From here on posts are dropped. The window goes before the resources it uses.
  mailbox_.reset();
  detail::DestroyNative(*this);
  resources_.reset();
}

void Form::SetHighContrast(bool high_contrast) {
  if (high_contrast_ != high_contrast) {
    high_contrast_ = high_contrast;
    UpdateLookBelow(*this);
  }
}

void Form::SetClientSize(int width, int height) {
  design_client_ = {width, height};
  client_size_ = {ScaleForDpi(width, dpi_), ScaleForDpi(height, dpi_)};
  detail::FormApplyClientSize(*this);
  LayoutChildrenNow();
}

void Form::SetFont(const FontSpec& font) {
  if (font == font_) {
    return;
  }
  font_ = font;
  detail::FormApplyFont(*this);
  LayoutChildrenNow();  // texts that size their controls were measured in the old font
}

void Form::Show() {
  closed_ = false;
  RunHandler(OnShow);
  showing_ = true;
  detail::FormShow(*this);
}

void Form::Hide() {
  showing_ = false;
  detail::FormHide(*this);
}

// A modal showing: the owner is disabled while it lasts, and on every way out of it (an error
// included) the owner is enabled and the form is no longer shown.
class Form::ModalShowing {
 public:
  explicit ModalShowing(Form& form) : form_(form) {
    form_.modal_ = true;
    form_.closed_ = false;
    form_.modal_result_ = ModalResult::kNone;
    detail::FormEnterModal(form_);
  }
  ~ModalShowing() {
    detail::FormLeaveModal(form_);
    form_.showing_ = false;
    form_.modal_ = false;
  }
  ModalShowing(const ModalShowing&) = delete;
  ModalShowing& operator=(const ModalShowing&) = delete;

 private:
  Form& form_;
};

ModalResult Form::ShowModal() {
  if (WaitsEnded()) {
    return ModalResult::kCancel;  // never shown
  }
  const ModalShowing showing(*this);
  RunHandler(OnShow);
  showing_ = true;
  return detail::FormRunModal(*this);
}

void Form::Close() {
  if (OnCloseQuery) {
    bool may_close = true;
    RunHandler([&] { may_close = OnCloseQuery(); });
    if (!may_close) {
      return;
    }
  }
  RunHandler(OnClose);
  if (modal_) {
    if (modal_result_ == ModalResult::kNone) {
      modal_result_ = ModalResult::kCancel;
    }
    return;
  }
  Hide();
  closed_ = true;
}

void Form::BringToFront() {
  detail::FormBringToFront(*this);
}

void Form::EndWaits() {
  waits_ended_ = true;
  detail::FormWakeWaits(*this);
}

bool Form::WaitsEnded() const {
  for (const Form* form = this; form != nullptr; form = form->owner_) {
    if (form->waits_ended_) {
      return true;
    }
  }
  return false;
}

void Form::InsertSystemMenuItem(const SystemMenuItem& item) {
  system_menu_.insert(system_menu_.begin(), item);
  detail::FormInsertSystemMenuItem(*this, item);
}

bool Form::SysCommand(std::uint32_t command) {
  return HandledBy(OnSysCommand, command);
}

bool Form::HandleKey(Key key) {
  return HandledBy(OnKeyDown, key);
}

void Form::SetMessageHandler(std::uint32_t message, MessageHandler handler) {
  message_handlers_[message] = std::move(handler);
}

bool Form::Dispatch(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) {
  const auto it = message_handlers_.find(message);
  if (it == message_handlers_.end()) {
    return false;
  }
  RunHandler(it->second, wparam, lparam);
  return true;
}

void Form::SystemMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) {
  RunHandler(OnSystemMessage, message, wparam, lparam);
}

std::uintptr_t Form::NativeWindow() const {
  return detail::FormNativeWindow(*this);
}

void Form::StartTimer(std::chrono::milliseconds delay) {
  timer_started_ = true;
  detail::FormStartTimer(*this, delay);
}

void Form::StopTimer() {
  if (timer_started_) {
    timer_started_ = false;
    detail::FormStopTimer(*this);
  }
}

void Form::TimerElapsed() {
  if (timer_started_) {
    StopTimer();
    RunHandler(OnTimer);
  }
}

}  // namespace dactyra::ui
