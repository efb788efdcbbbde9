// A skinned window resized step by step, as a drag does, and renamed at its
// new width: at every step its outline is the one of its new size, and the
// title bar shows the new title across the new width, not a title bar kept
// from an earlier size or text.
#include <windows.h>

#include <string>

#include "tests/wine/skin_form/SkinFormTestSupport.h"

namespace {

// Columns of the caption band (window coordinates, from `from` to `to`)
// holding the active title colour in its middle half.
int TitleInkColumns(HWND window, TWinSkinForm& engine, int from, int to) {
  const TColor ink = ColorToRGB(engine.SkinData()->Colours().TitleTextActive);
  const RECT outer = WindowRect(window);
  const TBitmap band =
      Capture(RECT{outer.left, outer.top, outer.left + to, outer.top + engine.Metrics().caption});
  int columns = 0;
  for (int x = from; x < band.Width(); ++x) {
    int hits = 0;
    for (int y = band.Height() / 4; y < band.Height() * 3 / 4; ++y) {
      const TColor c = band.Pixel(x, y);
      hits += std::abs(RedOf(c) - RedOf(ink)) + std::abs(GreenOf(c) - GreenOf(ink)) +
                  std::abs(BlueOf(c) - BlueOf(ink)) <
              24;
    }
    columns += hits >= 2;
  }
  return columns;
}

// The left edge of the leftmost right-aligned caption button, or the right
// border's.
int RightButtonsStart(HWND window, TWinSkinForm& engine) {
  const RECT outer = WindowRect(window);
  int right = outer.right - outer.left - engine.Metrics().right;
  for (int i = 0; i < engine.CaptionButtonCount(); ++i) {
    const TWinSysButton& b = engine.CaptionButton(i);
    if (b.Visible && b.Definition() && b.Definition()->Align == 1) {
      right = std::min(right, b.Bounds.left);
    }
  }
  return right;
}

SIZE RegionBox(HWND window) {
  TOwnedRegion region(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(window, region.Get()) == ERROR) return SIZE{-1, -1};
  RECT box{};
  GetRgnBox(region.Get(), &box);
  return SIZE{box.right, box.bottom};
}

class ResizeTitleTest : public SkinEngineTest {};

TEST_F(ResizeTitleTest, StepsOfASizeChangeKeepTheOutlineAndTheRenamedTitleAtTheNewWidth) {
  // A dark skin and the light one.
  for (const int skin : {1, 2}) {
    const std::string name = kSkinFiles[skin];
    SCOPED_TRACE(name);
    TForm& form = ShowSkinnedForm(skin, SizableStyle(L"Ab"));
    const HWND window = form.Handle();
    TWinSkinForm& engine = *EngineOf(window);

    // Grown and shrunk in small steps, each painted at once as a drag paints.
    for (int step = 0; step < 12; ++step) {
      const int w = 380 + (step % 4) * 60 + step * 5;
      const int h = 300 + (step % 3) * 40;
      SetWindowPos(window, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      const SIZE box = RegionBox(window);
      EXPECT_EQ(box.cx, w) << "step " << step;
      EXPECT_EQ(box.cy, h) << "step " << step;
      UpdateWindow(window);
    }
    SetWindowPos(window, nullptr, 0, 0, 640, 360, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump(150);
    const int right = RightButtonsStart(window, engine);
    ASSERT_GT(right, 320);
    // The short title leaves the caption's right half without text.
    EXPECT_EQ(TitleInkColumns(window, engine, right / 2, right), 0);

    form.SetCaption(L"Ab - a title long enough to reach the right half WWWWWWWWWWWWWWWW");
    Pump(150);
    SaveShot(window, "resized-renamed-" + name);
    EXPECT_GT(TitleInkColumns(window, engine, right / 2, right), 20);
    const RECT now = WindowRect(window);
    EXPECT_EQ(now.right - now.left, 640);
    EXPECT_EQ(RegionBox(window).cx, 640);

    // Back to the short title at yet another width.
    SetWindowPos(window, nullptr, 0, 0, 600, 340, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    form.SetCaption(L"Ab");
    Pump(150);
    const int right_again = RightButtonsStart(window, engine);
    EXPECT_EQ(TitleInkColumns(window, engine, right_again / 2, right_again), 0);
    EXPECT_GT(TitleInkColumns(window, engine, 0, right_again / 2), 0);
    EXPECT_EQ(RegionBox(window).cx, 600);
    form.SetVisible(false);
  }
}

}  // namespace
