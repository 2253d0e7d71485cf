#include "warm_up.h"

#include <windows.h>

namespace dactyra::e2e {
namespace {

int CALLBACK NextFont(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM) {
  return 1;
}

}  // namespace

void WarmUpPrefix() {
  HWND window = CreateWindowExW(0, L"STATIC", L"Dactyra e2e", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  UpdateWindow(window);
  if (HDC dc = GetDC(window)) {
    LOGFONTW every_font{};
    every_font.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(dc, &every_font, NextFont, 0, 0);
    ReleaseDC(window, dc);
  }
  DestroyWindow(window);
}

}  // namespace dactyra::e2e
