#include "ui/clipboard.h"

#include "ui/detail/backend.h"

namespace dactyra::ui {

bool SetClipboardText(Form& owner, std::u16string_view text) {
  return detail::ClipboardSetText(owner, text);
}

}  // namespace dactyra::ui
