// A library with the biometric service's export names and trivial bodies: only whether it is
// loaded, and which exports it has, matters to the tests.
#include "biometric/winbio_types.h"

#define EXPORT extern "C" __declspec(dllexport)

using namespace dactyra;

EXPORT HRESULT DACTYRA_WINBIO_API WinBioEnumBiometricUnits(WINBIO_BIOMETRIC_TYPE,
                                                           WINBIO_UNIT_SCHEMA**, std::size_t*) {
  return WINBIO_E_DEVICE_FAILURE;
}
EXPORT HRESULT DACTYRA_WINBIO_API WinBioOpenSession(WINBIO_BIOMETRIC_TYPE, WINBIO_POOL_TYPE,
                                                    WINBIO_SESSION_FLAGS, WINBIO_UNIT_ID*,
                                                    std::size_t, WINBIO_UUID*,
                                                    WINBIO_SESSION_HANDLE*) {
  return WINBIO_E_DEVICE_FAILURE;
}
EXPORT HRESULT DACTYRA_WINBIO_API WinBioCloseSession(WINBIO_SESSION_HANDLE) {
  return S_OK;
}
EXPORT HRESULT DACTYRA_WINBIO_API WinBioEnumEnrollments(WINBIO_SESSION_HANDLE, WINBIO_UNIT_ID,
                                                        PWinBioIdentity, WINBIO_BIOMETRIC_SUBTYPE**,
                                                        std::size_t*) {
  return WINBIO_E_DEVICE_FAILURE;
}
EXPORT HRESULT DACTYRA_WINBIO_API WinBioIdentify(WINBIO_SESSION_HANDLE, WINBIO_UNIT_ID*,
                                                 PWinBioIdentity, WINBIO_BIOMETRIC_SUBTYPE*,
                                                 WINBIO_REJECT_DETAIL*) {
  return WINBIO_E_DEVICE_FAILURE;
}
#ifndef DACTYRA_WITHOUT_LOCATE_SENSOR
EXPORT HRESULT DACTYRA_WINBIO_API WinBioLocateSensor(WINBIO_SESSION_HANDLE, WINBIO_UNIT_ID*) {
  return WINBIO_E_DEVICE_FAILURE;
}
#endif
EXPORT HRESULT DACTYRA_WINBIO_API WinBioEnrollBegin(WINBIO_SESSION_HANDLE, WINBIO_BIOMETRIC_SUBTYPE,
                                                    WINBIO_UNIT_ID) {
  return WINBIO_E_DEVICE_FAILURE;
}
EXPORT HRESULT DACTYRA_WINBIO_API WinBioEnrollCapture(WINBIO_SESSION_HANDLE,
                                                      WINBIO_REJECT_DETAIL*) {
  return WINBIO_E_DEVICE_FAILURE;
}
EXPORT HRESULT DACTYRA_WINBIO_API WinBioEnrollCommit(WINBIO_SESSION_HANDLE, PWinBioIdentity,
                                                     WINBIO_BOOLEAN*) {
  return WINBIO_E_DEVICE_FAILURE;
}
EXPORT HRESULT DACTYRA_WINBIO_API WinBioEnrollDiscard(WINBIO_SESSION_HANDLE) {
  return S_OK;
}
EXPORT HRESULT DACTYRA_WINBIO_API WinBioDeleteTemplate(WINBIO_SESSION_HANDLE, WINBIO_UNIT_ID,
                                                       PWinBioIdentity, WINBIO_BIOMETRIC_SUBTYPE) {
  return WINBIO_E_DEVICE_FAILURE;
}
EXPORT HRESULT DACTYRA_WINBIO_API WinBioFree(void*) {
  return S_OK;
}
