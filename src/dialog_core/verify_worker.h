#pragma once

// The verification worker: waits on its own thread for one touch on any sensor, asks the
// biometric service whose finger it was and posts the answer, classified against the selected
// record and the signed-in user, to its dialog. It never touches a control, never waits for
// the dialog and never makes a text.

#include <cstdint>
#include <memory>

#include "biometric/winbio_lib.h"
#include "dialog_core/service_worker.h"
#include "dialog_core/worker_slot.h"
#include "platform/worker_thread.h"

namespace dactyra {

// The message the worker posts to its dialog (WM_USER + 200).
inline constexpr std::uint32_t WM_VERIFY_STATUS = 0x0400 + 200;

// The event codes of WM_VERIFY_STATUS (its first parameter) and what the second one carries.
namespace verify_event {
inline constexpr std::uintptr_t kWaiting = 1;     // 0
inline constexpr std::uintptr_t kIdentified = 2;  // the outcome class (TVerifyOutcome)
inline constexpr std::uintptr_t kBadCapture = 3;  // the reject detail; still waiting
inline constexpr std::uintptr_t kFailed = 4;      // the HRESULT of Identify
// Only for a worker asked to report the finger: right before kIdentified.
inline constexpr std::uintptr_t kFound = 5;  // 0: the finger waits in the found slot
}  // namespace verify_event

// The finger an identified touch was: its sensor, its sub-factor and whose it is.
struct TFoundFinger {
  WINBIO_UNIT_ID UnitId = 0;
  WINBIO_BIOMETRIC_SUBTYPE SubFactor = 0;
  TWinBioIdentity Identity{};
};
using PFoundFingerSlot = PWorkerSlot<TFoundFinger>;

// How an identified finger relates to the selected record.
enum class TVerifyOutcome : std::intptr_t {
  kMatch = 0,        // the signed-in user, the record's sensor and finger
  kOtherUser = 1,    // another account's finger
  kOtherFinger = 2,  // the signed-in user on the record's sensor, another finger
  kOtherSensor = 3,  // the signed-in user on another sensor, whatever the finger
};

// What the worker needs; filled by the dialog, then owned by the worker.
struct TVerifyThreadParam {
  TWorkerPoster Window;  // posts WM_VERIFY_STATUS to the dialog's window
  TWinBioLib Lib;        // the worker's own copy of the table
  WINBIO_SESSION_HANDLE Session = 0;
  TWinBioIdentity CurrentIdent{};
  WINBIO_BIOMETRIC_SUBTYPE SelSubFactor = 0;
  WINBIO_UNIT_ID SelUnitId = 0;
  PFoundFingerSlot Found;  // when set, receives the identified finger, posted before the outcome
  TWinBioIdentity FoundIdent{};  // written by the service
  WINBIO_BIOMETRIC_SUBTYPE FoundSF = 0;
  WINBIO_UNIT_ID FoundUnitId = 0;
  PCancelFlag Cancel;
};
using PVerifyThreadParam = std::unique_ptr<TVerifyThreadParam>;

// The class of an identified finger (see TVerifyOutcome).
TVerifyOutcome ClassifyIdentified(const TVerifyThreadParam& param);

// Waits for touches until one is identified or fails with anything but a bad capture, posting
// each bad capture on the way, then posts the outcome. A worker that finds its cancel flag set
// after a call posts nothing more. Frees the record and returns 0.
std::uint32_t VerifyThreadProc(PVerifyThreadParam param);

// Starts VerifyThreadProc with `param` on a new thread (StartServiceWorker).
platform::WorkerThread StartVerifyThread(PVerifyThreadParam param);

}  // namespace dactyra
