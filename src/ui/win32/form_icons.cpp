// The program's icon on a form's window, in the sizes the system shows at the window's DPI: the
// caption's small icon and the large one of Alt+Tab, each drawn from the icon's own image of
// that size rather than scaled from another.

#include <windows.h>

#include "ui/win32/dpi.h"
#include "ui/win32/internal.h"

namespace dactyra::ui::detail {

namespace {

UniqueIcon LoadProgramIcon(int size) {
  return UniqueIcon(
      static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIconId),
                                    IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

}  // namespace

FormIcons SetProgramIcons(HWND window, int dpi) {
  const DpiFunctions& system = DpiFunctions::System();
  FormIcons icons{LoadProgramIcon(system.SystemMetric(SM_CXICON, dpi)),
                  LoadProgramIcon(system.SystemMetric(SM_CXSMICON, dpi))};
  if (icons.large) {
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons.large.get()));
  }
  if (icons.small) {
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons.small.get()));
  }
  return icons;
}

}  // namespace dactyra::ui::detail
