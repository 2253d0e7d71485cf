#pragma once

// Waiting for an asynchronous Windows Runtime operation on the user interface thread without
// freezing its windows.

#include <windows.h>

#include <cstdint>

#include "ui/win32/consent_abi.h"

namespace dactyra::ui::detail {

// What an operation gave: its result, or the code of its failure.
struct AsyncEnumResult {
  HRESULT code = S_OK;
  std::int32_t value = 0;
};

// Waits for `operation` (an IAsyncOperation<T> of an enumeration, whose completed handler has
// the IID `handler_iid`) in a modal loop that keeps the thread's windows painting and answering;
// `owner` (if any) is disabled meanwhile, as for a modal dialog. A WM_QUIT that arrives ends
// the wait (the operation is cancelled) and is posted again for the outer loop.
AsyncEnumResult AwaitModally(EnumAsyncOperation& operation, const IID& handler_iid, HWND owner);

}  // namespace dactyra::ui::detail
