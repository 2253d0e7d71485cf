// The backend's own window classes: forms and panels (containers that route their children's
// notifications back to the controls' kinds), the state light and the splitter bar.

#include <windows.h>

#include <windowsx.h>

#include <algorithm>

#include "ui/layout.h"
#include "ui/win32/dpi.h"
#include "ui/win32/native_kind.h"

namespace dactyra::ui::detail {

namespace {

HINSTANCE Instance() {
  return GetModuleHandleW(nullptr);
}

// Notifications of a container's children, handled by the child's kind; true when handled.
bool HandleChildMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND:
      if (Control* child = lparam != 0 ? ControlOf(reinterpret_cast<HWND>(lparam)) : nullptr) {
        NativeKindOf(*child).Command(*child, HIWORD(wparam));
        result = 0;
        return true;
      }
      return false;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      if (Control* child = ControlOf(header->hwndFrom)) {
        result = NativeKindOf(*child).Notify(*child, *header);
        return true;
      }
      return false;
    }
    case WM_CONTEXTMENU:
      if (Control* child = ControlOf(reinterpret_cast<HWND>(wparam))) {
        result = 0;
        return NativeKindOf(*child).ContextMenu(*child, lparam);
      }
      return false;
    case WM_CTLCOLORSTATIC: {
      const Control* child = ControlOf(reinterpret_cast<HWND>(lparam));
      HBRUSH brush = child != nullptr
                         ? NativeKindOf(*child).Colors(*child, reinterpret_cast<HDC>(wparam))
                         : nullptr;
      result = reinterpret_cast<LRESULT>(brush);
      return brush != nullptr;
    }
    default:
      return false;
  }
}

// Sends a message on to every common control below the window, as they expect of their parents.
BOOL CALLBACK ForwardToChild(HWND child, LPARAM message) {
  const auto* sent = reinterpret_cast<const MSG*>(message);
  SendMessageW(child, sent->message, sent->wParam, sent->lParam);
  return TRUE;
}

// The user changed the system's colours or settings: the form takes the theme as it is now
// and repaints; its common controls hear of new colours.
void FollowTheme(Form& form, HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_SYSCOLORCHANGE) {
    MSG sent{};
    sent.message = message;
    sent.wParam = wparam;
    sent.lParam = lparam;
    EnumChildWindows(window, ForwardToChild, reinterpret_cast<LPARAM>(&sent));
  }
  Access::SetHighContrast(form, SystemHighContrast());
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// Ties the window to the control it is created for.
void TieOnCreate(HWND window, UINT message, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    if (create->lpCreateParams != nullptr) {
      SetPropW(window, kControlProperty, create->lpCreateParams);
    }
  }
}

// Messages only a form handles; true when handled, with its result in `result`.
bool HandleFormMessage(Form& form, HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                       LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_CLOSE:
      form.Close();
      return true;
    case WM_SIZE:
      if (wparam != SIZE_MINIMIZED) {
        Access::SetClientSize(form, {LOWORD(lparam), HIWORD(lparam)});
        Access::Layout(form);
      }
      return true;
    case WM_SYSCOMMAND:
      return form.SysCommand(static_cast<std::uint32_t>(wparam));
    case WM_DEVICECHANGE:
    case WM_POWERBROADCAST:
      form.SystemMessage(message, wparam, lparam);
      return false;
    case WM_TIMER:
      if (wparam != kFormTimerId) {
        return false;
      }
      Access::TimerElapsed(form);
      return true;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
      FollowTheme(form, window, message, wparam, lparam);
      return false;
    case WM_DPICHANGED: {
      RescaleForm(form, HIWORD(wparam));
      const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
      SetWindowPos(window, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      Access::Layout(form);
      return true;
    }
    case DM_GETDEFID: {
      const Button* button = form.DefaultButton();
      if (button == nullptr || !button->Enabled() || WindowOf(*button) == nullptr) {
        return true;
      }
      result = MAKELRESULT(GetDlgCtrlID(WindowOf(*button)), DC_HASDEFID);
      return true;
    }
    case WM_ACTIVATE: {
      FormResources* resources = Access::Resources(form);
      if (resources == nullptr) {
        return false;
      }
      if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        resources->last_focus = focus != nullptr && IsChild(window, focus) ? focus : nullptr;
        return true;
      }
      if (resources->last_focus != nullptr && IsWindow(resources->last_focus) &&
          IsChild(window, resources->last_focus)) {
        ::SetFocus(resources->last_focus);
        return true;
      }
      return false;
    }
    case WM_COMMAND:
      if (lparam == 0 && LOWORD(wparam) == IDOK && form.DefaultButton() != nullptr) {
        form.DefaultButton()->Click();
        return true;
      }
      if (lparam == 0 && LOWORD(wparam) == IDCANCEL && form.CancelButton() != nullptr) {
        form.CancelButton()->Click();
        return true;
      }
      return false;
    default:
      break;
  }
  if (message >= WM_USER && message < 0xC000) {
    return form.Dispatch(message, wparam, lparam);
  }
  return false;
}

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  TieOnCreate(window, message, lparam);
  if (message == WM_NCCREATE) {
    DpiFunctions::System().EnableNonClientScaling(window);
  }
  auto* form = static_cast<Form*>(ControlOf(window));
  LRESULT result = 0;
  if (form != nullptr && (HandleChildMessage(message, wparam, lparam, result) ||
                          HandleFormMessage(*form, window, message, wparam, lparam, result))) {
    return result;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  TieOnCreate(window, message, lparam);
  LRESULT result = 0;
  if (ControlOf(window) != nullptr && HandleChildMessage(message, wparam, lparam, result)) {
    return result;
  }
  if (message == WM_CLOSE) {
    return 0;  // a multi-line edit sends it on Esc; only the form closes
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK ShapeProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_PAINT) {
    return DefWindowProcW(window, message, wparam, lparam);
  }
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  if (const auto* shape = static_cast<const Shape*>(ControlOf(window))) {
    const UniquePen pen(CreatePen(PS_INSIDEFRAME, std::max(1, shape->Scale(shape->OutlineWidth())),
                                  ToColorRef(shape->PaintedOutline())));
    const UniqueBrush brush(CreateSolidBrush(ToColorRef(shape->PaintedFill())));
    const Selection pen_selected(dc, pen.get());
    const Selection brush_selected(dc, brush.get());
    const int corner = std::min(client.right, client.bottom) / 4;
    RoundRect(dc, 0, 0, client.right, client.bottom, corner, corner);
  }
  EndPaint(window, &paint);
  return 0;
}

