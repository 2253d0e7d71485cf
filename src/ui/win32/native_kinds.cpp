// The kinds of controls that are one plain child window each, and the table that gives every
// control its kind.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "ui/win32/native_kind.h"

namespace dactyra::ui::detail {

namespace {

constexpr DWORD kChild = WS_CHILD | WS_CLIPSIBLINGS;
constexpr DWORD kTabStop = WS_TABSTOP | WS_GROUP;

class PanelKind final : public NativeKind {
 protected:
  WindowSpec Spec(const Control&) const override {
    return {kPanelClass, kChild | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
  }
};

class LabelKind final : public NativeKind {
 public:
  void UpdateLook(Control& control) const override {
    ApplyFont(control, false);
    InvalidateRect(WindowOf(control), nullptr, TRUE);
  }

  HBRUSH Colors(const Control& control, HDC dc) const override {
    SetTextColor(dc, ToColorRef(static_cast<const Label&>(control).PaintedColor()));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
  }

 protected:
  WindowSpec Spec(const Control& control) const override {
    const bool wrap = static_cast<const Label&>(control).WordWrap();
    return {L"STATIC", kChild | SS_NOPREFIX | (wrap ? SS_LEFT : SS_LEFTNOWORDWRAP)};
  }

  HFONT Font(const Control& control) const override {
    return FormFont(control.OwnerForm(), static_cast<const Label&>(control).Bold());
  }
};

class ButtonKind final : public NativeKind {
 public:
  void Command(Control& control, WORD code) const override {
    if (code == BN_CLICKED) {
      static_cast<Button&>(control).Click();
    }
  }

 protected:
  WindowSpec Spec(const Control& control) const override {
    const bool is_default = static_cast<const Button&>(control).IsDefault();
    return {L"BUTTON", kChild | kTabStop | (is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)};
  }
};

class RadioButtonKind final : public NativeKind {
 public:
  void UpdateLook(Control& control) const override {
    const bool checked = static_cast<const RadioButton&>(control).Checked();
    SendMessageW(WindowOf(control), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }

  void Command(Control& control, WORD code) const override {
    if (code == BN_CLICKED) {
      static_cast<RadioButton&>(control).Click();
    }
  }

 protected:
  // The first radio button of a run of them is the group's Tab stop.
  WindowSpec Spec(const Control& control) const override {
    const auto& siblings = control.Parent()->Children();
    const auto self = std::find(siblings.begin(), siblings.end(), &control);
    const bool first = self == siblings.begin() || (*(self - 1))->Kind() != control.Kind();
    return {L"BUTTON", kChild | BS_AUTORADIOBUTTON | (first ? kTabStop : 0)};
  }

  // A button takes '&' for a mnemonic; "&&" shows one '&'.
  std::u16string NativeText(const Control& control) const override {
    std::u16string text;
    for (const char16_t c : control.Text()) {
      text += c == u'&' ? u"&&" : std::u16string(1, c);
    }
    return text;
  }
};

class MemoKind final : public NativeKind {
 public:
  HBRUSH Colors(const Control&, HDC dc) const override {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return GetSysColorBrush(COLOR_WINDOW);
  }

 protected:
  WindowSpec Spec(const Control&) const override {
    return {L"EDIT", kChild | kTabStop | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL,
            WS_EX_CLIENTEDGE};
  }

  void Setup(HWND window) const override {
    SendMessageW(window, EM_SETLIMITTEXT, 0, 0);  // a log is not limited to 32K characters
  }
};

class ProgressBarKind final : public NativeKind {
 public:
  void UpdateLook(Control& control) const override {
    const int position = static_cast<const ProgressBar&>(control).Position();
    SendMessageW(WindowOf(control), PBM_SETPOS, static_cast<WPARAM>(position), 0);
  }

 protected:
  WindowSpec Spec(const Control&) const override { return {PROGRESS_CLASSW, kChild}; }
  std::u16string NativeText(const Control& control) const override {
    return control.AccessibleName();
  }
  bool NamedByText() const override { return true; }

  void Setup(HWND window) const override { SendMessageW(window, PBM_SETRANGE32, 0, 100); }
};

class ShapeKind final : public NativeKind {
 public:
  void UpdateLook(Control& control) const override {
    InvalidateRect(WindowOf(control), nullptr, FALSE);
  }

 protected:
  WindowSpec Spec(const Control&) const override { return {kShapeClass, kChild}; }
  std::u16string NativeText(const Control& control) const override {
    return control.AccessibleName();
  }
  bool NamedByText() const override { return true; }
};

class SplitterKind final : public NativeKind {
 protected:
  WindowSpec Spec(const Control&) const override { return {kSplitterClass, kChild}; }
};

}  // namespace

const NativeKind& NativeKindOf(const Control& control) {
  static const PanelKind panel;
  static const LabelKind label;
  static const ButtonKind button;
  static const RadioButtonKind radio_button;
  static const MemoKind memo;
  static const ProgressBarKind progress_bar;
  static const ShapeKind shape;
  static const SplitterKind splitter;
  switch (control.Kind()) {
    case ControlKind::kForm:
      return FormKind();
    case ControlKind::kPanel:
      return panel;
    case ControlKind::kLabel:
      return label;
    case ControlKind::kButton:
      return button;
    case ControlKind::kRadioButton:
      return radio_button;
    case ControlKind::kLabeledEdit:
      return LabeledEditKind();
    case ControlKind::kMemo:
      return memo;
    case ControlKind::kListView:
      return ListViewKind();
    case ControlKind::kProgressBar:
      return progress_bar;
    case ControlKind::kShape:
      return shape;
    case ControlKind::kSplitter:
      break;
  }
  return splitter;
}

}  // namespace dactyra::ui::detail
