#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dactyra::language_test {

// The format directives of a text in order, as spelt ("%s", "%-4d"); "%%" is not one. A '%'
// that starts no valid directive is listed as far as it goes ("%" at the end, "%q"), so that a
// broken directive never passes for none.
std::vector<std::u16string> Placeholders(std::u16string_view text);

}  // namespace dactyra::language_test
