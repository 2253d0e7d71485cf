#pragma once

#include <atomic>
#include <memory>
#include <optional>

#include "base/text_source.h"
#include "biometric/winbio_lib.h"
#include "biometric/winbio_types.h"
#include "dialog_core/service_context.h"
#include "dialog_core/service_worker.h"
#include "dialog_core/state_light.h"
#include "dialog_core/verify_worker.h"
#include "platform/worker_thread.h"
#include "ui/ui.h"

namespace dactyra {

// A modal dialog whose worker thread waits in the biometric service on the dialog's session (the
// enrollment and verification dialogs). It holds what they share: the binding, session and user
// the caller gives, the dialog's texts, its state light, the worker with its stop flag, and how
// the worker is got out of the service again, at the latest when the dialog goes.
class TWorkerDialog : public ui::Form {
 public:
  ~TWorkerDialog() override;

  ui::Shape shapeIcon{*this, kStateLightPlacement, StateLightStyle(TStateLight::kIdle)};

  // The state light: its look and its meaning.
  void SetIcon(TStateLight state) { ShowStateLight(shapeIcon, state, Texts()); }

  // The binding, session and user it was given.
  const TServiceContext& Context() const { return FContext; }

  // False when a worker could not be got out of the service and is still blocked on Session,
  // which then must not be used again.
  bool SessionIdle() const { return !FWorkerLeftBehind; }

  // Whether the service lost Session (a call on it failed so): it is of no further use.
  bool SessionLost() const { return FSessionLost; }

 protected:
  // A dialog centred on `owner` with a client area of the given size (96-DPI pixels), whose
  // workers wait on the session of `context`. Its texts come from `texts`, which must outlive the
  // dialog.
  TWorkerDialog(ui::Form* owner, int client_width, int client_height, const TextSource& texts,
                const TServiceContext& context);

  // Holds the worker just started with the current flag, until StopWorker.
  void HoldWorker(platform::WorkerThread worker) { FThread = std::move(worker); }
  // Gets a held worker out of the service (see StopServiceWorker).
  void StopWorker();

  // Makes the dialog ready for its next worker and fills what every worker's record holds: the
  // worker held is stopped, a session that the service lost is replaced, and `param` gets the
  // poster of `message`, the binding, the session, the user's identity (in the field `identity`)
  // and a fresh stop flag. The failure of the new session's open, when the worker must not
  // start; else S_OK.
  template <typename TParam>
  HRESULT PrepareWorker(TParam& param, std::uint32_t message, TWinBioIdentity TParam::*identity) {
    StopWorker();
    if (const HRESULT renewed = RenewLostSession(); Failed(renewed)) {
      return renewed;
    }
    param.Window = PosterOf(message);
    param.Lib = FContext.Lib;
    param.Session = FContext.Session;
    param.*identity = FContext.Identity;
    param.Cancel = NewCancelFlag();
    return S_OK;
  }

  // What a touch is compared with: a sensor's unit and a finger's sub-factor.
  struct TIdentifyTarget {
    WINBIO_UNIT_ID UnitId = 0;
    WINBIO_BIOMETRIC_SUBTYPE SubFactor = 0;
  };
  // Starts the worker that waits for one touch and identifies it (the verification worker,
  // posting WM_VERIFY_STATUS), prepared as PrepareWorker does: a touch is compared with `target`
  // or, without one, reported (verify_event::kFound, then TakeFoundFinger). The failure of the
  // new session's open, when no worker started; else S_OK.
  HRESULT StartIdentifyWorker(std::optional<TIdentifyTarget> target);
  // The finger that the identify worker started last reported; none before it has (whatever a
  // message claims) and once taken.
  std::optional<TFoundFinger> TakeFoundFinger();

  // A worker's call failed with `code`: when that says that the service lost the session, the
  // session is replaced before the next wait (RenewLostSession).
  void NoteFailure(HRESULT code);

 private:
  // Posts `message` to this dialog from the worker's thread.
  TWorkerPoster PosterOf(std::uint32_t message) const;
  // A fresh stop flag for the next worker: one left behind keeps its own, set.
  const PCancelFlag& NewCancelFlag();
  // Before a new worker starts, after StopWorker: a session that the service lost is closed
  // (unless a worker is still blocked on it) and a new one opened with the context's binding,
  // which the caller takes over with the context. The failure of the open, or S_OK.
  HRESULT RenewLostSession();

  TServiceContext FContext;
  PCancelFlag FCancel = std::make_shared<std::atomic<bool>>(false);  // the held worker's
  // Where the identify worker started last leaves the finger it found; null when it compares.
  PFoundFingerSlot FFound;
  // The last worker started; held until it has been stopped, whatever messages arrive.
  platform::WorkerThread FThread;
  bool FWorkerLeftBehind = false;  // a worker is still blocked on Session
  bool FSessionLost = false;       // the service no longer knows Session
};

}  // namespace dactyra
