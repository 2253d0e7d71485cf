#pragma once

#include "biometric/winbio_types.h"

namespace dactyra {

// Whether the service refused a call with `code` because Windows keeps the sensor to itself:
// a secure sensor (Enhanced Sign-in Security) whose fingerprints only the system's own
// Settings › Accounts › Sign-in options manages. The codes known to mean that are listed in
// sensor_refusal.cpp.
bool WindowsKeepsSensor(HRESULT code);

}  // namespace dactyra
