#pragma once

#include <string>

namespace dactyra::ui {

class Form;

// How a check of the signed-in user's Windows password ended.
enum class PasswordCheck {
  kConfirmed,    // the password of the signed-in user's own account
  kWrong,        // not accepted, or the password of another account
  kCancelled,    // the user cancelled the prompt
  kUnavailable,  // no prompt, or no check of what was entered, on this system
};

// Asks the signed-in user for his Windows password with the system's credential prompt, owned by
// `owner` (null: no owner), with `caption` and `message`, and checks what he entered by a logon
// of the account it names, which must be the one the program runs as. Nothing entered is kept.
PasswordCheck ConfirmUserPassword(const Form* owner, std::u16string caption,
                                  std::u16string message);

}  // namespace dactyra::ui
