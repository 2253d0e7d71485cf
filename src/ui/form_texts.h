#pragma once

// The texts a form shows by itself (section "log" of the language files), each written once: its
// key and its built-in English.

#include "base/text_source.h"

namespace dactyra::ui {

#define DACTYRA_FORM_TEXTS(TEXT)                                                                 \
  /* The error box of a handler that failed with something that is not an error of the program's \
     own or the library's. */                                                                    \
  TEXT(kUnexpectedError, u"log", u"unexpected_error", u"Unexpected error.")
DACTYRA_TEXT_TABLE(kFormTexts, DACTYRA_FORM_TEXTS);

}  // namespace dactyra::ui
