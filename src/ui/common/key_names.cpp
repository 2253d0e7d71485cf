#include "ui/key_names.h"

namespace dactyra::ui {

std::u16string KeyName(Key key, const TextSource& texts) {
  switch (key) {
    case Key::kEnter:
      return texts.Get(kKeyNameEnter);
    case Key::kDelete:
      return texts.Get(kKeyNameDelete);
    case Key::kF2:
      return u"F2";
    case Key::kF3:
      return u"F3";
    case Key::kF5:
      return u"F5";
    case Key::kCtrlI:
      return texts.Get(kKeyNameCtrl) + u"+I";
    case Key::kCtrlH:
      return texts.Get(kKeyNameCtrl) + u"+H";
  }
  return {};
}

}  // namespace dactyra::ui
