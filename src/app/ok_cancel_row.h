#pragma once

#include "base/text_source.h"
#include "ui/column.h"

namespace dactyra {

// The OK and Cancel buttons of the main window's small dialogs, as the next row of `column`,
// `gap` pixels below the last: OK (the default button, Enter) ends the dialog with OK, Cancel
// (Esc) with Cancel. Texts from section "main" of `texts`.
void AddOkCancelRow(ui::Column& column, int gap, const TextSource& texts);

}  // namespace dactyra
