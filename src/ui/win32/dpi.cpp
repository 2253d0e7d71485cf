#include "ui/win32/dpi.h"

namespace dactyra::ui::detail {

namespace {

template <typename Function>
void Find(HMODULE module, const char* name, Function& function) {
  // The cast between function types is how exports are taken; the types are the documented ones.
  function =
      module != nullptr
          ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
          : nullptr;
}

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

// A system DLL kept loaded while the program runs.
class SystemLibrary {
 public:
  explicit SystemLibrary(const wchar_t* name)
      : module_(LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {}
  ~SystemLibrary() {
    if (module_ != nullptr) {
      FreeLibrary(module_);
    }
  }
  SystemLibrary(const SystemLibrary&) = delete;
  SystemLibrary& operator=(const SystemLibrary&) = delete;
  HMODULE get() const { return module_; }

 private:
  HMODULE module_;
};

}  // namespace

const DpiFunctions& DpiFunctions::System() {
  static const DpiFunctions functions = [] {
    DpiFunctions found;
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    Find(user32, "GetDpiForWindow", found.get_dpi_for_window_);
    Find(user32, "AdjustWindowRectExForDpi", found.adjust_window_rect_ex_for_dpi_);
    Find(user32, "SystemParametersInfoForDpi", found.system_parameters_info_for_dpi_);
    Find(user32, "EnableNonClientDpiScaling", found.enable_non_client_dpi_scaling_);
    // A monitor's DPI (Windows 8.1 and later) comes from the shell's scaling library.
    static const SystemLibrary shcore(L"shcore.dll");
    Find(shcore.get(), "GetDpiForMonitor", found.get_dpi_for_monitor_);
    return found;
  }();
  return functions;
}

int DpiFunctions::ForWindow(HWND window) const {
  if (get_dpi_for_window_ != nullptr) {
    if (const UINT dpi = get_dpi_for_window_(window); dpi > 0) {
      return static_cast<int>(dpi);
    }
  }
  return ForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

int DpiFunctions::ForMonitor(HMONITOR monitor) const {
  constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
  UINT x = 0;
  UINT y = 0;
  if (get_dpi_for_monitor_ != nullptr && monitor != nullptr &&
      SUCCEEDED(get_dpi_for_monitor_(monitor, kEffectiveDpi, &x, &y)) && x > 0) {
    return static_cast<int>(x);
  }
  return SystemDpi();
}

void DpiFunctions::AdjustWindowRect(RECT& rect, DWORD style, DWORD ex_style, int dpi) const {
  if (adjust_window_rect_ex_for_dpi_ != nullptr &&
      adjust_window_rect_ex_for_dpi_(&rect, style, FALSE, ex_style, static_cast<UINT>(dpi))) {
    return;
  }
  AdjustWindowRectEx(&rect, style, FALSE, ex_style);
}

bool DpiFunctions::MessageFont(LOGFONTW& font, int dpi) const {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (system_parameters_info_for_dpi_ != nullptr &&
      system_parameters_info_for_dpi_(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0,
                                      static_cast<UINT>(dpi))) {
    font = metrics.lfMessageFont;
    return true;
  }
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    return false;
  }
  font = metrics.lfMessageFont;
  font.lfHeight = MulDiv(font.lfHeight, dpi, SystemDpi());  // given at the system DPI
  return true;
}

void DpiFunctions::EnableNonClientScaling(HWND window) const {
  if (enable_non_client_dpi_scaling_ != nullptr) {
    enable_non_client_dpi_scaling_(window);
  }
}

}  // namespace dactyra::ui::detail
