// Before the fingerprints of the account change, the program makes sure that its owner is at
// the keyboard: a touch of one of his enrolled fingers, or his Windows password while he has
// none. And when the service refuses a call because Windows keeps the sensor to itself, the
// window says so and offers the system's own sign-in options.

#include "app/main_form.h"
#include "base/format.h"
#include "biometric/sensor_refusal.h"
#include "platform/open_uri.h"
#include "ui/credential_prompt.h"
#include "verify/form_owner_check.h"

namespace dactyra {

void TForm1::PrepareSignInOffer() {
  btnSignInOptions.SetText(GetLangStr(u"main", u"button.signin", u"Open &Sign-in options"));
  btnSignInOptions.SetVisible(false);
}

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
  // Any finger of his proves the owner; before his first one only his password can.
  return fingers.Fingers.empty() ? ConfirmOwnerByPassword() : ConfirmOwnerByTouch();
}

bool TForm1::ConfirmOwnerByTouch() {
  if (!EnsureSession()) {
    return false;
  }
  TFormOwnerCheck dialog(this, *this);
  dialog.Lib = FLib;
  dialog.Session = FSession;
  dialog.CurrentIdent = FIdent;
  const bool confirmed = dialog.ShowModal() == ui::ModalResult::kOk;
  if (!dialog.SessionIdle()) {
    LeaveSessionBehind();
  }
  if (confirmed) {
    AddLog(GetLangStr(u"log", u"owner_confirmed", u"The owner of this account is confirmed."));
    return true;
  }
  const std::u16string result = dialog.lblResult.Text();
  if (result.empty()) {
    AddLog(GetLangStr(u"log", u"owner_cancelled",
                      u"The owner of this account was not confirmed (cancelled), nothing is "
                      u"changed."));
  } else {
    AddLog(Format(GetLangStr(u"log", u"owner_not_confirmed",
                             u"The owner of this account is not confirmed, nothing is changed: %s"),
                  result));
  }
  NoteServiceRefusal(dialog.ResultError);
  return false;
}

bool TForm1::ConfirmOwnerByPassword() {
  const ui::PasswordCheck check = ui::ConfirmUserPassword(
      this, GetLangStr(u"owner", u"title", u"Confirm the owner"),
      GetLangStr(u"owner", u"password.message",
                 u"You have no enrolled fingerprint yet. Enter your Windows password to confirm "
                 u"that you are the owner of this account."));
  switch (check) {
    case ui::PasswordCheck::kConfirmed:
      AddLog(GetLangStr(u"log", u"password_confirmed",
                        u"The owner of this account is confirmed by his Windows password."));
      return true;
    case ui::PasswordCheck::kWrong:
      AddLog(GetLangStr(u"log", u"password_wrong",
                        u"The Windows password was not accepted, nothing is changed."));
      break;
    case ui::PasswordCheck::kCancelled:
      AddLog(GetLangStr(u"log", u"password_cancelled",
                        u"The Windows password was not entered (cancelled), nothing is changed."));
      break;
    case ui::PasswordCheck::kUnavailable:
      AddLog(GetLangStr(u"log", u"password_unavailable",
                        u"The Windows password cannot be checked on this system, nothing is "
                        u"changed."));
      break;
  }
  return false;
}

void TForm1::NoteServiceRefusal(HRESULT code) {
  if (!WindowsKeepsSensor(code)) {
    return;
  }
  AddLog(GetLangStr(u"log", u"windows_sensor",
                    u"Windows manages the fingerprints of this sensor itself: change them in "
                    u"Settings \u203A Accounts \u203A Sign-in options (button \"Open Sign-in "
                    u"options\")."));
  btnSignInOptions.SetVisible(true);
}

void TForm1::btnSignInOptionsClick() {
  if (!platform::OpenUri(u"ms-settings:signinoptions")) {
    AddLog(GetLangStr(u"log", u"signin_error", u"The sign-in options could not be opened."));
  }
}

}  // namespace dactyra
