// The system's credential prompt, from credui.dll, loaded at run time from the system directory.
// The credential it packed is copied out, and its own buffer zeroed before it is freed.

#include <windows.h>
// Separate include block: wincred.h needs the types of windows.h.
#include <wincred.h>

#include "platform/platform.h"

#include "ui/credential_prompt.h"
#include "ui/win32/internal.h"

namespace dactyra::ui {
namespace {

using PromptFunction = decltype(&CredUIPromptForWindowsCredentialsW);
using TaskMemFreeFunction = void(WINAPI*)(void* memory);

// The packed credential the prompt hands out: zeroed, then freed with the allocator it came
// from.
class PromptBuffer {
 public:
  explicit PromptBuffer(TaskMemFreeFunction free) : free_(free) {}
  ~PromptBuffer() {
    if (data_ != nullptr) {
      SecureZeroMemory(data_, size_);
      free_(data_);
    }
  }
  PromptBuffer(const PromptBuffer&) = delete;
  PromptBuffer& operator=(const PromptBuffer&) = delete;

  void** Receive() { return &data_; }
  ULONG* ReceiveSize() { return &size_; }
  bool Empty() const { return data_ == nullptr; }
  std::span<const std::uint8_t> Bytes() const { return {static_cast<std::uint8_t*>(data_), size_}; }

 private:
  TaskMemFreeFunction free_;
  void* data_ = nullptr;
  ULONG size_ = 0;
};

}  // namespace

PromptedCredential PromptForCredential(const Form* owner, std::u16string caption,
                                       std::u16string message, std::uint32_t package) {
  if (Form::WaitsEnded(owner)) {
    return NothingEntered(PromptOutcome::kCancelled);  // never shown
  }
  const platform::Module credui(u"credui.dll");
  const platform::Module ole32(u"ole32.dll");
  const auto prompt = credui.Find<PromptFunction>("CredUIPromptForWindowsCredentialsW");
  const auto task_free = ole32.Find<TaskMemFreeFunction>("CoTaskMemFree");
  if (prompt == nullptr || task_free == nullptr) {
    return NothingEntered(PromptOutcome::kUnavailable);
  }

  CREDUI_INFOW info{};
  info.cbSize = sizeof(info);
  info.hwndParent = owner != nullptr ? detail::WindowOf(*owner) : nullptr;
  info.pszMessageText = Wide(message);
  info.pszCaptionText = Wide(caption);
  // In: the only package whose credentials are offered; out: the one the answer is packed for.
  ULONG answer_package = package;
  BOOL save = FALSE;
  PromptBuffer packed(task_free);
  const DWORD answered =
      prompt(&info, 0, &answer_package, nullptr, 0, packed.Receive(), packed.ReceiveSize(), &save,
             CREDUIWIN_ENUMERATE_CURRENT_USER | CREDUIWIN_AUTHPACKAGE_ONLY);
  if (answered == ERROR_CANCELLED || Form::WaitsEnded(owner)) {
    return NothingEntered(PromptOutcome::kCancelled);
  }
  if (answered != ERROR_SUCCESS || packed.Empty()) {
    return NothingEntered(PromptOutcome::kUnavailable);
  }
  return {.outcome = PromptOutcome::kEntered,
          .package = answer_package,
          .packed = PackedCredential(packed.Bytes())};
}

}  // namespace dactyra::ui
