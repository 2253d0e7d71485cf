#pragma once

#include "scenario.h"

namespace dactyra::e2e {

// The service stopped when the program starts: the listing says so; started again, Read
// Fingerprints lists on a new session; a sensor removed meanwhile is gone from the next listing.
void ServiceLife(Scenario& scenario);

}  // namespace dactyra::e2e
