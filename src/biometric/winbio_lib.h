#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "biometric/winbio_types.h"

namespace dactyra {

// The run-time binding of the biometric service: the module handle, its twelve exports that the
// program needs, and the optional ones (WinBioCancel, the sign-in settings), which it uses when
// the service has them. A plain record,
// copied by value into each dialog and worker; only the owner loads and unloads it, copies are
// snapshots.
struct TWinBioLib {
  std::uintptr_t hLib = 0;  // module handle, 0 = not loaded
  TWinBioEnumBiometricUnits EnumUnits = nullptr;
  TWinBioOpenSession OpenSession = nullptr;
  TWinBioCloseSession CloseSession = nullptr;
  TWinBioEnumEnrollments EnumEnroll = nullptr;
  TWinBioIdentify Identify = nullptr;
  TWinBioLocateSensor LocateSensor = nullptr;
  TWinBioEnrollBegin EnrollBegin = nullptr;
  TWinBioEnrollCapture EnrollCapture = nullptr;
  TWinBioEnrollCommit EnrollCommit = nullptr;
  TWinBioEnrollDiscard EnrollDiscard = nullptr;
  TWinBioDeleteTemplate DeleteTpl = nullptr;
  TWinBioFree Free = nullptr;
  // Optional: without it a call blocked in a worker can only be left behind.
  TWinBioCancel Cancel = nullptr;
  // Optional: without them the sign-in settings, the account's factors and Enhanced Sign-in
  // Security are unknown.
  TWinBioGetSetting GetEnabledSetting = nullptr;
  TWinBioGetSetting GetLogonSetting = nullptr;
  TWinBioGetSetting GetDomainLogonSetting = nullptr;
  TWinBioGetEnrolledFactors GetEnrolledFactors = nullptr;
  TWinBioIsESSCapable IsESSCapable = nullptr;

  // Loads the library from the system directory only (never from the program's folder or the
  // current directory) unless a module is already held, then resolves the exports. True when
  // the binding is ready. A missing export keeps the module and the entries found;
  // the next Load looks them up again.
  bool Load(std::u16string_view dll_name = u"winbio.dll");

  // Frees the module when one is held and zeroes every field.
  void Unload();

  // Ready: a module is held and all twelve required entries are resolved (the optional ones
  // may be missing).
  bool IsReady() const;
};

// Opens a session on the system pool of fingerprint sensors, as every command of the program
// uses one; `session` is 0 unless it succeeded.
HRESULT OpenFingerprintSession(const TWinBioLib& lib, WINBIO_SESSION_HANDLE& session);

// Fills `identity` with the SID of the user the process runs as. False, with a zeroed record,
// when the token cannot be read; false with type and size set but no SID bytes when the SID is
// longer than the record holds.
bool GetCurrentIdentity(TWinBioIdentity& identity);

// The same, from a SID given as bytes: the part of GetCurrentIdentity after the token.
bool IdentityFromSid(std::span<const std::uint8_t> sid, TWinBioIdentity& identity);

// Same type, same non-zero size and equal SIDs. A record whose SID header claims more bytes
// than the record holds is never the same as anything.
bool SameIdentity(const TWinBioIdentity& a, const TWinBioIdentity& b);

}  // namespace dactyra
