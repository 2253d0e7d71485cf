#pragma once

// Why the link time of the program's file cannot be read (section "log" of the language files),
// each written once: its key and its built-in English.

#include "base/text_source.h"

namespace dactyra {

#define DACTYRA_LINK_TIME_TEXTS(TEXT)                                                             \
  /* %s: the file. */                                                                             \
  TEXT(kLinkTimeNotOpened, u"log", u"exe_not_opened", u"Cannot open \"%s\".")                     \
  TEXT(kLinkTimeTooShort, u"log", u"exe_too_short", u"The file is too short for a DOS header.")   \
  TEXT(kLinkTimeNoHeaders, u"log", u"exe_no_pe_headers", u"The file ends before its PE headers.") \
  TEXT(kLinkTimeNotLocal, u"log", u"link_time_not_local",                                         \
       u"The link time cannot be converted to local time.")
DACTYRA_TEXT_TABLE(kLinkTimeTexts, DACTYRA_LINK_TIME_TEXTS);

}  // namespace dactyra
