#pragma once

#include "scenario.h"

namespace dactyra::e2e {

// One command at a time, with Windows Hello (the stand-in) taking four seconds to answer: keys,
// a click and a reader's arrival during its waits start nothing, and closing the window then
// ends the program without a dialog after its window.
void Waits(Scenario& scenario);

}  // namespace dactyra::e2e
