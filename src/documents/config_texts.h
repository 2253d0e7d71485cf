#pragma once

// The activity log's lines about CFG.TOML (section "log" of the language files), each written
// once: its key and its built-in English.

#include "base/text_source.h"

namespace dactyra {

#define DACTYRA_CONFIG_TEXTS(TEXT)                                                               \
  TEXT(kConfigUnreadable, u"log", u"cfg_unreadable",                                             \
       u"The configuration file could not be read and was left unchanged.")                      \
  TEXT(kConfigSaved, u"log", u"saved", u"The configuration is saved.")                           \
  /* The wait was over and another copy of the program still held the lock. */                   \
  TEXT(kConfigLocked, u"log", u"cfg_locked",                                                     \
       u"Another copy of the program is changing the configuration file; this change was not "   \
       u"saved.")                                                                                \
  TEXT(kConfigSaveFailed, u"log", u"saved_error", u"Error occurred when saving configuration: ") \
  /* Why a new finger's description is not saved: CFG.TOML holds something else under its key    \
     (follows "saved_error"). */                                                                 \
  TEXT(kConfigFingerEntriesNotArray, u"log", u"finger_not_array",                                \
       u"the \"finger\" entry is not an array.")
DACTYRA_TEXT_TABLE(kConfigTexts, DACTYRA_CONFIG_TEXTS);

}  // namespace dactyra
