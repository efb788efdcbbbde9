// Skinned progress bars read back from the screen: the trough and the bar
// of the skin's Progress image, bars standing upright, odd ranges, a skin
// without the image, and the system look coming back when the skin goes.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "framework/ComCtrls.h"
#include "skin/controls/SkinProgress.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"

namespace {

bool Near(TColor a, TColor b, int tolerance = 10) {
  return std::abs(RedOf(a) - RedOf(b)) <= tolerance &&
         std::abs(GreenOf(a) - GreenOf(b)) <= tolerance &&
         std::abs(BlueOf(a) - BlueOf(b)) <= tolerance;
}

class ProgressTest : public SkinControlsTest {
 protected:
  TProgressBar& Bar(TForm& form, int left, int top, int width, int height, int position,
                    bool vertical = false) {
    TProgressBar& bar = OwnedComponent<TProgressBar>(form);
    bar.SetVertical(vertical);
    bar.SetBounds(left, top, width, height);
    bar.SetParent(&form);
    bar.SetPosition(position);
    return bar;
  }

  // The centre colours of the trough and bar cells at `width` x `height`
  // (the bar lying down), which must be told apart for any check to mean
  // something.
  void LearnCells(const TSkinData& data, int width, int height) {
    const TDataSkinObject& progress = *data.Object(ssProgress);
    trough_ = RenderSkinCell(progress, width, height, 2, 1).Pixel(width / 2, height / 2);
    bar_ = RenderSkinCell(progress, width, height, 2, 2).Pixel(width / 2, height / 2);
    ASSERT_FALSE(Near(trough_, bar_, 30)) << "trough and bar look alike";
  }
  // Whether the screen shows the bar at (x, y) of `window`; fails the test
  // when it shows neither the bar nor the trough there.
  bool ShowsBar(const TBitmap& shot, int x, int y) {
    const TColor seen = shot.Pixel(x, y);
    EXPECT_TRUE(Near(seen, bar_) || Near(seen, trough_))
        << "at " << x << "," << y << " neither bar nor trough: " << std::hex << seen;
    return Near(seen, bar_);
  }
  static void Redraw(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }

  TColor trough_ = clNone, bar_ = clNone;
};

TEST_F(ProgressTest, BarsFillFromTheStartOfTheirLengthUnderEverySkin) {
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TProgressBar *half = nullptr, *raised = nullptr, *upright = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      half = &Bar(f, 20, 20, 200, 18, 50);
      raised = &Bar(f, 20, 50, 200, 18, 0);
      raised->SetMax(100);
      raised->SetMin(50);
      raised->SetPosition(75);
      upright = &Bar(f, 260, 20, 18, 200, 50, true);
    });
    TSkinData& data = DataOf(form);
    ASSERT_TRUE(dynamic_cast<TSkinProgress*>(ObjectOf(form, *half)));
    LearnCells(data, 200, 18);
    if (HasFailure()) return;

    // Half of 0..100: the left half holds the bar, the right half the trough.
    const TBitmap h = Capture(WindowRect(half->Handle()));
    EXPECT_TRUE(ShowsBar(h, 50, 9));
    EXPECT_TRUE(ShowsBar(h, 90, 9));
    EXPECT_FALSE(ShowsBar(h, 110, 9));
    EXPECT_FALSE(ShowsBar(h, 180, 9));

    // 75 of 50..100 fills three quarters, as if the range started at 0.
    const TBitmap r = Capture(WindowRect(raised->Handle()));
    EXPECT_TRUE(ShowsBar(r, 140, 9));
    EXPECT_FALSE(ShowsBar(r, 160, 9));

    // Upright at half its range: the lower half filled.
    const TBitmap u = Capture(WindowRect(upright->Handle()));
    EXPECT_TRUE(ShowsBar(u, 9, 190));
    EXPECT_TRUE(ShowsBar(u, 9, 110));
    EXPECT_FALSE(ShowsBar(u, 9, 90));
    EXPECT_FALSE(ShowsBar(u, 9, 10));
    SaveShot(form.Handle(), std::string("progress-") + kSkinFiles[skin]);
    form.Close();
    Pump(50);
  }
}

