#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/text_source.h"
#include "ui/form.h"

namespace dactyra {

// Asks for a finger's description in a small modal dialog owned by `owner`: the description in
// an edit box, OK (Enter) and Cancel (Esc). The text in the box when OK is pressed; none when
// the dialog is cancelled or closed.
std::optional<std::u16string> AskDescription(ui::Form& owner, std::u16string_view description,
                                             const TextSource& texts);

}  // namespace dactyra
