// Windows Hello verification through the Windows Runtime class UserConsentVerifier, activated at
// run time: on Windows 11 the prompt is asked for the owner window (the interop interface of the
// class's factory), on Windows 10 through the statics, whose prompt is then brought to the front.
// Where the class is missing (Windows 8.1, Wine) Windows Hello is not offered. A wait ended by the
// owner's waits or a quit is cancelled, and so is the answer.

#include <string>
#include <variant>

#include "base/wide.h"
#include "ui/hello_verification.h"
#include "ui/win32/async_wait.h"
#include "ui/win32/com_ref.h"
#include "ui/win32/prompt_to_front.h"
#include "ui/win32/windows_runtime.h"

namespace dactyra::ui {
namespace {

using detail::AsyncEnumResult;
using detail::ComRef;
using detail::EnumAsyncOperation;
using detail::HString;
using detail::UserConsentVerifierInterop;
using detail::UserConsentVerifierStatics;
using detail::WindowsRuntime;

constexpr std::u16string_view kCombase = u"combase.dll";
constexpr std::u16string_view kActivation = u"RoGetActivationFactory(UserConsentVerifier)";
constexpr std::u16string_view kCheckAvailability = u"CheckAvailabilityAsync";
constexpr std::u16string_view kRequestForWindow = u"RequestVerificationForWindowAsync";
constexpr std::u16string_view kRequest = u"RequestVerificationAsync";
constexpr std::u16string_view kMessage = u"WindowsCreateString";

// The statics of the class, or why there are none.
struct Verifier {
  ComRef<UserConsentVerifierStatics> statics;
  HelloResult failure;
};

Verifier ActivateVerifier(const WindowsRuntime& runtime) {
  if (!runtime.Loaded()) {
    return {.statics = {}, .failure = HelloNotOffered(kCombase, 0)};
  }
  Verifier verifier;
  const HRESULT activated = runtime.GetActivationFactory(detail::kUserConsentVerifierClass,
                                                         detail::kIidUserConsentVerifierStatics,
                                                         verifier.statics.ReceiveVoid());
  if (FAILED(activated) || !verifier.statics) {
    verifier.failure = HelloNotOffered(kActivation, static_cast<std::uint32_t>(activated));
  }
  return verifier;
}

// The value that `operation` (started by `call`) gave, or how the verification ends instead:
// cancelled, or the call failed.
std::variant<std::int32_t, HelloResult> AwaitValue(EnumAsyncOperation& operation,
                                                   const IID& handler_iid, Form* owner,
                                                   const detail::WaitOptions& wait,
                                                   std::u16string_view call) {
  const AsyncEnumResult result = detail::AwaitModally(operation, handler_iid, owner, wait);
  if (result.cancelled) {
    return HelloCancelled();
  }
  if (FAILED(result.code)) {
    return HelloCallFailed(call, static_cast<std::uint32_t>(result.code));
  }
  return result.value;
}

// Nothing when Windows Hello is available; otherwise why not.
std::optional<HelloResult> CheckAvailability(UserConsentVerifierStatics& statics, Form* owner,
                                             const detail::WaitOptions& wait) {
  ComRef<EnumAsyncOperation> operation;
  const HRESULT started = statics.CheckAvailabilityAsync(operation.Receive());
  if (FAILED(started) || !operation) {
    return HelloCallFailed(kCheckAvailability, static_cast<std::uint32_t>(started));
  }
  const auto availability =
      AwaitValue(*operation, detail::kIidAvailabilityHandler, owner, wait, kCheckAvailability);
  if (const auto* ended = std::get_if<HelloResult>(&availability)) {
    return *ended;
  }
  return HelloFromAvailability(std::get<std::int32_t>(availability));
}

HelloResult RequestVerification(const WindowsRuntime& runtime, UserConsentVerifierStatics& statics,
                                Form* owner, std::u16string_view message,
                                const std::function<void()>& prompt_not_in_front) {
  if (Form::WaitsEnded(owner)) {
    return HelloCancelled();  // ended while the availability was asked: nothing more is asked
  }
  const std::wstring wide_message = ToWide(message);
  const HString text(runtime, wide_message);
  if (text.get() == nullptr && !message.empty()) {
    return HelloCallFailed(kMessage, static_cast<std::uint32_t>(E_OUTOFMEMORY));
  }
  ComRef<EnumAsyncOperation> operation;
  std::u16string_view call = kRequest;
  HRESULT started = E_NOINTERFACE;
  // The prompt of the statics is a window of its own, looked for while the wait goes on.
  detail::PromptToFront prompt(prompt_not_in_front);
  detail::WaitOptions options;
  ComRef<UserConsentVerifierInterop> interop;
  statics.QueryInterface(detail::kIidUserConsentVerifierInterop, interop.ReceiveVoid());
  if (owner != nullptr && interop) {
    call = kRequestForWindow;
    started = interop->RequestVerificationForWindowAsync(detail::WindowOf(*owner), text.get(),
                                                         detail::kIidVerificationOperation,
                                                         operation.ReceiveVoid());
  } else {
    started = statics.RequestVerificationAsync(text.get(), operation.Receive());
    options.every_tick = [&prompt] { return prompt.Look(); };
  }
  if (FAILED(started) || !operation) {
    return HelloCallFailed(call, static_cast<std::uint32_t>(started));
  }
  const auto verification =
      AwaitValue(*operation, detail::kIidVerificationHandler, owner, options, call);
  if (const auto* ended = std::get_if<HelloResult>(&verification)) {
    return *ended;
  }
  return HelloFromVerificationResult(std::get<std::int32_t>(verification));
}

// Runs `use` with the class's statics in an initialised apartment; without them, or with the
// owner's waits ended, what that means instead.
template <typename Result, typename Use>
Result WithVerifier(Form* owner, Use use) {
  if (Form::WaitsEnded(owner)) {
    return HelloCancelled();
  }
  const WindowsRuntime runtime;
  const detail::RuntimeApartment apartment(runtime);
  Verifier verifier = ActivateVerifier(runtime);
  if (!verifier.statics) {
    return verifier.failure;
  }
  return use(runtime, *verifier.statics);
}

}  // namespace

HelloResult VerifyWithWindowsHello(Form* owner, std::u16string_view message,
                                   const std::function<void()>& prompt_not_in_front) {
  return WithVerifier<HelloResult>(
      owner, [&](const WindowsRuntime& runtime, UserConsentVerifierStatics& statics) {
        if (auto unavailable = CheckAvailability(statics, owner, {.disable_owner = true})) {
          return *unavailable;
        }
        return RequestVerification(runtime, statics, owner, message, prompt_not_in_front);
      });
}

std::optional<HelloResult> WindowsHelloUnavailable(Form* owner) {
  return WithVerifier<std::optional<HelloResult>>(
      owner, [&](const WindowsRuntime&, UserConsentVerifierStatics& statics) {
        return CheckAvailability(statics, owner, {.disable_owner = false});
      });
}

}  // namespace dactyra::ui
