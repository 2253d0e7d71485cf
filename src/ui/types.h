#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace dactyra::ui {

// A colour given as red, green and blue (0xRRGGBB in the constructor, as colours are written
// in design notes: Color(0xFFA500) is orange).
struct Color {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  constexpr Color() = default;
  constexpr explicit Color(std::uint32_t rgb)
      : red(static_cast<std::uint8_t>(rgb >> 16)),
        green(static_cast<std::uint8_t>(rgb >> 8)),
        blue(static_cast<std::uint8_t>(rgb)) {}

  constexpr std::uint32_t Rgb() const {
    return (std::uint32_t{red} << 16) | (std::uint32_t{green} << 8) | blue;
  }
  friend constexpr bool operator==(Color, Color) = default;
};

// A colour of the system's theme. In a high-contrast theme the controls paint with these only,
// so that what they show follows the user's choice of colours.
enum class SystemColor {
  kWindowText,  // text on a window
  kButtonFace,  // the face of dialogs and buttons
  kButtonText,  // text on the button face
  kGrayText,    // text of something inactive
  kHighlight,   // the background of selected items
  kHotLight,    // links and items under the pointer
};

// What a control paints with: a colour of its own, or one of the theme's.
using PaintColor = std::variant<Color, SystemColor>;

// Which edge of its parent a control sticks to. The top strips are taken first, then the bottom,
// left and right ones (so left and right strips lie between the top and bottom ones); controls
// docked to the same edge follow their creation order, the first outermost. Client takes what
// remains.
enum class Dock { kNone, kTop, kBottom, kLeft, kRight, kClient };

// Where a control goes, in 96-DPI pixels relative to its parent's client area. A width or
// height of 0 means the control's natural size for its text and the form's font. For a docked
// control only the size across its edge counts (height for top/bottom, width for left/right).
struct Placement {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  Dock dock = Dock::kNone;
};

// Inner spacing of a panel; applies to its docked children only.
struct Padding {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// A rectangle in device pixels (left, top, width, height).
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  int right() const { return left + width; }
  int bottom() const { return top + height; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// A point in device pixels on the screen.
struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// The weight of a text's font.
enum class FontWeight { kNormal, kBold };

// The keys that forms handle themselves, as Windows lists do (F2 rename, F3 find, F5 refresh,
// Delete, Enter), reported when pressed without Ctrl, Alt or Shift; and Ctrl+I (information) and
// Ctrl+H (replace), reported with Ctrl alone.
enum class Key { kEnter, kDelete, kF2, kF3, kF5, kCtrlI, kCtrlH };

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// A form's font: a face name and a height in 96-DPI pixels. An empty face means the system's
// message font.
struct FontSpec {
  std::u16string face = {};
  int pixel_height = 0;
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// The result with which a modal form ends (the numbers of the Windows dialog results).
enum class ModalResult : int { kNone = 0, kOk = 1, kCancel = 2, kYes = 6, kNo = 7 };

}  // namespace dactyra::ui
