#pragma once

#include <string>

#include "scenario.h"

namespace dactyra::e2e {

// The main window for a user whose locale is `locale` (ja-JP, ko-KR, de-DE): in that language,
// from its file in `language_folder`, and in the window font that the file names. Started, seen
// (a screenshot) and closed.
void WindowInLanguage(Scenario& scenario, const std::wstring& language_folder,
                      const std::wstring& locale);

}  // namespace dactyra::e2e
