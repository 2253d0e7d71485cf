#pragma once

// The texts of "Sensors and sign-in" (section "main") and of the list that follows the hardware
// (section "log"), each written once: its key and its built-in English.

#include "base/text_source.h"

namespace dactyra {

#define DACTYRA_SENSORS_TEXTS(TEXT)                                                              \
  /* The item of the list's context menu and of the system menu, and the dialog. */              \
  TEXT(kSensorsMenuItem, u"main", u"menu.sensors", u"Sensors and sign-&in...")                   \
  TEXT(kSensorsCaption, u"main", u"form.sensors", u"Sensors and sign-in")                        \
  TEXT(kSensorsCopy, u"main", u"button.copy", u"&Copy")                                          \
  TEXT(kSensorsClose, u"main", u"button.close", u"C&lose")                                       \
  /* Why the list is read again. */                                                              \
  TEXT(kLogSensorConnected, u"log", u"sensor_connected", u"A fingerprint sensor was connected.") \
  TEXT(kLogSensorRemoved, u"log", u"sensor_removed", u"A fingerprint sensor was removed.")       \
  TEXT(kLogResumed, u"log", u"resumed", u"The fingerprints are read again after sleep.")         \
  TEXT(kLogListOutOfDate, u"log", u"list_out_of_date",                                           \
       u"The list no longer matches the sensors and fingerprints: it is read again.")
DACTYRA_TEXT_TABLE(kSensorsTexts, DACTYRA_SENSORS_TEXTS);

}  // namespace dactyra
