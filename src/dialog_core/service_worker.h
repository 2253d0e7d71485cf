#pragma once

// What the enrollment and verification dialogs share about their workers: a thread that makes
// blocking calls to the biometric service on the dialog's session, the flag that tells it to
// stop, and how a dialog gets it out of the service again.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

#include "biometric/winbio_lib.h"
#include "platform/platform.h"
#include "platform/worker_thread.h"

namespace dactyra {

// Posts one event (a message's two parameters) to the dialog without waiting. False when the
// dialog is gone: the message is dropped.
using TWorkerPoster = std::function<bool(std::uintptr_t event, std::intptr_t value)>;

// The stop flag shared by a dialog and its worker: it lives as long as the last of them.
using PCancelFlag = std::shared_ptr<std::atomic<bool>>;

// Starts `work` on a new thread that holds its own reference on the service's module until it
// has finished, so that the module is not unloaded under a call still running in the service.
template <typename Work>
platform::WorkerThread StartServiceWorker(const TWinBioLib& lib, Work work) {
  platform::Module module_reference = platform::Module::AddReference(lib.hLib);
  return platform::WorkerThread::Start(
      [work = std::move(work), module_reference = std::move(module_reference)]() mutable {
        work();
        module_reference = platform::Module();  // released last: no service code runs after
      });
}

// Starts `procedure` with its parameter record on a new thread (as above): the worker start of
// every dialog. The record brings the worker's own copy of the binding (`Lib`).
template <typename Param, typename Procedure>
platform::WorkerThread StartServiceWorker(std::unique_ptr<Param> param, Procedure procedure) {
  const TWinBioLib lib = param->Lib;
  return StartServiceWorker(
      lib, [param = std::move(param), procedure]() mutable { procedure(std::move(param)); });
}

// A 32-bit value (a unit id, a count, a reject detail, a result code) as the second parameter
// of a worker's message: sign-extended, as window messages carry it. EventLow32 takes it back.
constexpr std::intptr_t EventValue(std::uint32_t value) {
  return static_cast<std::intptr_t>(static_cast<std::int32_t>(value));
}
constexpr std::uint32_t EventLow32(std::intptr_t value) {
  return static_cast<std::uint32_t>(value);
}

// Stops a held worker: sets its flag, then asks the service to release the call the worker may
// be blocked in (WinBioCancel), again and again, until the worker has finished. The caller
// waits only as long as the service takes to honour a cancel, never for a touch. True when no
// worker is left; false when the service has no WinBioCancel or did not release the worker in
// time: the worker is then let go, still blocked on `session`, which must not be used again.
bool StopServiceWorker(const TWinBioLib& lib, WINBIO_SESSION_HANDLE session,
                       std::atomic<bool>& cancel, platform::WorkerThread& worker);

}  // namespace dactyra
