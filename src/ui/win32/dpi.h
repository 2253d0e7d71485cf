#pragma once

// The per-monitor DPI functions of newer Windows versions, looked up at run time: the program
// starts on Windows 8.1 and every Windows 10 and 11 alike. Where one is missing, its fallback
// takes the monitor's DPI (Windows 8.1 tells it) or else the system DPI.

#include <windows.h>

namespace dactyra::ui::detail {

class DpiFunctions {
 public:
  // The functions this system has, looked up once.
  static const DpiFunctions& System();
  // None of them, as on Windows before 8.1: every call takes its fallback.
  DpiFunctions() = default;

  // The DPI of the monitor the window is on (of the window itself where the system knows it).
  int ForWindow(HWND window) const;
  int ForMonitor(HMONITOR monitor) const;
  // Enlarges a client rectangle to the window rectangle for the styles at `dpi`.
  void AdjustWindowRect(RECT& rect, DWORD style, DWORD ex_style, int dpi) const;
  // The message font of the system at `dpi`; false when the system gives none.
  bool MessageFont(LOGFONTW& font, int dpi) const;
  // A system metric (SM_CXICON, say) at `dpi`.
  int SystemMetric(int index, int dpi) const;
  // Lets the system scale the caption and frame of a top-level window (called on WM_NCCREATE;
  // needed where the manifest's newest awareness is not known).
  void EnableNonClientScaling(HWND window) const;

 private:
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
  using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
  using EnableNonClientDpiScalingFunction = BOOL(WINAPI*)(HWND);

  GetDpiForWindowFunction get_dpi_for_window_ = nullptr;
  GetDpiForMonitorFunction get_dpi_for_monitor_ = nullptr;
  AdjustWindowRectExForDpiFunction adjust_window_rect_ex_for_dpi_ = nullptr;
  SystemParametersInfoForDpiFunction system_parameters_info_for_dpi_ = nullptr;
  GetSystemMetricsForDpiFunction get_system_metrics_for_dpi_ = nullptr;
  EnableNonClientDpiScalingFunction enable_non_client_dpi_scaling_ = nullptr;
};

}  // namespace dactyra::ui::detail
