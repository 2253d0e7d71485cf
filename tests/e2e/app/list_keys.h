#pragma once

#include <string>

#include "scenario.h"

namespace dactyra::e2e {

// The list as a Windows list: a finger at a hand position with its English name, the context
// menu from the Menu key, Rename chosen in it (the rename dialog, Enter keeps the description),
// F3 with the user's finger (its row selected) and with another user's, Del and F5.
void ListKeys(Scenario& scenario);

// The same list with the Simplified Chinese language file from `language_folder`: the finger
// at a hand position with its Chinese name, and the context menu.
void ListKeysChinese(Scenario& scenario, const std::wstring& language_folder);

}  // namespace dactyra::e2e
