// The backend's own window classes: forms and panels (containers that route their children's
// notifications back to the controls), the state light and the splitter bar.

#include <windows.h>

#include <windowsx.h>

#include <algorithm>

#include "ui/layout.h"
#include "ui/win32/internal.h"

namespace dactyra::ui::detail {

namespace {

HINSTANCE Instance() {
  return GetModuleHandleW(nullptr);
}

Form* FormOfWindow(HWND window) {
  Control* control = ControlOf(window);
  return control != nullptr && control->Kind() == ControlKind::kForm ? static_cast<Form*>(control)
                                                                     : nullptr;
}

void OnCommand(Control& child, WORD code) {
  switch (child.Kind()) {
    case ControlKind::kButton:
      if (code == BN_CLICKED) {
        static_cast<Button&>(child).Click();
      }
      break;
    case ControlKind::kRadioButton:
      if (code == BN_CLICKED) {
        static_cast<RadioButton&>(child).Click();
      }
      break;
    case ControlKind::kLabeledEdit:
      if (code == EN_CHANGE) {
        HWND edit = WindowOf(child);
        std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, u'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(
            edit, reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()))));
        Access::StoreText(child, std::move(text));
      }
      break;
    default:
      break;
  }
}

LRESULT OnControlColor(HWND container, UINT message, WPARAM wparam, LPARAM lparam) {
  HDC dc = reinterpret_cast<HDC>(wparam);
  Control* child = ControlOf(reinterpret_cast<HWND>(lparam));
  if (child != nullptr && child->Kind() == ControlKind::kMemo) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
  }
  if (child != nullptr && child->Kind() == ControlKind::kLabel) {
    const auto& color = static_cast<Label*>(child)->GetColor();
    SetTextColor(dc, color ? ToColorRef(*color) : GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
  }
  return DefWindowProcW(container, message, wparam, lparam);
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

LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    if (create->lpCreateParams != nullptr) {
      SetPropW(window, kControlProperty, create->lpCreateParams);
    }
  }
  Control* self = ControlOf(window);
  if (self == nullptr) {
    return DefWindowProcW(window, message, wparam, lparam);
  }
  switch (message) {
    case WM_COMMAND:
      if (lparam != 0) {
        if (Control* child = ControlOf(reinterpret_cast<HWND>(lparam))) {
          OnCommand(*child, HIWORD(wparam));
          return 0;
        }
      }
      break;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      Control* child = ControlOf(header->hwndFrom);
      if (child != nullptr && child->Kind() == ControlKind::kListView) {
        return HandleListNotify(static_cast<ListView&>(*child), *header);
      }
      break;
    }
    case WM_CTLCOLORSTATIC:
      return OnControlColor(window, message, wparam, lparam);
    case WM_CLOSE:
      if (self->Kind() != ControlKind::kForm) {
        return 0;  // a multi-line edit sends it on Esc; only the form closes
      }
      break;
    default:
      break;
  }
  if (Form* form = FormOfWindow(window)) {
    LRESULT result = 0;
    if (HandleFormMessage(*form, window, message, wparam, lparam, result)) {
      return result;
    }
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
                                  ToColorRef(shape->Outline())));
    const UniqueBrush brush(CreateSolidBrush(ToColorRef(shape->Fill())));
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
  ATOM container = 0;

  WindowClasses() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.hInstance = Instance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = LoadIconW(Instance(), MAKEINTRESOURCEW(1));
    wc.lpfnWndProc = ContainerProc;
    wc.lpszClassName = kContainerClass;
    container = RegisterClassExW(&wc);

    wc.hIcon = nullptr;
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

void RegisterWindowClasses() {
  Classes();
}

bool IsFormWindow(HWND window) {
  return window != nullptr &&
         static_cast<ATOM>(GetClassLongPtrW(window, GCW_ATOM)) == Classes().container &&
         (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) == 0;
}

Control* ControlOf(HWND window) {
  return window == nullptr ? nullptr : static_cast<Control*>(GetPropW(window, kControlProperty));
}

void DispatchWithDialogKeys(MSG& message) {
  HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (IsFormWindow(root) && IsDialogMessageW(root, &message)) {
    return;
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

}  // namespace dactyra::ui::detail
