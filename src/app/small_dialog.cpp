#include "app/small_dialog.h"
#include "app/main_texts.h"

#include <utility>

#include "ui/button.h"

namespace dactyra {

ui::FormOptions SmallDialogOptions(ui::Form& owner, std::u16string caption) {
  return {.caption = std::move(caption),
          .client_width = kSmallDialogWidth,
          .client_height = 120,
          .border = ui::FormBorder::kDialog,
          .position = ui::FormPosition::kCenterOwner,
          .owner = &owner};
}

void AddOkCancelRow(ui::Column& column, int gap, const TextSource& texts) {
  column.Add<ui::Button>(
      gap, {.left = 90, .width = 80}, texts.Get(kMainButtonOk),
      ui::ButtonOptions{.is_default = true, .modal_result = ui::ModalResult::kOk});
  column.AddBeside<ui::Button>(
      {.left = 220, .width = 80}, texts.Get(kMainButtonCancel),
      ui::ButtonOptions{.cancel = true, .modal_result = ui::ModalResult::kCancel});
}

}  // namespace dactyra
