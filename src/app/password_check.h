#pragma once

#include <string>

namespace dactyra {

namespace ui {
class Form;
}

// How the check of the signed-in user's Windows password ended.
enum class TPasswordCheck {
  kConfirmed,    // the password of the account the program runs as
  kWrong,        // not accepted, or the password of another account
  kCancelled,    // the user cancelled the prompt
  kUnavailable,  // no prompt, or no check of what was entered, on this system
};

// Asks the signed-in user for his Windows password with the system's credential prompt, owned by
// `owner`, with `caption` and `message`, and checks what he entered by a logon of the account
// it names (a local, Microsoft or work account), which must be the one the program runs as.
// Nothing entered is kept.
TPasswordCheck CheckWindowsPassword(const ui::Form* owner, std::u16string caption,
                                    std::u16string message);

}  // namespace dactyra
