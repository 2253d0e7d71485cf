// The verify command: the verification dialog for the selected finger, the description the user
// may have changed in it, how well the finger was recognised, and its replacement when the user
// asked for it there.

#include <optional>

#include "app/log_texts.h"
#include "app/main_form.h"
#include "base/format.h"
#include "base/hex.h"
#include "verify/form_verify.h"

namespace dactyra {

void TForm1::btnVerifyClick() {
  const std::optional<std::size_t> selected = FFingers.Selected();
  if (!selected) {
    AddLog(Get(kLogSelectFirst));
    return;
  }
  if (!EnsureLibrary() || !EnsureSession()) {
    return;
  }
  AddLog(u"");
  const TFingerRecord record = FFingers.Records()[*selected];
  AddLog(Format(Get(kLogVerifying), record.Description, record.UnitId, Hex2(record.SubFactor)));

  TVerifyDialogOutcome outcome;
  {
    TFormVerify dialog(this, *this, ServiceContext(), record);
    ShowServiceDialog(dialog);
    outcome = dialog.Outcome();
  }

  const bool renamed = RenameRow(*selected, outcome.Description);
  const TRecognitionTally& tally = outcome.Tally;
  const bool tested = tally.Touches() > 0;
  if (tested) {
    FFingers.SetRecognition(*selected, TRecognition{.Recognised = tally.Recognised(),
                                                    .Touches = tally.Touches(),
                                                    .Tested = Today()});
  }
  AddLog(Get(kLogVerifyClosed));
  if (renamed || tested) {
    SaveCfg();
  }
  if (outcome.Request == TVerifyRequest::kReplaceFinger) {
    ReplaceFinger(FFingers.Records()[*selected]);
  }
}

}  // namespace dactyra
