#include "dialog_core/verify_worker.h"

#include <utility>

namespace dactyra {
TVerifyOutcome ClassifyIdentified(const TVerifyThreadParam& param) {
  if (!SameIdentity(param.FoundIdent, param.CurrentIdent)) {
    return TVerifyOutcome::kOtherUser;
  }
  if (param.FoundUnitId != param.SelUnitId) {
    return TVerifyOutcome::kOtherSensor;
  }
  if (param.FoundSF != param.SelSubFactor) {
    return TVerifyOutcome::kOtherFinger;
  }
  return TVerifyOutcome::kMatch;
}

std::uint32_t VerifyThreadProc(PVerifyThreadParam param) {
  TVerifyThreadParam& p = *param;
  const auto canceled = [&p] { return p.Cancel->load(); };

  p.Window(verify_event::kWaiting, 0);
  while (!canceled()) {
    p.FoundIdent = TWinBioIdentity{};
    p.FoundSF = 0;
    p.FoundUnitId = 0;
    WINBIO_REJECT_DETAIL reject_detail = 0;
    const HRESULT identified =
        p.Lib.Identify(p.Session, &p.FoundUnitId, &p.FoundIdent, &p.FoundSF, &reject_detail);
    if (canceled()) {
      break;
    }
    if (identified == WINBIO_E_BAD_CAPTURE) {
      p.Window(verify_event::kBadCapture, EventValue(reject_detail));
      continue;
    }
    if (Failed(identified)) {
      p.Window(verify_event::kFailed, identified);
      break;
    }
    if (p.Found) {
      p.Found->Put({.UnitId = p.FoundUnitId, .SubFactor = p.FoundSF, .Identity = p.FoundIdent});
      p.Window(verify_event::kFound, 0);
    }
    p.Window(verify_event::kIdentified, static_cast<std::intptr_t>(ClassifyIdentified(p)));
    break;
  }
  return 0;
}

platform::WorkerThread StartVerifyThread(PVerifyThreadParam param) {
  return StartServiceWorker(std::move(param), VerifyThreadProc);
}

}  // namespace dactyra
