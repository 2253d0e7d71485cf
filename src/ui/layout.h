#pragma once

#include <vector>

#include "ui/types.h"

namespace dactyra::ui {

// A design length in 96-DPI pixels as device pixels at `dpi`, rounded to nearest.
int ScaleForDpi(int value, int dpi);

// A device length at `dpi` back in 96-DPI pixels, rounded to nearest.
int UnscaleForDpi(int value, int dpi);

// One child of a container for the docking layout: its dock and its rectangle, already in
// device pixels (for a docked child only the size across its edge is read).
struct LayoutItem {
  Dock dock = Dock::kNone;
  Rect rect;
  bool visible = true;
};

// Places the children of a container whose client area is `client` (device pixels). Docked
// children take strips from the area inside `padding`: first every top one, then bottom, left
// and right ones, each kind in the items' order (the first is outermost); a Client child takes
// what is left. Undocked children keep their own rectangle. Sizes never go below zero. The
// result holds one rectangle per item, in the items' order.
std::vector<Rect> LayoutChildren(const std::vector<LayoutItem>& items, Size client,
                                 const Padding& padding);

}  // namespace dactyra::ui
