// The log: a read-only multi-line edit written line by line.

#include "ui/detail/backend.h"
#include "ui/win32/internal.h"

namespace dactyra::ui::detail {

void MemoAppend(Memo& memo, std::u16string_view line) {
  HWND window = WindowOf(memo);
  if (window == nullptr) {
    return;
  }
  std::u16string text = memo.Lines().size() > 1 ? u"\r\n" : u"";
  text += line;
  const int end = GetWindowTextLengthW(window);
  SendMessageW(window, EM_SETSEL, static_cast<WPARAM>(end), end);
  SendMessageW(window, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(Wide(text)));
  SendMessageW(window, WM_VSCROLL, SB_BOTTOM, 0);
  // Painted now: the caller may keep the thread busy for a while.
  UpdateWindow(window);
}

void MemoClear(Memo& memo) {
  if (HWND window = WindowOf(memo)) {
    SetWindowTextW(window, L"");
  }
}

}  // namespace dactyra::ui::detail
