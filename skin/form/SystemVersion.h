#pragma once
// What the form engine asks of the system it runs on: its version (as the
// program's manifest lets the system report it) and the switch of desktop
// composition's own drawing of a window's frame.
#include <windows.h>

struct TSystemVersion {
  int major = 0;
  int minor = 0;
  // The Windows NT family (every system the program runs on).
  bool nt = true;
};

TSystemVersion SystemVersion();

// Lets desktop composition draw the window's frame (true) or not (false),
// where composition exists; answers whether the system took the setting.
bool SetNonClientRendering(HWND window, bool system_draws);
