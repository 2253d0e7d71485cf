#include "ui/detail/focus.h"

#include <cstddef>
#include <vector>

#include "ui/button.h"
#include "ui/detail/backend.h"
#include "ui/form.h"

namespace dactyra::ui::detail {

namespace {

bool TakesKeys(const Control& control) {
  switch (control.Kind()) {
    case ControlKind::kButton:
    case ControlKind::kLabeledEdit:
    case ControlKind::kMemo:
    case ControlKind::kListView:
      return true;
    case ControlKind::kRadioButton:
      return static_cast<const RadioButton&>(control).Checked();
    default:
      return false;
  }
}

bool IsTabStop(const Control& control) {
  if (!TakesKeys(control)) {
    return false;
  }
  for (const Control* c = &control; c != nullptr; c = c->Parent()) {
    if (!c->Enabled() || !c->Visible()) {
      return false;
    }
  }
  return true;
}

void CollectInTabOrder(Control& parent, std::vector<Control*>& order) {
  for (Control* child : parent.Children()) {
    order.push_back(child);
    CollectInTabOrder(*child, order);
  }
}

}  // namespace

Control* NextTabStop(Form& form, const Control* after) {
  std::vector<Control*> order;
  CollectInTabOrder(form, order);
  std::size_t start = 0;
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (order[i] == after) {
      start = i + 1;
    }
  }
  for (std::size_t n = 0; n < order.size(); ++n) {
    Control* candidate = order[(start + n) % order.size()];
    if (IsTabStop(*candidate)) {
      return candidate;
    }
  }
  return nullptr;
}

bool HoldsFocus(const Control& control) {
  if (control.Focused()) {
    return true;
  }
  for (const Control* child : control.Children()) {
    if (HoldsFocus(*child)) {
      return true;
    }
  }
  return false;
}

void MoveFocusOnFrom(Control& lost) {
  Form& form = lost.OwnerForm();
  Control* next = NextTabStop(form, &lost);
  SetFocus(next != nullptr ? *next : static_cast<Control&>(form));
}

}  // namespace dactyra::ui::detail
