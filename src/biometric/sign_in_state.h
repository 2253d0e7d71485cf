#pragma once

// Why fingerprint sign-in works or not, as the service and the system say it: the service's
// state, the three sign-in settings and who decided each, Enhanced Sign-in Security, and
// whether the account has fingerprints. Anything that cannot be asked is unknown.

#include <optional>

#include "biometric/winbio_lib.h"
#include "platform/service_status.h"

namespace dactyra {

// Who decided a setting.
enum class TSettingSource { kUnknown, kDefault, kPolicy, kLocal };

struct TSignInSetting {
  std::optional<bool> FOn;  // none: unknown
  TSettingSource FSource = TSettingSource::kUnknown;

  bool operator==(const TSignInSetting&) const = default;
};

struct TSignInState {
  // What the service manager says. A stopped service is no problem as such: Windows starts it
  // on demand when a program or a device needs it (a trigger-started service).
  platform::ServiceStatus FService;
  // A call to the service failed because it does not run (or was restarted): set by the caller
  // that made the call.
  bool FServiceUnreachable = false;
  TSignInSetting FBiometrics;    // biometrics may be used on this computer at all
  TSignInSetting FSignIn;        // users may sign in with biometrics
  TSignInSetting FDomainSignIn;  // domain accounts may sign in with biometrics
  std::optional<bool> FEssCapable;
  std::optional<bool> FFingerprintsEnrolled;  // for the signed-in account
};

// Reads the state through the binding's optional entries and the service manager.
TSignInState ReadSignInState(const TWinBioLib& lib);

}  // namespace dactyra
