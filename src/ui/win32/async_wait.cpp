#include "ui/win32/async_wait.h"

#include <atomic>

#include "ui/win32/com_ref.h"
#include "ui/win32/internal.h"

namespace dactyra::ui::detail {
namespace {

// The completed handler: agile, so the operation calls it on whatever thread completes it (or
// at once inside put_Completed). It only notes the completion and wakes the waiting thread.
class CompletionSignal final : public EnumCompletedHandler {
 public:
  CompletionSignal(const IID& handler_iid, DWORD waiting_thread)
      : handler_iid_(handler_iid), waiting_thread_(waiting_thread) {}
  CompletionSignal(const CompletionSignal&) = delete;
  CompletionSignal& operator=(const CompletionSignal&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) {
      return E_POINTER;
    }
    if (iid == kIidUnknown || iid == handler_iid_ || iid == kIidAgileObject) {
      AddRef();
      *object = static_cast<EnumCompletedHandler*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) {
      delete this;
    }
    return left;
  }
  HRESULT STDMETHODCALLTYPE Invoke(Unknown*, std::int32_t) override {
    completed_ = true;
    PostThreadMessageW(waiting_thread_, WM_NULL, 0, 0);
    return S_OK;
  }

  bool Completed() const { return completed_; }

 private:
  ~CompletionSignal() = default;

  const IID handler_iid_;
  const DWORD waiting_thread_;
  std::atomic<ULONG> references_{1};
  std::atomic<bool> completed_{false};
};

// The owner disabled while the object lives, then enabled and active again.
class DisabledOwner {
 public:
  explicit DisabledOwner(HWND owner)
      : owner_(owner != nullptr && IsWindowEnabled(owner) ? owner : nullptr) {
    if (owner_ != nullptr) {
      EnableWindow(owner_, FALSE);
    }
  }
  ~DisabledOwner() {
    if (owner_ != nullptr) {
      EnableWindow(owner_, TRUE);
      SetActiveWindow(owner_);
    }
  }
  DisabledOwner(const DisabledOwner&) = delete;
  DisabledOwner& operator=(const DisabledOwner&) = delete;

 private:
  HWND owner_;
};

// Dispatches the thread's messages until `signal` completes; false when WM_QUIT came first.
bool PumpUntilCompleted(const CompletionSignal& signal) {
  MSG message;
  while (!signal.Completed()) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) {
        PostQuitMessage(static_cast<int>(message.wParam));  // for the outer loop
      }
      return false;
    }
    DispatchWithDialogKeys(message);
  }
  return true;
}

}  // namespace

AsyncEnumResult AwaitModally(EnumAsyncOperation& operation, const IID& handler_iid, HWND owner) {
  const ComRef<CompletionSignal> signal(new CompletionSignal(handler_iid, GetCurrentThreadId()));
  if (const HRESULT set = operation.put_Completed(signal.get()); FAILED(set)) {
    return {.code = set};
  }
  bool completed = false;
  {
    const DisabledOwner disabled(owner);
    completed = PumpUntilCompleted(*signal);
  }
  if (!completed) {
    ComRef<AsyncInfo> info;
    if (SUCCEEDED(operation.QueryInterface(kIidAsyncInfo, info.ReceiveVoid()))) {
      info->Cancel();
    }
    return {.code = HRESULT_FROM_WIN32(ERROR_CANCELLED)};
  }
  AsyncEnumResult result;
  result.code = operation.GetResults(&result.value);
  return result;
}

}  // namespace dactyra::ui::detail
