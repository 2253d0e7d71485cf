#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/text_source.h"
#include "ui/form.h"

namespace dactyra {

// A sensor as the selection dialog offers it.
struct TSensorChoice {
  std::u16string Description;
  std::uint32_t UnitId = 0;
};

// Asks on which sensor a new finger is to be enrolled: the unit id of the chosen sensor, 0 for
// the automatic choice (the enrollment finds the sensor that the user touches), -1 when the
// user cancelled. Without sensors the answer is 0 and with one it is that sensor, both without
// a dialog; with several a modal dialog owned by `owner` offers "Auto" (checked) and one choice
// per sensor, in the order given. Raises FormatError when a translated "radio.item" does not
// fit a text and a number.
std::int64_t SelectSensor(ui::Form& owner, const std::vector<TSensorChoice>& sensors,
                          const TextSource& texts);

}  // namespace dactyra
