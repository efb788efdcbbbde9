#pragma once
// Helpers of the framework's tests: real input through SendInput (keys and
// scripted input come from the shared InputScript.h), pixels read back from
// the screen, and waiting on the user-interface thread.
#include <windows.h>

#include <chrono>
#include <thread>

#include "framework/Form.h"
#include "framework/Graphics.h"
#include "tests/wine/support/InputScript.h"
#include "tests/wine/support/WineTestSupport.h"

namespace input {

using namespace std::chrono_literals;

// The colour of the screen pixel at (x, y), as RGB.
inline TColor ScreenPixel(int x, int y) {
  HDC dc = GetDC(nullptr);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(nullptr, dc);
  return static_cast<TColor>(c);
}

inline TColor SysColour(int index) {
  return static_cast<TColor>(GetSysColor(index));
}

// A left click at screen point (x, y).
inline void ClickAt(int x, int y) {
  const int w = GetSystemMetrics(SM_CXSCREEN);
  const int h = GetSystemMetrics(SM_CYSCREEN);
  INPUT in[3]{};
  for (INPUT& i : in) {
    i.type = INPUT_MOUSE;
    i.mi.dx = (x * 65535 + w / 2) / (w - 1);
    i.mi.dy = (y * 65535 + h / 2) / (h - 1);
  }
  // Every event carries the point: the system may put the pointer back
  // where the display has it between two events.
  in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  in[1].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
  in[2].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
  // Paced as a hand would: the pointer arrives, then the button goes down
  // and up.
  for (INPUT& i : in) {
    SendInput(1, &i, sizeof(INPUT));
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
  }
}

// The screen point at the middle of the form's client area.
inline POINT ClientCentre(const TForm& form) {
  RECT r;
  GetClientRect(form.Handle(), &r);
  POINT p{r.right / 2, r.bottom / 2};
  ClientToScreen(form.Handle(), &p);
  return p;
}

// Processes messages for `duration`.
inline void PumpFor(TApplication& app, std::chrono::milliseconds duration) {
  PumpUntil(
      app, [] { return false; }, duration);
}

// A form shown on top of everything, and painted.
inline void ShowOnTop(TApplication& app, TForm& form) {
  form.Show();
  SetForegroundWindow(form.Handle());
  PumpFor(app, 100ms);
  UpdateWindow(form.Handle());
}

}  // namespace input
