#pragma once

#include <algorithm>
#include <concepts>
#include <utility>

#include "ui/control.h"

namespace dactyra::ui {

// Stacks controls in rows under each other, as a dialog lays out a heading, a list of choices
// and a row of buttons: each row starts a gap below the bottom of the row before it (96-DPI
// pixels, the first one counting from the top of the parent). The column sets only the tops;
// lefts, widths and heights are the controls' own. The controls are made in the parent, which
// owns them.
class Column {
 public:
  explicit Column(Control& parent) : parent_(parent) {}

  // A control as the next row, `gap` below the previous one.
  template <std::derived_from<Control> T, typename... Args>
  T& Add(int gap, Placement placement, Args&&... args) {
    row_top_ = bottom_ + gap;
    bottom_ = row_top_;
    return Place<T>(placement, std::forward<Args>(args)...);
  }

  // A control beside the last one, in the same row.
  template <std::derived_from<Control> T, typename... Args>
  T& AddBeside(Placement placement, Args&&... args) {
    return Place<T>(placement, std::forward<Args>(args)...);
  }

  // Where the lowest control of the last row ends.
  int Bottom() const { return bottom_; }

 private:
  template <typename T, typename... Args>
  T& Place(Placement placement, Args&&... args) {
    placement.top = row_top_;
    T& control = parent_.Add<T>(placement, std::forward<Args>(args)...);
    bottom_ = std::max(bottom_, row_top_ + control.Height());
    return control;
  }

  Control& parent_;
  int row_top_ = 0;
  int bottom_ = 0;
};

}  // namespace dactyra::ui
