#pragma once

#include <cstdint>
#include <functional>

#include "ui/control.h"

namespace dactyra::ui {

struct ButtonOptions {
  bool is_default = false;  // pressed by Enter
  bool cancel = false;      // pressed by Esc
  ModalResult modal_result = ModalResult::kNone;
};

// A push button; an '&' in its caption marks the Alt mnemonic.
class Button final : public Control {
 public:
  Button(Control& parent, const Placement& placement, std::u16string text = {},
         const ButtonOptions& options = {});
  ~Button() override;

  // A press as the user makes it: nothing when disabled; otherwise the form takes the button's
  // modal result (when it has one) and OnClick runs.
  void Click();

  ModalResult GetModalResult() const { return options_.modal_result; }
  void SetModalResult(ModalResult result) { options_.modal_result = result; }
  bool IsDefault() const { return options_.is_default; }
  bool IsCancel() const { return options_.cancel; }

  std::function<void()> OnClick;

 protected:
  Size NaturalSize() const override;
  bool UsesKey(Key key) const override { return key == Key::kEnter; }  // it presses the button

 private:
  ButtonOptions options_;
};

struct RadioOptions {
  bool checked = false;
  std::int64_t tag = 0;
};

// A radio button; the radio buttons of one parent form one group, one of them checked. Its
// caption shows as it is: an '&' in it is a plain character, not a mnemonic.
class RadioButton final : public Control {
 public:
  RadioButton(Control& parent, const Placement& placement, std::u16string text = {},
              const RadioOptions& options = {});
  ~RadioButton() override;

  bool Checked() const { return checked_; }
  // Checking one unchecks the others of its group.
  void SetChecked(bool checked);
  // A press as the user makes it: checks it when enabled.
  void Click();

  std::int64_t Tag() const { return tag_; }
  void SetTag(std::int64_t tag) { tag_ = tag; }

  // Whether `text` would show in full beside the button's check mark at its width, in the
  // form's font at its DPI (always, when its width is its natural one).
  bool Fits(std::u16string_view text) const;

 protected:
  Size NaturalSize() const override;

 private:
  friend struct detail::Access;
  void StoreChecked(bool checked);  // the model only, the native state follows elsewhere

  bool checked_;
  std::int64_t tag_;
};

}  // namespace dactyra::ui
