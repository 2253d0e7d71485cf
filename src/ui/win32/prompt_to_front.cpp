#include "ui/win32/prompt_to_front.h"

#include <windows.h>

#include <utility>

namespace dactyra::ui::detail {
namespace {

constexpr wchar_t kPromptClass[] = L"Credential Dialog Xaml Host";

// How long the prompt is looked for: it takes a moment to open.
constexpr std::chrono::seconds kSearchTime{6};

// The prompt: a visible top-level window of the credential dialog's class that belongs to
// another process; null when there is none.
HWND FindForeignPrompt() {
  for (HWND window = FindWindowExW(nullptr, nullptr, kPromptClass, nullptr); window != nullptr;
       window = FindWindowExW(nullptr, window, kPromptClass, nullptr)) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() && IsWindowVisible(window)) {
      return window;
    }
  }
  return nullptr;
}

}  // namespace

PromptToFront::PromptToFront(std::function<void()> not_in_front)
    : deadline_(std::chrono::steady_clock::now() + kSearchTime),
      not_in_front_(std::move(not_in_front)) {}

bool PromptToFront::Look() {
  HWND prompt = FindForeignPrompt();
  if (prompt != nullptr && GetForegroundWindow() == prompt) {
    return false;
  }
  if (std::chrono::steady_clock::now() >= deadline_) {
    if (not_in_front_) {
      not_in_front_();
    }
    return false;
  }
  if (prompt != nullptr) {
    SetForegroundWindow(prompt);
  }
  return true;
}

}  // namespace dactyra::ui::detail
