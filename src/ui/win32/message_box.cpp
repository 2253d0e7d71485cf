#include "ui/message_box.h"

#include "ui/win32/internal.h"

namespace dactyra::ui {

namespace {

UINT IconFlags(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kInformation:
      return MB_ICONINFORMATION;
    case MessageIcon::kQuestion:
      return MB_ICONQUESTION;
    case MessageIcon::kWarning:
      return MB_ICONWARNING;
    case MessageIcon::kError:
      return MB_ICONERROR;
    case MessageIcon::kProgram:
      return MB_USERICON;
    case MessageIcon::kNone:
      break;
  }
  return 0;
}

}  // namespace

ModalResult ShowMessageBox(const Form* owner, const MessageBoxRequest& request) {
  if (Form::WaitsEnded(owner)) {
    return ModalResult::kCancel;  // never shown
  }
  HWND owner_window = owner != nullptr ? detail::WindowOf(*owner) : GetActiveWindow();
  const UINT flags = (request.buttons == MessageButtons::kYesNo ? MB_YESNO : MB_OK) |
                     IconFlags(request.icon) |
                     (request.default_button == 2 ? MB_DEFBUTTON2 : MB_DEFBUTTON1);
  MSGBOXPARAMSW box{};
  box.cbSize = sizeof(box);
  box.hwndOwner = owner_window;
  box.hInstance = GetModuleHandleW(nullptr);
  box.lpszText = Wide(request.text);
  box.lpszCaption = Wide(request.caption);
  box.dwStyle = flags;
  box.lpszIcon = MAKEINTRESOURCEW(detail::kProgramIconId);  // for MB_USERICON only
  switch (MessageBoxIndirectW(&box)) {
    case IDOK:
      return ModalResult::kOk;
    case IDYES:
      return ModalResult::kYes;
    case IDNO:
      return ModalResult::kNo;
    default:
      return ModalResult::kCancel;
  }
}

}  // namespace dactyra::ui
