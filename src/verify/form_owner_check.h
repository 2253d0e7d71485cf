#pragma once

#include "base/text_source.h"
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
  // Texts (owner_texts.h) come from `texts`; it must outlive the dialog.
  TFormOwnerCheck(ui::Form* owner, const TextSource& texts);

  // The result of the last failed identification, S_OK when the last attempt did not fail.
  HRESULT ResultError = S_OK;

 private:
  void ClearAnswer() override { ResultError = S_OK; }
  void UsersFingerIdentified() override;
  void OtherUsersFingerIdentified() override;
  void IdentificationFailed(HRESULT error) override;

  // After a touch that proves nothing: the refusal light and status, and `result` saying why.
  void ShowRefusal(std::u16string_view result);
};

}  // namespace dactyra
