#include "app/sensors_dialog.h"

#include <utility>

#include "app/sensors_texts.h"
#include "ui/clipboard.h"

namespace dactyra {

TFormSensorsAndSignIn::TFormSensorsAndSignIn(ui::Form& owner, const TextSource& texts,
                                             std::u16string facts)
    : ui::Form({.caption = texts.Get(kSensorsCaption),
                .client_width = 600,
                .client_height = 470,
                .border = ui::FormBorder::kDialog,
                .position = ui::FormPosition::kCenterOwner,
                .owner = &owner}),
      FFacts(std::move(facts)) {
  btnCopy.SetText(texts.Get(kSensorsCopy));
  btnClose.SetText(texts.Get(kSensorsClose));
  btnCopy.OnClick = [this] { btnCopyClick(); };
  btnClose.OnClick = [this] { Close(); };
  std::u16string_view rest = FFacts;
  while (!rest.empty()) {
    const std::size_t end = rest.find(u"\r\n");
    memoFacts.AppendLine(rest.substr(0, end));
    rest = end == std::u16string_view::npos ? std::u16string_view() : rest.substr(end + 2);
  }
  memoFacts.SetAccessibleName(Caption());
}

void TFormSensorsAndSignIn::btnCopyClick() {
  ui::SetClipboardText(*this, FFacts);
}

}  // namespace dactyra
