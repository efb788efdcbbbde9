#pragma once
// What the spin-button tests share, at 96 DPI and at the others: the halves
// of a pair, the screen rectangle a skinned pair draws its buttons in, and
// a repaint of a control that has settled before pixels are read.
#include <windows.h>

#include "skin/controls/SkinUpDown.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"

class SpinFixture : public SkinControlsTest {
 protected:
  // Half `which` (0 the first: up or left) of a pair's rectangle.
  static RECT Half(const RECT& r, bool horizontal, int which) {
    RECT h = r;
    if (horizontal) {
      const int mid = r.left + (r.right - r.left) / 2;
      (which == 0 ? h.right : h.left) = mid;
    } else {
      const int mid = r.top + (r.bottom - r.top) / 2;
      (which == 0 ? h.bottom : h.top) = mid;
    }
    return h;
  }
  // The screen rectangle the skinned buttons are drawn in.
  static RECT ButtonsScreenRect(const TSkinUpDown& spin) {
    const RECT w = WindowRect(spin.Handle());
    const TRect r = spin.ButtonsRect();
    return {w.left + r.left, w.top + r.top, w.left + r.right, w.top + r.bottom};
  }
  // The window and its children painted again, frame included, and the
  // paint messages handled.
  void Redraw(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump(50);
  }
};
