#pragma once
// The screen's resolution, per window. Positions, sizes and font heights in
// form descriptions are in 96-DPI units (100 %); a window shows them scaled
// to its own DPI, which on Windows 10 and later follows the monitor it is on.
//
// Every DPI function newer than Windows 7 is looked up at run time, so the
// program starts everywhere: without them the screen's LOGPIXELSX and the
// plain system metrics stand in (one DPI for the whole session).
#include <windows.h>

// The DPI at which form units are pixels.
constexpr int kDefaultDpi = 96;

// The messages of a window moving to a monitor of another DPI (newer than
// the Windows version the program is built for).
constexpr UINT kWmDpiChanged = 0x02E0;
constexpr UINT kWmGetDpiScaledSize = 0x02E4;

// `value` in 96-DPI units at `dpi`, rounded to the nearest pixel (halves
// away from zero, as MulDiv rounds).
int ScaleForDpi(int value, int dpi);
// The opposite: pixels at `dpi` back to 96-DPI units.
int UnscaleForDpi(int value, int dpi);

// The DPI of the session's primary screen (what windows are created with
// before they know their monitor).
int SystemDpi();
// The DPI the window is shown at; on Windows 8.1 its monitor's; the
// system's where the system cannot say per window or monitor, and for a
// null or dead window.
int WindowDpi(HWND window);
// The DPI a popup menu of this thread is measured and drawn at when nothing
// says otherwise: that of the thread's active window, which the menu is
// opened for and shown beside.
int PopupMenuDpi();
// The DPI of a monitor as this process sees it (its effective DPI when the
// process is per-monitor aware); the system's before Windows 8.1.
int MonitorDpi(HMONITOR monitor);

// GetSystemMetrics as it is at `dpi` (plain GetSystemMetrics scaled from the
// system's DPI where the system has no per-DPI metrics).
int SystemMetricsForDpi(int index, int dpi);
// AdjustWindowRectEx for a window at `dpi`: the frame's widths at that DPI.
bool AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD ex_style, int dpi);
// SystemParametersInfo for the values that depend on the DPI (fonts of
// the non-client area, icon metrics); false when the value is not known.
bool SystemParametersForDpi(UINT action, UINT param, void* data, int dpi);
// The system's menu font at `dpi`: the system's own per-DPI value where it
// has one, else its font at the system's DPI scaled (the default GUI font
// where the system names none).
LOGFONTW SystemMenuLogFont(int dpi);
// Asks the system to scale the window's standard frame, caption and menu
// bar with its DPI (only meaningful while WM_NCCREATE is handled, on the
// first per-monitor aware systems; later ones do it by themselves).
bool EnableNonClientDpiScalingFor(HWND window);
// Whether this process gets each window's own DPI (per-monitor aware), so
// that it must answer WM_DPICHANGED itself.
bool PerMonitorDpiAware();