TEST_F(ProgressTest, EmptyAndBrokenRangesShowOnlyTheTrough) {
  TProgressBar *zero = nullptr, *no_max = nullptr, *negative = nullptr, *beyond = nullptr;
  TProgressBar *thin = nullptr, *flat = nullptr, *full = nullptr;
  TForm& form = ShowSkinned(1, [&](TForm& f) {
    zero = &Bar(f, 20, 20, 200, 18, 0);
    no_max = &Bar(f, 20, 50, 200, 18, 0);
    no_max->SetMax(0);
    negative = &Bar(f, 20, 80, 200, 18, 0);
    negative->SetMin(-100);
    negative->SetMax(-10);
    negative->SetPosition(-50);
    beyond = &Bar(f, 20, 110, 200, 18, 0);
    thin = &Bar(f, 20, 140, 0, 18, 50);
    flat = &Bar(f, 40, 140, 100, 0, 50);
    full = &Bar(f, 260, 20, 2, 18, 100);
  });
  LearnCells(DataOf(form), 200, 18);
  if (HasFailure()) return;
  // A position set past the range by hand.
  SendMessageW(beyond->Handle(), PBM_SETRANGE32, 0, 0);
  SendMessageW(beyond->Handle(), PBM_SETPOS, 500, 0);
  for (TProgressBar* bar : {zero, no_max, negative, beyond, thin, flat, full})
    Redraw(bar->Handle());
  Pump(50);

  for (TProgressBar* bar : {zero, no_max, negative, beyond}) {
    const TBitmap shot = Capture(WindowRect(bar->Handle()));
    for (int x : {10, 60, 100, 150, 190}) EXPECT_FALSE(ShowsBar(shot, x, 9)) << x;
  }
  // Bars with no room draw nothing around themselves.
  const TColor face = ColorToRGB(DataOf(form).Colours().ButtonFace);
  const RECT client = ClientScreenRect(form.Handle());
  const TBitmap around =
      Capture({client.left + 18, client.top + 138, client.left + 150, client.top + 160});
  EXPECT_EQ(CountColour(around, face, 6), around.Width() * around.Height());
  const TBitmap next_to_full =
      Capture({client.left + 262, client.top + 20, client.left + 270, client.top + 38});
  EXPECT_EQ(CountColour(next_to_full, face, 6), next_to_full.Width() * next_to_full.Height());
}

TEST_F(ProgressTest, WithoutTheSkinsImageOrTheSkinTheSystemLookStays) {
  TProgressBar *skinned = nullptr, *plain = nullptr;
  TForm& form = ShowSkinned(2, [&](TForm& f) {
    skinned = &Bar(f, 20, 20, 200, 18, 50);
    // The skin data's DisableTag keeps this one as the system draws it.
    plain = &Bar(f, 20, 60, 200, 18, 50);
    plain->SetTag(99);
  });
  TSkinData& data = DataOf(form);
  LearnCells(data, 200, 18);
  if (HasFailure()) return;
  ASSERT_TRUE(ObjectOf(form, *skinned));
  ASSERT_FALSE(ObjectOf(form, *plain));
  const auto system_look = [&] {
    Redraw(skinned->Handle());
    Redraw(plain->Handle());
    Pump(50);
    return MatchingShare(Capture(WindowRect(skinned->Handle())),
                         Capture(WindowRect(plain->Handle())), 0);
  };
  EXPECT_LT(system_look(), 0.9) << "the skinned bar looks like the system's";
  EXPECT_TRUE(ShowsBar(Capture(WindowRect(skinned->Handle())), 50, 9));

  // The skin goes: the system's bar; it comes back: the skin's bar again.
  SwitchSkin(form, data, false);
  EXPECT_EQ(system_look(), 1.0);
  SwitchSkin(form, data, true);
  ASSERT_TRUE(ObjectOf(form, *skinned));
  EXPECT_LT(system_look(), 0.9);
  EXPECT_TRUE(ShowsBar(Capture(WindowRect(skinned->Handle())), 50, 9));

  // A skin without the Progress image: the control paints itself.
  data.Object(ssProgress)->Bitmap.Clear();
  EXPECT_EQ(system_look(), 1.0);
}

TEST_F(ProgressTest, ChunkedBarsRepeatTheChunkUpToThePosition) {
  TProgressBar* bar = nullptr;
  TForm& form = ShowSkinned(0, [&](TForm& f) { bar = &Bar(f, 20, 20, 200, 18, 50); });
  TSkinData& data = DataOf(form);
  TDataSkinObject& progress = *data.Object(ssProgress);
  const TDataSkinObject& chunk = *data.Object(ssProgressChunk);
  ASSERT_FALSE(chunk.Bitmap.Empty());
  // A chunked skin's Progress image is the trough alone: keep the first of
  // our two cells.
  const int cell_width = progress.Bitmap.Width() / 2, cell_height = progress.Bitmap.Height();
  TBitmap trough_only(cell_width, cell_height);
  trough_only.CopyRect(trough_only.BoundsRect(), progress.Bitmap, {0, 0, cell_width, cell_height});
  progress.Bitmap = trough_only;
  progress.Style = 1;
  Redraw(bar->Handle());
  Pump(50);
  const TColor block = chunk.Bitmap.Pixel(chunk.Bitmap.Width() / 2, chunk.Bitmap.Height() / 2);
  const TBitmap trough = RenderSkinCell(progress, 200, 18, 1, 1);
  ASSERT_FALSE(Near(block, trough.Pixel(100, 9), 30));
  const TBitmap shot = Capture(WindowRect(bar->Handle()));
  SaveShot(bar->Handle(), "progress-chunks-meadow");
  const TBitmap filled =
      Capture({WindowRect(bar->Handle()).left + 10, WindowRect(bar->Handle()).top + 2,
               WindowRect(bar->Handle()).left + 96, WindowRect(bar->Handle()).top + 16});
  const TBitmap empty =
      Capture({WindowRect(bar->Handle()).left + 104, WindowRect(bar->Handle()).top + 2,
               WindowRect(bar->Handle()).left + 190, WindowRect(bar->Handle()).top + 16});
  EXPECT_GT(CountColour(filled, block, 10), 40);
  EXPECT_EQ(CountColour(empty, block, 10), 0);
  EXPECT_TRUE(Near(shot.Pixel(150, 9), trough.Pixel(150, 9)));
}

}  // namespace
