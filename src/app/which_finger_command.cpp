// "Which finger is this?": one touch on any sensor, identified as verification does; the
// answer in the log and, for a listed finger of the user, its row selected. Nothing changes.

#include "app/log_texts.h"
#include "app/main_form.h"
#include "base/format.h"
#include "verify/form_which_finger.h"

namespace dactyra {

void TForm1::FindTouchedFinger() {
  if (!EnsureLibrary() || !EnsureSession()) {
    return;
  }
  AddLog(u"");
  std::optional<std::size_t> found;
  std::u16string answer;
  {
    TFormWhichFinger dialog(this, *this, ServiceContext(), FFingers.Records());
    ShowServiceDialog(dialog);
    found = dialog.FoundIndex();
    answer = dialog.Answer();
  }
  if (answer.empty()) {
    AddLog(Get(kLogWhichFingerCancelled));
  } else {
    AddLog(Format(Get(kLogWhichFinger), answer));
  }
  if (found) {
    FFingers.Show(*found);
  }
}

}  // namespace dactyra
