#pragma once

#include <string>
#include <string_view>

#include "base/text_source.h"
#include "platform/platform.h"

namespace dactyra {

// The zero of the date-time the About box shows when the link time cannot be read.
inline constexpr platform::LocalDateTime kZeroDateTime{1899, 12, 30, 0, 0, 0};

// The link time of a PE file as the About box shows it.
struct TLinkTime {
  platform::LocalDateTime Time = kZeroDateTime;  // local time; kZeroDateTime on failure
  std::u16string Error;                          // why it could not be read; empty on success
};

// Reads the TimeDateStamp of the PE file header (seconds since 1970 UTC) and converts it to
// local time. A file too short for its headers, or a time the system cannot convert, gives
// kZeroDateTime and the reason. A file that cannot be opened raises Error. The reasons come from
// `texts`.
TLinkTime ReadLinkTime(std::u16string_view filename, const TextSource& texts);

// The short date, a blank and the long time; the time is left out when it is 00:00:00.
std::u16string FormatDateTime(const platform::LocalDateTime& value);

}  // namespace dactyra
