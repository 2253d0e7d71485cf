#pragma once

#include <optional>

#include "base/text_source.h"
#include "ui/hello_verification.h"
#include "ui/ui.h"
#include "verify/identify_dialog.h"

namespace dactyra {

// The modal dialog that confirms the account's owner before his fingerprints change: it waits
// for a touch on any sensor and ends with OK as soon as a finger of the signed-in user is
// identified, whatever the sensor or finger. Another user's finger, a finger the service does
// not know or a failure is shown, and Retry waits for the next touch; Cancel (its second
// button), Esc and the close box end it without proof.
class TFormOwnerCheck final : public TIdentifyDialog {
 public:
  // Confirms the user of `context`. Texts (owner_texts.h) come from `texts`; it must outlive
  // the dialog.
  TFormOwnerCheck(ui::Form* owner, const TextSource& texts, const TServiceContext& context);

  ui::Label lblReason{*this, {96, 16, 265, 54}, {}, {.word_wrap = true}};
  ui::Button btnUsePin{*this, {236, 199, 128, 32}};

  void btnUsePinClick();

  // Windows Hello's answer when "Use PIN instead" was pressed; none otherwise.
  const std::optional<ui::HelloResult>& HelloAnswer() const { return FHelloAnswer; }

  // Why the last touch proved nothing; empty when none was answered.
  const std::u16string& Refusal() const { return FRefusal; }
  // The result of the last failed identification, S_OK when the last attempt did not fail.
  HRESULT ResultError() const { return FResultError; }

 private:
  void ClearAnswer() override;
  void TouchIdentified(TVerifyOutcome outcome) override;
  void IdentificationFailed(HRESULT error) override;

  // After a touch that proves nothing: the refusal light and status, and `result` saying why.
  void ShowRefusal(std::u16string result);

  std::u16string FRefusal;
  HRESULT FResultError = S_OK;
  std::optional<ui::HelloResult> FHelloAnswer;
};

}  // namespace dactyra
