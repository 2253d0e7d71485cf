#pragma once

// The asynchronous operations of the stand-in: each completes on a thread of its own after the
// state's delay, with its value or in the state's error, and calls its completed handler there.

#include <optional>
#include <string>

#include "sim/hello/consent_interfaces.h"
#include "sim/hello/consent_state.h"

namespace dactyra::sim {

// A request for verification, as the log records it.
struct Request {
  HWND window = nullptr;  // the interop interface's; null for the statics
  std::u16string message;

  std::u16string LogLine() const;
};

// A new operation (one reference, the caller's) of the interface `iid` whose completed handler
// has the IID `handler_iid`. A request is recorded in `request_log` when it completes.
IEnumAsyncOperation* StartOperation(const IID& iid, const IID& handler_iid, INT32 value,
                                    const ConsentState& state, std::optional<Request> request,
                                    std::u16string request_log);

}  // namespace dactyra::sim
