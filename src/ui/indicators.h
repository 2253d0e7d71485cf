#pragma once

#include "ui/control.h"

namespace dactyra::ui {

// A progress bar from 0 to 100.
class ProgressBar final : public Control {
 public:
  ProgressBar(Control& parent, const Placement& placement);
  ~ProgressBar() override;

  int Position() const { return position_; }
  void SetPosition(int position);  // clamped to 0..100

 private:
  int position_ = 0;
};

struct ShapeOptions {
  Color fill{0xFFFFFF};
  Color outline{0x000000};
  int outline_width = 1;  // 96-DPI pixels
  // The theme's colours that stand for them in a high-contrast theme.
  SystemColor contrast_fill = SystemColor::kButtonFace;
  SystemColor contrast_outline = SystemColor::kButtonText;
};

// A filled rounded rectangle with an outline (a state light).
class Shape final : public Control {
 public:
  Shape(Control& parent, const Placement& placement, const ShapeOptions& options = {});
  ~Shape() override;

  Color Fill() const { return options_.fill; }
  Color Outline() const { return options_.outline; }
  int OutlineWidth() const { return options_.outline_width; }
  void SetColors(Color fill, Color outline);
  void SetStyle(const ShapeOptions& options);
  // The colours it is painted in: its own, or the theme's in a high-contrast theme.
  PaintColor PaintedFill() const;
  PaintColor PaintedOutline() const;

 private:
  ShapeOptions options_;
};

}  // namespace dactyra::ui
