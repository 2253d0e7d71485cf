#include "enroll/enroll_worker.h"

#include <utility>

namespace dactyra {

std::uint32_t EnrollThreadProc(PEnrollThreadParam param) {
  const TEnrollThreadParam& p = *param;
  const TWinBioLib& lib = p.Lib;
  const auto post = [&p](std::uintptr_t event, std::intptr_t value) {
    return p.Window(event, value);
  };
  const auto canceled = [&p] { return p.Cancel->load(); };
  const auto discard_and_report_cancel = [&] {
    lib.EnrollDiscard(p.Session);
    post(enroll_event::kCanceled, 0);
  };

  WINBIO_UNIT_ID unit = p.PresetUnitId;
  if (unit != 0) {
    post(enroll_event::kSensorKnown, EventValue(unit));
  } else {
    post(enroll_event::kLocating, 0);
    const HRESULT located = lib.LocateSensor(p.Session, &unit);
    if (canceled()) {
      discard_and_report_cancel();
      return 0;
    }
    if (Failed(located)) {
      post(enroll_event::kFailed, located);
      return 0;
    }
    post(enroll_event::kSensorKnown, EventValue(unit));
  }

  const HRESULT begun = lib.EnrollBegin(p.Session, p.SubFactor, unit);
  if (Failed(begun)) {
    post(enroll_event::kFailed, begun);
    return 0;
  }

  std::uint32_t good_captures = 0;
  while (!canceled()) {
    post(enroll_event::kWaiting, EventValue(good_captures));
    WINBIO_REJECT_DETAIL reject_detail = 0;
    const HRESULT captured = lib.EnrollCapture(p.Session, &reject_detail);
    if (canceled()) {
      break;
    }
    if (Succeeded(captured)) {
      ++good_captures;
      post(enroll_event::kGoodCapture, EventValue(good_captures));
      if (captured == S_OK) {
        break;  // the template is complete
      }
    } else if (captured == WINBIO_E_BAD_CAPTURE) {
      post(enroll_event::kBadCapture, EventValue(reject_detail));
    } else {
      post(enroll_event::kFailed, captured);
      lib.EnrollDiscard(p.Session);
      return 0;
    }
  }
  if (canceled()) {
    discard_and_report_cancel();
    return 0;
  }

  // From here on the worker finishes what it started, whether or not anyone still listens.
  post(enroll_event::kCommitting, 0);
  TWinBioIdentity identity = p.Identity;
  WINBIO_BOOLEAN is_new = 0;
  const HRESULT committed = lib.EnrollCommit(p.Session, &identity, &is_new);
  if (Failed(committed)) {
    // A refused commit (a duplicate above all) leaves the transaction open: it goes before the
    // dialog hears of the failure and waits on the session again.
    lib.EnrollDiscard(p.Session);
    post(enroll_event::kFailed, committed);
    return 0;
  }
  p.Result->Put({unit, p.SubFactor, is_new != 0});
  post(enroll_event::kDone, 0);
  return 0;
}

platform::WorkerThread StartEnrollThread(PEnrollThreadParam param) {
  return StartServiceWorker(std::move(param), EnrollThreadProc);
}

}  // namespace dactyra
