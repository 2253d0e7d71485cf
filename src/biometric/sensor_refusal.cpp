#include "biometric/sensor_refusal.h"

#include <algorithm>
#include <array>

namespace dactyra {
namespace {

// The refusals of a sensor that Windows keeps to itself. E_ACCESSDENIED is the one known for
// certain (the service gives it to programs outside the system's own sign-in settings); a
// code found to mean the same on other machines goes here.
constexpr std::array<HRESULT, 1> kWindowsKeepsSensorCodes = {
    E_ACCESSDENIED,
};

}  // namespace

bool WindowsKeepsSensor(HRESULT code) {
  return std::ranges::find(kWindowsKeepsSensorCodes, code) != kWindowsKeepsSensorCodes.end();
}

}  // namespace dactyra
