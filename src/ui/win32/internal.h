#pragma once

// Shared by the files of the Win32 backend.

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "base/wide.h"
#include "ui/button.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/indicators.h"
#include "ui/label.h"
#include "ui/list_view.h"
#include "ui/panel.h"

namespace dactyra::ui::detail {

// The export `name` of `module` as a `Function`, or null (also for no module). The cast between
// function types is how exports are taken; the types are the documented ones.
template <typename Function>
Function ExportOf(HMODULE module, const char* name) {
  return module != nullptr ? reinterpret_cast<Function>(
                                 reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
                           : nullptr;
}

struct GdiDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiDeleter>;
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiDeleter>;
using UniquePen = std::unique_ptr<std::remove_pointer_t<HPEN>, GdiDeleter>;

struct IconDeleter {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

// A device context of a window, released at the end of the scope.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() { ReleaseDC(window_, dc_); }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects a GDI object into a device context for the scope.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selection() { SelectObject(dc_, previous_); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A form's fonts at its DPI: the normal one and a bold one for bold labels.
struct FormFonts {
  UniqueFont normal;
  UniqueFont bold;
};

// The program's icon in a form's caption (small) and in Alt+Tab (large), at the form's DPI.
struct FormIcons {
  UniqueIcon large;
  UniqueIcon small;
};

class AccessibleNames;

// The native resources of one form: its fonts and icons, the keyboard focus it had when it was
// last deactivated, and the annotation service once a control of it has a name for screen
// readers.
struct FormResources {
  FormResources();
  ~FormResources();
  FormResources(const FormResources&) = delete;
  FormResources& operator=(const FormResources&) = delete;

  FormFonts fonts;
  FormIcons icons;
  std::unique_ptr<AccessibleNames> accessible_names;
  HWND last_focus = nullptr;
  bool owner_disabled = false;  // while it is shown modally
  int next_control_id = 100;    // ids 1 and 2 stay free for IDOK and IDCANCEL
};

inline COLORREF ToColorRef(Color color) {
  return RGB(color.red, color.green, color.blue);
}

// A colour of the control's own or the theme's, as the system paints it now.
COLORREF ToColorRef(const PaintColor& color);

// Whether the user has chosen a high-contrast theme.
bool SystemHighContrast();

// The resource id of the program's icon (the first icon of the executable).
inline constexpr WORD kProgramIconId = 1;

// The window classes of the backend. The e2e tests find the main window by its class name.
inline constexpr wchar_t kFormClass[] = L"DactyraWindow";
inline constexpr wchar_t kPanelClass[] = L"DactyraPanel";
inline constexpr wchar_t kShapeClass[] = L"DactyraShape";
inline constexpr wchar_t kSplitterClass[] = L"DactyraSplitter";
// The window property that ties a native window to its control.
inline constexpr wchar_t kControlProperty[] = L"Dactyra.Control";
void RegisterWindowClasses();
// Whether the window is a form's (of this or another process).
bool IsFormWindow(HWND window);

// Translates and dispatches one message, giving the dialog keys (Tab, Enter, Esc, mnemonics)
// to the form it is for.
void DispatchWithDialogKeys(MSG& message);

// The next message of a nested wait for `waiting` (a dialog, or the owner of a wait; may be null
// for a wait without owner): false when it was a quit, which is posted again for the outer loop
// and ends every wait of the program's window, as its close does (Form::EndWaits on the outermost
// owner of `waiting`): the wait ends as cancelled and nothing opens after it.
bool GetMessageEndingOnQuit(MSG& message, Form* waiting);

// The control whose native window this is; null for windows of others.
Control* ControlOf(HWND window);

// The form's fonts at the given DPI: its face and height, or the system's message font (also
// for a face that is not installed, at the height asked for).
FormFonts CreateFormFonts(const FontSpec& spec, int dpi);
// The font of the form for normal or bold text; null before the form has its fonts.
HFONT FormFont(const Form& form, bool bold);

// The program's icon in the sizes the system shows at `dpi`, given to the window (WM_SETICON).
// The window keeps using them: the caller keeps them until it has given it others or is gone.
// None where the executable has no icon.
FormIcons SetProgramIcons(HWND window, int dpi);

// The form moved to a monitor of another DPI: new fonts, icons and lengths for every control.
void RescaleForm(Form& form, int dpi);

// What the backend reaches inside the controls.
struct Access {
  static HWND Window(const Control& control) { return static_cast<HWND>(control.native_); }
  static void SetWindow(Control& control, HWND window) { control.native_ = window; }
  static HWND LabelWindow(const LabeledEdit& edit) { return static_cast<HWND>(edit.label_native_); }
  static void SetLabelWindow(LabeledEdit& edit, HWND window) { edit.label_native_ = window; }
  static void StoreText(Control& control, std::u16string text) { control.text_ = std::move(text); }
  static void Layout(Control& control) { control.LayoutChildrenNow(); }
  static void SetDpi(Form& form, int dpi) { form.SetDpi(dpi); }
  static void SetHighContrast(Form& form, bool high_contrast) {
    form.SetHighContrast(high_contrast);
  }
  static void SetClientSize(Form& form, Size size) { form.client_size_ = size; }
  static Size DesignClientSize(const Form& form) { return form.design_client_; }
  static FormPosition Position(const Form& form) { return form.position_; }
  static FormResources* Resources(const Form& form) { return form.resources_.get(); }
  static void SetResources(Form& form, std::shared_ptr<FormResources> resources) {
    form.resources_ = std::move(resources);
  }
  static void SelectionChanged(ListView& list, int row, bool selected) {
    list.SelectionChanged(row, selected);
  }
  static void DoubleClicked(ListView& list) { list.RunHandler(list.OnDoubleClick); }
  static void TimerElapsed(Form& form) { form.TimerElapsed(); }
};

// The id of a form's one-shot timer (SetTimer on the form's window).
inline constexpr UINT_PTR kFormTimerId = 1;

inline HWND WindowOf(const Control& control) {
  return Access::Window(control);
}

}  // namespace dactyra::ui::detail
