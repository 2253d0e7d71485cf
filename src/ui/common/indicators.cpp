#include "ui/indicators.h"

#include <algorithm>

#include "ui/detail/backend.h"

namespace dactyra::ui {

ProgressBar::ProgressBar(Control& parent, const Placement& placement)
    : Control(&parent, ControlKind::kProgressBar, placement, {}) {
  Realize();
}

ProgressBar::~ProgressBar() = default;

void ProgressBar::SetPosition(int position) {
  position_ = std::clamp(position, 0, 100);
  detail::UpdateLook(*this);
}

Shape::Shape(Control& parent, const Placement& placement, const ShapeOptions& options)
    : Control(&parent, ControlKind::kShape, placement, {}), options_(options) {
  Realize();
}

Shape::~Shape() = default;

void Shape::SetColors(Color fill, Color outline) {
  options_.fill = fill;
  options_.outline = outline;
  detail::UpdateLook(*this);
}

}  // namespace dactyra::ui
