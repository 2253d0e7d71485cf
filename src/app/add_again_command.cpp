// Add again: a remembered finger (CFG.TOML describes it, the service no longer has its template)
// is enrolled again on its sensor, after the owner's proof, into its own slot when that is free,
// and takes its entry in CFG.TOML back.

#include <optional>

#include "app/log_texts.h"
#include "app/main_form.h"
#include "base/format.h"
#include "base/hex.h"

namespace dactyra {

void TForm1::AddFingerAgain() {
  const std::optional<TFingerRecord> selected = GetSelectedRecord();
  if (!selected || selected->State != TFingerState::kRemembered) {
    AddLog(Get(kLogSelectFirst));
    return;
  }
  const TFingerRecord& remembered = *selected;
  if (!EnsureLibrary()) {
    return;
  }
  CloseCurrentSession();  // the owner proves himself on a fresh session
  if (const auto fingers = ListOwnFingers(); !fingers || !ConfirmOwner(*fingers)) {
    return;
  }
  AddLog(u"");
  const std::optional<TFingerRecord> enrolled = EnrollAgain(remembered);
  if (!enrolled) {
    return;
  }
  FBook.Replace(remembered, *enrolled, Owner());
  btnEnumClick();
}

std::optional<TFingerRecord> TForm1::EnrollAgain(const TFingerRecord& remembered) {
  const TFreshSession session(*this);
  if (!EnsureSession()) {
    return std::nullopt;
  }
  const WINBIO_BIOMETRIC_SUBTYPE slot = ChooseFreeSlot(remembered.UnitId, remembered.SubFactor);
  if (slot == 0) {
    return std::nullopt;
  }
  AddLog(Format(Get(kLogAddingAgain), remembered.Description, remembered.UnitId, Hex2(slot)));
  return Enroll(slot, remembered.UnitId, remembered.Description);
}

}  // namespace dactyra
