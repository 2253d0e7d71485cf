// The message loops' dispatching: the keys that forms handle themselves, then the dialog keys,
// then the windows; and the application's message loop.

#include <windows.h>

#include <optional>

#include "ui/win32/internal.h"
#include "ui/win32/native.h"

namespace dactyra::ui {

namespace detail {

namespace {

// The key of a key press that forms handle themselves; none for others, for every key pressed
// with Alt or Shift, and for every key but I and H pressed with Ctrl.
std::optional<Key> KeyOf(const MSG& message) {
  if (message.message != WM_KEYDOWN || GetKeyState(VK_MENU) < 0 || GetKeyState(VK_SHIFT) < 0) {
    return std::nullopt;
  }
  if (GetKeyState(VK_CONTROL) < 0) {
    switch (message.wParam) {
      case 'I':
        return Key::kCtrlI;
      case 'H':
        return Key::kCtrlH;
      default:
        return std::nullopt;
    }
  }
  switch (message.wParam) {
    case VK_RETURN:
      return Key::kEnter;
    case VK_DELETE:
      return Key::kDelete;
    case VK_F2:
      return Key::kF2;
    case VK_F3:
      return Key::kF3;
    case VK_F5:
      return Key::kF5;
    default:
      return std::nullopt;
  }
}

// The control a message for this window is for: the window's own, or the nearest one of ours
// that holds it (a list's header, say).
Control* ControlAt(HWND window) {
  for (; window != nullptr; window = GetParent(window)) {
    if (Control* control = ControlOf(window)) {
      return control;
    }
  }
  return nullptr;
}

}  // namespace

bool GetMessageEndingOnQuit(MSG& message, Form* waiting) {
  const BOOL got = GetMessageW(&message, nullptr, 0, 0);
  if (got > 0) {
    return true;
  }
  if (got == 0) {
    PostQuitMessage(static_cast<int>(message.wParam));  // for the outer loop
  }
  if (waiting == nullptr) {
    return false;
  }
  Form* root = waiting;
  while (root->Owner() != nullptr) {
    root = root->Owner();
  }
  root->EndWaits();
  return false;
}

void DispatchWithDialogKeys(MSG& message) {
  // The keys of the list conventions go to the controls and the form before the dialog keys:
  // Enter on a list is the list's before it presses a default button.
  if (const std::optional<Key> key = KeyOf(message)) {
    Control* control = ControlAt(message.hwnd);
    if (control != nullptr && control->KeyDown(*key)) {
      return;
    }
  }
  HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (IsFormWindow(root) && IsDialogMessageW(root, &message)) {
    return;
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

}  // namespace detail

namespace win32 {

int RunApplication(Form& main_form) {
  if (!main_form.Showing()) {
    main_form.Show();
  }
  MSG message;
  while (!main_form.Closed()) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      return got == 0 ? static_cast<int>(message.wParam) : 1;
    }
    detail::DispatchWithDialogKeys(message);
  }
  return 0;
}

}  // namespace win32

}  // namespace dactyra::ui
