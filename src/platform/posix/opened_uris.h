#pragma once

// The stand-in for opening a URI in the builds without Windows: OpenUri records the URI here
// and succeeds, so that tests see what the program would have opened.

#include <string>
#include <vector>

namespace dactyra::platform {

// The URIs OpenUri was given since the last call, oldest first; the record is emptied.
std::vector<std::u16string> TakeOpenedUris();

}  // namespace dactyra::platform
