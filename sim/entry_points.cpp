#include "sim/entry_points.h"

#include "sim/active_service.h"

using namespace dactyra;

namespace {

// Calls `call` on the active service, or fails as for an unknown handle when there is none.
template <typename Call>
HRESULT OnService(Call call) {
  const std::shared_ptr<sim::Service> service = sim::ActiveService();
  return service ? call(*service) : sim::E_HANDLE_RESULT;
}

}  // namespace

extern "C" {

HRESULT DACTYRA_WINBIO_API WinBioEnumBiometricUnits(WINBIO_BIOMETRIC_TYPE Factor,
                                                    WINBIO_UNIT_SCHEMA** SchemaArray,
                                                    std::size_t* UnitCount) {
  return OnService(
      [&](sim::Service& s) { return s.EnumBiometricUnits(Factor, SchemaArray, UnitCount); });
}

HRESULT DACTYRA_WINBIO_API WinBioOpenSession(WINBIO_BIOMETRIC_TYPE Factor,
                                             WINBIO_POOL_TYPE PoolType, WINBIO_SESSION_FLAGS Flags,
                                             WINBIO_UNIT_ID* UnitArray, std::size_t UnitCount,
                                             WINBIO_UUID* DatabaseId,
                                             WINBIO_SESSION_HANDLE* SessionHandle) {
  return OnService([&](sim::Service& s) {
    return s.OpenSession(Factor, PoolType, Flags, UnitArray, UnitCount, DatabaseId, SessionHandle);
  });
}

HRESULT DACTYRA_WINBIO_API WinBioCloseSession(WINBIO_SESSION_HANDLE SessionHandle) {
  return OnService([&](sim::Service& s) { return s.CloseSession(SessionHandle); });
}

HRESULT DACTYRA_WINBIO_API WinBioCancel(WINBIO_SESSION_HANDLE SessionHandle) {
  return OnService([&](sim::Service& s) { return s.Cancel(SessionHandle); });
}

HRESULT DACTYRA_WINBIO_API WinBioEnumEnrollments(WINBIO_SESSION_HANDLE SessionHandle,
                                                 WINBIO_UNIT_ID UnitId, PWinBioIdentity Identity,
                                                 WINBIO_BIOMETRIC_SUBTYPE** SubFactorArray,
                                                 std::size_t* SubFactorCount) {
  return OnService([&](sim::Service& s) {
    return s.EnumEnrollments(SessionHandle, UnitId, Identity, SubFactorArray, SubFactorCount);
  });
}

HRESULT DACTYRA_WINBIO_API WinBioIdentify(WINBIO_SESSION_HANDLE SessionHandle,
                                          WINBIO_UNIT_ID* UnitId, PWinBioIdentity Identity,
                                          WINBIO_BIOMETRIC_SUBTYPE* SubFactor,
                                          WINBIO_REJECT_DETAIL* RejectDetail) {
  return OnService([&](sim::Service& s) {
    return s.Identify(SessionHandle, UnitId, Identity, SubFactor, RejectDetail);
  });
}

HRESULT DACTYRA_WINBIO_API WinBioLocateSensor(WINBIO_SESSION_HANDLE SessionHandle,
                                              WINBIO_UNIT_ID* UnitId) {
  return OnService([&](sim::Service& s) { return s.LocateSensor(SessionHandle, UnitId); });
}

HRESULT DACTYRA_WINBIO_API WinBioEnrollBegin(WINBIO_SESSION_HANDLE SessionHandle,
                                             WINBIO_BIOMETRIC_SUBTYPE SubFactor,
                                             WINBIO_UNIT_ID UnitId) {
  return OnService(
      [&](sim::Service& s) { return s.EnrollBegin(SessionHandle, SubFactor, UnitId); });
}

HRESULT DACTYRA_WINBIO_API WinBioEnrollCapture(WINBIO_SESSION_HANDLE SessionHandle,
                                               WINBIO_REJECT_DETAIL* RejectDetail) {
  return OnService([&](sim::Service& s) { return s.EnrollCapture(SessionHandle, RejectDetail); });
}

HRESULT DACTYRA_WINBIO_API WinBioEnrollCommit(WINBIO_SESSION_HANDLE SessionHandle,
                                              PWinBioIdentity Identity,
                                              WINBIO_BOOLEAN* IsNewTemplate) {
  return OnService(
      [&](sim::Service& s) { return s.EnrollCommit(SessionHandle, Identity, IsNewTemplate); });
}

HRESULT DACTYRA_WINBIO_API WinBioEnrollDiscard(WINBIO_SESSION_HANDLE SessionHandle) {
  return OnService([&](sim::Service& s) { return s.EnrollDiscard(SessionHandle); });
}

HRESULT DACTYRA_WINBIO_API WinBioDeleteTemplate(WINBIO_SESSION_HANDLE SessionHandle,
                                                WINBIO_UNIT_ID UnitId, PWinBioIdentity Identity,
                                                WINBIO_BIOMETRIC_SUBTYPE SubFactor) {
  return OnService([&](sim::Service& s) {
    return s.DeleteTemplate(SessionHandle, UnitId, Identity, SubFactor);
  });
}

HRESULT DACTYRA_WINBIO_API WinBioFree(void* Address) {
  return OnService([&](sim::Service& s) { return s.Free(Address); });
}

}  // extern "C"
