// A stand-in for the Windows Runtime class Windows.Security.Credentials.UI.UserConsentVerifier
// (Windows Hello verification), which Wine lacks: a DLL with DllGetActivationFactory, registered
// as the class's DllPath in the prefix. It answers as its state file says (consent_state.h),
// named by the environment variable HELLO_SIM_STATE or "hello-sim.toml" beside the DLL.
//
// Every request is recorded when it ends in "hello-sim-requests.log" beside the state file, one
// line each: `interop window=<handle> disabled=<0|1> message=<text>` (the handle in decimal,
// whether the window was disabled then) or `statics foreground=<when> message=<text>` (when its
// prompt first was the foreground window, see ConsentPrompt::Close).

#include <optional>
#include <string>

#include "sim/dll/dll_paths.h"
#include "sim/hello/consent_interfaces.h"
#include "sim/hello/consent_operation.h"
#include "sim/hello/consent_state.h"

namespace dactyra::sim {
namespace {

constexpr wchar_t kClassName[] = L"Windows.Security.Credentials.UI.UserConsentVerifier";

std::u16string StatePath() {
  return StatePathOf(L"HELLO_SIM_STATE", u"hello-sim.toml",
                     reinterpret_cast<const void*>(&StatePath));
}

std::u16string RequestLogPath() {
  const std::u16string state = StatePath();
  return state.substr(0, state.rfind(u'\\') + 1) + u"hello-sim-requests.log";
}

std::u16string TextOf(HSTRING text) {
  UINT32 length = 0;
  const wchar_t* raw = WindowsGetStringRawBuffer(text, &length);
  return std::u16string(raw, raw + length);
}

// The class's activation factory: its statics, and the interop interface when the state offers
// it. One object for the process.
class Factory final : public IActivationFactory,
                      public IUserConsentVerifierStatics,
                      public IUserConsentVerifierInterop {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    const std::optional<ConsentState> state = LoadConsentState(StatePath());
    if (iid == kIidUnknown || iid == kIidInspectable || iid == kIidActivationFactory ||
        iid == kIidAgileObject) {
      *object = static_cast<IActivationFactory*>(this);
    } else if (iid == kIidStatics) {
      *object = static_cast<IUserConsentVerifierStatics*>(this);
    } else if (iid == kIidInterop && state && state->interop) {
      *object = static_cast<IUserConsentVerifierInterop*>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  DACTYRA_NO_INSPECTION

  HRESULT STDMETHODCALLTYPE ActivateInstance(IInspectable** instance) override {
    *instance = nullptr;
    return E_NOTIMPL;  // a static class
  }

  HRESULT STDMETHODCALLTYPE CheckAvailabilityAsync(IEnumAsyncOperation** result) override {
    const std::optional<ConsentState> state = LoadConsentState(StatePath());
    if (!state) {
      return E_UNEXPECTED;
    }
    *result = StartOperation(kIidAvailabilityOperation, kIidAvailabilityHandler,
                             state->availability, *state, std::nullopt, {});
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE RequestVerificationAsync(HSTRING message,
                                                     IEnumAsyncOperation** result) override {
    const std::optional<ConsentState> state = LoadConsentState(StatePath());
    if (!state) {
      return E_UNEXPECTED;
    }
    *result = StartOperation(kIidResultOperation, kIidResultHandler, state->result, *state,
                             Request{nullptr, TextOf(message)}, RequestLogPath());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE RequestVerificationForWindowAsync(HWND window, HSTRING message,
                                                              REFIID riid,
                                                              void** operation) override {
    *operation = nullptr;
    const std::optional<ConsentState> state = LoadConsentState(StatePath());
    if (!state) {
      return E_UNEXPECTED;
    }
    if (riid != kIidResultOperation) {
      return E_NOINTERFACE;
    }
    if (!IsWindow(window)) {
      return E_INVALIDARG;
    }
    *operation = StartOperation(kIidResultOperation, kIidResultHandler, state->result, *state,
                                Request{window, TextOf(message)}, RequestLogPath());
    return S_OK;
  }
};

}  // namespace
}  // namespace dactyra::sim

extern "C" HRESULT WINAPI DllGetActivationFactory(HSTRING class_name,
                                                  IActivationFactory** factory) {
  static dactyra::sim::Factory instance;
  *factory = nullptr;
  if (dactyra::sim::TextOf(class_name) !=
      reinterpret_cast<const char16_t*>(dactyra::sim::kClassName)) {
    return CLASS_E_CLASSNOTAVAILABLE;
  }
  *factory = &instance;
  return S_OK;
}
