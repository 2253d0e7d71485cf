#pragma once

// The enrollment worker: drives one enrollment transaction of the biometric service on its own
// thread and reports each step to its dialog by posting (event, value). It never touches a
// control, never waits for the dialog and never makes a text.

#include <cstdint>
#include <memory>

#include "biometric/winbio_lib.h"
#include "dialog_core/service_worker.h"
#include "dialog_core/worker_slot.h"
#include "platform/worker_thread.h"

namespace dactyra {

// The message the worker posts to its dialog (WM_USER + 100).
inline constexpr std::uint32_t WM_ENROLL_STATUS = 0x0400 + 100;

// The event codes of WM_ENROLL_STATUS (its first parameter) and what the second one carries.
namespace enroll_event {
inline constexpr std::uintptr_t kLocating = 1;     // 0: waiting for a touch to find the sensor
inline constexpr std::uintptr_t kSensorKnown = 2;  // the unit id
inline constexpr std::uintptr_t kWaiting = 3;      // good captures so far
inline constexpr std::uintptr_t kGoodCapture = 4;  // good captures, this one included
inline constexpr std::uintptr_t kBadCapture = 5;   // the reject detail
inline constexpr std::uintptr_t kCommitting = 6;   // 0
inline constexpr std::uintptr_t kDone = 7;         // 0: the result waits in the result slot
inline constexpr std::uintptr_t kFailed = 8;       // the failing HRESULT
inline constexpr std::uintptr_t kCanceled = 9;     // 0
}  // namespace enroll_event

// The committed template.
struct TEnrollResult {
  WINBIO_UNIT_ID UnitId = 0;
  WINBIO_BIOMETRIC_SUBTYPE SubFactor = 0;
  bool IsNew = false;  // false: an existing template was updated
};

// Where the worker leaves the committed template for its dialog.
using TEnrollResultSlot = TWorkerSlot<TEnrollResult>;
using PEnrollResultSlot = PWorkerSlot<TEnrollResult>;

// What the worker needs; filled by the dialog, then owned by the worker.
struct TEnrollThreadParam {
  TWorkerPoster Window;  // posts WM_ENROLL_STATUS to the dialog's window
  TWinBioLib Lib;        // the worker's own copy of the table
  WINBIO_SESSION_HANDLE Session = 0;
  WINBIO_BIOMETRIC_SUBTYPE SubFactor = 0;
  PCancelFlag Cancel;
  TWinBioIdentity Identity{};       // the identity the template is committed for
  WINBIO_UNIT_ID PresetUnitId = 0;  // 0: locate the sensor by a touch
  PEnrollResultSlot Result;         // receives the committed template
};
using PEnrollThreadParam = std::unique_ptr<TEnrollThreadParam>;

// One enrollment: locate the sensor unless one is preset, begin, capture until the service
// says the template is complete, commit. Checks the cancel flag before and after each blocking
// call up to the commit, and discards the transaction when it finds it set, when a capture fails
// or when the commit is refused. Frees the record and returns 0.
std::uint32_t EnrollThreadProc(PEnrollThreadParam param);

// Starts EnrollThreadProc with `param` on a new thread (StartServiceWorker).
platform::WorkerThread StartEnrollThread(PEnrollThreadParam param);

}  // namespace dactyra
