#pragma once

#include <string>

namespace dactyra::bench {

// A TOML document (UTF-8) of `records` array-of-tables entries with nested tables, inline
// tables, arrays over several lines, strings with escapes, multi-line strings, numbers of every
// form, date-times and comments; about 1 KB per record.
// The common form stays within what older TOML readers accept; the full form adds inline tables
// over several lines (with comments and a trailing comma) and the \e and \x escapes.
std::string MakeBenchDocument(int records, bool full);

}  // namespace dactyra::bench
