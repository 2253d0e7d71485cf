#pragma once

// Where the keyboard focus goes in a form, the same for both backends: Tab order is creation
// order, depth first; a tab stop is an enabled, visible control that takes keys (a button, the
// checked radio button of a group, an edit box, a list).

#include "ui/control.h"

namespace dactyra::ui::detail {

// The first tab stop after `after` in Tab order, wrapping round (from the start for null); null
// when the form has none.
Control* NextTabStop(Form& form, const Control* after);

// Whether `control` or a control below it has the focus.
bool HoldsFocus(const Control& control);

// Gives the focus on from `lost`, which can no longer hold it (it was disabled): to the next tab
// stop, else to the form itself, so that Enter and Esc still reach the form's buttons.
void MoveFocusOnFrom(Control& lost);

}  // namespace dactyra::ui::detail
