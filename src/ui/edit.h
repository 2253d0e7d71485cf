#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/control.h"

namespace dactyra::ui {

// A one-line edit box with its label on its left. The placement is the edit box's; the label
// sits before it, vertically centred. Text() is what the box holds, typed or set. Its label as
// it is read out is the box's accessible name; without a label, the label made before the box
// on the same parent names it (a label above the box).
class LabeledEdit final : public Control {
 public:
  static constexpr int kLabelSpacing = 3;  // 96-DPI pixels between label and box

  LabeledEdit(Control& parent, const Placement& placement, std::u16string label = {},
              std::u16string text = {});
  ~LabeledEdit() override;

  const std::u16string& LabelText() const { return label_; }
  void SetLabelText(std::u16string_view label);
  // Where the label goes, relative to the parent's client area (device pixels).
  Rect LabelBounds() const;

 protected:
  Size NaturalSize() const override;
  bool UsesKey(Key key) const override { return key == Key::kDelete; }

 private:
  friend struct detail::Access;

  std::u16string label_;
  void* label_native_ = nullptr;
};

// A read-only multi-line text with a vertical scroll bar, written line by line (a log).
class Memo final : public Control {
 public:
  Memo(Control& parent, const Placement& placement);
  ~Memo() override;

  // Appends one line, scrolls to the end and repaints at once, so the line shows while the
  // caller is still busy.
  void AppendLine(std::u16string_view line);
  void Clear();
  const std::vector<std::u16string>& Lines() const { return lines_; }

 private:
  std::vector<std::u16string> lines_;
};

}  // namespace dactyra::ui
