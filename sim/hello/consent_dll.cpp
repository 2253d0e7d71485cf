// A stand-in for the Windows Runtime class Windows.Security.Credentials.UI.UserConsentVerifier
// (Windows Hello verification), which Wine lacks: a DLL with DllGetActivationFactory, registered
// as the class's DllPath in the prefix. It answers as its state file says (consent_state.h),
// named by the environment variable HELLO_SIM_STATE or "hello-sim.toml" beside the DLL, and
// completes every operation on a thread of its own after the state's delay.
//
// Every request is recorded when it completes in "hello-sim-requests.log" beside the state file,
// one line each: `interop window=<handle> disabled=<0|1> message=<text>` (the handle in decimal,
// whether the window was disabled then) or `statics message=<text>`.
//
// Its interfaces are declared here from the platform's definitions, apart from the program's
// own, so that a wrong layout or IID on either side shows in the tests.

#include <windows.h>

#include <activation.h>
#include <asyncinfo.h>
#include <inspectable.h>
#include <winstring.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>

#include "base/utf.h"
#include "sim/dll/dll_paths.h"
#include "sim/hello/consent_state.h"

// COM objects are released, never deleted, through their interfaces, which (as the SDK declares
// them) have no virtual destructor.
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

namespace dactyra::sim {

// IAsyncOperationCompletedHandler<E> and IAsyncOperation<E> of a 32-bit enumeration E, and the
// class's interfaces. Outside the unnamed namespace: implementations of them live in other
// modules, which the compiler must not rule out.
struct IEnumCompletedHandler : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Invoke(IInspectable* operation, AsyncStatus status) = 0;
};
struct IEnumAsyncOperation : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE put_Completed(IEnumCompletedHandler* handler) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Completed(IEnumCompletedHandler** handler) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetResults(INT32* result) = 0;
};
struct IUserConsentVerifierStatics : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE CheckAvailabilityAsync(IEnumAsyncOperation** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE RequestVerificationAsync(HSTRING message,
                                                             IEnumAsyncOperation** result) = 0;
};
struct IUserConsentVerifierInterop : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE RequestVerificationForWindowAsync(HWND window, HSTRING message,
                                                                      REFIID riid,
                                                                      void** operation) = 0;
};

