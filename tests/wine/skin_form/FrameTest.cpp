// A skinned frame as a person sees it: the client area inside the skin's
// borders, the frame and title bar painted from the skin's images in the
// active and inactive looks, the window's outline cut out of them, and
// everything given back when the skin is switched off.
#include <windows.h>

#include "framework/Unicode.h"
#include "skin/form/SkinWindowMessages.h"
#include "tests/native/skin_data/TestSkin.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"

namespace {

class FrameTest : public SkinEngineTest {
 protected:
  // The window's region, in window coordinates.
  struct TRegion {
    HRGN handle = CreateRectRgn(0, 0, 0, 0);
    int kind = ERROR;
    ~TRegion() { DeleteObject(handle); }
  };
  static void ReadRegion(HWND window, TRegion& region) {
    region.kind = GetWindowRgn(window, region.handle);
  }
};

bool IsKey(TColor c, int tolerance) {
  return RedOf(c) >= 255 - 0 && GreenOf(c) <= tolerance && BlueOf(c) >= 255 && RedOf(c) <= 255;
}

TEST_F(FrameTest, ClientAreaSitsInsideTheSkinBordersAndComesBackAfterDetach) {
  TForm& form = ShowSkinnedForm(2);
  const HWND window = form.Handle();
  TWinSkinForm* engine = EngineOf(window);
  ASSERT_NE(engine, nullptr);
  EXPECT_EQ(SendMessageW(window, SKM_ISSKINNED, 0, 0), 1);
  const TFrameMetrics& m = engine->Metrics();
  EXPECT_GT(m.caption, 0);
  const RECT outer = WindowRect(window);
  const RECT client = ClientScreenRect(window);
  EXPECT_EQ(client.left - outer.left, m.left);
  EXPECT_EQ(client.top - outer.top, m.caption + engine->MenuBarHeight());
  EXPECT_EQ(client.right - client.left, 533);
  EXPECT_EQ(client.bottom - client.top, 456);
  SaveShot(window, "frame-daylight");

  // Off: the system frame around the same client area, at the same place.
  TSkinData& data = *engine->SkinData();
  data.SetActive(false);
  Flush();
  EXPECT_EQ(EngineOf(window), nullptr);
  EXPECT_EQ(SendMessageW(window, SKM_ISSKINNED, 0, 0), 0);
  const RECT plain = ClientScreenRect(window);
  EXPECT_EQ(plain.right - plain.left, 533);
  EXPECT_EQ(plain.bottom - plain.top, 456);
  EXPECT_EQ(WindowRect(window).left, outer.left);
  EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION, WS_CAPTION);
  EXPECT_NE(GetWindowLongPtrW(window, GWL_STYLE) & WS_SYSMENU, 0);

  // And on again.
  data.SetActive(true);
  Flush();
  ASSERT_TRUE(WaitSkinned(window));
  const RECT again = ClientScreenRect(window);
  EXPECT_EQ(again.right - again.left, 533);
  EXPECT_EQ(again.bottom - again.top, 456);
  EXPECT_EQ(again.top - WindowRect(window).top, m.caption);
}

TEST_F(FrameTest, OutlineFollowsTheMagentaOfEveryStoredSkin) {
  TForm& form = ShowSkinnedForm(0);
  const HWND window = form.Handle();
  TSkinData& data = *EngineOf(window)->SkinData();
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(kSkinFiles[skin]);
    data.LoadFromSkinStore(&Store(), skin);
    Flush();
    TWinSkinForm& engine = *EngineOf(window);
    TRegion region;
    ReadRegion(window, region);
    ASSERT_NE(region.kind, ERROR);
    const TFrameMetrics& m = engine.Metrics();
    const RECT outer = WindowRect(window);
    const int w = outer.right - outer.left;
    // The unscaled top ends of the left and right parts are the window's
    // top corners, pixel for pixel.
    const TDataSkinBorder& left = data.FrameBorder(fbLeft);
    const TDataSkinBorder& right = data.FrameBorder(fbRight);
    int holes = 0, mismatches = 0;
    for (int y = 0; y < std::min(m.caption, left.TopHeight); ++y) {
      for (int x = 0; x < m.left; ++x) {
        const bool hole = IsKey(left.Bitmap.Pixel(x, y), 1);
        holes += hole;
        mismatches += hole == (PtInRegion(region.handle, x, y) != 0);
      }
      for (int x = 0; x < m.right; ++x) {
        const bool hole = IsKey(right.Bitmap.Pixel(x, y), 1);
        holes += hole;
        mismatches += hole == (PtInRegion(region.handle, w - m.right + x, y) != 0);
      }
    }
    EXPECT_GT(holes, 0) << "rounded corners cut the outline";
    EXPECT_EQ(mismatches, 0);
    // The client area is whole.
    EXPECT_TRUE(PtInRegion(region.handle, m.left, m.caption));
    EXPECT_TRUE(PtInRegion(region.handle, w - m.right - 1, m.caption + 455));
  }
}

