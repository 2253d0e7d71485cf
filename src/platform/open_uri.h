#pragma once

#include <string_view>

namespace dactyra::platform {

// Opens `uri` with what the system associates with its scheme ("ms-settings:signinoptions"
// opens the sign-in options of Settings). False when the system could not open it. The builds
// without Windows only record it (see posix/opened_uris.h).
bool OpenUri(std::u16string_view uri);

}  // namespace dactyra::platform
