#include "app/rename_dialog.h"

#include "app/ok_cancel_row.h"
#include "ui/ui.h"

namespace dactyra {
namespace {

constexpr int kClientWidth = 364;  // as wide as the sensor dialog

}  // namespace

std::optional<std::u16string> AskDescription(ui::Form& owner, std::u16string_view description,
                                             const TextSource& texts) {
  ui::Form form({.caption = texts.GetLangStr(u"main", u"form.rename", u"Rename fingerprint"),
                 .client_width = kClientWidth,
                 .client_height = 120,
                 .border = ui::FormBorder::kDialog,
                 .position = ui::FormPosition::kCenterOwner,
                 .owner = &owner});

  // The label, the box under it (which takes the focus: it is the first that can), the buttons.
  ui::Column column(form);
  column.Add<ui::Label>(12, {.left = 16},
                        texts.GetLangStr(u"main", u"label.rename", u"Description:"));
  auto& edit = column.Add<ui::LabeledEdit>(4, {.left = 16, .width = kClientWidth - 32},
                                           std::u16string(), std::u16string(description));
  AddOkCancelRow(column, 16, texts);
  form.SetClientSize(kClientWidth, column.Bottom() + 12);

  if (form.ShowModal() != ui::ModalResult::kOk) {
    return std::nullopt;
  }
  return edit.Text();
}

}  // namespace dactyra
