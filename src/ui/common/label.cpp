#include "ui/label.h"

#include "ui/detail/backend.h"
#include "ui/form.h"

namespace dactyra::ui {

Label::Label(Control& parent, const Placement& placement, std::u16string text,
             const LabelOptions& options)
    : Control(&parent, ControlKind::kLabel, placement, std::move(text)), options_(options) {
  Realize();
}

Label::~Label() = default;

void Label::SetColor(Color color) {
  options_.color = color;
  detail::UpdateLook(*this);
}

void Label::SetSystemColor() {
  options_.color.reset();
  detail::UpdateLook(*this);
}

void Label::SetBold(bool bold) {
  options_.bold = bold;
  detail::UpdateLook(*this);
  RelayoutInParent();
}

PaintColor Label::PaintedColor() const {
  if (OwnerForm().HighContrast()) {
    return SystemColor::kButtonText;
  }
  return options_.color ? PaintColor(*options_.color) : SystemColor::kWindowText;
}

Size Label::NaturalSize() const {
  return detail::MeasureText(OwnerForm(), Text(),
                             options_.bold ? FontWeight::kBold : FontWeight::kNormal);
}

}  // namespace dactyra::ui
