#include "ui/edit.h"

#include "ui/detail/backend.h"
#include "ui/form.h"

namespace dactyra::ui {

LabeledEdit::LabeledEdit(Control& parent, const Placement& placement, std::u16string label,
                         std::u16string text)
    : Control(&parent, ControlKind::kLabeledEdit, placement, std::move(text)),
      label_(std::move(label)) {
  Realize();
}

LabeledEdit::~LabeledEdit() = default;

void LabeledEdit::SetLabelText(std::u16string_view label) {
  label_ = label;
  detail::UpdateLook(*this);
  detail::UpdateBounds(*this);
}

Rect LabeledEdit::LabelBounds() const {
  const Size size = detail::MeasureText(OwnerForm(), label_, false);
  const Rect& box = Bounds();
  return {box.left - Scale(kLabelSpacing) - size.width, box.top + (box.height - size.height) / 2,
          size.width, size.height};
}

Size LabeledEdit::NaturalSize() const {
  const Size text = detail::MeasureText(OwnerForm(), u"Wg", false);
  return {Scale(121), text.height + Scale(8)};
}

Memo::Memo(Control& parent, const Placement& placement)
    : Control(&parent, ControlKind::kMemo, placement, {}) {
  Realize();
}

Memo::~Memo() = default;

void Memo::AppendLine(std::u16string_view line) {
  lines_.emplace_back(line);
  detail::MemoAppend(*this, line);
}

void Memo::Clear() {
  lines_.clear();
  detail::MemoClear(*this);
}

}  // namespace dactyra::ui
