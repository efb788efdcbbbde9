#pragma once
// What the suites that run once per screen DPI share: the DPI a run expects
// (the runner names it in TONMILL_TEST_DPI after setting the prefix's
// LogPixels), a fixture that fails when the screen shows another one, and
// the measures their checks are made of: colours compared channel by
// channel, text widths in a window's own font, picture names per DPI.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "framework/Bitmap.h"
#include "framework/Dpi.h"
#include "framework/Graphics.h"

namespace dpi_run {

// The DPI this run of the suite expects; 0 when the runner names none.
inline int ExpectedDpi() {
  const char* text = std::getenv("TONMILL_TEST_DPI");
  return text ? std::atoi(text) : 0;
}

inline bool Near(TColor a, TColor b, int tolerance) {
  a = ColorToRGB(a);
  b = ColorToRGB(b);
  return std::abs(RedOf(a) - RedOf(b)) <= tolerance &&
         std::abs(GreenOf(a) - GreenOf(b)) <= tolerance &&
         std::abs(BlueOf(a) - BlueOf(b)) <= tolerance;
}

// The box of the pixels of `shot` that `ink` says are ink, inside `area`
// (the whole shot when empty); empty when there are none.
template <class TIsInk>
RECT InkBoxOf(const TBitmap& shot, TIsInk ink, RECT area = {}) {
  if (IsRectEmpty(&area)) area = {0, 0, shot.Width(), shot.Height()};
  RECT box{area.right, area.bottom, -1, -1};
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (!ink(shot.Pixel(x, y))) continue;
      box.left = std::min<LONG>(box.left, x);
      box.top = std::min<LONG>(box.top, y);
      box.right = std::max<LONG>(box.right, x + 1);
      box.bottom = std::max<LONG>(box.bottom, y + 1);
    }
  }
  if (box.right < 0) return {};
  return box;
}

// The box of the pixels within `tolerance` of `colour`, channel by channel.
inline RECT InkBox(const TBitmap& shot, TColor colour, int tolerance = 0, RECT area = {}) {
  return InkBoxOf(
      shot, [&](TColor c) { return Near(c, colour, tolerance); }, area);
}

// How wide `text` is in the window's own font (the default GUI font for a
// window without one).
inline int TextWidth(HWND window, const std::wstring& text) {
  HDC dc = GetDC(window);
  auto* font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return extent.cx;
}

// Tells `window` that it now shows at `dpi`, as the system tells a window
// moved to a monitor of that DPI: the size it asks for (WM_GETDPISCALEDSIZE)
// given with the change. False when the window asks for none.
inline bool SendDpiChange(HWND window, int dpi) {
  RECT now{};
  GetWindowRect(window, &now);
  SIZE wanted{};
  if (!SendMessageW(window, kWmGetDpiScaledSize, MAKEWPARAM(dpi, dpi),
                    reinterpret_cast<LPARAM>(&wanted))) {
    return false;
  }
  const RECT suggested{now.left, now.top, now.left + wanted.cx, now.top + wanted.cy};
  SendMessageW(window, kWmDpiChanged, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  return true;
}

}  // namespace dpi_run

// The fixture `Base` of a suite that runs at the screen's DPI: dpi_ is that
// DPI, and a run whose prefix did not take the DPI it was started for
// fails at once instead of checking the wrong scale.
template <class Base>
class AtScreenDpi : public Base {
 protected:
  void SetUp() override {
    Base::SetUp();
    dpi_ = WindowDpi(nullptr);
    if (const int expected = dpi_run::ExpectedDpi()) {
      ASSERT_EQ(dpi_, expected) << "the prefix's LogPixels did not take";
    }
  }
  // "<dpi>dpi", for the names of saved pictures.
  std::string DpiName() const { return std::to_string(dpi_) + "dpi"; }

  int dpi_ = 96;
};
