#include "biometric/sign_in_texts.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace dactyra {
namespace {

enum class TProblem { kServiceDisabled, kServiceStopped, kBiometricsOff, kSignInOff };

// Who turned a setting off, as far as the texts tell it apart.
enum class TDecider { kNobodySaid, kPolicy, kLocal };

struct TFinding {
  TProblem FProblem;
  TDecider FDecider;
};

struct TFindingTexts {
  TProblem FProblem;
  TDecider FDecider;
  TranslatableText FLog;
  TranslatableText FStatus;
};

// The short lines that the local setting and one that nobody explained share.
constexpr TranslatableText kStatusBiometricsOff{u"signin", u"status.biometrics_off",
                                                u"Biometrics are turned off on this computer."};
constexpr TranslatableText kStatusSignInOff{u"signin", u"status.signin_off",
                                            u"Fingerprint sign-in is turned off on this computer."};

constexpr std::array<TFindingTexts, 8> kFindingTexts{{
    {TProblem::kServiceDisabled,
     TDecider::kNobodySaid,
     {u"signin", u"log.service_disabled",
      u"The Windows Biometric Service is disabled: no fingerprint can be read or used to sign in "
      u"until an administrator sets it to start again."},
     {u"signin", u"status.service_disabled", u"The Windows Biometric Service is disabled."}},
    {TProblem::kServiceStopped,
     TDecider::kNobodySaid,
     {u"signin", u"log.service_stopped",
      u"The Windows Biometric Service is not running: no fingerprint can be read or used to sign "
      u"in until it is started again."},
     {u"signin", u"status.service_stopped", u"The Windows Biometric Service is not running."}},
    {TProblem::kBiometricsOff,
     TDecider::kPolicy,
     {u"signin", u"log.biometrics_off_policy",
      u"Your organisation's policy turns biometrics off on this computer: fingerprints cannot be "
      u"used. Only your administrator can change this."},
     {u"signin", u"status.biometrics_off_policy",
      u"Biometrics are turned off by your organisation."}},
    {TProblem::kBiometricsOff,
     TDecider::kLocal,
     {u"signin", u"log.biometrics_off_local",
      u"This computer's settings turn biometrics off: fingerprints cannot be used."},
     kStatusBiometricsOff},
    {TProblem::kBiometricsOff,
     TDecider::kNobodySaid,
     {u"signin", u"log.biometrics_off",
      u"Biometrics are turned off on this computer: fingerprints cannot be used."},
     kStatusBiometricsOff},
    {TProblem::kSignInOff,
     TDecider::kPolicy,
     {u"signin", u"log.signin_off_policy",
      u"Your organisation's policy does not let users sign in with a fingerprint: your "
      u"fingerprints are kept, but Windows does not offer them at sign-in."},
     {u"signin", u"status.signin_off_policy",
      u"Fingerprint sign-in is turned off by your organisation."}},
    {TProblem::kSignInOff,
     TDecider::kLocal,
     {u"signin", u"log.signin_off_local",
      u"This computer's settings do not let users sign in with a fingerprint: your fingerprints "
      u"are kept, but Windows does not offer them at sign-in."},
     kStatusSignInOff},
    {TProblem::kSignInOff,
     TDecider::kNobodySaid,
     {u"signin", u"log.signin_off",
      u"Signing in with a fingerprint is turned off: your fingerprints are kept, but Windows does "
      u"not offer them at sign-in."},
     kStatusSignInOff},
}};

TDecider DeciderOf(TSettingSource source) {
  switch (source) {
    case TSettingSource::kPolicy:
      return TDecider::kPolicy;
    case TSettingSource::kLocal:
      return TDecider::kLocal;
    case TSettingSource::kDefault:
    case TSettingSource::kUnknown:
      break;
  }
  return TDecider::kNobodySaid;
}

// The problems, the most basic first: without the service, no setting matters.
std::vector<TFinding> Findings(const TSignInState& state) {
  std::vector<TFinding> findings;
  if (state.FService.disabled == true) {
    findings.push_back({TProblem::kServiceDisabled, TDecider::kNobodySaid});
  } else if (state.FServiceUnreachable) {
    findings.push_back({TProblem::kServiceStopped, TDecider::kNobodySaid});
  }
  if (state.FBiometrics.FOn == false) {
    findings.push_back({TProblem::kBiometricsOff, DeciderOf(state.FBiometrics.FSource)});
  }
  if (state.FSignIn.FOn == false) {
    findings.push_back({TProblem::kSignInOff, DeciderOf(state.FSignIn.FSource)});
  }
  return findings;
}

const TFindingTexts& TextsOf(const TFinding& finding) {
  const auto found = std::ranges::find_if(kFindingTexts, [&](const TFindingTexts& row) {
    return row.FProblem == finding.FProblem && row.FDecider == finding.FDecider;
  });
  return *found;  // every finding has its row
}

}  // namespace

std::vector<std::u16string> SignInLogLines(const TSignInState& state, const TextSource& texts) {
  std::vector<std::u16string> lines;
  for (const TFinding& finding : Findings(state)) {
    lines.push_back(texts.Get(TextsOf(finding).FLog));
  }
  return lines;
}

std::u16string SignInStatusLine(const TSignInState& state, const TextSource& texts) {
  const std::vector<TFinding> findings = Findings(state);
  return findings.empty() ? std::u16string() : texts.Get(TextsOf(findings.front()).FStatus);
}

bool OffersSignInOptions(const TSignInState& state) {
  const std::vector<TFinding> findings = Findings(state);
  return !findings.empty() && std::ranges::all_of(findings, [](const TFinding& finding) {
    return (finding.FProblem == TProblem::kBiometricsOff ||
            finding.FProblem == TProblem::kSignInOff) &&
           finding.FDecider != TDecider::kPolicy;
  });
}

std::vector<TranslatableText> SignInTexts() {
  std::vector<TranslatableText> all;
  for (const TFindingTexts& row : kFindingTexts) {
    all.push_back(row.FLog);
    all.push_back(row.FStatus);
  }
  return all;
}

}  // namespace dactyra
