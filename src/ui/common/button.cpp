#include "ui/button.h"

#include <algorithm>

#include "ui/detail/backend.h"
#include "ui/form.h"

namespace dactyra::ui {

namespace {
constexpr int kButtonHeight = 25;  // 96-DPI pixels, the usual push button
constexpr int kButtonMinWidth = 75;
constexpr int kCheckMark = 13;
constexpr int kCheckMarkSpacing = 6;  // between the check mark and the text
}  // namespace

Button::Button(Control& parent, const Placement& placement, std::u16string text,
               const ButtonOptions& options)
    : Control(&parent, ControlKind::kButton, placement, std::move(text)), options_(options) {
  if (options_.is_default) {
    OwnerForm().default_button_ = this;
  }
  if (options_.cancel) {
    OwnerForm().cancel_button_ = this;
  }
  Realize();
}

Button::~Button() {
  Form& form = OwnerForm();
  if (form.default_button_ == this) {
    form.default_button_ = nullptr;
  }
  if (form.cancel_button_ == this) {
    form.cancel_button_ = nullptr;
  }
}

void Button::Click() {
  if (!Enabled() || !Visible()) {
    return;
  }
  if (options_.modal_result != ModalResult::kNone) {
    OwnerForm().SetModalResult(options_.modal_result);
  }
  RunHandler(OnClick);
}

Size Button::NaturalSize() const {
  const Size text = detail::MeasureText(OwnerForm(), Text());
  return {std::max(Scale(kButtonMinWidth), text.width + Scale(16)), Scale(kButtonHeight)};
}

RadioButton::RadioButton(Control& parent, const Placement& placement, std::u16string text,
                         const RadioOptions& options)
    : Control(&parent, ControlKind::kRadioButton, placement, std::move(text)),
      checked_(false),
      tag_(options.tag) {
  Realize();
  if (options.checked) {
    SetChecked(true);
  }
}

RadioButton::~RadioButton() = default;

void RadioButton::StoreChecked(bool checked) {
  checked_ = checked;
  if (!checked || Parent() == nullptr) {
    return;
  }
  for (Control* sibling : Parent()->Children()) {
    if (sibling != this && sibling->Kind() == ControlKind::kRadioButton) {
      static_cast<RadioButton*>(sibling)->checked_ = false;
    }
  }
}

void RadioButton::SetChecked(bool checked) {
  StoreChecked(checked);
  if (Parent() == nullptr) {
    detail::UpdateLook(*this);
    return;
  }
  for (Control* sibling : Parent()->Children()) {
    if (sibling->Kind() == ControlKind::kRadioButton) {
      detail::UpdateLook(*sibling);
    }
  }
}

void RadioButton::Click() {
  if (Enabled() && Visible()) {
    SetChecked(true);
  }
}

bool RadioButton::Fits(std::u16string_view text) const {
  return GetPlacement().width == 0 ||
         Scale(kCheckMark + kCheckMarkSpacing) + detail::MeasureText(OwnerForm(), text).width <=
             Bounds().width;
}

Size RadioButton::NaturalSize() const {
  const Size text = detail::MeasureText(OwnerForm(), Text());
  return {Scale(kCheckMark + kCheckMarkSpacing) + text.width,
          std::max(text.height, Scale(kCheckMark)) + Scale(2)};
}

}  // namespace dactyra::ui
