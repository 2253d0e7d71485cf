#pragma once

#include <string_view>

#include "ui/form.h"

namespace dactyra::ui {

// Puts `text` on the clipboard as Unicode text, on behalf of `owner`; false when the system
// refused it (another program holds the clipboard open).
bool SetClipboardText(Form& owner, std::u16string_view text);

}  // namespace dactyra::ui
