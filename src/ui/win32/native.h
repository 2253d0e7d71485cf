#pragma once

// What only a Win32 program sees of the widget layer: the native window of a control, the
// application's message loop and the activation of the running instance.

#include <windows.h>

#include "ui/form.h"

namespace dactyra::ui::win32 {

// The control's native window (null once it is gone).
HWND WindowOf(const Control& control);

// Brings the main window of the program's running instance (in this or another process) to the
// front, restoring it when minimised; its open dialog, if any, gets the activation. False when
// no instance has a main window.
bool ActivateRunningInstance();

// Shows the main form (unless it is shown already) and runs the message loop until it is closed.
// Returns the exit code.
int RunApplication(Form& main_form);

}  // namespace dactyra::ui::win32
