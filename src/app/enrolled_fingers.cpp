#include "app/enrolled_fingers.h"

#include "app/winbio_buffer.h"

namespace dactyra {

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
    TWinBioIdentity asked = identity;  // the service takes it as a writable record
    TWinBioBuffer<WINBIO_BIOMETRIC_SUBTYPE> sub_factors;
    std::size_t count = 0;
    const HRESULT result =
        lib.EnumEnroll(session, unit, &asked, sub_factors.Receive(lib.Free), &count);
    if (Failed(result)) {
      listed.Unlisted.push_back({unit, result});
      continue;
    }
    for (std::size_t finger = 0; finger < count && sub_factors.Held(); ++finger) {
      listed.Fingers.push_back({unit, sub_factors.Get()[finger]});
    }
  }
  return listed;
}

}  // namespace dactyra
