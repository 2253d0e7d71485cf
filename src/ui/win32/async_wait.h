#pragma once

// Waiting for an asynchronous Windows Runtime operation on the user interface thread without
// freezing its windows.

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>

#include "ui/form.h"
#include "ui/win32/consent_abi.h"

namespace dactyra::ui::detail {

// What an operation gave: its result, the code of its failure, or that it was cancelled.
struct AsyncEnumResult {
  HRESULT code = S_OK;
  std::int32_t value = 0;
  bool cancelled = false;  // then neither code nor value tells anything
};

// How often a wait calls its `every_tick`.
inline constexpr std::chrono::milliseconds kWaitTick{100};

// What a wait does with the form it belongs to, and besides waiting.
struct WaitOptions {
  // Whether the form is disabled meanwhile, as the owner of a modal dialog.
  bool disable_owner = true;
  // If given, called every kWaitTick while the wait goes on, until it answers false.
  std::function<bool()> every_tick = {};
};

// Waits for `operation` (an IAsyncOperation<T> of an enumeration, whose completed handler has
// the IID `handler_iid`) in a modal loop that keeps the thread's windows painting and answering.
// The wait belongs to `owner` (if any): it ends when the operation completes, when the owner's
// waits end (Form::EndWaits, also before it starts) or on WM_QUIT, which is posted again for the
// outer loop and ends the waits of the program's window. Ended so, the operation is cancelled
// (IAsyncInfo::Cancel) and the result says so, as for an operation that ended cancelled.
AsyncEnumResult AwaitModally(EnumAsyncOperation& operation, const IID& handler_iid, Form* owner,
                             const WaitOptions& options);

}  // namespace dactyra::ui::detail
