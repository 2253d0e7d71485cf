// The labelled edit: two windows, a static label and the edit box after it, that come, go,
// move and change state together.

#include <windows.h>

#include "ui/win32/native_kind.h"

namespace dactyra::ui::detail {

namespace {

constexpr DWORD kChild = WS_CHILD | WS_CLIPSIBLINGS;

class LabeledEditKindImpl final : public NativeKind {
 public:
  void Create(Control& control) const override {
    if (control.Parent() == nullptr || WindowOf(*control.Parent()) == nullptr) {
      return;
    }
    auto& edit = static_cast<LabeledEdit&>(control);
    // The label first: a mnemonic in it moves the focus to the box that follows.
    HWND label =
        CreateChildWindow(control, {L"STATIC", kChild | SS_LEFTNOWORDWRAP}, edit.LabelText());
    Access::SetLabelWindow(edit, label);
    NativeKind::Create(control);
  }

  void Destroy(Control& control) const override {
    auto& edit = static_cast<LabeledEdit&>(control);
    DestroyControlWindow(Access::LabelWindow(edit));
    Access::SetLabelWindow(edit, nullptr);
    NativeKind::Destroy(control);
  }

  void Orphan(Control& control) const override {
    Access::SetLabelWindow(static_cast<LabeledEdit&>(control), nullptr);
    NativeKind::Orphan(control);
  }

  void UpdateEnabled(Control& control) const override {
    NativeKind::UpdateEnabled(control);
    if (HWND label = LabelOf(control)) {
      EnableWindow(label, control.Enabled());
    }
  }

  void UpdateVisible(Control& control) const override {
    NativeKind::UpdateVisible(control);
    if (HWND label = LabelOf(control)) {
      ShowWindow(label, control.Visible() ? SW_SHOWNA : SW_HIDE);
    }
  }

  void UpdateBounds(Control& control) const override {
    NativeKind::UpdateBounds(control);
    if (HWND label = LabelOf(control)) {
      const Rect l = static_cast<const LabeledEdit&>(control).LabelBounds();
      SetWindowPos(label, nullptr, l.left, l.top, l.width, l.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }

  void UpdateLook(Control& control) const override {
    if (HWND label = LabelOf(control)) {
      SetWindowTextW(label, Wide(static_cast<const LabeledEdit&>(control).LabelText()));
    }
  }

  void ApplyFont(Control& control, bool redraw) const override {
    NativeKind::ApplyFont(control, redraw);
    if (HWND label = LabelOf(control)) {
      SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(Font(control)), redraw);
    }
  }

  // The user's typing reaches the model.
  void Command(Control& control, WORD code) const override {
    if (code != EN_CHANGE) {
      return;
    }
    HWND edit = WindowOf(control);
    std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, u'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(edit, WideData(text), static_cast<int>(text.size()))));
    Access::StoreText(control, std::move(text));
  }

 protected:
  WindowSpec Spec(const Control&) const override {
    return {L"EDIT", kChild | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
  }

 private:
  static HWND LabelOf(const Control& control) {
    return Access::LabelWindow(static_cast<const LabeledEdit&>(control));
  }
};

}  // namespace

const NativeKind& LabeledEditKind() {
  static const LabeledEditKindImpl kind;
  return kind;
}

}  // namespace dactyra::ui::detail
