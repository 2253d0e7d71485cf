// The enrollment dialog after a commit that the service refused as a duplicate: one more touch of
// the same finger tells whose fingerprint it is, the user's own or another account's, and the
// dialog says what to do about it. The enrollment ends without a new finger either way.

#include "base/format.h"
#include "biometric/winbio_texts.h"
#include "dialog_core/other_account.h"
#include "enroll/enroll_texts.h"
#include "enroll/form_enroll.h"

namespace dactyra {

void TFormEnroll::StartFindingHolder() {
  FHolderFound.reset();
  EnterPhase(TEnrollPhase::kFindingHolder);
  btnRetry.SetVisible(false);
  SetIcon(TStateLight::kWaiting);
  lblCount.SetColor(kInstructionText);
  lblCount.SetText(Texts().Get(kEnrollDuplicateTouch));
  if (const HRESULT started = StartIdentifyWorker(std::nullopt); Failed(started)) {
    ShowHolderUnknown(FailureText(started));
  }
}

void TFormEnroll::WMHolderStatus(std::uintptr_t wparam, std::intptr_t lparam) {
  switch (wparam) {
    case verify_event::kBadCapture:
      ShowTouchHint(EventLow32(lparam));
      break;
    case verify_event::kFound:
      FHolderFound = TakeFoundFinger();
      break;
    case verify_event::kIdentified:
      // An answer without the finger that goes with it came from elsewhere.
      if (FHolderFound) {
        ShowHolder(*FHolderFound, static_cast<TVerifyOutcome>(lparam));
      }
      break;
    case verify_event::kFailed: {
      const HRESULT error = static_cast<HRESULT>(EventLow32(lparam));
      NoteFailure(error);  // a session the service lost is replaced at Retry
      ShowHolderUnknown(error == WINBIO_E_UNKNOWN_ID ? Texts().Get(kEnrollDuplicateNoMatch)
                                                     : FailureText(error));
      break;
    }
    default:
      break;
  }
}

void TFormEnroll::ShowHolder(const TFoundFinger& found, TVerifyOutcome outcome) {
  std::u16string holder;
  if (outcome == TVerifyOutcome::kOtherUser) {
    const TOtherAccount account = DescribeOtherAccount(found.Identity, Texts());
    holder = account.Sentence;
    FAdvice =
        Texts().Get(account.Kind == TOtherAccountKind::kRemoved ? kEnrollDuplicateRemovedAdvice
                                                                : kEnrollDuplicateAccountAdvice);
  } else {
    // One of the user's own: its description from the list, else its finger's name.
    std::optional<std::u16string> listed;
    if (FRequest.ListedDescription) {
      listed = FRequest.ListedDescription(found.UnitId, found.SubFactor);
    }
    holder = Format(Texts().Get(kEnrollDuplicateOwn),
                    listed ? *listed : SubFactorName(found.SubFactor, Texts()));
    FAdvice = Texts().Get(kEnrollDuplicateOwnAdvice);
    FOwnDuplicate = found;
  }
  EnterPhase(TEnrollPhase::kFailed);
  SetIcon(TStateLight::kFailure);
  SetStatus(holder, kFailureText);
  lblCount.SetSystemColor();
  lblCount.SetText(FAdvice);
  btnRetry.SetVisible(false);
  btnCancel.SetFocus();
}

void TFormEnroll::ShowHolderUnknown(std::u16string_view detail) {
  EnterPhase(TEnrollPhase::kFailed);
  SetIcon(TStateLight::kFailure);
  lblCount.SetSystemColor();
  lblCount.SetText(detail);
  btnRetry.SetVisible(true);
  btnRetry.SetFocus();
}

}  // namespace dactyra