namespace {

constexpr IID kIidUnknown{0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID kIidInspectable{
    0xAF86E2E0, 0xB12D, 0x4C6A, {0x9C, 0x5A, 0xD7, 0xAA, 0x65, 0x10, 0x1E, 0x90}};
constexpr IID kIidActivationFactory{0x00000035, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID kIidAsyncInfo{0x00000036, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID kIidAgileObject{
    0x94EA2B94, 0xE9CC, 0x49E0, {0xC0, 0xFF, 0xEE, 0x64, 0xCA, 0x8F, 0x5B, 0x90}};
constexpr IID kIidStatics{
    0xAF4F3F91, 0x564C, 0x4DDC, {0xB8, 0xB5, 0x97, 0x34, 0x47, 0x62, 0x7C, 0x65}};
constexpr IID kIidInterop{
    0x39E050C3, 0x4E74, 0x441A, {0x8D, 0xC0, 0xB8, 0x11, 0x04, 0xDF, 0x94, 0x9C}};
constexpr IID kIidResultOperation{
    0xFD596FFD, 0x2318, 0x558F, {0x9D, 0xBE, 0xD2, 0x1D, 0xF4, 0x37, 0x64, 0xA5}};
constexpr IID kIidResultHandler{
    0x0CFFC6C9, 0x4C2B, 0x5CD4, {0xB3, 0x8C, 0x7B, 0x8D, 0xF3, 0xFF, 0x5A, 0xFB}};
constexpr IID kIidAvailabilityOperation{
    0xDDD384F3, 0xD818, 0x5D83, {0xAB, 0x4B, 0x32, 0x11, 0x9C, 0x28, 0x58, 0x7C}};
constexpr IID kIidAvailabilityHandler{
    0x28988174, 0xACE2, 0x5C15, {0xA0, 0xDF, 0x58, 0x0A, 0x26, 0xD9, 0x42, 0x94}};

constexpr HRESULT kIllegalMethodCall = static_cast<HRESULT>(0x8000000E);
constexpr HRESULT kIllegalDelegateAssignment = static_cast<HRESULT>(0x80000018);

constexpr wchar_t kClassName[] = L"Windows.Security.Credentials.UI.UserConsentVerifier";

std::u16string StatePath() {
  return StatePathOf(L"HELLO_SIM_STATE", u"hello-sim.toml",
                     reinterpret_cast<const void*>(&StatePath));
}

std::u16string Folder(const std::u16string& path) {
  return path.substr(0, path.rfind(u'\\') + 1);
}

void RecordRequest(const std::u16string& line) {
  std::ofstream log(
      reinterpret_cast<const wchar_t*>((Folder(StatePath()) + u"hello-sim-requests.log").c_str()),
      std::ios::app | std::ios::binary);
  log << Utf16ToUtf8(line).value_or("?") << "\n";
}

// A request for verification, as the log records it.
struct Request {
  HWND window = nullptr;  // the interop interface's; null for the statics
  std::u16string message;

  std::u16string LogLine() const {
    if (window == nullptr) {
      return u"statics message=" + message;
    }
    const std::string handle = std::to_string(reinterpret_cast<std::uintptr_t>(window));
    return u"interop window=" + std::u16string(handle.begin(), handle.end()) +
           (IsWindowEnabled(window) ? u" disabled=0" : u" disabled=1") + u" message=" + message;
  }
};

std::u16string TextOf(HSTRING text) {
  UINT32 length = 0;
  const wchar_t* raw = WindowsGetStringRawBuffer(text, &length);
  return std::u16string(raw, raw + length);
}

// An IInspectable's three methods for an object that tells nothing about itself.
#define DACTYRA_NO_INSPECTION                                             \
  HRESULT STDMETHODCALLTYPE GetIids(ULONG* count, IID** iids) override {  \
    *count = 0;                                                           \
    *iids = nullptr;                                                      \
    return S_OK;                                                          \
  }                                                                       \
  HRESULT STDMETHODCALLTYPE GetRuntimeClassName(HSTRING* name) override { \
    *name = nullptr;                                                      \
    return E_NOTIMPL;                                                     \
  }                                                                       \
  HRESULT STDMETHODCALLTYPE GetTrustLevel(TrustLevel* level) override {   \
    *level = BaseTrust;                                                   \
    return S_OK;                                                          \
  }

// An operation that completes on a thread of its own: with `value`, or in an error.
class Operation final : public IEnumAsyncOperation, public ::IAsyncInfo {
 public:
  Operation(const IID& iid, const IID& handler_iid, INT32 value, const ConsentState& state,
            std::optional<Request> request)
      : iid_(iid),
        handler_iid_(handler_iid),
        value_(value),
        error_(state.error),
        request_(std::move(request)) {
    AddRef();  // the completing thread's reference
    // Detached: it holds a reference to the operation, and the DLL is never unloaded.
    std::thread([this, delay = state.delay_ms] {
      std::this_thread::sleep_for(std::chrono::milliseconds(delay));
      Complete();
      Release();
    }).detach();
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid == kIidUnknown || iid == kIidInspectable || iid == iid_ || iid == kIidAgileObject) {
      *object = static_cast<IEnumAsyncOperation*>(this);
    } else if (iid == kIidAsyncInfo) {
      *object = static_cast<::IAsyncInfo*>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) {
      delete this;
    }
    return left;
  }
  DACTYRA_NO_INSPECTION

  // Only one handler may be set; one set after the completion is called at once.
  HRESULT STDMETHODCALLTYPE put_Completed(IEnumCompletedHandler* handler) override {
    if (handler == nullptr) {
      return E_POINTER;
    }
    IEnumCompletedHandler* typed = nullptr;
    if (FAILED(handler->QueryInterface(handler_iid_, reinterpret_cast<void**>(&typed)))) {
      return E_NOINTERFACE;
    }
    std::unique_lock lock(mutex_);
    if (handler_ != nullptr || handler_taken_) {
      typed->Release();
      return kIllegalDelegateAssignment;
    }
    if (status_ == Started) {
      handler_ = typed;
      return S_OK;
    }
    handler_taken_ = true;
    const AsyncStatus status = status_;
    lock.unlock();
    typed->Invoke(static_cast<IEnumAsyncOperation*>(this), status);
    typed->Release();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Completed(IEnumCompletedHandler** handler) override {
    const std::lock_guard lock(mutex_);
    *handler = handler_;
    if (handler_ != nullptr) {
      handler_->AddRef();
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetResults(INT32* result) override {
    const std::lock_guard lock(mutex_);
    if (status_ == Completed) {
      *result = value_;
      return S_OK;
    }
    return status_ == Error ? static_cast<HRESULT>(*error_) : kIllegalMethodCall;
  }

  HRESULT STDMETHODCALLTYPE get_Id(UINT32* id) override {
    *id = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Status(AsyncStatus* status) override {
    const std::lock_guard lock(mutex_);
    *status = status_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_ErrorCode(HRESULT* code) override {
    const std::lock_guard lock(mutex_);
    *code = status_ == Error ? static_cast<HRESULT>(*error_) : S_OK;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Cancel() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Close() override { return S_OK; }

 private:
  ~Operation() = default;

  void Complete() {
    if (request_) {
      RecordRequest(request_->LogLine());
    }
    std::unique_lock lock(mutex_);
    status_ = error_ ? Error : Completed;
    IEnumCompletedHandler* handler = std::exchange(handler_, nullptr);
    handler_taken_ = handler_taken_ || handler != nullptr;
    const AsyncStatus status = status_;
    lock.unlock();
    if (handler != nullptr) {
      handler->Invoke(static_cast<IEnumAsyncOperation*>(this), status);
      handler->Release();
    }
  }

  const IID iid_;
  const IID handler_iid_;
  const INT32 value_;
  const std::optional<std::uint32_t> error_;
  const std::optional<Request> request_;
  std::atomic<ULONG> references_{1};
  std::mutex mutex_;
  AsyncStatus status_ = Started;
  IEnumCompletedHandler* handler_ = nullptr;
  bool handler_taken_ = false;
};

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
    *result = new Operation(kIidAvailabilityOperation, kIidAvailabilityHandler, state->availability,
                            *state, std::nullopt);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE RequestVerificationAsync(HSTRING message,
                                                     IEnumAsyncOperation** result) override {
    const std::optional<ConsentState> state = LoadConsentState(StatePath());
    if (!state) {
      return E_UNEXPECTED;
    }
    *result = new Operation(kIidResultOperation, kIidResultHandler, state->result, *state,
                            Request{nullptr, TextOf(message)});
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
    *operation = static_cast<IEnumAsyncOperation*>(
        new Operation(kIidResultOperation, kIidResultHandler, state->result, *state,
                      Request{window, TextOf(message)}));
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
