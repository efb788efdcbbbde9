// After a move to a monitor of another DPI, the skinned controls draw their
// cells at the DPI the form now lays them out at: the skin's edges are as
// deep as at 96 DPI scaled, not the 96-DPI depth in a bigger control.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "app/Main.h"
#include "app/StoredSkins.h"
#include "framework/Application.h"
#include "framework/Dpi.h"
#include "skin/data/SkinManage.h"
#include "tests/wine/dpi/DpiTestSupport.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"
#include "tests/wine/support/ScreenCapture.h"
#include "tests/wine/support/WineTestSupport.h"

namespace {

using namespace std::chrono_literals;

bool Near(TColor a, TColor b) {
  auto part = [](TColor c, int shift) { return static_cast<int>((c >> shift) & 0xff); };
  for (int shift : {0, 8, 16}) {
    if (std::abs(part(a, shift) - part(b, shift)) > 12) return false;
  }
  return true;
}

// How many pixels in from the left the middle row differs from its middle:
// the depth of the skin's left edge as drawn.
int LeftEdgeDepth(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  const TBitmap shot = Capture(r);
  const int y = shot.Height() / 2;
  const TColor inside = shot.Pixel(shot.Width() / 2, y);
  int depth = 0;
  while (depth < shot.Width() / 2 && !Near(shot.Pixel(depth, y), inside)) ++depth;
  return depth;
}

// A move of the program's main window to a monitor of another DPI.
using DpiChangeMainWindow = SkinnedMainWindowTest;

TEST_F(DpiChangeMainWindow, SkinnedControlsDrawTheirCellsAtTheFormsNewDpi) {
  TApplication& app = *app_;
  TFrmMain& form = *form_;
  const HWND window = form.Handle();
  ASSERT_EQ(form.Dpi(), 96) << "the suite's prefix runs at 96 DPI";
  const HWND button = form.btnConvert->Handle();
  const auto depth = [&] { return LeftEdgeDepth(button); };
  const int at96 = PumpUntilSteady(app, depth, 300ms, 3s);
  ASSERT_GE(at96, 1) << "the skin's button has an edge of its own";

  SIZE wanted{};
  ASSERT_TRUE(SendMessageW(window, kWmGetDpiScaledSize, MAKEWPARAM(192, 192),
                           reinterpret_cast<LPARAM>(&wanted)));
  const RECT suggested{0, 0, wanted.cx, wanted.cy};
  SendMessageW(window, kWmDpiChanged, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
  ASSERT_EQ(form.Dpi(), 192);
  const int at192 = PumpUntilSteady(app, depth, 300ms, 3s);
  EXPECT_GE(at192, 2 * at96) << "edge " << at96 << " px at 96 DPI";
  EXPECT_LE(at192, 2 * at96 + 1) << "edge " << at96 << " px at 96 DPI";
}

}  // namespace
