#pragma once

// The enrollment worker: drives one enrollment transaction of the biometric service on its own
// thread and reports each step to its dialog by posting (event, value). It never touches a
// control, never waits for the dialog and never makes a text.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "biometric/winbio_lib.h"
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
inline constexpr std::uintptr_t kDone = 7;         // a TEnrollResult*, owned by the receiver
inline constexpr std::uintptr_t kFailed = 8;       // the failing HRESULT
inline constexpr std::uintptr_t kCanceled = 9;     // 0
}  // namespace enroll_event

// Posts one event to the dialog without waiting. False when the dialog is gone: the message is
// dropped and whatever it points to stays the sender's.
using TEnrollPoster = std::function<bool(std::uintptr_t event, std::intptr_t value)>;

// The cancel flag shared by a dialog and its worker: it lives as long as the last of them.
using TEnrollCancelFlag = std::shared_ptr<std::atomic<bool>>;

// What the worker needs; filled by the dialog, then owned by the worker.
struct TEnrollThreadParam {
  TEnrollPoster Window;  // posts WM_ENROLL_STATUS to the dialog's window
  TWinBioLib Lib;        // the worker's own copy of the table
  WINBIO_SESSION_HANDLE Session = 0;
  WINBIO_BIOMETRIC_SUBTYPE SubFactor = 0;
  TEnrollCancelFlag Cancel;
  TWinBioIdentity Identity{};       // the identity the template is committed for
  WINBIO_UNIT_ID PresetUnitId = 0;  // 0: locate the sensor by a touch
};
using PEnrollThreadParam = std::unique_ptr<TEnrollThreadParam>;

// The committed template, handed to the dialog with the "done" event.
struct TEnrollResult {
  WINBIO_UNIT_ID UnitId = 0;
  WINBIO_BIOMETRIC_SUBTYPE SubFactor = 0;
  bool IsNew = false;  // false: an existing template was updated
};

// One enrollment: locate the sensor unless one is preset, begin, capture until the service
// says the template is complete, commit. Checks the cancel flag before and after each blocking
// call up to the commit, and discards the transaction when it finds it set. Frees the record
// and returns 0.
std::uint32_t EnrollThreadProc(PEnrollThreadParam param);

// Starts EnrollThreadProc with `param` on a new thread. The thread holds its own reference on
// the service's module until it has finished, so that the module is not unloaded under a call
// still waiting in the service.
platform::WorkerThread StartEnrollThread(PEnrollThreadParam param);

}  // namespace dactyra
