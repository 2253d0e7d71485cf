#pragma once

// What the keys that forms handle are called where a menu names them, in the user's language
// (section "keys" of the language files). Only the names that differ between languages are
// texts ("Entf" and "Strg" in German); function keys and letters are the same in every one.

#include <string>

#include "base/text_source.h"
#include "ui/types.h"

namespace dactyra::ui {

#define DACTYRA_KEY_NAME_TEXTS(TEXT)                                \
  TEXT(kKeyNameEnter, u"keys", u"enter", u"Enter")                  \
  TEXT(kKeyNameDelete, u"keys", u"delete", u"Del")                  \
  /* The modifier of a key pressed together with Ctrl: "Ctrl+I". */ \
  TEXT(kKeyNameCtrl, u"keys", u"ctrl", u"Ctrl")
DACTYRA_TEXT_TABLE(kKeyNameTexts, DACTYRA_KEY_NAME_TEXTS);

// The name of `key` as a menu shows it after an item's text ("Del", "Ctrl+I").
std::u16string KeyName(Key key, const TextSource& texts);

}  // namespace dactyra::ui
