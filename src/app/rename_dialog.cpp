#include "app/rename_dialog.h"
#include "app/main_texts.h"

#include "app/small_dialog.h"
#include "ui/ui.h"

namespace dactyra {

std::optional<std::u16string> AskDescription(ui::Form& owner, std::u16string_view description,
                                             const TextSource& texts) {
  ui::Form form(SmallDialogOptions(owner, texts.Get(kMainRenameCaption)));

  // The label, the box under it (which takes the focus: it is the first that can), the buttons.
  ui::Column column(form);
  column.Add<ui::Label>(12, {.left = 16}, texts.Get(kMainRenameLabel));
  auto& edit = column.Add<ui::LabeledEdit>(4, {.left = 16, .width = kSmallDialogWidth - 32},
                                           std::u16string(), std::u16string(description));
  AddOkCancelRow(column, 16, texts);
  form.SetClientSize(kSmallDialogWidth, column.Bottom() + 12);

  if (form.ShowModal() != ui::ModalResult::kOk) {
    return std::nullopt;
  }
  return edit.Text();
}

}  // namespace dactyra
