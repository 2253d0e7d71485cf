#pragma once

#include <string>

#include "ui/types.h"

namespace dactyra::ui {

class Form;

// kProgram: the program's own icon (the About box).
enum class MessageIcon { kNone, kInformation, kQuestion, kWarning, kError, kProgram };
enum class MessageButtons { kOk, kYesNo };

struct MessageBoxRequest {
  std::u16string caption;
  std::u16string text;
  MessageIcon icon = MessageIcon::kNone;
  MessageButtons buttons = MessageButtons::kOk;
  int default_button = 1;  // 1: the first button, 2: the second
};

// Shows a message box owned by `owner` (null: the active window) and waits for the answer:
// kOk, kYes or kNo (kCancel if the box was closed otherwise).
ModalResult ShowMessageBox(const Form* owner, const MessageBoxRequest& request);

// An information box with one OK button.
void ShowInformation(const Form* owner, std::u16string caption, std::u16string text);

// An error box with one OK button.
void ShowError(const Form* owner, std::u16string caption, std::u16string text);

// A Yes/No question with a question mark, whose default button is `default_answer`'s. True only
// for Yes.
enum class DefaultAnswer { kYes, kNo };
bool AskYesNo(const Form* owner, std::u16string caption, std::u16string text,
              DefaultAnswer default_answer);

}  // namespace dactyra::ui
