#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/types.h"

namespace dactyra::ui {

class Form;

struct MenuItem {
  std::uint32_t id = 0;  // what ShowPopupMenu returns when the item is chosen (not 0)
  std::u16string text;   // '&' marks the mnemonic; no text: a separator
  bool enabled = true;
  bool is_default = false;  // shown in bold: the command a double click gives
};

struct PopupMenuRequest {
  std::vector<MenuItem> items;
  Point position;  // the menu's top left corner, in screen pixels
};

// Shows a popup menu for `owner` and waits for the user's choice: the id of the chosen item, 0
// when the menu was dismissed.
std::uint32_t ShowPopupMenu(const Form& owner, const PopupMenuRequest& request);

}  // namespace dactyra::ui
