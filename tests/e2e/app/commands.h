#pragma once

#include <string>

#include "scenario.h"

namespace dactyra::e2e {

// List, add a finger by touch (refused for another user's touch, and for another account's
// finger, whose account the dialog names), verify it three ways, rename it, delete it (refused
// for another user's touch), the question before the last finger, the sensor dialog and the
// About box, with a screenshot of each step.
void Commands(Scenario& scenario);

// Dialogs closed while their workers wait for a touch (verification and owner's check by their
// close boxes, enrollment by Cancel): they go at once and the next command needs one touch; a
// "done" posted from outside the program changes nothing.
void CloseWhileWaiting(Scenario& scenario);

// A CFG.TOML beside the program that cannot be written: its descriptions show, and a renaming
// is kept in the user's own CFG.TOML across a restart; the log names that file.
void ReadOnlyConfig(Scenario& scenario);

// The program with the Simplified Chinese language file from `language_folder`: main window,
// sensor dialog, deletion question and About box.
void Chinese(Scenario& scenario, const std::wstring& language_folder);

}  // namespace dactyra::e2e
