#pragma once

// The state of the stand-in for Windows Hello verification (UserConsentVerifier): a TOML file,
// read at each call, that says what the next request is answered:
//
//   availability = "Available"  # or DeviceNotPresent, NotConfiguredForUser, DisabledByPolicy,
//                               # DeviceBusy (an integer gives any value)
//   result = "Verified"         # the answer to a request: also DeviceNotPresent,
//                               # NotConfiguredForUser, DisabledByPolicy, DeviceBusy,
//                               # RetriesExhausted, Canceled (or an integer)
//   interop = true              # whether the factory offers the interop interface (Windows 11)
//   error = 0x80070005          # if given: every operation ends in an error with this code
//   delay = 100                 # milliseconds before an operation completes
//   verification_delay = 3000   # if given: milliseconds before a verification completes,
//                               # instead of `delay` (which the availability query keeps)
//   prompt = true               # whether a request through the statics opens its prompt
//                               # window (consent_prompt.h)
//
// A missing file is the defaults above, without `error`; a verification then takes `delay`.

#include <cstdint>
#include <optional>
#include <string_view>

namespace dactyra::sim {

struct ConsentState {
  std::int32_t availability = 0;
  std::int32_t result = 0;
  bool interop = true;
  bool prompt = true;
  std::optional<std::uint32_t> error;
  std::int64_t delay_ms = 100;
  std::int64_t verification_delay_ms = 100;
};

// The state of the file; none when it does not parse or a value has the wrong kind or name.
std::optional<ConsentState> LoadConsentState(std::u16string_view path);

}  // namespace dactyra::sim
