#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "base/text_source.h"
#include "ui/ui.h"
#include "verify/identify_dialog.h"

namespace dactyra {

// The modal dialog that answers "which finger is this?": it waits for a touch on any sensor and
// says whose finger it was: one of the listed fingers of the signed-in user (sensor, finger and
// description), another of his, another account's (DescribeOtherAccount), or none enrolled. Retry
// waits for the next touch; Close (its second button), Esc and the close box end it. It changes
// nothing.
class TFormWhichFinger final : public TIdentifyDialog {
 public:
  // Answers touches for the user of `context`, whose listed fingers are `fingers`, in list
  // order. Texts (which_texts.h) come from `texts`; it must outlive the dialog.
  TFormWhichFinger(ui::Form* owner, const TextSource& texts, const TServiceContext& context,
                   std::vector<TFingerRecord> fingers);

  ui::Label lblReason{*this, {96, 16, 265, 54}, {}, {.word_wrap = true}};

  // The index among the fingers given of the finger the last answered touch identified; none
  // when it was no listed finger of the user.
  std::optional<std::size_t> FoundIndex() const { return FFoundIndex; }
  // The answer to the last touch, one line; empty when none was answered.
  const std::u16string& Answer() const { return FAnswer; }

 private:
  void ClearAnswer() override;
  void TouchIdentified(TVerifyOutcome outcome) override;
  void IdentificationFailed(HRESULT error) override;
  void UsersFingerIdentified();

  // The answer to a touch: light, the answer in `color`, and Retry.
  void ShowWhichAnswer(TStateLight light, std::u16string text, ui::Color color);

  std::vector<TFingerRecord> FFingers;
  std::optional<std::size_t> FFoundIndex;
  std::u16string FAnswer;
};

}  // namespace dactyra
