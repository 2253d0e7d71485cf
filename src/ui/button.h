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

 private:
  ButtonOptions options_;
};

struct RadioOptions {
  bool checked = false;
  std::int64_t tag = 0;
};

// A radio button; the radio buttons of one parent form one group, one of them checked.
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

 protected:
  Size NaturalSize() const override;

 private:
  friend struct detail::Access;
  void StoreChecked(bool checked);  // the model only, the native state follows elsewhere

  bool checked_;
  std::int64_t tag_;
};

}  // namespace dactyra::ui
