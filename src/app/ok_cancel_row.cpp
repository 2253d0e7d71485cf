#include "app/ok_cancel_row.h"

#include "ui/button.h"

namespace dactyra {

void AddOkCancelRow(ui::Column& column, int gap, const TextSource& texts) {
  column.Add<ui::Button>(
      gap, {.left = 90, .width = 80}, texts.GetLangStr(u"main", u"button.ok", u"&OK"),
      ui::ButtonOptions{.is_default = true, .modal_result = ui::ModalResult::kOk});
  column.AddBeside<ui::Button>(
      {.left = 220, .width = 80}, texts.GetLangStr(u"main", u"button.cancel", u"&Cancel"),
      ui::ButtonOptions{.cancel = true, .modal_result = ui::ModalResult::kCancel});
}

}  // namespace dactyra
