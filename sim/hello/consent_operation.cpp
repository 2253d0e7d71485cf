#include "sim/hello/consent_operation.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <fstream>
#include <mutex>
#include <thread>
#include <utility>

#include "base/utf.h"
#include "sim/hello/consent_prompt.h"

namespace dactyra::sim {
namespace {

// An operation that completes on a thread of its own: with `value`, or in an error.
class Operation final : public IEnumAsyncOperation, public ::IAsyncInfo {
 public:
  Operation(const IID& iid, const IID& handler_iid, INT32 value, const ConsentState& state,
            std::optional<Request> request, std::u16string request_log)
      : iid_(iid),
        handler_iid_(handler_iid),
        value_(value),
        error_(state.error),
        request_(std::move(request)),
        request_log_(std::move(request_log)) {
    AddRef();  // the completing thread's reference
    const std::chrono::milliseconds delay(request_ ? state.verification_delay_ms : state.delay_ms);
    const bool prompt = request_ && request_->window == nullptr && state.prompt;
    // Detached: it holds a reference to the operation, and the DLL is never unloaded.
    std::thread([this, delay, prompt] {
      Run(delay, prompt);
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
  // A started operation ends as cancelled; an ended one stays as it is.
  HRESULT STDMETHODCALLTYPE Cancel() override {
    const std::lock_guard lock(mutex_);
    if (status_ == Started) {
      status_ = Canceled;
      ended_.notify_all();
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Close() override { return S_OK; }

 private:
  ~Operation() = default;

  // The operation's thread: the prompt of a request through the statics while it lasts (if
  // `with_prompt`), the delay or a cancel, the log, then the completion.
  void Run(std::chrono::milliseconds delay, bool with_prompt) {
    std::optional<ConsentPrompt> prompt;
    if (with_prompt) {
      prompt.emplace();
    }
    {
      std::unique_lock lock(mutex_);
      ended_.wait_for(lock, delay, [this] { return status_ != Started; });
    }
    if (request_) {
      const std::u16string fared = prompt ? prompt->Close() : u"foreground=no-prompt";
      std::ofstream log(reinterpret_cast<const wchar_t*>(request_log_.c_str()),
                        std::ios::app | std::ios::binary);
      log << Utf16ToUtf8(request_->LogLine(fared)).value_or("?") << "\n";
    }
    Complete();
  }

  void Complete() {
    std::unique_lock lock(mutex_);
    if (status_ == Started) {
      status_ = error_ ? Error : Completed;
    }
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
  const std::u16string request_log_;
  std::atomic<ULONG> references_{1};
  std::mutex mutex_;
  std::condition_variable ended_;  // a cancel
  AsyncStatus status_ = Started;
  IEnumCompletedHandler* handler_ = nullptr;
  bool handler_taken_ = false;
};

}  // namespace

std::u16string Request::LogLine(std::u16string_view prompt) const {
  if (window == nullptr) {
    return u"statics " + std::u16string(prompt) + u" message=" + message;
  }
  const std::string handle = std::to_string(reinterpret_cast<std::uintptr_t>(window));
  return u"interop window=" + std::u16string(handle.begin(), handle.end()) +
         (IsWindowEnabled(window) ? u" disabled=0" : u" disabled=1") + u" message=" + message;
}

IEnumAsyncOperation* StartOperation(const IID& iid, const IID& handler_iid, INT32 value,
                                    const ConsentState& state, std::optional<Request> request,
                                    std::u16string request_log) {
  return new Operation(iid, handler_iid, value, state, std::move(request), std::move(request_log));
}

}  // namespace dactyra::sim
