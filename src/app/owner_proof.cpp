// Before the fingerprints of the account change, the program makes sure that its owner is at
// the keyboard: a touch of one of his enrolled fingers, or Windows Hello (his PIN) while he has
// none or asks for it; his Windows password where Windows Hello cannot be asked. And when the
// service refuses a call because Windows keeps the sensor to itself, the window says so and offers
// the system's own sign-in options.

#include "app/log_texts.h"
#include "app/main_form.h"
#include "app/new_finger_texts.h"
#include "app/password_check.h"
#include "base/format.h"
#include "biometric/sensor_refusal.h"
#include "biometric/session_lost.h"
#include "platform/open_uri.h"
#include "platform/windows_version.h"
#include "ui/hello_verification.h"
#include "verify/form_owner_check.h"
#include "verify/owner_texts.h"

namespace dactyra {

std::optional<TEnrolledFingers> TForm1::ListOwnFingers() {
  if (!EnsureSession()) {
    return std::nullopt;
  }
  TEnrolledFingers listed = ListEnrolledFingers(FLib, FSession, FIdent);
  if (Failed(listed.UnitsResult)) {
    AddLogResult(u"WinBioEnumBiometricUnits ", listed.UnitsResult);
    return std::nullopt;
  }
  for (const TUnlistedUnit& unlisted : listed.Unlisted) {
    AddLogResult(u"  >> WinBioEnumEnrollments ", unlisted.Result);
  }
  return listed;
}

bool TForm1::ConfirmOwner(const TEnrolledFingers& fingers) {
  // Any finger of his proves the owner; before his first one Windows Hello does.
  return fingers.Fingers.empty() ? ConfirmOwnerByHello() : ConfirmOwnerByTouch();
}

bool TForm1::ConfirmOwnerByHello() {
  if (!platform::IsWindows10OrLater()) {
    return ConfirmOwnerByHelloAnswer(ui::HelloFingerprintOnly());
  }
  return ConfirmOwnerByHelloAnswer(ui::VerifyWithWindowsHello(
      this, Get(kOwnerHelloMessage), [this] { AddLog(ui::HelloOwnWindowText(*this)); }));
}

bool TForm1::ConfirmOwnerByHelloAnswer(const ui::HelloResult& answer) {
  switch (answer.outcome) {
    case ui::HelloOutcome::kVerified:
      AddLog(Get(kLogHelloOwnerConfirmed));
      return true;
    case ui::HelloOutcome::kCancelled:
      AddLog(Get(kLogOwnerCancelled));
      return false;
    case ui::HelloOutcome::kNotConfirmed:
      AddLog(Format(Get(kLogOwnerNotConfirmed), ui::HelloResultText(answer, *this)));
      return false;
    case ui::HelloOutcome::kUnavailable:
      break;
  }
  // Windows Hello cannot be asked here: the password proves the owner, as it always could.
  AddLog(ui::HelloResultText(answer, *this));
  return ConfirmOwnerByPassword();
}

bool TForm1::ConfirmOwnerByTouch() {
  if (!EnsureSession()) {
    return false;
  }
  TFormOwnerCheck dialog(this, *this, ServiceContext());
  const ui::ModalResult result = ShowServiceDialog(dialog);
  if (dialog.HelloAnswer()) {
    return ConfirmOwnerByHelloAnswer(*dialog.HelloAnswer());
  }
  if (result == ui::ModalResult::kOk) {
    AddLog(Get(kLogOwnerConfirmed));
    return true;
  }
  if (dialog.Refusal().empty()) {
    AddLog(Get(kLogOwnerCancelled));
  } else {
    AddLog(Format(Get(kLogOwnerNotConfirmed), dialog.Refusal()));
  }
  NoteServiceRefusal(dialog.ResultError());
  return false;
}

bool TForm1::ConfirmOwnerByPassword() {
  switch (CheckWindowsPassword(this, Get(kOwnerCaption), Get(kOwnerPasswordMessage))) {
    case TPasswordCheck::kConfirmed:
      AddLog(Get(kLogPasswordConfirmed));
      return true;
    case TPasswordCheck::kWrong:
      AddLog(Get(kLogPasswordWrong));
      break;
    case TPasswordCheck::kCancelled:
      AddLog(Get(kLogPasswordCancelled));
      break;
    case TPasswordCheck::kUnavailable:
      AddLog(Get(kLogPasswordUnavailable));
      break;
  }
  return false;
}

void TForm1::NoteServiceRefusal(HRESULT code) {
  if (SessionLost(code)) {
    CloseCurrentSession();  // what is left of it: the next call opens a new one
  }
  if (code == WINBIO_E_INVALID_UNIT) {
    NoteRowsOutOfDate();  // a listed sensor is gone
  }
  if (!WindowsKeepsSensor(code)) {
    return;
  }
  AddLog(Get(kLogWindowsKeepsSensor));
  OfferSignInOptions();
}

void TForm1::OfferSignInOptions() {
  // Windows 8.1 has no such page.
  if (platform::IsWindows10OrLater()) {
    FSignInOptionsOffered = true;
    UpdateButtons();
  }
}

void TForm1::btnSignInOptionsClick() {
  if (!platform::OpenUri(u"ms-settings:signinoptions")) {
    AddLog(Get(kLogSignInOptionsFailed));
  }
}

}  // namespace dactyra
