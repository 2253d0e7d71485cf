#pragma once

#include <string>
#include <string_view>

#include "toml/value.h"

namespace dactyra::toml {

// A float as TOML text: nan, inf and -inf by value; else the stored spelling when there is one;
// else the general format with 15 significant digits, or 17 when 15 do not read back to the same
// double. ".0" is appended when the text has neither a '.' nor an exponent.
std::u16string FloatToTOMLText(double value, std::u16string_view raw_spelling);

// A date-time as TOML text: its stored spelling when there is one, else made from its value,
// kind and zone offset. The part of a second is written to the microsecond (".500000") when
// it is not zero; a part that rounds up to a whole second is carried into the seconds.
std::u16string DateTimeToTOMLText(const TTOMLDateTime& value);

}  // namespace dactyra::toml
