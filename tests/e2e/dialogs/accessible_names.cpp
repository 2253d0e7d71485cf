// accessible_names.exe <dialog caption>: prints "<window class>\t<name>" for the state light,
// progress bars and edit boxes of that dialog, read from outside its process as a screen reader
// reads them (Active Accessibility), for tests/suites/dialogs-e2e. Exit code 1: no such dialog.

#include <windows.h>
// Separate include block: these need the types of windows.h.
#include <oleacc.h>

#include <cstdio>
#include <string_view>

namespace {

// IAccessible's interface id, given here: the import library offers a stub by that name.
constexpr GUID kAccessibleInterface = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

BOOL CALLBACK PrintName(HWND child, LPARAM) {
  wchar_t window_class[64] = {};
  GetClassNameW(child, window_class, 64);
  IAccessible* object = nullptr;
  if (std::wstring_view(L"DactyraShape|msctls_progress32|Edit").find(window_class) ==
          std::wstring_view::npos ||
      FAILED(AccessibleObjectFromWindow(child, static_cast<DWORD>(OBJID_CLIENT),
                                        kAccessibleInterface, reinterpret_cast<void**>(&object)))) {
    return TRUE;
  }
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  const bool named = object->get_accName(self, &name) == S_OK && SysStringLen(name) > 0;
  std::printf("%ls\t%ls\n", window_class, named ? name : L"(none)");
  SysFreeString(name);
  object->Release();
  return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  HWND dialog = argc == 2 ? FindWindowW(L"DactyraWindow", argv[1]) : nullptr;
  if (dialog == nullptr || !IsWindowVisible(dialog)) {
    return 1;
  }
  const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  EnumChildWindows(dialog, PrintName, 0);
  if (com) {
    CoUninitialize();
  }
  return 0;
}
