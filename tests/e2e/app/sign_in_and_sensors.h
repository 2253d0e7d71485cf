#pragma once

#include "scenario.h"

namespace dactyra::e2e {

// Biometrics turned off by the organisation's policy at start: the status line in the top strip
// and the log line that says who decided.
void SignInOffByPolicy(Scenario& scenario);

// "Sensors and sign-in" from the system menu with two sensors: the facts, and Copy puts them on
// the clipboard, read back from here.
void SensorsDialog(Scenario& scenario);

// Sensors that come and go: a unit added to the simulator's state and WM_DEVICECHANGE as the
// system sends it list it without Read; a unit removed likewise leaves the list.
void SensorsComeAndGo(Scenario& scenario);

// The service stopped and started again behind the program's back: the log and the
// verification say so in words, and Retry (then the next Verify) works on a new session.
void ServiceRestarted(Scenario& scenario);

}  // namespace dactyra::e2e
