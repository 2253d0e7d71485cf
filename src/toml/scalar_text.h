#pragma once

#include <string>
#include <string_view>

#include "toml/value.h"

namespace dactyra::toml {

// Appends a float as TOML text: nan, inf and -inf by value; else the stored spelling when there
// is one; else the general format with 15 significant digits, or 17 when 15 do not read back to
// the same double. ".0" is appended when the text has neither a '.' nor an exponent.
void AppendFloatText(std::u16string& out, double value, std::u16string_view raw_spelling);

// Appends a date-time as TOML text: its stored spelling when there is one, else made from its
// value, kind and zone offset. The part of a second is written to the microsecond (".500000")
// when it is not zero; a part that rounds up to a whole second is carried into the seconds.
void AppendDateTimeText(std::u16string& out, const TTOMLDateTime& value);

}  // namespace dactyra::toml
