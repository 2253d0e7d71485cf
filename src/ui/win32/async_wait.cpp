#include "ui/win32/async_wait.h"

#include <atomic>
#include <utility>

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
  HRESULT STDMETHODCALLTYPE Invoke(Unknown*, std::int32_t status) override {
    cancelled_ = status == kAsyncCanceled;
    completed_ = true;
    PostThreadMessageW(waiting_thread_, WM_NULL, 0, 0);
    return S_OK;
  }

  bool Completed() const { return completed_; }
  // Whether the operation ended cancelled (once Completed).
  bool Cancelled() const { return cancelled_; }

 private:
  ~CompletionSignal() = default;

  const IID handler_iid_;
  const DWORD waiting_thread_;
  std::atomic<ULONG> references_{1};
  std::atomic<bool> completed_{false};
  std::atomic<bool> cancelled_{false};
};

// A timer of the thread (WM_TIMER without a window) until it is stopped or goes; none for a zero
// interval.
class ThreadTimer {
 public:
  explicit ThreadTimer(std::chrono::milliseconds interval)
      : id_(interval.count() > 0
                ? SetTimer(nullptr, 0, static_cast<UINT>(interval.count()), nullptr)
                : 0) {}
  ~ThreadTimer() { Stop(); }
  ThreadTimer(const ThreadTimer&) = delete;
  ThreadTimer& operator=(const ThreadTimer&) = delete;

  bool Fired(const MSG& message) const {
    return id_ != 0 && message.message == WM_TIMER && message.hwnd == nullptr &&
           message.wParam == id_;
  }
  void Stop() {
    if (id_ != 0) {
      KillTimer(nullptr, std::exchange(id_, 0));
    }
  }

 private:
  UINT_PTR id_;
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

// Dispatches the thread's messages until `signal` completes; false when the wait ended first.
bool PumpUntilCompleted(const CompletionSignal& signal, Form* owner,
                        const std::function<bool()>& every_tick) {
  ThreadTimer ticks(every_tick ? kWaitTick : std::chrono::milliseconds::zero());
  MSG message;
  while (!signal.Completed()) {
    if (Form::WaitsEnded(owner)) {
      return false;
    }
    if (!GetMessageEndingOnQuit(message, owner)) {
      return false;
    }
    if (ticks.Fired(message)) {
      if (!every_tick()) {
        ticks.Stop();
      }
      continue;
    }
    DispatchWithDialogKeys(message);
  }
  return true;
}

void Cancel(EnumAsyncOperation& operation) {
  ComRef<AsyncInfo> info;
  if (SUCCEEDED(operation.QueryInterface(kIidAsyncInfo, info.ReceiveVoid()))) {
    info->Cancel();
  }
}

}  // namespace

AsyncEnumResult AwaitModally(EnumAsyncOperation& operation, const IID& handler_iid, Form* owner,
                             const WaitOptions& options) {
  const ComRef<CompletionSignal> signal(new CompletionSignal(handler_iid, GetCurrentThreadId()));
  if (const HRESULT set = operation.put_Completed(signal.get()); FAILED(set)) {
    return {.code = set};
  }
  bool completed = false;
  {
    const DisabledOwner disabled(owner != nullptr && options.disable_owner ? WindowOf(*owner)
                                                                           : nullptr);
    completed = PumpUntilCompleted(*signal, owner, options.every_tick);
  }
  if (!completed || signal->Cancelled()) {
    Cancel(operation);
    return {.cancelled = true};
  }
  AsyncEnumResult result;
  result.code = operation.GetResults(&result.value);
  return result;
}

}  // namespace dactyra::ui::detail
