#include "ui/panel.h"

#include <algorithm>

#include "ui/form.h"
#include "ui/layout.h"

namespace dactyra::ui {

Panel::Panel(Control& parent, const Placement& placement, const Padding& padding)
    : Control(&parent, ControlKind::kPanel, placement, {}), padding_(padding) {
  Realize();
}

Panel::~Panel() = default;

Padding Panel::ChildPadding() const {
  return padding_;
}

Splitter::Splitter(Control& parent, const Placement& placement)
    : Control(&parent, ControlKind::kSplitter, placement, {}) {
  Realize();
}

Splitter::~Splitter() = default;

Control* Splitter::Target() const {
  const Control* parent = Parent();
  if (parent == nullptr || GetPlacement().dock == Dock::kNone ||
      GetPlacement().dock == Dock::kClient) {
    return nullptr;
  }
  const auto& siblings = parent->Children();
  const auto self = std::find(siblings.begin(), siblings.end(), this);
  for (auto it = self; it != siblings.begin();) {
    --it;
    if ((*it)->GetPlacement().dock == GetPlacement().dock && (*it)->Visible()) {
      return *it;
    }
  }
  return nullptr;
}

void Splitter::DragBy(int pixels) {
  Control* target = Target();
  if (target == nullptr || pixels == 0) {
    return;
  }
  const Dock dock = GetPlacement().dock;
  const bool vertical = dock == Dock::kTop || dock == Dock::kBottom;
  // Moving towards the target shrinks it; the room it may grow into is what the Client sibling
  // (or the rest of the parent) can give up.
  const bool grows_with_positive = dock == Dock::kTop || dock == Dock::kLeft;
  const int current = vertical ? target->Bounds().height : target->Bounds().width;
  int spare = 0;
  for (const Control* sibling : Parent()->Children()) {
    if (sibling->GetPlacement().dock == Dock::kClient && sibling->Visible()) {
      spare = vertical ? sibling->Bounds().height : sibling->Bounds().width;
    }
  }
  const int minimum = Scale(kMinimumSize);
  const int wanted = current + (grows_with_positive ? pixels : -pixels);
  const int largest = std::max(current, current + spare - minimum);
  const int size = std::clamp(wanted, std::min(minimum, current), largest);

  Placement placement = target->GetPlacement();
  const int design = UnscaleForDpi(size, OwnerForm().Dpi());
  (vertical ? placement.height : placement.width) = design;
  target->SetPlacement(placement);
}

}  // namespace dactyra::ui