// Window extra bytes of a splitter: where the drag began (screen coordinate across the bar)
// and the target's size then.
constexpr int kDragOrigin = 0;
constexpr int kDragStartSize = sizeof(LONG_PTR);

LRESULT CALLBACK SplitterProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* splitter = static_cast<Splitter*>(ControlOf(window));
  if (splitter == nullptr) {
    return DefWindowProcW(window, message, wparam, lparam);
  }
  const Dock dock = splitter->GetPlacement().dock;
  const bool vertical = dock == Dock::kTop || dock == Dock::kBottom;
  switch (message) {
    case WM_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, vertical ? IDC_SIZENS : IDC_SIZEWE));
      return TRUE;
    case WM_LBUTTONDOWN: {
      const Control* target = splitter->Target();
      if (target == nullptr) {
        return 0;
      }
      POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
      ClientToScreen(window, &point);
      SetWindowLongPtrW(window, kDragOrigin, vertical ? point.y : point.x);
      SetWindowLongPtrW(window, kDragStartSize,
                        vertical ? target->Bounds().height : target->Bounds().width);
      SetCapture(window);
      return 0;
    }
    case WM_MOUSEMOVE: {
      const Control* target = splitter->Target();
      if (GetCapture() != window || target == nullptr) {
        return 0;
      }
      POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
      ClientToScreen(window, &point);
      const int moved =
          (vertical ? point.y : point.x) - static_cast<int>(GetWindowLongPtrW(window, kDragOrigin));
      const int start = static_cast<int>(GetWindowLongPtrW(window, kDragStartSize));
      const bool grows_with_positive = dock == Dock::kTop || dock == Dock::kLeft;
      const int wanted = grows_with_positive ? start + moved : start - moved;
      const int current = vertical ? target->Bounds().height : target->Bounds().width;
      splitter->DragBy(grows_with_positive ? wanted - current : current - wanted);
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_CANCELMODE:
      if (GetCapture() == window) {
        ReleaseCapture();
      }
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

struct WindowClasses {
  ATOM form = 0;

  WindowClasses() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.hInstance = Instance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = LoadIconW(Instance(), MAKEINTRESOURCEW(kProgramIconId));
    wc.lpfnWndProc = FormProc;
    wc.lpszClassName = kFormClass;
    form = RegisterClassExW(&wc);

    wc.hIcon = nullptr;
    wc.lpfnWndProc = PanelProc;
    wc.lpszClassName = kPanelClass;
    RegisterClassExW(&wc);

    wc.lpfnWndProc = ShapeProc;
    wc.lpszClassName = kShapeClass;
    RegisterClassExW(&wc);

    wc.lpfnWndProc = SplitterProc;
    wc.lpszClassName = kSplitterClass;
    wc.cbWndExtra = 2 * sizeof(LONG_PTR);
    RegisterClassExW(&wc);
  }
};

const WindowClasses& Classes() {
  static const WindowClasses classes;
  return classes;
}

}  // namespace

bool IsFormWindow(HWND window) {
  return window != nullptr &&
         static_cast<ATOM>(GetClassLongPtrW(window, GCW_ATOM)) == Classes().form;
}

void RegisterWindowClasses() {
  Classes();
}

Control* ControlOf(HWND window) {
  return window == nullptr ? nullptr : static_cast<Control*>(GetPropW(window, kControlProperty));
}

}  // namespace dactyra::ui::detail
