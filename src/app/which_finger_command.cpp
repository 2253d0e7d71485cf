// "Which finger is this?": one touch on any sensor, identified as verification does; the
// answer in the log and, for a listed finger of the user, its row selected. Nothing changes.

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
    TFormWhichFinger dialog(this, *this);
    dialog.Lib = FLib;
    dialog.Session = FSession;
    dialog.CurrentIdent = FIdent;
    dialog.Fingers = FFingers.Records();
    dialog.ShowModal();
    found = dialog.FoundIndex;
    answer = dialog.Answer;
    if (!dialog.SessionIdle()) {
      LeaveSessionBehind();
    }
  }
  if (answer.empty()) {
    AddLog(GetLangStr(u"log", u"which_cancelled",
                      u"Which finger is this? No finger was identified (cancelled)."));
  } else {
    AddLog(Format(GetLangStr(u"log", u"which", u"Which finger is this? %s"), answer));
  }
  if (found) {
    FFingers.Show(*found);
  }
}

}  // namespace dactyra
