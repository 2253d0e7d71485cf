#pragma once

// The fingers a user has enrolled on every sensor, as the biometric service lists them at this
// moment, with the sensors it could not list.

#include <vector>

#include "biometric/winbio_lib.h"

namespace dactyra {

struct TEnrolledFinger {
  WINBIO_UNIT_ID UnitId = 0;
  WINBIO_BIOMETRIC_SUBTYPE SubFactor = 0;
  friend bool operator==(const TEnrolledFinger&, const TEnrolledFinger&) = default;
};

// A sensor whose enrollments the service would not list, and its answer.
struct TUnlistedUnit {
  WINBIO_UNIT_ID UnitId = 0;
  HRESULT Result = S_OK;
};

struct TEnrolledFingers {
  HRESULT UnitsResult = S_OK;  // of WinBioEnumBiometricUnits: a failure lists no sensor at all
  std::vector<TEnrolledFinger> Fingers;
  std::vector<TUnlistedUnit> Unlisted;

  // The sub-factors of the fingers, on whatever sensor.
  std::vector<WINBIO_BIOMETRIC_SUBTYPE> SubFactors() const {
    std::vector<WINBIO_BIOMETRIC_SUBTYPE> sub_factors;
    for (const TEnrolledFinger& finger : Fingers) {
      sub_factors.push_back(finger.SubFactor);
    }
    return sub_factors;
  }
  // Every sensor was listed: the fingers are all the user has.
  bool Complete() const { return Succeeded(UnitsResult) && Unlisted.empty(); }
  // The finger is the only one the user has on any sensor; never said of an incomplete list.
  bool IsLastFinger(const TEnrolledFinger& finger) const {
    return Complete() && Fingers.size() == 1 && Fingers.front() == finger;
  }
};

// One sensor's enrollments of an identity: the service's answer and, when it listed them, the
// sub-factors in its order.
struct TUnitEnrollments {
  HRESULT Result = S_OK;
  std::vector<WINBIO_BIOMETRIC_SUBTYPE> SubFactors;
};

// Lists the sub-factors of `identity` on one sensor, on an open session.
TUnitEnrollments ListUnitEnrollments(const TWinBioLib& lib, WINBIO_SESSION_HANDLE session,
                                     const TWinBioIdentity& identity, WINBIO_UNIT_ID unit);

// Lists the fingers of `identity` on every fingerprint sensor, on an open session.
TEnrolledFingers ListEnrolledFingers(const TWinBioLib& lib, WINBIO_SESSION_HANDLE session,
                                     const TWinBioIdentity& identity);

}  // namespace dactyra
