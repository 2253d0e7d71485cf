#pragma once

#include "ui/control.h"

namespace dactyra::ui {

// A flat container without a border; docked children keep inside its padding.
class Panel final : public Control {
 public:
  Panel(Control& parent, const Placement& placement, const Padding& padding = {});
  ~Panel() override;

  const Padding& GetPadding() const { return padding_; }

 protected:
  Padding ChildPadding() const override;

 private:
  Padding padding_;
};

// A bar docked between two controls (top or bottom edge) that the user drags to resize the
// control docked before it on the same edge; the Client control takes up the difference.
class Splitter final : public Control {
 public:
  // The smallest size, in 96-DPI pixels, the drag leaves to either side.
  static constexpr int kMinimumSize = 30;

  Splitter(Control& parent, const Placement& placement);
  ~Splitter() override;

  // The control it resizes: the nearest earlier sibling docked on the same edge.
  Control* Target() const;

  // Moves the splitter by `pixels` device pixels (down or right when positive), as a drag does.
  void DragBy(int pixels);
};

}  // namespace dactyra::ui
