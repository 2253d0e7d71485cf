#pragma once

// Windows Hello verification: the system's own dialog in which the signed-in user proves himself
// with his PIN, face or fingerprint (UserConsentVerifier), asked from a window of the program.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/text_source.h"

namespace dactyra::ui {

class Form;

// How a verification ended, for what the program does next.
enum class HelloOutcome {
  kVerified,      // the user proved himself
  kCancelled,     // he closed the system's dialog
  kNotConfirmed,  // Windows Hello was asked and did not confirm him
  kUnavailable,   // Windows Hello could not be asked: use another proof (the password)
};

// What Windows answered, or why it could not be asked.
enum class HelloReason {
  kVerified,
  kCanceled,
  kRetriesExhausted,
  kDeviceBusy,
  kDeviceNotPresent,
  kNotConfiguredForUser,
  kDisabledByPolicy,
  kFingerprintOnly,  // Windows before Windows 10: its verifier takes no PIN, only a fingerprint
  kNotOffered,       // this Windows has no such class or interface (Wine without it): `call`
  kCallFailed,       // `call` failed with `code`
  kUnknownAnswer,    // an answer this program does not know: its value in `code`
};

struct HelloResult {
  HelloOutcome outcome = HelloOutcome::kUnavailable;
  HelloReason reason = HelloReason::kNotOffered;
  std::uint32_t code = 0;      // the HRESULT of a failed call, or an unknown answer
  std::u16string_view call{};  // the call or interface that failed or is missing

  // No Windows Hello PIN is set up for the account: fingerprint sign-in needs one.
  bool NotConfiguredForUser() const { return reason == HelloReason::kNotConfiguredForUser; }
  bool operator==(const HelloResult&) const = default;
};

// Asks the signed-in user to prove himself with Windows Hello, in the system's dialog showing
// `message`, and waits for his answer. The dialog belongs to `owner` where Windows allows it;
// `owner` is disabled meanwhile, and the program's windows keep painting. Where the dialog is a
// window of its own (Windows 10), it is brought to the front; `prompt_not_in_front` (if given) is
// called when that has not happened after a few seconds, so that the caller can tell the user
// where it waits (HelloOwnWindowText). When the owner's waits end (Form::EndWaits) or a quit
// comes, before or during the wait, the answer is kCanceled.
HelloResult VerifyWithWindowsHello(Form* owner, std::u16string_view message,
                                   const std::function<void()>& prompt_not_in_front = {});

// Whether Windows Hello can be asked now, without asking: nothing when it can; otherwise how a
// verification would end and why. `owner` stays usable meanwhile; its waits ended (see
// Form::EndWaits) or a quit, the answer is kCanceled.
std::optional<HelloResult> WindowsHelloUnavailable(Form* owner);

// What Windows answered, as the outcome it means. Values as the platform defines them:
// UserConsentVerificationResult and UserConsentVerifierAvailability.
HelloResult HelloFromVerificationResult(std::int32_t result);
// Nothing for Available.
std::optional<HelloResult> HelloFromAvailability(std::int32_t availability);
// Windows Hello not offered (`call` missing), or a call that failed.
HelloResult HelloNotOffered(std::u16string_view call, std::uint32_t code);
HelloResult HelloCallFailed(std::u16string_view call, std::uint32_t code);
// Windows Hello not used on a Windows before Windows 10, where it cannot take a PIN.
HelloResult HelloFingerprintOnly();
// A wait that ended before Windows answered (the owner's waits ended, a quit): a cancel, as when
// the user closes the system's dialog.
HelloResult HelloCancelled();

// The result in words for the log: what Windows Hello said, or why it was not used.
std::u16string HelloResultText(const HelloResult& result, const TextSource& texts);
// Said when the account has no Windows Hello PIN: a new fingerprint does not sign in before one
// is set up.
std::u16string HelloPinNeededText(const TextSource& texts);
// Said when the system's dialog could not be brought to the front: where it waits.
std::u16string HelloOwnWindowText(const TextSource& texts);

}  // namespace dactyra::ui
