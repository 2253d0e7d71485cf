// Popup menus: made for one showing, tracked until the user chooses or dismisses.

#include "ui/popup_menu.h"

#include <memory>
#include <type_traits>

#include "ui/win32/internal.h"

namespace dactyra::ui {

namespace {

struct MenuDestroyer {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

UniqueMenu MakeMenu(const std::vector<MenuItem>& items) {
  UniqueMenu menu(CreatePopupMenu());
  if (!menu) {
    return menu;
  }
  for (const MenuItem& item : items) {
    if (item.text.empty()) {
      AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
      continue;
    }
    AppendMenuW(menu.get(), MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED), item.id,
                Wide(item.text));
    if (item.is_default) {
      SetMenuDefaultItem(menu.get(), item.id, FALSE);
    }
  }
  return menu;
}

}  // namespace

std::uint32_t ShowPopupMenu(const Form& owner, const PopupMenuRequest& request) {
  const UniqueMenu menu = MakeMenu(request.items);
  HWND window = detail::WindowOf(owner);
  if (!menu || window == nullptr) {
    return 0;
  }
  const BOOL chosen = TrackPopupMenuEx(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                       request.position.x, request.position.y, window, nullptr);
  return chosen > 0 ? static_cast<std::uint32_t>(chosen) : 0;
}

}  // namespace dactyra::ui
