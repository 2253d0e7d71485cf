#pragma once

// What differs between the kinds of controls on the native side, each kind in one place. The
// generic backend functions and the window procedures ask the control's kind; none of them
// looks at the kind itself.

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "ui/win32/internal.h"

namespace dactyra::ui::detail {

// The window a child control is made of.
struct WindowSpec {
  const wchar_t* window_class;
  DWORD style;
  DWORD ex_style = 0;
};

// The native behaviour of one kind of control. The objects hold no state (the windows are
// kept by the controls); the defaults serve a control that is one child window.
class NativeKind {
 public:
  NativeKind() = default;
  NativeKind(const NativeKind&) = delete;
  NativeKind& operator=(const NativeKind&) = delete;
  virtual ~NativeKind() = default;

  // Makes the control's native windows; nothing when its parent has no window.
  virtual void Create(Control& control) const;
  // Destroys them, or forgets them when the parent's window took them along.
  virtual void Destroy(Control& control) const;
  virtual void Orphan(Control& control) const;

  // The native side follows the model.
  void UpdateText(Control& control) const;
  virtual void UpdateEnabled(Control& control) const;
  virtual void UpdateVisible(Control& control) const;
  virtual void UpdateBounds(Control& control) const;
  virtual void UpdateLook(Control&) const {}
  // The name for screen readers: annotated on the window, and its window text for the kinds
  // that show no text (a screen reader reads that where annotations are not supported).
  void UpdateAccessibleName(Control& control) const;
  // The form's font went to the control (at creation, or after a change of DPI).
  virtual void ApplyFont(Control& control, bool redraw) const;
  // The form's DPI changed: new font and whatever else the native control keeps in pixels.
  virtual void ApplyDpi(Control& control) const { ApplyFont(control, true); }

  // Notifications of the control's window to its parent.
  virtual void Command(Control&, WORD /*code*/) const {}
  virtual LRESULT Notify(Control&, const NMHDR&) const { return 0; }
  // WM_CONTEXTMENU for the control (`position` as the message gives it: screen coordinates, or
  // -1 from the keyboard); false leaves it to the system.
  virtual bool ContextMenu(Control&, LPARAM /*position*/) const { return false; }
  // The background brush for WM_CTLCOLORSTATIC, with the text colours set in `dc`; null
  // leaves the colours to the system.
  virtual HBRUSH Colors(const Control&, HDC) const { return nullptr; }

 protected:
  virtual WindowSpec Spec(const Control& control) const = 0;
  // The text of the window for the control's text.
  virtual std::u16string NativeText(const Control& control) const { return control.Text(); }
  // Whether the window's text is the control's accessible name (it shows no text).
  virtual bool NamedByText() const { return false; }
  // Settings of the kind once its window exists (limits, ranges, extended styles).
  virtual void Setup(HWND) const {}
  virtual HFONT Font(const Control& control) const;
};

// The kind of the control.
const NativeKind& NativeKindOf(const Control& control);

// The kinds defined in files of their own.
const NativeKind& FormKind();
const NativeKind& LabeledEditKind();
const NativeKind& ListViewKind();

// A child window of the control's parent window, tied to the control; null when the system
// refuses it.
HWND CreateChildWindow(Control& control, const WindowSpec& spec, const std::u16string& text);
// Destroys a window of the backend (null or gone already: nothing).
void DestroyControlWindow(HWND window);

}  // namespace dactyra::ui::detail
