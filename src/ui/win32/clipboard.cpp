// The clipboard: Unicode text in global memory, handed over to the system.

#include <windows.h>

#include <cstring>
#include <memory>
#include <type_traits>

#include "ui/detail/backend.h"
#include "ui/win32/internal.h"

namespace dactyra::ui::detail {
namespace {

struct GlobalFreer {
  void operator()(HGLOBAL memory) const { GlobalFree(memory); }
};
using UniqueGlobal = std::unique_ptr<std::remove_pointer_t<HGLOBAL>, GlobalFreer>;

// The clipboard, open for the scope.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ~OpenedClipboard() {
    if (open_) {
      CloseClipboard();
    }
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

// The text with its terminator in movable global memory; null when none could be had.
UniqueGlobal GlobalText(std::u16string_view text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (memory == nullptr) {
    return nullptr;
  }
  void* locked = GlobalLock(memory.get());
  if (locked == nullptr) {
    return nullptr;
  }
  std::memcpy(locked, text.data(), text.size() * sizeof(char16_t));
  static_cast<char16_t*>(locked)[text.size()] = u'\0';
  GlobalUnlock(memory.get());
  return memory;
}

}  // namespace

bool ClipboardSetText(Form& owner, std::u16string_view text) {
  UniqueGlobal memory = GlobalText(text);
  const OpenedClipboard clipboard(WindowOf(owner));
  if (memory == nullptr || !clipboard.IsOpen() || !EmptyClipboard() ||
      SetClipboardData(CF_UNICODETEXT, memory.get()) == nullptr) {
    return false;
  }
  memory.release();  // the system's now
  return true;
}

}  // namespace dactyra::ui::detail