// A skin of plain grey frame parts 6 pixels wide (caption 24 high) whose
// left part carries three marked pixels in row 10 of its first cell (inside its unscaled top).
TTestSkin MarkedSkin(int trans) {
  TBitmap left(12, 60, RGBColour(128, 128, 128));
  left.SetPixel(1, 10, RGBColour(255, 0, 255));
  left.SetPixel(2, 10, RGBColour(255, 1, 255));
  left.SetPixel(3, 10, RGBColour(254, 0, 255));
  const std::string t = std::to_string(trans);
  TTestSkin skin;
  skin.Ini(
      "[Personality]\nLeft=l.bmp\nLeftFrame=2\nLeftTopHeight=24\nLeftBotHeight=4\nLeftTrans=" + t +
      "\nRight=r.bmp\nRightFrame=2\nRightTrans=" + t + "\nTop=t.bmp\nTopFrame=2\nTopTrans=" + t +
      "\nBottom=b.bmp\nBottomFrame=2\nBottomTrans=" + t + "\n");
  skin.Bitmap("l.bmp", left);
  skin.Bitmap("r.bmp", TBitmap(12, 60, RGBColour(128, 128, 128)));
  skin.Bitmap("t.bmp", TBitmap(40, 48, RGBColour(90, 90, 160)));
  skin.Bitmap("b.bmp", TBitmap(40, 12, RGBColour(128, 128, 128)));
  return skin;
}

TEST_F(FrameTest, KeyWithinToleranceIsAHoleAndOpaqueSkinsGiveTheWholeRectangle) {
  TForm& form = MakeForm(MainLikeStyle());
  auto& data = OwnedComponent<TSkinData>(form, Environment());
  data.BeginLoading();
  data.Loaded();
  LoadPackage(data, MarkedSkin(1).Package());
  data.SetActive(true);
  form.Show();
  SetForegroundWindow(form.Handle());
  ASSERT_TRUE(WaitSkinned(form.Handle()));
  {
    TRegion region;
    ReadRegion(form.Handle(), region);
    ASSERT_NE(region.kind, ERROR);
    EXPECT_TRUE(PtInRegion(region.handle, 0, 10));
    EXPECT_FALSE(PtInRegion(region.handle, 1, 10)) << "255, 0, 255";
    EXPECT_FALSE(PtInRegion(region.handle, 2, 10)) << "255, 1, 255";
    EXPECT_TRUE(PtInRegion(region.handle, 3, 10)) << "254, 0, 255";
  }
  LoadPackage(data, MarkedSkin(0).Package());
  data.ApplyNewSkin();
  Flush();
  TRegion region;
  ReadRegion(form.Handle(), region);
  ASSERT_NE(region.kind, ERROR);
  const RECT outer = WindowRect(form.Handle());
  HRGN whole = CreateRectRgn(0, 0, outer.right - outer.left, outer.bottom - outer.top);
  EXPECT_TRUE(EqualRgn(region.handle, whole));
  DeleteObject(whole);
}

