#include "remote_window.h"

#include <commctrl.h>

#include <cstddef>

namespace dactyra::e2e {
namespace {

// Memory in another process, released when it goes.
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, std::size_t size)
      : process_(process),
        address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {
  }
  ~RemoteBuffer() {
    if (address_ != nullptr) {
      VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  void* address() const { return address_; }
  bool Write(std::size_t offset, const void* data, std::size_t size) const {
    return WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size,
                              nullptr) != FALSE;
  }
  bool Read(std::size_t offset, void* data, std::size_t size) const {
    return ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, size,
                             nullptr) != FALSE;
  }

 private:
  HANDLE process_;
  void* address_;
};

struct HandleCloser {
  HANDLE handle;
  ~HandleCloser() {
    if (handle != nullptr) {
      CloseHandle(handle);
    }
  }
};

// Class names compare without regard to case, as the system does.
bool SameClass(HWND window, const wchar_t* class_name) {
  return lstrcmpiW(ClassName(window).c_str(), class_name) == 0;
}

struct TopLevelSearch {
  DWORD process_id;
  const wchar_t* class_name;
  bool visible_only;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<TopLevelSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search.process_id && (!search.visible_only || IsWindowVisible(window)) &&
      (search.class_name == nullptr || SameClass(window, search.class_name))) {
    search.found.push_back(window);
  }
  return TRUE;
}

struct ChildSearch {
  const wchar_t* class_name;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<ChildSearch*>(context);
  if (SameClass(window, search.class_name)) {
    search.found.push_back(window);
  }
  return TRUE;
}

}  // namespace

std::wstring WindowText(HWND window) {
  const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied =
      SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

std::wstring ClassName(HWND window) {
  wchar_t name[256] = {};
  const int length = GetClassNameW(window, name, 256);
  return std::wstring(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::vector<HWND> TopLevelWindows(DWORD process_id, const wchar_t* class_name, bool visible_only) {
  TopLevelSearch search{process_id, class_name, visible_only, {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> ChildWindows(HWND parent, const wchar_t* class_name) {
  ChildSearch search{class_name, {}};
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindChild(HWND parent, const wchar_t* class_name, const std::wstring& text) {
  for (HWND child : ChildWindows(parent, class_name)) {
    if (WindowText(child) == text) {
      return child;
    }
  }
  return nullptr;
}

void PressButton(HWND button) {
  PostMessageW(button, BM_CLICK, 0, 0);
}

std::vector<std::vector<std::wstring>> ListViewRows(HWND list, DWORD process_id, int columns) {
  std::vector<std::vector<std::wstring>> rows;
  const HandleCloser process{
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process_id)};
  if (process.handle == nullptr) {
    return rows;
  }
  constexpr int kTextCapacity = 512;
  const RemoteBuffer buffer(process.handle, sizeof(LVITEMW) + kTextCapacity * sizeof(wchar_t));
  if (buffer.address() == nullptr) {
    return rows;
  }
  auto* remote_text =
      reinterpret_cast<wchar_t*>(static_cast<char*>(buffer.address()) + sizeof(LVITEMW));
  const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) {
    std::vector<std::wstring> cells;
    for (int column = 0; column < columns; ++column) {
      LVITEMW item{};
      item.iSubItem = column;
      item.pszText = remote_text;
      item.cchTextMax = kTextCapacity;
      wchar_t text[kTextCapacity] = {};
      if (!buffer.Write(0, &item, sizeof(item))) {
        return rows;
      }
      const auto length =
          static_cast<std::size_t>(SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                                reinterpret_cast<LPARAM>(buffer.address())));
      if (!buffer.Read(sizeof(LVITEMW), text, sizeof(text))) {
        return rows;
      }
      cells.emplace_back(text, length < kTextCapacity ? length : kTextCapacity - 1);
    }
    rows.push_back(std::move(cells));
  }
  return rows;
}

bool SelectListRow(HWND list, DWORD process_id, int row) {
  const HandleCloser process{
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process_id)};
  if (process.handle == nullptr) {
    return false;
  }
  const RemoteBuffer buffer(process.handle, sizeof(LVITEMW));
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  return buffer.address() != nullptr && buffer.Write(0, &item, sizeof(item)) &&
         SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                      reinterpret_cast<LPARAM>(buffer.address())) != FALSE;
}

std::vector<std::wstring> EditLines(HWND edit) {
  std::vector<std::wstring> lines;
  const std::wstring text = WindowText(edit);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(L"\r\n", start);
    if (end == std::wstring::npos) {
      end = text.size();
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

}  // namespace dactyra::e2e
