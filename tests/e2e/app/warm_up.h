#pragma once

// Readies the Wine prefix for the programs that the scenarios then time.

namespace dactyra::e2e {

// Does once what the first process with windows after a change of the prefix (its creation, a
// new DPI) does at its start: Wine's desktop comes up and the font list is built anew for the
// DPI. Returns when that is done, however long it takes.
void WarmUpPrefix();

}  // namespace dactyra::e2e
