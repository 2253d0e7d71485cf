#pragma once

// The asynchronous operations of the stand-in: each completes on a thread of its own after the
// state's delay (a verification after its own, if the state gives one), with its value or in the
// state's error, and calls its completed handler there. IAsyncInfo::Cancel ends a started one at
// once as cancelled: its status is Canceled, its handler is called with it on that thread, and
// GetResults fails with E_ILLEGAL_METHOD_CALL, as for the Windows Runtime's own operations. A
// verification asked through the statics has a prompt of its own (consent_prompt.h) while it
// lasts.

#include <optional>
#include <string>
#include <string_view>

#include "sim/hello/consent_interfaces.h"
#include "sim/hello/consent_state.h"

namespace dactyra::sim {

// A request for verification, as the log records it.
struct Request {
  HWND window = nullptr;  // the interop interface's; null for the statics
  std::u16string message;

  // `prompt` says how the statics' prompt fared (ConsentPrompt::Close).
  std::u16string LogLine(std::u16string_view prompt) const;
};

// A new operation (one reference, the caller's) of the interface `iid` whose completed handler
// has the IID `handler_iid`; with a request, a verification. A request is recorded in
// `request_log` when it ends.
IEnumAsyncOperation* StartOperation(const IID& iid, const IID& handler_iid, INT32 value,
                                    const ConsentState& state, std::optional<Request> request,
                                    std::u16string request_log);

}  // namespace dactyra::sim
