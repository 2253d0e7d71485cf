#include "ui/edit.h"

#include <string_view>

#include "ui/detail/backend.h"
#include "ui/form.h"

namespace dactyra::ui {
namespace {

// A label as it is read out: its keyboard-shortcut marks ("&&" is a plain '&') and the colon
// and blanks at its end left out.
std::u16string SpokenLabel(std::u16string_view label) {
  std::u16string spoken;
  for (std::size_t i = 0; i < label.size(); ++i) {
    if (label[i] == u'&' && i + 1 < label.size()) {
      ++i;
    }
    spoken += label[i];
  }
  while (!spoken.empty() &&
         std::u16string_view(u" :\uFF1A").find(spoken.back()) != std::u16string_view::npos) {
    spoken.pop_back();
  }
  return spoken;
}

// The text of the last label made on the same parent before `control`; empty when none.
std::u16string LabelBefore(const Control& control) {
  std::u16string text;
  for (const Control* sibling : control.Parent()->Children()) {
    if (sibling == &control) {
      break;
    }
    if (sibling->Kind() == ControlKind::kLabel) {
      text = sibling->Text();
    }
  }
  return text;
}

}  // namespace

LabeledEdit::LabeledEdit(Control& parent, const Placement& placement, std::u16string label,
                         std::u16string text)
    : Control(&parent, ControlKind::kLabeledEdit, placement, std::move(text)),
      label_(std::move(label)) {
  Realize();
  SetAccessibleName(SpokenLabel(label_.empty() ? LabelBefore(*this) : label_));
}

LabeledEdit::~LabeledEdit() = default;

void LabeledEdit::SetLabelText(std::u16string_view label) {
  label_ = label;
  detail::UpdateLook(*this);
  detail::UpdateBounds(*this);
  SetAccessibleName(SpokenLabel(label_.empty() ? LabelBefore(*this) : label_));
}

Rect LabeledEdit::LabelBounds() const {
  const Size size = detail::MeasureText(OwnerForm(), label_);
  const Rect& box = Bounds();
  return {box.left - Scale(kLabelSpacing) - size.width, box.top + (box.height - size.height) / 2,
          size.width, size.height};
}

Size LabeledEdit::NaturalSize() const {
  const Size text = detail::MeasureText(OwnerForm(), u"Wg");
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
