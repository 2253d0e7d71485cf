// Top-level windows: creation at the monitor's DPI, showing, the modal loop, the system menu and
// posted messages.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "ui/detail/backend.h"
#include "ui/layout.h"
#include "ui/win32/dpi.h"
#include "ui/win32/native.h"
#include "ui/win32/native_kind.h"

namespace dactyra::ui {

namespace detail {

class Mailbox {
 public:
  explicit Mailbox(HWND window) : window_(window) {}
  HWND Window() const { return window_; }

 private:
  HWND window_;
};

namespace {

void InitCommonControlsOnce() {
  static const bool initialized = [] {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS;
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  static_cast<void>(initialized);
}

DWORD StyleFor(const Form& form) {
  return form.Border() == FormBorder::kSizeable
             ? WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN
             : WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
}

DWORD ExStyleFor(const Form& form) {
  return WS_EX_CONTROLPARENT |
         (form.Border() == FormBorder::kSizeable ? WS_EX_APPWINDOW : WS_EX_DLGMODALFRAME);
}

HWND OwnerWindow(const Form& form) {
  return form.Owner() != nullptr ? WindowOf(*form.Owner()) : nullptr;
}

// The size of the window whose client area is the form's design size at `dpi`.
SIZE FrameSize(const Form& form, int dpi) {
  const Size design = Access::DesignClientSize(form);
  RECT rect{0, 0, ScaleForDpi(design.width, dpi), ScaleForDpi(design.height, dpi)};
  DpiFunctions::System().AdjustWindowRect(rect, StyleFor(form), ExStyleFor(form), dpi);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

void ApplyClientSize(Form& form) {
  const SIZE frame = FrameSize(form, form.Dpi());
  SetWindowPos(WindowOf(form), nullptr, 0, 0, frame.cx, frame.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Where a form is centred: over its owner (when it asks for that and the owner is in view), on
// the monitor under the owner's centre; otherwise on the work area of the monitor of `window`.
struct Centring {
  HMONITOR monitor;
  RECT around;
};

Centring CentringOf(const Form& form, HWND window) {
  HWND owner = OwnerWindow(form);
  if (Access::Position(form) == FormPosition::kCenterOwner && owner != nullptr &&
      IsWindowVisible(owner) && !IsIconic(owner)) {
    RECT around;
    GetWindowRect(owner, &around);
    const POINT centre{(around.left + around.right) / 2, (around.top + around.bottom) / 2};
    return {MonitorFromPoint(centre, MONITOR_DEFAULTTONEAREST), around};
  }
  HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoW(monitor, &info);
  return {monitor, info.rcWork};
}

// The top left corner of a frame of the given size centred as `centring` says, kept inside the
// work area of its monitor.
POINT CentredOrigin(const Centring& centring, SIZE frame) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoW(centring.monitor, &info);
  const RECT& work = info.rcWork;
  const RECT& around = centring.around;
  const LONG left = around.left + (around.right - around.left - frame.cx) / 2;
  const LONG top = around.top + (around.bottom - around.top - frame.cy) / 2;
  return {std::max(work.left, std::min(left, work.right - frame.cx)),
          std::max(work.top, std::min(top, work.bottom - frame.cy))};
}

void CenterWindow(const Form& form) {
  HWND window = WindowOf(form);
  RECT frame;
  GetWindowRect(window, &frame);
  const POINT origin =
      CentredOrigin(CentringOf(form, window), {frame.right - frame.left, frame.bottom - frame.top});
  SetWindowPos(window, nullptr, origin.x, origin.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Where a new form's window goes. A form with an owner opens where it will be shown: centred on
// its owner's monitor at that monitor's DPI. The main window takes the system's default place.
struct InitialFrame {
  int x = CW_USEDEFAULT;
  int y = CW_USEDEFAULT;
  int width = CW_USEDEFAULT;
  int height = CW_USEDEFAULT;
};

InitialFrame InitialFrameOf(const Form& form) {
  HWND owner = OwnerWindow(form);
  if (owner == nullptr) {
    return {};
  }
  const Centring centring = CentringOf(form, owner);
  const SIZE frame = FrameSize(form, DpiFunctions::System().ForMonitor(centring.monitor));
  const POINT origin = CentredOrigin(centring, frame);
  return {origin.x, origin.y, frame.cx, frame.cy};
}

void ShowAndFocus(Form& form) {
  HWND window = WindowOf(form);
  CenterWindow(form);
  // The focus is shown from the start, not only once the keyboard has been used.
  SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  ShowWindow(window, SW_SHOW);
  HWND focus = GetFocus();
  if (focus == nullptr || !IsChild(window, focus)) {
    if (HWND first = GetNextDlgTabItem(window, nullptr, FALSE)) {
      ::SetFocus(first);
    }
  }
}

void ApplyDpiBelow(Control& control) {
  for (Control* child : control.Children()) {
    NativeKindOf(*child).ApplyDpi(*child);
    ApplyDpiBelow(*child);
  }
}

class FormKindImpl final : public NativeKind {
 public:
  // The window opens where it is shown (see InitialFrameOf), at the DPI of its monitor.
  void Create(Control& control) const override {
    auto& form = static_cast<Form&>(control);
    InitCommonControlsOnce();
    RegisterWindowClasses();
    auto resources = std::make_shared<FormResources>();
    Access::SetResources(form, resources);
    const WindowSpec spec = Spec(form);
    const InitialFrame frame = InitialFrameOf(form);
    HWND window = CreateWindowExW(spec.ex_style, spec.window_class, Wide(form.Caption()),
                                  spec.style, frame.x, frame.y, frame.width, frame.height,
                                  OwnerWindow(form), nullptr, GetModuleHandleW(nullptr), &form);
    Access::SetWindow(form, window);
    if (window == nullptr) {
      return;
    }
    Access::SetDpi(form, DpiFunctions::System().ForWindow(window));
    Access::SetHighContrast(form, SystemHighContrast());
    resources->fonts = CreateFormFonts(form.Font(), form.Dpi());
    resources->icons = SetProgramIcons(window, form.Dpi());
    ApplyClientSize(form);
  }
  // Show, Hide and the window's own size are the form's business, and its fonts are for its
  // controls.
  void UpdateVisible(Control&) const override {}
  void UpdateBounds(Control&) const override {}
  void ApplyFont(Control&, bool) const override {}

 protected:
  WindowSpec Spec(const Control& control) const override {
    const auto& form = static_cast<const Form&>(control);
    return {kFormClass, StyleFor(form), ExStyleFor(form)};
  }
};

}  // namespace

const NativeKind& FormKind() {
  static const FormKindImpl kind;
  return kind;
}

namespace {

// New fonts for every control, at the form's DPI.
void RenewFonts(Form& form) {
  FormFonts fonts = CreateFormFonts(form.Font(), form.Dpi());
  if (FormResources* resources = Access::Resources(form)) {
    // The old fonts stay until every control has taken the new ones.
    std::swap(resources->fonts, fonts);
  }
  ApplyDpiBelow(form);
}

}  // namespace

void RescaleForm(Form& form, int dpi) {
  Access::SetDpi(form, dpi);
  RenewFonts(form);
  if (FormResources* resources = Access::Resources(form)) {
    // Likewise the old icons, until the window has the new ones.
    FormIcons icons = SetProgramIcons(WindowOf(form), dpi);
    std::swap(resources->icons, icons);
  }
}

void FormApplyFont(Form& form) {
  if (WindowOf(form) != nullptr) {
    RenewFonts(form);
  }
}

std::shared_ptr<Mailbox> MakeMailbox(Form& form) {
  return std::make_shared<Mailbox>(WindowOf(form));
}

void FormApplyClientSize(Form& form) {
  if (WindowOf(form) != nullptr) {
    ApplyClientSize(form);
  }
}

void FormShow(Form& form) {
  if (WindowOf(form) != nullptr) {
    ShowAndFocus(form);
  }
}

void FormHide(Form& form) {
  if (HWND window = WindowOf(form)) {
    ShowWindow(window, SW_HIDE);
  }
}

void FormEnterModal(Form& form) {
  HWND owner = OwnerWindow(form);
  FormResources* resources = Access::Resources(form);
  // A form whose window could not be made is never shown: its owner stays usable.
  if (WindowOf(form) != nullptr && resources != nullptr && owner != nullptr &&
      IsWindowEnabled(owner)) {
    EnableWindow(owner, FALSE);
    resources->owner_disabled = true;
  }
}

void FormLeaveModal(Form& form) {
  FormResources* resources = Access::Resources(form);
  if (resources != nullptr && resources->owner_disabled) {
    EnableWindow(OwnerWindow(form), TRUE);
    resources->owner_disabled = false;
  }
}

ModalResult FormRunModal(Form& form) {
  HWND window = WindowOf(form);
  if (window == nullptr) {
    return ModalResult::kCancel;
  }
  ShowAndFocus(form);
  MSG message;
  while (form.GetModalResult() == ModalResult::kNone) {
    if (form.WaitsEnded()) {
      // As its close box does; a dialog that refuses (a commit under way) is asked again after
      // the next message.
      form.Close();
      if (form.GetModalResult() != ModalResult::kNone) {
        break;
      }
    }
    if (!GetMessageEndingOnQuit(message, &form)) {
      form.SetModalResult(ModalResult::kCancel);
      break;
    }
    DispatchWithDialogKeys(message);
  }
  // The owner is enabled before the dialog hides, so that it gets the activation back.
  FormLeaveModal(form);
  ShowWindow(window, SW_HIDE);
  if (HWND owner = OwnerWindow(form)) {
    SetActiveWindow(owner);
  }
  return form.GetModalResult();
}

void FormBringToFront(Form& form) {
  if (HWND window = WindowOf(form)) {
    SetForegroundWindow(window);
    BringWindowToTop(window);
  }
}

void FormWakeWaits(Form&) {
  PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
}

void FormInsertSystemMenuItem(Form& form, const SystemMenuItem& item) {
  HMENU menu = GetSystemMenu(WindowOf(form), FALSE);
  if (menu == nullptr) {
    return;
  }
  const UINT flags = MF_STRING | (item.checked ? MF_CHECKED : MF_UNCHECKED);
  // By command 0: before the separator above Close, where the window's own commands end.
  if (!InsertMenuW(menu, 0, MF_BYCOMMAND | flags, item.id, Wide(item.text))) {
    InsertMenuW(menu, 0, MF_BYPOSITION | flags, item.id, Wide(item.text));
  }
}

std::uintptr_t FormNativeWindow(const Form& form) {
  return reinterpret_cast<std::uintptr_t>(WindowOf(form));
}

void FormStartTimer(Form& form, std::chrono::milliseconds delay) {
  if (HWND window = WindowOf(form)) {
    SetTimer(window, kFormTimerId, static_cast<UINT>(delay.count()), nullptr);
  }
}

void FormStopTimer(Form& form) {
  if (HWND window = WindowOf(form)) {
    KillTimer(window, kFormTimerId);
  }
}

}  // namespace detail

bool MessageTarget::Post(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) const {
  const std::shared_ptr<detail::Mailbox> mailbox = mailbox_.lock();
  return mailbox != nullptr && mailbox->Window() != nullptr &&
         PostMessageW(mailbox->Window(), message, wparam, lparam) != FALSE;
}

namespace win32 {

HWND WindowOf(const Control& control) {
  return detail::WindowOf(control);
}

}  // namespace win32

}  // namespace dactyra::ui
