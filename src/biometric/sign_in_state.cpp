#include "biometric/sign_in_state.h"

namespace dactyra {
namespace {

TSettingSource SourceOf(WINBIO_SETTING_SOURCE_TYPE source) {
  switch (source) {
    case WINBIO_SETTING_SOURCE_DEFAULT:
      return TSettingSource::kDefault;
    case WINBIO_SETTING_SOURCE_POLICY:
      return TSettingSource::kPolicy;
    case WINBIO_SETTING_SOURCE_LOCAL:
      return TSettingSource::kLocal;
    default:
      return TSettingSource::kUnknown;
  }
}

TSignInSetting ReadSetting(TWinBioGetSetting get) {
  if (get == nullptr) {
    return {};
  }
  WINBIO_BOOLEAN value = 0;
  WINBIO_SETTING_SOURCE_TYPE source = WINBIO_SETTING_SOURCE_INVALID;
  get(&value, &source);
  // No source: the framework could not read the setting (its service is stopped, say).
  if (source == WINBIO_SETTING_SOURCE_INVALID) {
    return {};
  }
  return {.FOn = value != 0, .FSource = SourceOf(source)};
}

std::optional<bool> ReadEssCapable(const TWinBioLib& lib) {
  WINBIO_BOOLEAN value = 0;
  if (lib.IsESSCapable == nullptr || Failed(lib.IsESSCapable(&value))) {
    return std::nullopt;
  }
  return value != 0;
}

std::optional<bool> ReadFingerprintsEnrolled(const TWinBioLib& lib) {
  TWinBioIdentity identity{};
  WINBIO_BIOMETRIC_TYPE factors = 0;
  if (lib.GetEnrolledFactors == nullptr || !GetCurrentIdentity(identity) ||
      Failed(lib.GetEnrolledFactors(&identity, &factors))) {
    return std::nullopt;
  }
  return (factors & WINBIO_TYPE_FINGERPRINT) != 0;
}

}  // namespace

TSignInState ReadSignInState(const TWinBioLib& lib) {
  return {.FService = platform::BiometricServiceStatus(),
          .FBiometrics = ReadSetting(lib.GetEnabledSetting),
          .FSignIn = ReadSetting(lib.GetLogonSetting),
          .FDomainSignIn = ReadSetting(lib.GetDomainLogonSetting),
          .FEssCapable = ReadEssCapable(lib),
          .FFingerprintsEnrolled = ReadFingerprintsEnrolled(lib)};
}

}  // namespace dactyra
