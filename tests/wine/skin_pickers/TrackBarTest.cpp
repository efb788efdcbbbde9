// Skinned track bars read back from the screen: the thumb image for each
// orientation and tick side in the cell of its state (at rest, under the
// mouse, held, disabled), the thumb dragged with the real mouse, the outline
// without thumb images, the channel from the skin, and bars with odd ranges
// or no room at all.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/TrackBar.h"
#include "skin/controls/SkinTrackBar.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"
#include "tests/wine/skin_pickers/PickerTestSupport.h"
#include "tests/wine/support/InputScript.h"
#include "tests/wine/support/SettledMouse.h"
#include "tests/wine/support/WineTestSupport.h"

namespace {

class TrackBarTest : public SkinControlsTest {
 protected:
  TTrackBar& Bar(TForm& form, int left, int top, int width, int height,
                 TTrackBarOrientation orientation = trHorizontal, TTickMark marks = tmBottomRight) {
    TTrackBar& bar = OwnedComponent<TTrackBar>(form);
    bar.SetOrientation(orientation);
    bar.SetTickMarks(marks);
    bar.SetBounds(left, top, width, height);
    bar.SetParent(&form);
    return bar;
  }

  static RECT ThumbScreenRect(const TTrackBar& bar) {
    RECT r{};
    SendMessageW(bar.Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(bar.Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }

  // Which cell of `image` the screen shows over the bar's thumb; 0 when
  // none matches well.
  static int ShownCell(const TTrackBar& bar, const TDataSkinObject& image) {
    const RECT r = ThumbScreenRect(bar);
    const TBitmap shot = Capture(r);
    double best = 0;
    int cell = 0;
    for (int k = 1; k <= 5; ++k) {
      const TBitmap expected = RenderSkinPart(shot.Width(), shot.Height(), image.Bitmap,
                                              TSkinMargins{}, false, false, 5, k);
      const double share = DrawnShare(shot, expected);
      if (share > best) {
        best = share;
        cell = k;
      }
    }
    return best > 0.85 ? cell : 0;
  }

  void Redraw(const TTrackBar& bar) {
    RedrawWindow(bar.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump(30);
  }
};

TEST_F(TrackBarTest, EachShapeShowsItsThumbImageAtRestUnderEverySkin) {
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TTrackBar *down = nullptr, *up = nullptr, *both = nullptr, *plain = nullptr;
    TTrackBar *right = nullptr, *left = nullptr, *upright = nullptr, *off = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      down = &Bar(f, 10, 10, 200, 40);
      up = &Bar(f, 10, 60, 200, 40, trHorizontal, tmTopLeft);
      both = &Bar(f, 10, 110, 200, 44, trHorizontal, tmBoth);
      plain = &Bar(f, 10, 165, 200, 30);
      plain->SetTickStyle(tsNone);
      off = &Bar(f, 10, 210, 200, 40);
      off->SetEnabled(false);
      right = &Bar(f, 240, 10, 40, 200, trVertical);
      left = &Bar(f, 300, 10, 40, 200, trVertical, tmTopLeft);
      upright = &Bar(f, 360, 10, 44, 200, trVertical, tmBoth);
      for (TTrackBar* bar : {down, up, both, plain, off, right, left, upright}) {
        bar->SetMax(20);
        bar->SetPosition(7);
      }
    });
    TSkinData& data = DataOf(form);
    ASSERT_TRUE(dynamic_cast<TSkinTrackBar*>(ObjectOf(form, *down)));
    for (TTrackBar* bar : {down, up, both, plain, off, right, left, upright}) Redraw(*bar);

    // Thumbs point to their ticks; with ticks on both sides they are square.
    EXPECT_EQ(ShownCell(*down, *data.Object(ssThumbDown)), 2);
    EXPECT_EQ(ShownCell(*up, *data.Object(ssThumbUp)), 2);
    EXPECT_EQ(ShownCell(*both, *data.Object(ssThumbHorz)), 2);
    EXPECT_EQ(ShownCell(*plain, *data.Object(ssThumbDown)), 2);
    EXPECT_EQ(ShownCell(*right, *data.Object(ssThumbRight)), 2);
    EXPECT_EQ(ShownCell(*left, *data.Object(ssThumbLeft)), 2);
    EXPECT_EQ(ShownCell(*upright, *data.Object(ssThumbVert)), 2);
    EXPECT_EQ(ShownCell(*off, *data.Object(ssThumbDown)), 5);

    // The channel shows the skin's track images, the middle of their
    // middle parts.
    RECT channel{};
    SendMessageW(down->Handle(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    const TDataSkinObject& track = *data.Object(ssTrack);
    const TBitmap along = Capture(WindowRect(down->Handle()));
    const int cx = (channel.left + channel.right) / 2;
    bool seen = false;
    for (int y = channel.top - 2; y <= channel.bottom + 2 && !seen; ++y) {
      seen = Near(along.Pixel(cx, y),
                  track.Bitmap.Pixel(track.Bitmap.Width() / 2, track.Bitmap.Height() / 2), 8);
    }
    EXPECT_TRUE(seen) << "no track image in the horizontal channel";
    const TDataSkinObject& standing = *data.Object(ssTrackVert);
    const TBitmap upward = Capture(WindowRect(right->Handle()));
    // The middle of the channel's length, across its width.
    SendMessageW(right->Handle(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    const int long_side = std::max(channel.bottom - channel.top, channel.right - channel.left);
    const int short_start =
        channel.right - channel.left < channel.bottom - channel.top ? channel.left : channel.top;
    const int cy = upward.Height() > long_side ? upward.Height() * 3 / 4 : long_side / 2;
    seen = false;
    for (int x = short_start - 4; x <= short_start + 10 && !seen; ++x) {
      seen =
          Near(upward.Pixel(x, cy),
               standing.Bitmap.Pixel(standing.Bitmap.Width() / 2, standing.Bitmap.Height() / 2), 8);
    }
    EXPECT_TRUE(seen) << "no track image in the vertical channel";
    SaveShot(form.Handle(), std::string("trackbars-") + kSkinFiles[skin]);
    form.Close();
    Pump(50);
  }
}

TEST_F(TrackBarTest, TheThumbLightsUnderTheMouseAndFollowsADrag) {
  TTrackBar* bar = nullptr;
  TTrackBar* standing = nullptr;
  int changes = 0;
  TForm& form = ShowSkinned(1, [&](TForm& f) {
    bar = &Bar(f, 20, 20, 300, 40);
    bar->SetMax(100);
    bar->SetPosition(10);
    bar->OnChange = [&](TObject*) { ++changes; };
    standing = &Bar(f, 360, 20, 40, 300, trVertical);
    standing->SetMax(100);
    standing->SetPosition(80);
  });
  TSkinData& data = DataOf(form);
  const TDataSkinObject& thumb = *data.Object(ssThumbDown);
  Redraw(*bar);
  ASSERT_EQ(ShownCell(*bar, thumb), 2);

  // Under the mouse: lit.
  const POINT start = Centre(ThumbScreenRect(*bar));
  MoveTo(start);
  ASSERT_TRUE(PumpUntil([&] { return ShownCell(*bar, thumb) == 3; }, 3000))
      << "shows cell " << ShownCell(*bar, thumb);

  // Held down: pressed; dragged to the right, the position follows.
  input::Press(start.x, start.y);
  ASSERT_TRUE(PumpUntil([&] { return ShownCell(*bar, thumb) == 4; }, 3000))
      << "shows cell " << ShownCell(*bar, thumb);
  for (int step = 1; step <= 10; ++step) {
    input::MoveTo(start.x + step * 12, start.y);
    Pump(20);
  }
  // Under load the virtual display can drop the last move of a quick run, and
  // the release would then carry the thumb on; the pointer is made to stay
  // where the drag ends, and the position counts once it holds.
  MoveAndSettle(App(), POINT{start.x + 120, start.y});
  const int dragged = PumpUntilSteady(
      App(), [&] { return bar->Position(); }, std::chrono::milliseconds(200),
      std::chrono::milliseconds(3000));
  EXPECT_GT(dragged, 40);
  EXPECT_LT(dragged, 60);
  // Still held, at the new place.
  EXPECT_EQ(ShownCell(*bar, thumb), 4);
  input::Release(start.x + 120, start.y);
  Pump(100);
  EXPECT_GT(changes, 0);
  EXPECT_EQ(bar->Position(), dragged);
  // Let go over the thumb: lit again; the mouse gone: at rest.
  EXPECT_TRUE(PumpUntil([&] { return ShownCell(*bar, thumb) == 3; }, 3000));
  Park();
  EXPECT_TRUE(PumpUntil([&] { return ShownCell(*bar, thumb) == 2; }, 3000));

  // A standing bar dragged upward moves toward its start.
  const TDataSkinObject& side = *data.Object(ssThumbRight);
  Redraw(*standing);
  ASSERT_EQ(ShownCell(*standing, side), 2);
  const POINT top = Centre(ThumbScreenRect(*standing));
  MoveTo(top);
  input::Press(top.x, top.y);
  for (int step = 1; step <= 10; ++step) {
    input::MoveTo(top.x, top.y - step * 10);
    Pump(20);
  }
  input::Release(top.x, top.y - 100);
  PumpUntil([&] { return standing->Position() < 60; }, 3000);
  EXPECT_LT(standing->Position(), 60);
  EXPECT_GT(standing->Position(), 30);
  Park();
  EXPECT_TRUE(PumpUntil([&] { return ShownCell(*standing, side) == 2; }, 3000));
}

TEST_F(TrackBarTest, WithoutThumbImagesTheThumbIsOutlinedInTheShadowColour) {
  TTrackBar *down = nullptr, *both = nullptr, *standing = nullptr;
  TForm& form = ShowSkinned(2, [&](TForm& f) {
    down = &Bar(f, 20, 20, 200, 40);
    both = &Bar(f, 20, 80, 200, 44, trHorizontal, tmBoth);
    standing = &Bar(f, 260, 20, 40, 200, trVertical);
  });
  TSkinData& data = DataOf(form);
  for (TSkinSlot slot :
       {ssThumbHorz, ssThumbVert, ssThumbLeft, ssThumbRight, ssThumbUp, ssThumbDown}) {
    data.Object(slot)->Bitmap.Clear();
  }
  const TColor shadow = ColorToRGB(data.Colours().ButtonShadow);
  for (TTrackBar* bar : {down, both, standing}) {
    Redraw(*bar);
    const RECT r = ThumbScreenRect(*bar);
    const TBitmap shot = Capture(r);
    const int w = shot.Width(), h = shot.Height();
    int outline = 0;
    for (int x = 0; x < w; ++x) {
      outline += Near(shot.Pixel(x, 0), shadow, 10) + Near(shot.Pixel(x, h - 1), shadow, 10);
    }
    for (int y = 1; y < h - 1; ++y) {
      outline += Near(shot.Pixel(0, y), shadow, 10) + Near(shot.Pixel(w - 1, y), shadow, 10);
    }
    EXPECT_EQ(outline, 2 * w + 2 * (h - 2)) << "thumb " << w << "x" << h;
    // Inside, the face colour, not the shadow.
    EXPECT_FALSE(Near(shot.Pixel(w / 2, h / 2), shadow, 10));
  }
}

TEST_F(TrackBarTest, CrowdedEmptyAndRoomlessBarsDrawOnlyInsideThemselves) {
  TTrackBar *crowded = nullptr, *empty = nullptr, *flat = nullptr, *narrow = nullptr;
  TTrackBar* tiny = nullptr;
  TForm& form = ShowSkinned(1, [&](TForm& f) {
    crowded = &Bar(f, 20, 20, 200, 40);
    crowded->SetMax(20000);
    crowded->SetFrequency(1);
    crowded->SetPosition(15000);
    empty = &Bar(f, 20, 80, 200, 40);
    empty->SetMin(5);
    empty->SetMax(5);
    flat = &Bar(f, 20, 140, 0, 40);
    narrow = &Bar(f, 60, 140, 200, 0, trVertical);
    tiny = &Bar(f, 100, 150, 3, 3, trVertical, tmBoth);
  });
  TSkinData& data = DataOf(form);
  for (TTrackBar* bar : {crowded, empty, flat, narrow, tiny}) Redraw(*bar);
  Pump(100);

  // The crowded bar and the one whose range is a single value still show
  // a skinned thumb.
  EXPECT_EQ(ShownCell(*crowded, *data.Object(ssThumbDown)), 2);
  EXPECT_EQ(crowded->Position(), 15000);
  EXPECT_EQ(ShownCell(*empty, *data.Object(ssThumbDown)), 2);
  EXPECT_EQ(empty->Position(), 5);

  // Around the bars without room the form stays its own colour.
  const TColor face = ColorToRGB(data.Colours().ButtonFace);
  const RECT client = ClientScreenRect(form.Handle());
  const TBitmap around =
      Capture({client.left + 10, client.top + 130, client.left + 200, client.top + 200});
  int other = 0;
  for (int y = 0; y < around.Height(); ++y) {
    for (int x = 0; x < around.Width(); ++x) {
      const int fx = 10 + x, fy = 130 + y;
      const bool in_tiny = fx >= 100 && fx < 103 && fy >= 150 && fy < 153;
      if (!in_tiny && !Near(around.Pixel(x, y), face, 6)) ++other;
    }
  }
  EXPECT_EQ(other, 0);
  SaveShot(form.Handle(), "trackbars-odd");
}

TEST_F(TrackBarTest, SwitchedOffTheBarDrawsItselfAndOnAgainIsSkinned) {
  TTrackBar* bar = nullptr;
  TForm& form = ShowSkinned(3, [&](TForm& f) {
    bar = &Bar(f, 20, 20, 200, 40);
    bar->SetPosition(4);
  });
  TSkinData& data = DataOf(form);
  const TDataSkinObject& thumb = *data.Object(ssThumbDown);
  Redraw(*bar);
  ASSERT_EQ(ShownCell(*bar, thumb), 2);
  SwitchSkin(form, data, false);
  Redraw(*bar);
  EXPECT_EQ(ObjectOf(form, *bar), nullptr);
  EXPECT_NE(ShownCell(*bar, thumb), 2);
  SwitchSkin(form, data, true);
  Redraw(*bar);
  EXPECT_TRUE(dynamic_cast<TSkinTrackBar*>(ObjectOf(form, *bar)));
  EXPECT_EQ(ShownCell(*bar, thumb), 2);
}

}  // namespace
