#pragma once

// The words for Windows Hello's answers in the log (section "hello" of the language files), each
// written once: its key and its built-in English.

#include "base/text_source.h"

namespace dactyra::ui {

#define DACTYRA_HELLO_TEXTS(TEXT)                                                                 \
  TEXT(kHelloVerified, u"hello", u"verified", u"Windows Hello confirmed the user.")               \
  TEXT(kHelloCanceled, u"hello", u"canceled", u"Windows Hello was cancelled.")                    \
  TEXT(kHelloRetries, u"hello", u"retries_exhausted",                                             \
       u"Windows Hello did not confirm the user: too many attempts failed.")                      \
  TEXT(kHelloBusy, u"hello", u"device_busy",                                                      \
       u"Windows Hello did not confirm the user: the device is busy.")                            \
  TEXT(kHelloNoDevice, u"hello", u"device_not_present",                                           \
       u"Windows Hello is not used: this computer has no Windows Hello device.")                  \
  TEXT(kHelloNotConfigured, u"hello", u"not_configured",                                          \
       u"Windows Hello is not used: this account has no Windows Hello PIN.")                      \
  TEXT(kHelloPolicy, u"hello", u"disabled_by_policy",                                             \
       u"Windows Hello is not used: a policy of this computer turns it off.")                     \
  TEXT(kHelloFingerprintOnly, u"hello", u"fingerprint_only",                                      \
       u"Windows Hello is not used: before Windows 10 it confirms a user by a fingerprint only, " \
       u"not by a PIN.")                                                                          \
  TEXT(kHelloNotOffered, u"hello", u"not_offered",                                                \
       u"Windows Hello is not used: this Windows does not offer it (%s, 0x%.8X).")                \
  TEXT(kHelloCallFailed, u"hello", u"call_failed",                                                \
       u"Windows Hello is not used: %s failed (0x%.8X).")                                         \
  TEXT(kHelloUnknown, u"hello", u"unknown_answer",                                                \
       u"Windows Hello is not used: it gave the unknown answer %d.")                              \
  TEXT(kHelloPinNeeded, u"hello", u"pin_needed",                                                  \
       u"A new fingerprint signs in to Windows only once a Windows Hello PIN is set up for this " \
       u"account (Settings \u203A Accounts \u203A Sign-in options).")                             \
  TEXT(kHelloOwnWindow, u"hello", u"own_window",                                                  \
       u"Windows Hello waits in a window of its own: if you do not see it, find it on the "       \
       u"taskbar or with Alt+Tab.")
DACTYRA_TEXT_TABLE(kHelloTexts, DACTYRA_HELLO_TEXTS);

}  // namespace dactyra::ui
