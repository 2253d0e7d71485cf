#include "ui/win32/dpi.h"

#include "platform/platform.h"
#include "ui/win32/internal.h"

namespace dactyra::ui::detail {

namespace {

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

const DpiFunctions& DpiFunctions::System() {
  static const DpiFunctions functions = [] {
    DpiFunctions found;
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    found.get_dpi_for_window_ =
        ExportOf<decltype(found.get_dpi_for_window_)>(user32, "GetDpiForWindow");
    found.adjust_window_rect_ex_for_dpi_ = ExportOf<decltype(found.adjust_window_rect_ex_for_dpi_)>(
        user32, "AdjustWindowRectExForDpi");
    found.system_parameters_info_for_dpi_ =
        ExportOf<decltype(found.system_parameters_info_for_dpi_)>(user32,
                                                                  "SystemParametersInfoForDpi");
    found.get_system_metrics_for_dpi_ =
        ExportOf<decltype(found.get_system_metrics_for_dpi_)>(user32, "GetSystemMetricsForDpi");
    found.enable_non_client_dpi_scaling_ = ExportOf<decltype(found.enable_non_client_dpi_scaling_)>(
        user32, "EnableNonClientDpiScaling");
    // A monitor's DPI (Windows 8.1 and later) comes from the shell's scaling library, kept
    // loaded while the program runs.
    static const platform::Module shcore(u"shcore.dll");
    found.get_dpi_for_monitor_ =
        shcore.Find<decltype(found.get_dpi_for_monitor_)>("GetDpiForMonitor");
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

int DpiFunctions::SystemMetric(int index, int dpi) const {
  if (get_system_metrics_for_dpi_ != nullptr) {
    if (const int value = get_system_metrics_for_dpi_(index, static_cast<UINT>(dpi)); value > 0) {
      return value;
    }
  }
  return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());  // given at the system DPI
}

void DpiFunctions::EnableNonClientScaling(HWND window) const {
  if (enable_non_client_dpi_scaling_ != nullptr) {
    enable_non_client_dpi_scaling_(window);
  }
}

}  // namespace dactyra::ui::detail
