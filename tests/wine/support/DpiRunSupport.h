#pragma once
// What the suites that run once per screen DPI share: the DPI a run expects
// (the runner names it in TONMILL_TEST_DPI after setting the prefix's
// LogPixels), a fixture that fails when the screen shows another one, and
// the measures their checks are made of: colours compared channel by
// channel, text widths in a window's own font, picture names per DPI.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

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
