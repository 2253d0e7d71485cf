// hello-prompt.exe: the stand-in's Windows Hello prompt of a verification asked through the
// statics (prompt_protocol.h). Its window is shown without activation, as Windows 10's may open
// behind other windows; it notes when it first is the foreground window and closes when
// hello-sim.dll sets the close event or the program ends.

#include <windows.h>

#include <cwchar>

#include "sim/hello/prompt_protocol.h"
#include "sim/hello/unique_handle.h"

namespace dactyra::sim {
namespace {

// How often the prompt looks whether it is the foreground window.
constexpr DWORD kLookInterval = 20;

class PromptWindow {
 public:
  explicit PromptWindow(HINSTANCE instance) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(WNDCLASSEXW);
    window_class.lpfnWndProc = DefWindowProcW;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    window_class.lpszClassName = kPromptClass;
    RegisterClassExW(&window_class);
    // A caption without a close box: the request ends it.
    window_ = CreateWindowExW(0, kPromptClass, L"Windows Security", WS_OVERLAPPED | WS_CAPTION,
                              CW_USEDEFAULT, CW_USEDEFAULT, 456, 300, nullptr, nullptr, instance,
                              nullptr);
    if (window_ != nullptr) {
      ShowWindow(window_, SW_SHOWNOACTIVATE);
      UpdateWindow(window_);
    }
  }
  ~PromptWindow() {
    if (window_ != nullptr) {
      DestroyWindow(window_);
    }
  }
  PromptWindow(const PromptWindow&) = delete;
  PromptWindow& operator=(const PromptWindow&) = delete;

  HWND get() const { return window_; }

 private:
  HWND window_ = nullptr;
};

// A handle given on the command line, which `text` starts with; `text` moves past it.
HANDLE InheritedHandle(const wchar_t*& text) {
  wchar_t* end = nullptr;
  const unsigned long long value = std::wcstoull(text, &end, 10);
  text = end;
  return reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(value));
}

// Runs the window's messages until one of `ends` is set; the exit code as the protocol says.
DWORD ShowUntilClosed(HINSTANCE instance, const HANDLE (&ends)[2]) {
  const PromptWindow window(instance);
  if (window.get() == nullptr) {
    return kNeverInFront;
  }
  const DWORD shown = GetTickCount();
  DWORD in_front = kNeverInFront;
  const auto look = [&] {
    if (in_front == kNeverInFront && GetForegroundWindow() == window.get()) {
      in_front = GetTickCount() - shown;
    }
  };
  for (;;) {
    look();
    const DWORD woken = MsgWaitForMultipleObjects(2, ends, FALSE, kLookInterval, QS_ALLINPUT);
    if (woken != WAIT_TIMEOUT && woken != WAIT_OBJECT_0 + 2) {
      break;  // closed, the program ended, or the wait failed
    }
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  look();
  return in_front;
}

}  // namespace
}  // namespace dactyra::sim

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command_line, int) {
  using namespace dactyra::sim;
  const wchar_t* arguments = command_line;
  const UniqueHandle close_event(InheritedHandle(arguments));
  const UniqueHandle program(InheritedHandle(arguments));
  if (close_event == nullptr || program == nullptr) {
    return static_cast<int>(kNeverInFront);
  }
  return static_cast<int>(ShowUntilClosed(instance, {close_event.get(), program.get()}));
}
