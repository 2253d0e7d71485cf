#include "ui/message_box.h"

#include <utility>

namespace dactyra::ui {

void ShowInformation(const Form* owner, std::u16string caption, std::u16string text) {
  ShowMessageBox(owner, {std::move(caption), std::move(text), MessageIcon::kInformation});
}

void ShowError(const Form* owner, std::u16string caption, std::u16string text) {
  ShowMessageBox(owner, {std::move(caption), std::move(text), MessageIcon::kError});
}

bool AskYesNo(const Form* owner, std::u16string caption, std::u16string text,
              DefaultAnswer default_answer) {
  const MessageBoxRequest request{std::move(caption), std::move(text), MessageIcon::kQuestion,
                                  MessageButtons::kYesNo,
                                  default_answer == DefaultAnswer::kNo ? 2 : 1};
  return ShowMessageBox(owner, request) == ModalResult::kYes;
}

}  // namespace dactyra::ui
