#include "biometric/enrolled_fingers.h"

#include "biometric/winbio_buffer.h"

namespace dactyra {

TUnitEnrollments ListUnitEnrollments(const TWinBioLib& lib, WINBIO_SESSION_HANDLE session,
                                     const TWinBioIdentity& identity, WINBIO_UNIT_ID unit) {
  TUnitEnrollments listed;
  TWinBioIdentity asked = identity;  // the service takes it as a writable record
  TWinBioBuffer<WINBIO_BIOMETRIC_SUBTYPE> sub_factors;
  std::size_t count = 0;
  listed.Result = lib.EnumEnroll(session, unit, &asked, sub_factors.Receive(lib.Free), &count);
  if (Succeeded(listed.Result) && sub_factors.Held()) {
    listed.SubFactors.assign(sub_factors.Get(), sub_factors.Get() + count);
  }
  return listed;
}

TEnrolledFingers ListEnrolledFingers(const TWinBioLib& lib, WINBIO_SESSION_HANDLE session,
                                     const TWinBioIdentity& identity) {
  TEnrolledFingers listed;
  TWinBioBuffer<WINBIO_UNIT_SCHEMA> units;
  std::size_t unit_count = 0;
  listed.UnitsResult = lib.EnumUnits(WINBIO_TYPE_FINGERPRINT, units.Receive(lib.Free), &unit_count);
  if (Failed(listed.UnitsResult)) {
    return listed;
  }
  for (std::size_t index = 0; index < unit_count && units.Held(); ++index) {
    const WINBIO_UNIT_ID unit = units.Get()[index].UnitId;
    const TUnitEnrollments enrollments = ListUnitEnrollments(lib, session, identity, unit);
    if (Failed(enrollments.Result)) {
      listed.Unlisted.push_back({unit, enrollments.Result});
      continue;
    }
    for (const WINBIO_BIOMETRIC_SUBTYPE sub_factor : enrollments.SubFactors) {
      listed.Fingers.push_back({unit, sub_factor});
    }
  }
  return listed;
}

}  // namespace dactyra
