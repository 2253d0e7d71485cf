#pragma once

#include <filesystem>

namespace dactyra::bench {

// Measures how fast documents are written: the generated document of each form and size is
// loaded once, then written to text (comments off, and kept at wrap width 80) and to a file
// (mark, CR LF, temporary file and atomic replacement). Prints one table row per measurement.
void PrintWriteMeasurements(const std::filesystem::path& folder, int records);

}  // namespace dactyra::bench
