#pragma once

// The entries of the biometric service that the program uses, under their exported names, each
// passed on to the active service.

#include <cstddef>

#include "biometric/winbio_types.h"

extern "C" {

dactyra::HRESULT DACTYRA_WINBIO_API
WinBioEnumBiometricUnits(dactyra::WINBIO_BIOMETRIC_TYPE Factor,
                         dactyra::WINBIO_UNIT_SCHEMA** SchemaArray, std::size_t* UnitCount);
dactyra::HRESULT DACTYRA_WINBIO_API WinBioOpenSession(
    dactyra::WINBIO_BIOMETRIC_TYPE Factor, dactyra::WINBIO_POOL_TYPE PoolType,
    dactyra::WINBIO_SESSION_FLAGS Flags, dactyra::WINBIO_UNIT_ID* UnitArray, std::size_t UnitCount,
    dactyra::WINBIO_UUID* DatabaseId, dactyra::WINBIO_SESSION_HANDLE* SessionHandle);
dactyra::HRESULT DACTYRA_WINBIO_API
WinBioCloseSession(dactyra::WINBIO_SESSION_HANDLE SessionHandle);
dactyra::HRESULT DACTYRA_WINBIO_API WinBioCancel(dactyra::WINBIO_SESSION_HANDLE SessionHandle);
dactyra::HRESULT DACTYRA_WINBIO_API WinBioEnumEnrollments(
    dactyra::WINBIO_SESSION_HANDLE SessionHandle, dactyra::WINBIO_UNIT_ID UnitId,
    dactyra::PWinBioIdentity Identity, dactyra::WINBIO_BIOMETRIC_SUBTYPE** SubFactorArray,
    std::size_t* SubFactorCount);
dactyra::HRESULT DACTYRA_WINBIO_API WinBioIdentify(dactyra::WINBIO_SESSION_HANDLE SessionHandle,
                                                   dactyra::WINBIO_UNIT_ID* UnitId,
                                                   dactyra::PWinBioIdentity Identity,
                                                   dactyra::WINBIO_BIOMETRIC_SUBTYPE* SubFactor,
                                                   dactyra::WINBIO_REJECT_DETAIL* RejectDetail);
dactyra::HRESULT DACTYRA_WINBIO_API WinBioLocateSensor(dactyra::WINBIO_SESSION_HANDLE SessionHandle,
                                                       dactyra::WINBIO_UNIT_ID* UnitId);
dactyra::HRESULT DACTYRA_WINBIO_API WinBioEnrollBegin(dactyra::WINBIO_SESSION_HANDLE SessionHandle,
                                                      dactyra::WINBIO_BIOMETRIC_SUBTYPE SubFactor,
                                                      dactyra::WINBIO_UNIT_ID UnitId);
dactyra::HRESULT DACTYRA_WINBIO_API WinBioEnrollCapture(
    dactyra::WINBIO_SESSION_HANDLE SessionHandle, dactyra::WINBIO_REJECT_DETAIL* RejectDetail);
dactyra::HRESULT DACTYRA_WINBIO_API WinBioEnrollCommit(dactyra::WINBIO_SESSION_HANDLE SessionHandle,
                                                       dactyra::PWinBioIdentity Identity,
                                                       dactyra::WINBIO_BOOLEAN* IsNewTemplate);
dactyra::HRESULT DACTYRA_WINBIO_API
WinBioEnrollDiscard(dactyra::WINBIO_SESSION_HANDLE SessionHandle);
dactyra::HRESULT DACTYRA_WINBIO_API WinBioDeleteTemplate(
    dactyra::WINBIO_SESSION_HANDLE SessionHandle, dactyra::WINBIO_UNIT_ID UnitId,
    dactyra::PWinBioIdentity Identity, dactyra::WINBIO_BIOMETRIC_SUBTYPE SubFactor);
dactyra::HRESULT DACTYRA_WINBIO_API WinBioFree(void* Address);
void DACTYRA_WINBIO_API WinBioGetEnabledSetting(dactyra::WINBIO_BOOLEAN* Value,
                                                dactyra::WINBIO_SETTING_SOURCE_TYPE* Source);
void DACTYRA_WINBIO_API WinBioGetLogonSetting(dactyra::WINBIO_BOOLEAN* Value,
                                              dactyra::WINBIO_SETTING_SOURCE_TYPE* Source);
void DACTYRA_WINBIO_API WinBioGetDomainLogonSetting(dactyra::WINBIO_BOOLEAN* Value,
                                                    dactyra::WINBIO_SETTING_SOURCE_TYPE* Source);
dactyra::HRESULT DACTYRA_WINBIO_API WinBioGetEnrolledFactors(
    dactyra::PWinBioIdentity AccountOwner, dactyra::WINBIO_BIOMETRIC_TYPE* EnrolledFactors);
dactyra::HRESULT DACTYRA_WINBIO_API WinBioIsESSCapable(dactyra::WINBIO_BOOLEAN* Value);

}  // extern "C"
