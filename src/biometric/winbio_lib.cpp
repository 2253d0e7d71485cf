#include "biometric/winbio_lib.h"

#include <algorithm>

#include "platform/platform.h"

namespace dactyra {
namespace {

template <typename Entry>
void Resolve(std::uintptr_t module, const char* export_name, Entry& entry) {
  entry = reinterpret_cast<Entry>(platform::FindExport(module, export_name));
}

}  // namespace

bool TWinBioLib::Load(std::u16string_view dll_name) {
  if (hLib == 0) {
    hLib = platform::LoadSystemModule(dll_name);
  }
  if (hLib == 0) {
    return false;
  }
  Resolve(hLib, "WinBioEnumBiometricUnits", EnumUnits);
  Resolve(hLib, "WinBioOpenSession", OpenSession);
  Resolve(hLib, "WinBioCloseSession", CloseSession);
  Resolve(hLib, "WinBioEnumEnrollments", EnumEnroll);
  Resolve(hLib, "WinBioIdentify", Identify);
  Resolve(hLib, "WinBioLocateSensor", LocateSensor);
  Resolve(hLib, "WinBioEnrollBegin", EnrollBegin);
  Resolve(hLib, "WinBioEnrollCapture", EnrollCapture);
  Resolve(hLib, "WinBioEnrollCommit", EnrollCommit);
  Resolve(hLib, "WinBioEnrollDiscard", EnrollDiscard);
  Resolve(hLib, "WinBioDeleteTemplate", DeleteTpl);
  Resolve(hLib, "WinBioFree", Free);
  Resolve(hLib, "WinBioCancel", Cancel);
  Resolve(hLib, "WinBioGetEnabledSetting", GetEnabledSetting);
  Resolve(hLib, "WinBioGetLogonSetting", GetLogonSetting);
  Resolve(hLib, "WinBioGetDomainLogonSetting", GetDomainLogonSetting);
  Resolve(hLib, "WinBioGetEnrolledFactors", GetEnrolledFactors);
  Resolve(hLib, "WinBioIsESSCapable", IsESSCapable);
  return IsReady();
}

void TWinBioLib::Unload() {
  platform::FreeSystemModule(hLib);
  *this = TWinBioLib{};
}

bool TWinBioLib::IsReady() const {
  return hLib != 0 && EnumUnits != nullptr && OpenSession != nullptr && CloseSession != nullptr &&
         EnumEnroll != nullptr && Identify != nullptr && LocateSensor != nullptr &&
         EnrollBegin != nullptr && EnrollCapture != nullptr && EnrollCommit != nullptr &&
         EnrollDiscard != nullptr && DeleteTpl != nullptr && Free != nullptr;
}

bool IdentityFromSid(std::span<const std::uint8_t> sid, TWinBioIdentity& identity) {
  identity = TWinBioIdentity{};
  identity.IdentityType = WINBIO_ID_TYPE_SID;
  identity.SidSize = static_cast<std::uint32_t>(sid.size());
  if (sid.size() > identity.SidData.size()) {
    return false;
  }
  std::ranges::copy(sid, identity.SidData.begin());
  return true;
}

bool GetCurrentIdentity(TWinBioIdentity& identity) {
  identity = TWinBioIdentity{};
  const auto sid = platform::CurrentUserSid();
  return sid && IdentityFromSid(*sid, identity);
}

bool SameIdentity(const TWinBioIdentity& a, const TWinBioIdentity& b) {
  if (a.IdentityType != b.IdentityType || a.SidSize != b.SidSize || a.SidSize == 0 ||
      a.SidSize > a.SidData.size()) {
    return false;
  }
  // Only the bytes in use: a SID whose header claims more than that is not compared.
  const std::span<const std::uint8_t> first(a.SidData.data(), a.SidSize);
  const std::span<const std::uint8_t> second(b.SidData.data(), b.SidSize);
  return platform::EqualSids(first, second);
}

HRESULT OpenFingerprintSession(const TWinBioLib& lib, WINBIO_SESSION_HANDLE& session) {
  session = 0;
  const HRESULT result =
      lib.OpenSession(WINBIO_TYPE_FINGERPRINT, WINBIO_POOL_SYSTEM, WINBIO_FLAG_DEFAULT, nullptr, 0,
                      kDatabaseIdNull, &session);
  if (Failed(result)) {
    session = 0;
  }
  return result;
}

}  // namespace dactyra
