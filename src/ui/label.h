#pragma once

#include <optional>

#include "ui/control.h"

namespace dactyra::ui {

struct LabelOptions {
  bool bold = false;
  bool word_wrap = false;
  std::optional<Color> color = std::nullopt;  // none: the system's window-text colour
};

// A static text. Without a size in its placement it takes the size of its text.
class Label final : public Control {
 public:
  Label(Control& parent, const Placement& placement, std::u16string text = {},
        const LabelOptions& options = {});
  ~Label() override;

  const std::optional<Color>& GetColor() const { return options_.color; }
  // The colour the text is painted in: its own, the window-text colour without one, and the
  // theme's text colour in a high-contrast theme.
  PaintColor PaintedColor() const;
  void SetColor(Color color);
  void SetSystemColor();  // back to the window-text colour
  bool Bold() const { return options_.bold; }
  void SetBold(bool bold);
  bool WordWrap() const { return options_.word_wrap; }

 protected:
  Size NaturalSize() const override;

 private:
  LabelOptions options_;
};

}  // namespace dactyra::ui
