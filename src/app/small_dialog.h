#pragma once

#include <string>

#include "base/text_source.h"
#include "ui/column.h"
#include "ui/form.h"

namespace dactyra {

// The client width of the main window's small dialogs (the sensor and rename dialogs): a dialog
// 380 pixels wide.
inline constexpr int kSmallDialogWidth = 364;

// A small modal dialog centred over `owner`; its height is set once its column is laid out.
ui::FormOptions SmallDialogOptions(ui::Form& owner, std::u16string caption);

// The OK and Cancel buttons of a small dialog, as the next row of `column`, `gap` pixels below
// the last: OK (the default button, Enter) ends the dialog with OK, Cancel (Esc) with Cancel.
// Texts from section "main" of `texts`.
void AddOkCancelRow(ui::Column& column, int gap, const TextSource& texts);

}  // namespace dactyra
