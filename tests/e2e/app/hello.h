#pragma once

#include "scenario.h"

namespace dactyra::e2e {

// A first finger without the stand-in for Windows Hello: the log says why Windows Hello is not
// used, and the password prompt follows as before.
void FirstFingerWithoutHello(Scenario& scenario);

// A first finger with the stand-in registered: Windows Hello proves the owner through the
// Windows 11 interop interface and through the Windows 10 statics (the sensor dialog follows);
// cancelled, nothing is enrolled and the log says so.
void FirstFingerWithHello(Scenario& scenario);

// A sensor that does not use what other programs enroll: the check of the new finger says that
// Windows does not recognise it, and Remove leaves the list as it was.
void UnusableSensor(Scenario& scenario);

}  // namespace dactyra::e2e
