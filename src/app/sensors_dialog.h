#pragma once

#include <string>

#include "base/text_source.h"
#include "ui/ui.h"

namespace dactyra {

// "Sensors and sign-in": the facts about the service, the sign-in settings and the sensors as
// one read-only text that can be selected, a Copy button that puts the same text on the
// clipboard, and Close (Esc). It changes nothing.
class TFormSensorsAndSignIn final : public ui::Form {
 public:
  // Shows `facts`, modal over `owner`; its texts (sensors_texts.h) come from `texts`.
  TFormSensorsAndSignIn(ui::Form& owner, const TextSource& texts, std::u16string facts);

  ui::Panel pnlButtons{*this, {.height = 52, .dock = ui::Dock::kBottom}};
  ui::Memo memoFacts{*this, {.dock = ui::Dock::kClient}};
  ui::Button btnCopy{pnlButtons, {376, 10, 100, 32}};
  ui::Button btnClose{pnlButtons, {484, 10, 100, 32}, {}, {.cancel = true}};

  void btnCopyClick();

 private:
  std::u16string FFacts;
};

}  // namespace dactyra
