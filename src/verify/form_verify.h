#pragma once

#include <string>

#include "base/text_source.h"
#include "ui/ui.h"
#include "verify/identify_dialog.h"
#include "verify/recognition_tally.h"

namespace dactyra {

// What the user asked for as he ended the verification dialog.
enum class TVerifyRequest {
  kNone,
  kReplaceFinger,  // "Replace...": delete the finger's template and enroll the finger again
};

// How a verification dialog ended, for its caller.
struct TVerifyDialogOutcome {
  std::u16string Description;  // as the user left it
  TRecognitionTally Tally;     // the touches of this session
  TVerifyRequest Request = TVerifyRequest::kNone;
};

// The modal dialog that verifies one listed template by live touches: whether the finger is the
// signed-in user's, the record's finger and on the record's sensor. It counts the session's
// touches (TRecognitionTally: an answer about a touch, or a poor capture, is one touch; a
// failure of the service is none) and shows the tally; when too few are recognised it says what
// helps and offers to replace the finger. The record's description can be changed in it; its
// Outcome tells the caller, and the modal result carries no meaning.
class TFormVerify final : public TIdentifyDialog {
 public:
  // Verifies `record` against the user of `context`. Texts (verify_texts.h) come from `texts`,
  // which must outlive the dialog.
  TFormVerify(ui::Form* owner, const TextSource& texts, const TServiceContext& context,
              const TFingerRecord& record);

  // The record it verifies.
  const TFingerRecord& Record() const { return *Compared(); }
  // How it ended (so far).
  TVerifyDialogOutcome Outcome() const;

  // The description box, first in the Tab order: the dialog opens with the focus on it.
  ui::LabeledEdit lblTitle{*this, {240, 19, 121, 27}};
  // "Recognised 7 of 9 touches", from the first touch on.
  ui::Label lblTally{*this, {13, 183, 348, 17}};
  // What helps, while the advice is due (TRecognitionTally::AdviceDue), with its button.
  ui::Label lblAdvice{*this, {13, 204, 348, 80}, {}, {.word_wrap = true}};
  ui::Button btnReplace{*this, {236, 292, 128, 32}};

  // Ends the dialog with the request to replace the finger.
  void btnReplaceClick();

 private:
  void TouchIdentified(TVerifyOutcome outcome) override;
  void IdentificationFailed(HRESULT error) override;
  void PoorCapture() override;

  // Counts a touch, and shows the tally and the advice as they now stand.
  void CountTouch(TTouchResult result);

  TRecognitionTally FTally;
  TVerifyRequest FRequest = TVerifyRequest::kNone;
};

}  // namespace dactyra
