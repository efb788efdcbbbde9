#include "framework/Dpi.h"

#include "framework/GdiObjects.h"

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForSystemFn = UINT(WINAPI*)();
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
using EnableNonClientDpiScalingFn = BOOL(WINAPI*)(HWND);
using GetThreadDpiAwarenessContextFn = HANDLE(WINAPI*)();
using GetAwarenessFromDpiAwarenessContextFn = int(WINAPI*)(HANDLE);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

// The optional functions of user32, looked up once. user32 is loaded in
// every process that has windows, so its handle is never freed.
struct TDpiFunctions {
  GetDpiForWindowFn get_dpi_for_window = nullptr;
  GetDpiForSystemFn get_dpi_for_system = nullptr;
  GetSystemMetricsForDpiFn get_system_metrics_for_dpi = nullptr;
  AdjustWindowRectExForDpiFn adjust_window_rect_ex_for_dpi = nullptr;
  SystemParametersInfoForDpiFn system_parameters_info_for_dpi = nullptr;
  EnableNonClientDpiScalingFn enable_non_client_dpi_scaling = nullptr;
  GetThreadDpiAwarenessContextFn get_thread_dpi_awareness_context = nullptr;
  GetAwarenessFromDpiAwarenessContextFn get_awareness_from_context = nullptr;
  // Windows 8.1 knows each monitor's DPI but not yet each window's.
  GetDpiForMonitorFn get_dpi_for_monitor = nullptr;

  TDpiFunctions() {
    // shcore stays loaded for the process's life, like user32: the looked-up
    // function is kept in a static.
    if (HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
      Lookup(shcore, "GetDpiForMonitor", get_dpi_for_monitor);
    }
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (!user32) return;
    Lookup(user32, "GetDpiForWindow", get_dpi_for_window);
    Lookup(user32, "GetDpiForSystem", get_dpi_for_system);
    Lookup(user32, "GetSystemMetricsForDpi", get_system_metrics_for_dpi);
    Lookup(user32, "AdjustWindowRectExForDpi", adjust_window_rect_ex_for_dpi);
    Lookup(user32, "SystemParametersInfoForDpi", system_parameters_info_for_dpi);
    Lookup(user32, "EnableNonClientDpiScaling", enable_non_client_dpi_scaling);
    Lookup(user32, "GetThreadDpiAwarenessContext", get_thread_dpi_awareness_context);
    Lookup(user32, "GetAwarenessFromDpiAwarenessContext", get_awareness_from_context);
  }

  template <class Fn>
  static void Lookup(HMODULE module, const char* name, Fn& fn) {
    // GetProcAddress hands out a generic pointer; the caller names its type.
    fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  }
};

const TDpiFunctions& Functions() {
  static const TDpiFunctions functions;
  return functions;
}

int ScreenDpi() {
  TWindowDC screen(nullptr);
  const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : 0;
  return dpi > 0 ? dpi : kDefaultDpi;
}

}  // namespace

int ScaleForDpi(int value, int dpi) {
  if (dpi <= 0 || dpi == kDefaultDpi) return value;
  return MulDiv(value, dpi, kDefaultDpi);
}

int UnscaleForDpi(int value, int dpi) {
  if (dpi <= 0 || dpi == kDefaultDpi) return value;
  return MulDiv(value, kDefaultDpi, dpi);
}

int SystemDpi() {
  if (auto fn = Functions().get_dpi_for_system) {
    const UINT dpi = fn();
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return ScreenDpi();
}

int MonitorDpi(HMONITOR monitor) {
  if (auto fn = Functions().get_dpi_for_monitor; fn && monitor) {
    UINT x = 0, y = 0;
    // MDT_EFFECTIVE_DPI: the scaling the user chose for that monitor.
    if (SUCCEEDED(fn(monitor, 0, &x, &y)) && x > 0) return static_cast<int>(x);
  }
  return SystemDpi();
}

int WindowDpi(HWND window) {
  if (window && IsWindow(window)) {
    if (auto fn = Functions().get_dpi_for_window) {
      const UINT dpi = fn(window);
      if (dpi > 0) return static_cast<int>(dpi);
    } else if (Functions().get_dpi_for_monitor) {
      return MonitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
    }
  }
  return SystemDpi();
}

int PopupMenuDpi() {
  return WindowDpi(GetActiveWindow());
}

int SystemMetricsForDpi(int index, int dpi) {
  if (auto fn = Functions().get_system_metrics_for_dpi) {
    return fn(index, static_cast<UINT>(dpi));
  }
  const int value = GetSystemMetrics(index);
  const int system = SystemDpi();
  return dpi == system ? value : MulDiv(value, dpi, system);
}

bool AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD ex_style, int dpi) {
  if (auto fn = Functions().adjust_window_rect_ex_for_dpi) {
    return fn(&rect, style, menu ? TRUE : FALSE, ex_style, static_cast<UINT>(dpi)) != FALSE;
  }
  return AdjustWindowRectEx(&rect, style, menu ? TRUE : FALSE, ex_style) != FALSE;
}

bool SystemParametersForDpi(UINT action, UINT param, void* data, int dpi) {
  if (auto fn = Functions().system_parameters_info_for_dpi) {
    return fn(action, param, data, 0, static_cast<UINT>(dpi)) != FALSE;
  }
  // Without per-DPI values only the system's own DPI is known.
  if (dpi != SystemDpi()) return false;
  return SystemParametersInfoW(action, param, data, 0) != FALSE;
}

LOGFONTW SystemMenuLogFont(int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersForDpi(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, dpi)) {
    return metrics.lfMenuFont;
  }
  // Older systems know the font at their own DPI only.
  LOGFONTW font{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
    font = metrics.lfMenuFont;
  } else {
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  }
  const int system = SystemDpi();
  if (dpi > 0 && system > 0 && dpi != system) font.lfHeight = MulDiv(font.lfHeight, dpi, system);
  return font;
}

bool EnableNonClientDpiScalingFor(HWND window) {
  auto fn = Functions().enable_non_client_dpi_scaling;
  return fn && fn(window) != FALSE;
}

bool PerMonitorDpiAware() {
  const TDpiFunctions& f = Functions();
  if (!f.get_thread_dpi_awareness_context || !f.get_awareness_from_context) return false;
  // DPI_AWARENESS_PER_MONITOR_AWARE
  return f.get_awareness_from_context(f.get_thread_dpi_awareness_context()) == 2;
}
