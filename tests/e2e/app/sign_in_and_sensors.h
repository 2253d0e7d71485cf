#pragma once

#include "scenario.h"

namespace dactyra::e2e {

// Biometrics off by policy at start (status line, log line); "Sensors and sign-in" from the
// system menu, and Copy read back from the clipboard; a unit added to the simulator's state and
// WM_DEVICECHANGE as the system sends it list it without Read, and one removed leaves the list.
void SignInAndSensors(Scenario& scenario);

// The service stopped and started again behind the program's back: the verification and the
// log say so in words, and Retry works on a new session.
void ServiceRestarted(Scenario& scenario);

}  // namespace dactyra::e2e
