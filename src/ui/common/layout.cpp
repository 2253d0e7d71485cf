#include "ui/layout.h"

#include <algorithm>
#include <cstdint>

namespace dactyra::ui {

namespace {

int MulDivRounded(int value, int numerator, int denominator) {
  if (denominator <= 0) {
    return value;
  }
  const std::int64_t product = std::int64_t{value} * numerator;
  const std::int64_t half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator
                                       : -((-product + half) / denominator));
}

}  // namespace

int ScaleForDpi(int value, int dpi) {
  return MulDivRounded(value, dpi, 96);
}

int UnscaleForDpi(int value, int dpi) {
  return MulDivRounded(value, 96, dpi);
}

std::vector<Rect> LayoutChildren(const std::vector<LayoutItem>& items, Size client,
                                 const Padding& padding) {
  int left = padding.left;
  int top = padding.top;
  int right = std::max(left, client.width - padding.right);
  int bottom = std::max(top, client.height - padding.bottom);

  std::vector<Rect> placed(items.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    placed[i] = items[i].rect;
    placed[i].width = std::max(0, placed[i].width);
    placed[i].height = std::max(0, placed[i].height);
  }
  for (const Dock pass : {Dock::kTop, Dock::kBottom, Dock::kLeft, Dock::kRight, Dock::kClient}) {
    for (std::size_t i = 0; i < items.size(); ++i) {
      const LayoutItem& item = items[i];
      if (!item.visible || item.dock != pass) {
        continue;
      }
      const int width = right - left;
      const int height = bottom - top;
      const int across = std::clamp(item.rect.height, 0, height);
      const int along = std::clamp(item.rect.width, 0, width);
      switch (pass) {
        case Dock::kTop:
          placed[i] = {left, top, width, across};
          top += across;
          break;
        case Dock::kBottom:
          placed[i] = {left, bottom - across, width, across};
          bottom -= across;
          break;
        case Dock::kLeft:
          placed[i] = {left, top, along, height};
          left += along;
          break;
        case Dock::kRight:
          placed[i] = {right - along, top, along, height};
          right -= along;
          break;
        case Dock::kClient:
          placed[i] = {left, top, width, height};
          break;
        case Dock::kNone:
          break;
      }
    }
  }
  return placed;
}

}  // namespace dactyra::ui
