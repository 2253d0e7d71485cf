#pragma once

// The activity log's lines about CFG.TOML (section "log" of the language files), each written
// once: its key and its built-in English.

#include <array>

#include "base/text_source.h"

namespace dactyra {

inline constexpr TranslatableText kConfigUnreadable{
    u"log", u"cfg_unreadable", u"The configuration file could not be read and was left unchanged."};
inline constexpr TranslatableText kConfigSaved{u"log", u"saved", u"The configuration is saved."};
// The wait was over and another copy of the program still held the lock.
inline constexpr TranslatableText kConfigLocked{
    u"log", u"cfg_locked",
    u"Another copy of the program is changing the configuration file; this change was not saved."};
inline constexpr TranslatableText kConfigSaveFailed{u"log", u"saved_error",
                                                    u"Error occurred when saving configuration: "};

// Every text above, for the checks of the language files.
inline constexpr std::array kConfigTexts{
    kConfigLocked,
    kConfigUnreadable,
    kConfigSaved,
    kConfigSaveFailed,
};

}  // namespace dactyra
