#include "sim/entry_points.h"

#include "sim/active_service.h"

using namespace dactyra;

namespace {

// Calls `call` on the active service, which records it in its journal as `function`, or fails
// as for an unknown handle when there is none.
template <typename Call>
HRESULT OnService(std::u16string_view function, Call call) {
  const std::shared_ptr<sim::Service> service = sim::ActiveService();
  if (!service) {
    return E_HANDLE;
  }
  service->RecordCall(function);
  return call(*service);
}

// Reads a setting from the active service; with none, the setting is off and its source
// invalid.
void GetSetting(std::u16string_view function, sim::Setting setting, WINBIO_BOOLEAN* value,
                WINBIO_SETTING_SOURCE_TYPE* source) {
  if (const std::shared_ptr<sim::Service> service = sim::ActiveService()) {
    service->RecordCall(function);
    service->GetSetting(setting, value, source);
  } else if (value != nullptr && source != nullptr) {
    *value = 0;
    *source = WINBIO_SETTING_SOURCE_INVALID;
  }
}

}  // namespace

extern "C" {

HRESULT DACTYRA_WINBIO_API WinBioEnumBiometricUnits(WINBIO_BIOMETRIC_TYPE Factor,
                                                    WINBIO_UNIT_SCHEMA** SchemaArray,
                                                    std::size_t* UnitCount) {
  return OnService(u"WinBioEnumBiometricUnits", [&](sim::Service& s) {
    return s.EnumBiometricUnits(Factor, SchemaArray, UnitCount);
  });
}

HRESULT DACTYRA_WINBIO_API WinBioOpenSession(WINBIO_BIOMETRIC_TYPE Factor,
                                             WINBIO_POOL_TYPE PoolType, WINBIO_SESSION_FLAGS Flags,
                                             WINBIO_UNIT_ID* UnitArray, std::size_t UnitCount,
                                             WINBIO_UUID* DatabaseId,
                                             WINBIO_SESSION_HANDLE* SessionHandle) {
  return OnService(u"WinBioOpenSession", [&](sim::Service& s) {
    return s.OpenSession(Factor, PoolType, Flags, UnitArray, UnitCount, DatabaseId, SessionHandle);
  });
}

HRESULT DACTYRA_WINBIO_API WinBioCloseSession(WINBIO_SESSION_HANDLE SessionHandle) {
  return OnService(u"WinBioCloseSession",
                   [&](sim::Service& s) { return s.CloseSession(SessionHandle); });
}

HRESULT DACTYRA_WINBIO_API WinBioCancel(WINBIO_SESSION_HANDLE SessionHandle) {
  return OnService(u"WinBioCancel", [&](sim::Service& s) { return s.Cancel(SessionHandle); });
}

HRESULT DACTYRA_WINBIO_API WinBioEnumEnrollments(WINBIO_SESSION_HANDLE SessionHandle,
                                                 WINBIO_UNIT_ID UnitId, PWinBioIdentity Identity,
                                                 WINBIO_BIOMETRIC_SUBTYPE** SubFactorArray,
                                                 std::size_t* SubFactorCount) {
  return OnService(u"WinBioEnumEnrollments", [&](sim::Service& s) {
    return s.EnumEnrollments(SessionHandle, UnitId, Identity, SubFactorArray, SubFactorCount);
  });
}

HRESULT DACTYRA_WINBIO_API WinBioIdentify(WINBIO_SESSION_HANDLE SessionHandle,
                                          WINBIO_UNIT_ID* UnitId, PWinBioIdentity Identity,
                                          WINBIO_BIOMETRIC_SUBTYPE* SubFactor,
                                          WINBIO_REJECT_DETAIL* RejectDetail) {
  return OnService(u"WinBioIdentify", [&](sim::Service& s) {
    return s.Identify(SessionHandle, UnitId, Identity, SubFactor, RejectDetail);
  });
}

HRESULT DACTYRA_WINBIO_API WinBioLocateSensor(WINBIO_SESSION_HANDLE SessionHandle,
                                              WINBIO_UNIT_ID* UnitId) {
  return OnService(u"WinBioLocateSensor",
                   [&](sim::Service& s) { return s.LocateSensor(SessionHandle, UnitId); });
}

HRESULT DACTYRA_WINBIO_API WinBioEnrollBegin(WINBIO_SESSION_HANDLE SessionHandle,
                                             WINBIO_BIOMETRIC_SUBTYPE SubFactor,
                                             WINBIO_UNIT_ID UnitId) {
  return OnService(u"WinBioEnrollBegin", [&](sim::Service& s) {
    return s.EnrollBegin(SessionHandle, SubFactor, UnitId);
  });
}

HRESULT DACTYRA_WINBIO_API WinBioEnrollCapture(WINBIO_SESSION_HANDLE SessionHandle,
                                               WINBIO_REJECT_DETAIL* RejectDetail) {
  return OnService(u"WinBioEnrollCapture",
                   [&](sim::Service& s) { return s.EnrollCapture(SessionHandle, RejectDetail); });
}

HRESULT DACTYRA_WINBIO_API WinBioEnrollCommit(WINBIO_SESSION_HANDLE SessionHandle,
                                              PWinBioIdentity Identity,
                                              WINBIO_BOOLEAN* IsNewTemplate) {
  return OnService(u"WinBioEnrollCommit", [&](sim::Service& s) {
    return s.EnrollCommit(SessionHandle, Identity, IsNewTemplate);
  });
}

HRESULT DACTYRA_WINBIO_API WinBioEnrollDiscard(WINBIO_SESSION_HANDLE SessionHandle) {
  return OnService(u"WinBioEnrollDiscard",
                   [&](sim::Service& s) { return s.EnrollDiscard(SessionHandle); });
}

HRESULT DACTYRA_WINBIO_API WinBioDeleteTemplate(WINBIO_SESSION_HANDLE SessionHandle,
                                                WINBIO_UNIT_ID UnitId, PWinBioIdentity Identity,
                                                WINBIO_BIOMETRIC_SUBTYPE SubFactor) {
  return OnService(u"WinBioDeleteTemplate", [&](sim::Service& s) {
    return s.DeleteTemplate(SessionHandle, UnitId, Identity, SubFactor);
  });
}

HRESULT DACTYRA_WINBIO_API WinBioFree(void* Address) {
  return OnService(u"WinBioFree", [&](sim::Service& s) { return s.Free(Address); });
}

void DACTYRA_WINBIO_API WinBioGetEnabledSetting(WINBIO_BOOLEAN* Value,
                                                WINBIO_SETTING_SOURCE_TYPE* Source) {
  GetSetting(u"WinBioGetEnabledSetting", sim::Setting::kBiometrics, Value, Source);
}

void DACTYRA_WINBIO_API WinBioGetLogonSetting(WINBIO_BOOLEAN* Value,
                                              WINBIO_SETTING_SOURCE_TYPE* Source) {
  GetSetting(u"WinBioGetLogonSetting", sim::Setting::kSignIn, Value, Source);
}

void DACTYRA_WINBIO_API WinBioGetDomainLogonSetting(WINBIO_BOOLEAN* Value,
                                                    WINBIO_SETTING_SOURCE_TYPE* Source) {
  GetSetting(u"WinBioGetDomainLogonSetting", sim::Setting::kDomainSignIn, Value, Source);
}

HRESULT DACTYRA_WINBIO_API WinBioGetEnrolledFactors(PWinBioIdentity AccountOwner,
                                                    WINBIO_BIOMETRIC_TYPE* EnrolledFactors) {
  return OnService(u"WinBioGetEnrolledFactors", [&](sim::Service& s) {
    return s.GetEnrolledFactors(AccountOwner, EnrolledFactors);
  });
}

HRESULT DACTYRA_WINBIO_API WinBioIsESSCapable(WINBIO_BOOLEAN* Value) {
  return OnService(u"WinBioIsESSCapable", [&](sim::Service& s) { return s.IsESSCapable(Value); });
}

}  // extern "C"
