#pragma once

#include <string>

namespace dactyra::bench {

// A TOML document (UTF-8) of `records` array-of-tables entries with nested tables, inline
// tables, arrays over several lines, strings with escapes, multi-line strings, numbers of every
// form, date-times and comments; about 1 KB per record.
// The common form stays within what older TOML readers accept; the full form adds inline tables
// over several lines (with comments and a trailing comma) and the \e and \x escapes.
std::string MakeBenchDocument(int records, bool full);

// A TOML document (UTF-8) shaped like a package manager's lock file: `packages` [[package]]
// tables with a name, a version, mostly a source and a checksum, and an array of dependencies;
// about 280 bytes per package.
std::string MakeLockDocument(int packages);

}  // namespace dactyra::bench
