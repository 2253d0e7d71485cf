#pragma once

// What only a Win32 program sees of the widget layer: the native window of a control and the
// application's message loop.

#include <windows.h>

#include "ui/form.h"

namespace dactyra::ui::win32 {

// The control's native window (null once it is gone).
HWND WindowOf(const Control& control);

// Shows the main form (unless it is shown already) and runs the message loop until it is closed.
// Returns the exit code.
int RunApplication(Form& main_form);

}  // namespace dactyra::ui::win32
