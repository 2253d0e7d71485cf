#include "biometric/session_lost.h"

#include <algorithm>
#include <array>

namespace dactyra {
namespace {

constexpr std::array<HRESULT, 5> kSessionLostCodes = {
    E_HANDLE, kRpcServerUnavailable, kRpcCallFailed, kRpcCallFailedDidNotExecute, kRpcDisconnected,
};

}  // namespace

bool SessionLost(HRESULT code) {
  return std::ranges::find(kSessionLostCodes, code) != kSessionLostCodes.end();
}

}  // namespace dactyra
