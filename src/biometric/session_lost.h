#pragma once

#include "biometric/winbio_types.h"

namespace dactyra {

// Whether a call failed because the service behind the session is gone: it is stopped or
// restarting (the remote call fails), or it was restarted since the session was opened (the
// handle is no longer valid). The session must then be forgotten, whatever is left of it
// closed, and a new one opened.
bool SessionLost(HRESULT code);

}  // namespace dactyra
