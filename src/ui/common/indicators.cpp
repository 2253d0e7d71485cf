#include "ui/indicators.h"

#include <algorithm>

#include "ui/detail/backend.h"
#include "ui/form.h"

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

void Shape::SetStyle(const ShapeOptions& options) {
  options_ = options;
  detail::UpdateLook(*this);
}

PaintColor Shape::PaintedFill() const {
  return OwnerForm().HighContrast() ? PaintColor(options_.contrast_fill) : options_.fill;
}

PaintColor Shape::PaintedOutline() const {
  return OwnerForm().HighContrast() ? PaintColor(options_.contrast_outline) : options_.outline;
}

}  // namespace dactyra::ui
