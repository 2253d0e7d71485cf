// The activation of the program's running instance, found by the window class of its forms.

#include <windows.h>

#include "ui/win32/internal.h"
#include "ui/win32/native.h"

namespace dactyra::ui::win32 {

bool ActivateRunningInstance() {
  // The main window is the form without owner; the dialogs of that instance are owned by it.
  HWND window = nullptr;
  do {
    window = FindWindowExW(nullptr, window, detail::kFormClass, nullptr);
  } while (window != nullptr && GetWindow(window, GW_OWNER) != nullptr);
  if (window == nullptr) {
    return false;
  }
  if (IsIconic(window)) {
    ShowWindow(window, SW_RESTORE);
  }
  // A modal dialog of that window is what the user should get back to.
  SetForegroundWindow(GetLastActivePopup(window));
  return true;
}

}  // namespace dactyra::ui::win32
