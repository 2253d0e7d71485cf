#pragma once

// The texts of "Sensors and sign-in" (section "main") and of the list that follows the hardware
// (section "log"), each written once: its key and its built-in English.

#include <array>

#include "base/text_source.h"

namespace dactyra {

// The item of the list's context menu and of the system menu, and the dialog.
inline constexpr TranslatableText kSensorsMenuItem{u"main", u"menu.sensors",
                                                   u"Sensors and sign-&in...\tCtrl+I"};
inline constexpr TranslatableText kSensorsCaption{u"main", u"form.sensors", u"Sensors and sign-in"};
inline constexpr TranslatableText kSensorsCopy{u"main", u"button.copy", u"&Copy"};
inline constexpr TranslatableText kSensorsClose{u"main", u"button.close", u"C&lose"};

// Why the list is read again.
inline constexpr TranslatableText kLogSensorConnected{u"log", u"sensor_connected",
                                                      u"A fingerprint sensor was connected."};
inline constexpr TranslatableText kLogSensorRemoved{u"log", u"sensor_removed",
                                                    u"A fingerprint sensor was removed."};
inline constexpr TranslatableText kLogResumed{u"log", u"resumed",
                                              u"The fingerprints are read again after sleep."};
inline constexpr TranslatableText kLogListOutOfDate{
    u"log", u"list_out_of_date",
    u"The list no longer matches the sensors and fingerprints: it is read again."};

// Every text above, for the checks of the language files.
inline constexpr std::array kSensorsTexts{
    kSensorsMenuItem,    kSensorsCaption,   kSensorsCopy, kSensorsClose,
    kLogSensorConnected, kLogSensorRemoved, kLogResumed,  kLogListOutOfDate,
};

}  // namespace dactyra
