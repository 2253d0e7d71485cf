// The native side following the model: each request goes to the control's kind.

#include <windows.h>

#include <variant>

#include "ui/detail/backend.h"
#include "ui/win32/accessible_names.h"
#include "ui/win32/native_kind.h"

namespace dactyra::ui::detail {

namespace {

int SystemColorIndex(SystemColor color) {
  switch (color) {
    case SystemColor::kWindowText:
      return COLOR_WINDOWTEXT;
    case SystemColor::kButtonFace:
      return COLOR_BTNFACE;
    case SystemColor::kButtonText:
      return COLOR_BTNTEXT;
    case SystemColor::kGrayText:
      return COLOR_GRAYTEXT;
    case SystemColor::kHighlight:
      return COLOR_HIGHLIGHT;
    case SystemColor::kHotLight:
      return COLOR_HOTLIGHT;
  }
  return COLOR_WINDOWTEXT;
}

// The form's annotation service, made when a first control of it is named.
AccessibleNames* AccessibleNamesOf(const Control& control) {
  FormResources* resources = Access::Resources(control.OwnerForm());
  if (resources == nullptr) {
    return nullptr;
  }
  if (!resources->accessible_names) {
    resources->accessible_names = std::make_unique<AccessibleNames>();
  }
  return resources->accessible_names.get();
}

void AnnotateName(const Control& control, std::u16string_view name) {
  if (AccessibleNames* names = AccessibleNamesOf(control)) {
    names->Set(WindowOf(control), name);
  }
}

}  // namespace

FormResources::FormResources() = default;
FormResources::~FormResources() = default;

COLORREF ToColorRef(const PaintColor& color) {
  if (const auto* own = std::get_if<Color>(&color)) {
    return ToColorRef(*own);
  }
  return GetSysColor(SystemColorIndex(std::get<SystemColor>(color)));
}

bool SystemHighContrast() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof(contrast);
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) != FALSE &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

HWND CreateChildWindow(Control& control, const WindowSpec& spec, const std::u16string& text) {
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

void DestroyControlWindow(HWND window) {
  if (window != nullptr && IsWindow(window)) {
    RemovePropW(window, kControlProperty);
    DestroyWindow(window);
  }
}

void NativeKind::Create(Control& control) const {
  if (control.Parent() == nullptr || WindowOf(*control.Parent()) == nullptr) {
    return;
  }
  HWND window = CreateChildWindow(control, Spec(control), NativeText(control));
  Access::SetWindow(control, window);
  if (window == nullptr) {
    return;
  }
  Setup(window);
  ApplyFont(control, false);
  if (!control.Enabled()) {
    EnableWindow(window, FALSE);
  }
  if (!control.AccessibleName().empty()) {
    AnnotateName(control, control.AccessibleName());
  }
}

void NativeKind::Destroy(Control& control) const {
  if (WindowOf(control) != nullptr && !control.AccessibleName().empty()) {
    AnnotateName(control, {});
  }
  DestroyControlWindow(WindowOf(control));
  Access::SetWindow(control, nullptr);
}

void NativeKind::Orphan(Control& control) const {
  Access::SetWindow(control, nullptr);
}

void NativeKind::UpdateText(Control& control) const {
  if (HWND window = WindowOf(control)) {
    SetWindowTextW(window, Wide(NativeText(control)));
  }
}

void NativeKind::UpdateAccessibleName(Control& control) const {
  HWND window = WindowOf(control);
  if (window == nullptr) {
    return;
  }
  if (NamedByText()) {
    UpdateText(control);
  }
  AnnotateName(control, control.AccessibleName());
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

void NativeKind::UpdateEnabled(Control& control) const {
  if (HWND window = WindowOf(control)) {
    EnableWindow(window, control.Enabled());
  }
}

void NativeKind::UpdateVisible(Control& control) const {
  if (HWND window = WindowOf(control)) {
    ShowWindow(window, control.Visible() ? SW_SHOWNA : SW_HIDE);
  }
}

void NativeKind::UpdateBounds(Control& control) const {
  if (HWND window = WindowOf(control)) {
    const Rect& r = control.Bounds();
    SetWindowPos(window, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void NativeKind::ApplyFont(Control& control, bool redraw) const {
  if (HWND window = WindowOf(control)) {
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(Font(control)), redraw);
  }
}

HFONT NativeKind::Font(const Control& control) const {
  return FormFont(control.OwnerForm(), false);
}

HFONT FormFont(const Form& form, bool bold) {
  const FormResources* resources = Access::Resources(form);
  if (resources == nullptr) {
    return nullptr;
  }
  const FormFonts& fonts = resources->fonts;
  return bold && fonts.bold ? fonts.bold.get() : fonts.normal.get();
}

void CreateNative(Control& control) {
  NativeKindOf(control).Create(control);
}

void DestroyNative(Control& control) {
  NativeKindOf(control).Destroy(control);
}

void OrphanNative(Control& control) {
  NativeKindOf(control).Orphan(control);
}

void UpdateText(Control& control) {
  NativeKindOf(control).UpdateText(control);
}

void UpdateEnabled(Control& control) {
  NativeKindOf(control).UpdateEnabled(control);
}

void UpdateVisible(Control& control) {
  NativeKindOf(control).UpdateVisible(control);
}

void UpdateBounds(Control& control) {
  NativeKindOf(control).UpdateBounds(control);
}

void UpdateLook(Control& control) {
  NativeKindOf(control).UpdateLook(control);
}

void UpdateAccessibleName(Control& control) {
  NativeKindOf(control).UpdateAccessibleName(control);
}

void SetFocus(Control& control) {
  if (HWND window = WindowOf(control)) {
    ::SetFocus(window);
  }
}

void MoveToTabFront(Control& control) {
  if (HWND window = WindowOf(control)) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

bool HasFocus(const Control& control) {
  HWND window = WindowOf(control);
  return window != nullptr && GetFocus() == window;
}

Size MeasureText(const Form& form, std::u16string_view text, FontWeight weight) {
  const bool bold = weight == FontWeight::kBold;
  const WindowDc dc(WindowOf(form));
  HFONT font = FormFont(form, bold);
  const Selection selected(
      dc.get(), font != nullptr ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  const std::u16string measured = text.empty() ? u" " : std::u16string(text);
  RECT rect{0, 0, 0, 0};
  DrawTextW(dc.get(), Wide(measured), static_cast<int>(measured.size()), &rect,
            DT_CALCRECT | DT_NOPREFIX);
  return {text.empty() ? 0 : rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace dactyra::ui::detail
