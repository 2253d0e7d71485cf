#pragma once

// Which Windows the program runs on, as far as it changes what the program may ask of it.

namespace dactyra::platform {

// Windows 10 or later. Windows 8.1 lacks what came with Windows 10: Windows Hello with a PIN
// (its consent verifier takes a fingerprint only) and the Settings pages that ms-settings:
// opens. The builds without Windows answer Windows 11, or what a ScopedStandInWindows sets
// (posix/stand_in_windows.h).
bool IsWindows10OrLater();

}  // namespace dactyra::platform
