// Reads the accessible names of a dialog's controls from outside its process, as a screen
// reader does (Active Accessibility), for tests/suites/dialogs-e2e:
//
//   accessible_names.exe <dialog caption>
//
// Prints one line "<window class>\t<name>" (UTF-8) for the state light, the progress bars and
// the edit boxes of the first visible window with that caption, "<window class>\t(none)" where
// the name is missing. Exit code: 0 when the window was found, 1 when not.

#include <windows.h>
// Separate include block: these need the types of windows.h.
#include <oleacc.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// IAccessible's interface id (oleacc.h), given here: the import library offers a stub by that name.
constexpr GUID kAccessibleInterface = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// COM on this thread while it lives.
class ComScope {
 public:
  ComScope() : joined_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComScope() {
    if (joined_) {
      CoUninitialize();
    }
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool joined_;
};

std::string Utf8(const wchar_t* text, int length) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, length, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

// The name of the window's accessible object; "(none)" when it has none.
std::string AccessibleName(HWND window) {
  IAccessible* object = nullptr;
  const HRESULT found =
      AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kAccessibleInterface,
                                 reinterpret_cast<void**>(&object));
  if (FAILED(found) || object == nullptr) {
    char text[64];
    std::snprintf(text, sizeof(text), "(no accessible object: 0x%08lX)",
                  static_cast<unsigned long>(found));
    return text;
  }
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  const HRESULT result = object->get_accName(self, &name);
  object->Release();
  std::string text = "(none)";
  if (result == S_OK && name != nullptr && SysStringLen(name) > 0) {
    text = Utf8(name, static_cast<int>(SysStringLen(name)));
  }
  SysFreeString(name);
  return text;
}

std::vector<HWND> NamedControls(HWND dialog) {
  std::vector<HWND> found;
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM list) {
        wchar_t name[64] = {};
        GetClassNameW(child, name, 64);
        if (lstrcmpiW(name, L"DactyraShape") == 0 || lstrcmpiW(name, L"msctls_progress32") == 0 ||
            lstrcmpiW(name, L"Edit") == 0) {
          reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    return 1;
  }
  HWND dialog = FindWindowW(L"DactyraWindow", argv[1]);
  if (dialog == nullptr || !IsWindowVisible(dialog)) {
    return 1;
  }
  const ComScope com;
  for (HWND control : NamedControls(dialog)) {
    wchar_t window_class[64] = {};
    const int length = GetClassNameW(control, window_class, 64);
    std::printf("%s\t%s\n", Utf8(window_class, length).c_str(), AccessibleName(control).c_str());
  }
  return 0;
}
