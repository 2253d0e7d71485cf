#pragma once

#include "biometric/winbio_lib.h"
#include "biometric/winbio_types.h"

namespace dactyra {

// What a dialog that waits in the biometric service is given when it is made: a copy of the
// loaded binding, the open session its worker waits on, and the signed-in user.
struct TServiceContext {
  TWinBioLib Lib;
  WINBIO_SESSION_HANDLE Session = 0;
  TWinBioIdentity Identity{};
};

}  // namespace dactyra
