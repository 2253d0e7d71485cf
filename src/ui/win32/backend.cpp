// Native windows for the controls, and the native side following the model.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "ui/detail/backend.h"
#include "ui/layout.h"
#include "ui/win32/internal.h"

namespace dactyra::ui::detail {

namespace {

struct WindowSpec {
  const wchar_t* window_class;
  DWORD style;
  DWORD ex_style;
};

bool PreviousSiblingIsRadio(const Control& control) {
  const auto& siblings = control.Parent()->Children();
  const auto self = std::find(siblings.begin(), siblings.end(), &control);
  return self != siblings.begin() && (*(self - 1))->Kind() == ControlKind::kRadioButton;
}

WindowSpec SpecFor(const Control& control) {
  constexpr DWORD kChild = WS_CHILD | WS_CLIPSIBLINGS;
  constexpr DWORD kTabStop = WS_TABSTOP | WS_GROUP;
  switch (control.Kind()) {
    case ControlKind::kPanel:
      return {kContainerClass, kChild | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case ControlKind::kLabel:
      return {L"STATIC",
              kChild | SS_NOPREFIX |
                  (static_cast<const Label&>(control).WordWrap() ? SS_LEFT : SS_LEFTNOWORDWRAP),
              0};
    case ControlKind::kButton:
      return {
          L"BUTTON",
          kChild | kTabStop |
              (static_cast<const Button&>(control).IsDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
          0};
    case ControlKind::kRadioButton:
      return {L"BUTTON",
              kChild | BS_AUTORADIOBUTTON | (PreviousSiblingIsRadio(control) ? 0 : kTabStop), 0};
    case ControlKind::kLabeledEdit:
      return {L"EDIT", kChild | kTabStop | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::kMemo:
      return {L"EDIT", kChild | kTabStop | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL,
              WS_EX_CLIENTEDGE};
    case ControlKind::kListView:
      return {WC_LISTVIEWW, kChild | kTabStop | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
              WS_EX_CLIENTEDGE};
    case ControlKind::kProgressBar:
      return {PROGRESS_CLASSW, kChild, 0};
    case ControlKind::kShape:
      return {kShapeClass, kChild, 0};
    case ControlKind::kSplitter:
      return {kSplitterClass, kChild, 0};
    case ControlKind::kForm:
      break;
  }
  return {kContainerClass, kChild, 0};
}

HWND CreateChild(Control& control, const WindowSpec& spec, const std::u16string& text) {
  HWND parent = WindowOf(*control.Parent());
  FormResources* resources = Access::Resources(control.OwnerForm());
  const int id = resources != nullptr ? resources->next_control_id++ : 0;
  HWND window = CreateWindowExW(spec.ex_style, spec.window_class, Wide(text),
                                spec.style | (control.Visible() ? WS_VISIBLE : 0), 0, 0, 0, 0,
                                parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleW(nullptr), &control);
  if (window != nullptr) {
    SetPropW(window, kControlProperty, &control);
  }
  return window;
}

HFONT FontFor(const Control& control, bool bold) {
  const FormResources* resources = Access::Resources(control.OwnerForm());
  if (resources == nullptr) {
    return nullptr;
  }
  return bold && resources->bold_font ? resources->bold_font.get() : resources->font.get();
}

bool IsBold(const Control& control) {
  return control.Kind() == ControlKind::kLabel && static_cast<const Label&>(control).Bold();
}

void DestroyWindowOf(HWND window) {
  if (window != nullptr && IsWindow(window)) {
    RemovePropW(window, kControlProperty);
    DestroyWindow(window);
  }
}

}  // namespace

UniqueFont CreateFormFont(const FontSpec& spec, int dpi, bool bold) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  LOGFONTW font{};
  if (SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0,
                                 static_cast<UINT>(dpi))) {
    font = metrics.lfMessageFont;
  } else {
    font.lfHeight = -MulDiv(9, dpi, 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, L"Segoe UI", LF_FACESIZE);
  }
  if (!spec.face.empty() && spec.pixel_height > 0) {
    font.lfHeight = -MulDiv(spec.pixel_height, dpi, 96);
    font.lfWidth = 0;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, Wide(spec.face), LF_FACESIZE);
  }
  if (bold) {
    font.lfWeight = FW_BOLD;
  }
  return UniqueFont(CreateFontIndirectW(&font));
}

void ApplyFonts(Control& control) {
  if (HWND window = WindowOf(control); window != nullptr && control.Kind() != ControlKind::kForm) {
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(control, IsBold(control))),
                 TRUE);
  }
  if (control.Kind() == ControlKind::kLabeledEdit) {
    SendMessageW(Access::LabelWindow(static_cast<LabeledEdit&>(control)), WM_SETFONT,
                 reinterpret_cast<WPARAM>(FontFor(control, false)), TRUE);
  }
  for (Control* child : control.Children()) {
    ApplyFonts(*child);
  }
}