TEST_F(FrameTest, FramePartsAndTitleShowTheSkinsCellsActiveAndInactive) {
  TForm& form = ShowSkinnedForm(4);
  const HWND window = form.Handle();
  TWinSkinForm& engine = *EngineOf(window);
  const TSkinData& data = *engine.SkinData();
  const TFrameMetrics& m = engine.Metrics();
  const TDataSkinBorder& left = data.FrameBorder(fbLeft);
  const TDataSkinBorder& top = data.FrameBorder(fbTop);
  // The unscaled top of the left part, and the unscaled left end of the
  // title bar, compared with the given cell of their images.
  auto share = [&](int cell) {
    const RECT outer = WindowRect(window);
    const TBitmap shot = Capture(outer);
    long drawn = 0, same = 0;
    auto compare = [&](TColor want, TColor got) {
      if (want == clFuchsia) return;
      ++drawn;
      same += std::abs(RedOf(want) - RedOf(got)) <= 4 &&
              std::abs(GreenOf(want) - GreenOf(got)) <= 4 &&
              std::abs(BlueOf(want) - BlueOf(got)) <= 4;
    };
    for (int y = 0; y < std::min(m.caption, left.TopHeight); ++y) {
      for (int x = 0; x < m.left; ++x) {
        compare(left.Bitmap.Pixel((cell - 1) * m.left + x, y), shot.Pixel(x, y));
      }
    }
    // Above the title text, which may start within the unscaled end.
    for (int y = 0; y < std::min(m.caption, data.Title().TopHeight); ++y) {
      for (int x = 0; x < top.LeftWidth; ++x) {
        compare(top.Bitmap.Pixel(x, (cell - 1) * m.caption + y), shot.Pixel(m.left + x, y));
      }
    }
    return drawn ? static_cast<double>(same) / static_cast<double>(drawn) : 0.0;
  };
  EXPECT_GT(share(1), 0.97) << "active";
  // The title text is there, in the skin's active title colour.
  const TColor ink = ColorToRGB(data.Colours().TitleTextActive);
  const TDataSkinTitle& title = data.Title();
  const RECT outer = WindowRect(window);
  const TBitmap band = Capture(RECT{outer.left + title.LeftWidth, outer.top,
                                    outer.right - title.RightWidth, outer.top + m.caption});
  int ink_pixels = 0;
  for (int y = 0; y < band.Height(); ++y) {
    for (int x = 0; x < band.Width(); ++x) {
      const TColor c = band.Pixel(x, y);
      ink_pixels += std::abs(RedOf(c) - RedOf(ink)) + std::abs(GreenOf(c) - GreenOf(ink)) +
                        std::abs(BlueOf(c) - BlueOf(ink)) <
                    60;
    }
  }
  EXPECT_GT(ink_pixels, 40) << "title text";
  SaveShot(window, "frame-ember-active");

  // Another window becomes active: the inactive cells.
  TForm& other = MakeForm(SizableStyle());
  other.Show();
  SetForegroundWindow(other.Handle());
  ASSERT_TRUE(WaitSkinned(other.Handle()));
  MoveWindow(other.Handle(), outer.right + 10, outer.top, 300, 200, TRUE);
  Pump(100);
  EXPECT_FALSE(engine.Active());
  EXPECT_GT(share(2), 0.97) << "inactive";
  SaveShot(window, "frame-ember-inactive");
}

TEST_F(FrameTest, AMaximisedSizableFormCoversTheWorkArea) {
  TForm& form = ShowSkinnedForm(2, SizableStyle());
  ShowWindow(form.Handle(), SW_MAXIMIZE);
  Pump(200);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const RECT r = WindowRect(form.Handle());
  EXPECT_EQ(r.left, work.left);
  EXPECT_EQ(r.top, work.top);
  EXPECT_EQ(r.right, work.right);
  EXPECT_EQ(r.bottom, work.bottom);
  const RECT client = ClientScreenRect(form.Handle());
  EXPECT_GE(client.top, work.top);
  EXPECT_LE(client.bottom, work.bottom);
  ShowWindow(form.Handle(), SW_RESTORE);
  Pump(100);
  const RECT restored = ClientScreenRect(form.Handle());
  EXPECT_EQ(restored.right - restored.left, 400);
  EXPECT_EQ(restored.bottom - restored.top, 300);
}

}  // namespace