void CreateNative(Control& control) {
  if (control.Kind() == ControlKind::kForm) {
    CreateFormWindow(static_cast<Form&>(control));
    return;
  }
  if (control.Parent() == nullptr || WindowOf(*control.Parent()) == nullptr) {
    return;
  }
  if (control.Kind() == ControlKind::kLabeledEdit) {
    auto& edit = static_cast<LabeledEdit&>(control);
    // The label first: a mnemonic in it moves the focus to the box that follows.
    HWND label =
        CreateChild(control, {L"STATIC", WS_CHILD | SS_LEFTNOWORDWRAP, 0}, edit.LabelText());
    Access::SetLabelWindow(edit, label);
    if (control.Visible()) {
      ShowWindow(label, SW_SHOWNA);
    }
  }
  const std::u16string& text =
      control.Kind() == ControlKind::kMemo || control.Kind() == ControlKind::kListView
          ? std::u16string()
          : control.Text();
  HWND window = CreateChild(control, SpecFor(control), text);
  Access::SetWindow(control, window);
  if (window == nullptr) {
    return;
  }
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(control, IsBold(control))),
               FALSE);
  if (control.Kind() == ControlKind::kLabeledEdit) {
    SendMessageW(Access::LabelWindow(static_cast<LabeledEdit&>(control)), WM_SETFONT,
                 reinterpret_cast<WPARAM>(FontFor(control, false)), FALSE);
  }
  switch (control.Kind()) {
    case ControlKind::kMemo:
      SendMessageW(window, EM_SETLIMITTEXT, 0, 0);  // a log is not limited to 32K characters
      break;
    case ControlKind::kListView:
      SendMessageW(window, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                   LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
      break;
    case ControlKind::kProgressBar:
      SendMessageW(window, PBM_SETRANGE32, 0, 100);
      break;
    default:
      break;
  }
  if (!control.Enabled()) {
    EnableWindow(window, FALSE);
  }
}

void DestroyNative(Control& control) {
  if (control.Kind() == ControlKind::kLabeledEdit) {
    auto& edit = static_cast<LabeledEdit&>(control);
    DestroyWindowOf(Access::LabelWindow(edit));
    Access::SetLabelWindow(edit, nullptr);
  }
  DestroyWindowOf(WindowOf(control));
  Access::SetWindow(control, nullptr);
}

void OrphanNative(Control& control) {
  Access::SetWindow(control, nullptr);
  if (control.Kind() == ControlKind::kLabeledEdit) {
    Access::SetLabelWindow(static_cast<LabeledEdit&>(control), nullptr);
  }
}

void UpdateText(Control& control) {
  if (HWND window = WindowOf(control)) {
    SetWindowTextW(window, Wide(control.Text()));
  }
}

void UpdateEnabled(Control& control) {
  if (HWND window = WindowOf(control)) {
    EnableWindow(window, control.Enabled());
  }
  if (control.Kind() == ControlKind::kLabeledEdit) {
    if (HWND label = Access::LabelWindow(static_cast<LabeledEdit&>(control))) {
      EnableWindow(label, control.Enabled());
    }
  }
}

void UpdateVisible(Control& control) {
  if (control.Kind() == ControlKind::kForm) {
    return;
  }
  const int show = control.Visible() ? SW_SHOWNA : SW_HIDE;
  if (HWND window = WindowOf(control)) {
    ShowWindow(window, show);
  }
  if (control.Kind() == ControlKind::kLabeledEdit) {
    if (HWND label = Access::LabelWindow(static_cast<LabeledEdit&>(control))) {
      ShowWindow(label, show);
    }
  }
}

void UpdateBounds(Control& control) {
  if (control.Kind() == ControlKind::kForm) {
    return;
  }
  const Rect& r = control.Bounds();
  if (HWND window = WindowOf(control)) {
    SetWindowPos(window, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (control.Kind() == ControlKind::kLabeledEdit) {
    const auto& edit = static_cast<const LabeledEdit&>(control);
    if (HWND label = Access::LabelWindow(edit)) {
      const Rect l = edit.LabelBounds();
      SetWindowPos(label, nullptr, l.left, l.top, l.width, l.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
}

void UpdateLook(Control& control) {
  HWND window = WindowOf(control);
  if (window == nullptr) {
    return;
  }
  switch (control.Kind()) {
    case ControlKind::kLabel:
      SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(control, IsBold(control))),
                   FALSE);
      InvalidateRect(window, nullptr, TRUE);
      break;
    case ControlKind::kRadioButton:
      SendMessageW(window, BM_SETCHECK,
                   static_cast<RadioButton&>(control).Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case ControlKind::kProgressBar:
      SendMessageW(window, PBM_SETPOS,
                   static_cast<WPARAM>(static_cast<ProgressBar&>(control).Position()), 0);
      break;
    case ControlKind::kShape:
      InvalidateRect(window, nullptr, FALSE);
      break;
    case ControlKind::kLabeledEdit:
      if (HWND label = Access::LabelWindow(static_cast<LabeledEdit&>(control))) {
        SetWindowTextW(label, Wide(static_cast<LabeledEdit&>(control).LabelText()));
      }
      break;
    default:
      break;
  }
}

void SetFocus(Control& control) {
  if (HWND window = WindowOf(control)) {
    ::SetFocus(window);
  }
}

bool HasFocus(const Control& control) {
  HWND window = WindowOf(control);
  return window != nullptr && GetFocus() == window;
}

Size MeasureText(const Form& form, std::u16string_view text, bool bold) {
  HWND window = WindowOf(form);
  const WindowDc dc(window);
  const FormResources* resources = Access::Resources(form);
  HFONT font = resources == nullptr           ? nullptr
               : bold && resources->bold_font ? resources->bold_font.get()
                                              : resources->font.get();
  const Selection selected(
      dc.get(), font != nullptr ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  const std::u16string measured = text.empty() ? u" " : std::u16string(text);
  RECT rect{0, 0, 0, 0};
  DrawTextW(dc.get(), Wide(measured), static_cast<int>(measured.size()), &rect,
            DT_CALCRECT | DT_NOPREFIX);
  return {text.empty() ? 0 : rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace dactyra::ui::detail
