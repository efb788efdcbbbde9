// Glyph buttons and speed buttons at the screen's DPI, read back from the
// screen: the glyph is as large as the DPI makes it (its 96-DPI size times
// DPI / 96), placed beside or above the caption as the layout says with
// margin and spacing grown alike, the cells of the pressed and disabled
// states scaled the same way, and no fringe of the transparent colour round
// it at any factor. The suite runs once per DPI (the prefix's LogPixels);
// TONMILL_TEST_DPI names the DPI a run expects.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>

#include "framework/Buttons.h"
#include "framework/Dpi.h"
#include "framework/GdiObjects.h"
#include "framework/StdCtrls.h"
#include "skin/controls/BackBuffer.h"
#include "skin/controls/SkinButtons.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"
#include "tests/wine/support/DpiRunSupport.h"
#include "tests/wine/support/InputScript.h"
#include "tests/wine/support/ScreenCapture.h"

namespace {

constexpr int kNightfall = 1, kDaylight = 2, kContrast = 3;
constexpr int kLookedAt[] = {kNightfall, kDaylight, kContrast};
// The tag the skin data leaves a control alone by (its DisableTag).
constexpr int kLeftAlone = 99;

// The glyph's ink inside its 16 x 16 cell: a block 12 wide and 10 high,
// 2 in from the left and 3 down, on the transparent colour (the cell's
// bottom-left pixel).
constexpr int kCell = 16;
constexpr RECT kInk{2, 3, 14, 13};

int ExpectedDpi() {
  const char* text = std::getenv("TONMILL_TEST_DPI");
  return text ? std::atoi(text) : 0;
}

std::string ShotName(const std::string& what, int skin, int dpi) {
  return what + "-" + kSkinFiles[skin] + "-" + std::to_string(dpi) + "dpi";
}

// Three cells: normal (red), disabled (blue, shown grey), pressed (lime).
TBitmap ThreeGlyphs() {
  TBitmap strip(3 * kCell, kCell, clFuchsia);
  const TColor inks[] = {clRed, clBlue, clLime};
  for (int cell = 0; cell < 3; ++cell) {
    strip.FillRect({cell * kCell + kInk.left, kInk.top, cell * kCell + kInk.right, kInk.bottom},
                   inks[cell]);
  }
  return strip;
}

using dpi_run::InkBox;

// A glyph cell wholly of the transparent colour: it takes its room in the
// layout and draws nothing, so whatever else changes is the caption's.
TBitmap BlankGlyph() {
  return TBitmap(kCell, kCell, clFuchsia);
}

// How far apart two colours are: their largest difference in a channel.
int Apart(TColor a, TColor b) {
  a = ColorToRGB(a);
  b = ColorToRGB(b);
  return std::max({std::abs(RedOf(a) - RedOf(b)), std::abs(GreenOf(a) - GreenOf(b)),
                   std::abs(BlueOf(a) - BlueOf(b))});
}

// The box of the pixels where `shot` differs from `ground` by at least a
// quarter of the most they differ anywhere: text, its edges smoothed or
// not, against what lies under it, counting the pixels it covers at least
// a quarter.
RECT InkAgainst(const TBitmap& shot, const TBitmap& ground) {
  const int w = std::min(shot.Width(), ground.Width()),
            h = std::min(shot.Height(), ground.Height());
  int most = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) most = std::max(most, Apart(shot.Pixel(x, y), ground.Pixel(x, y)));
  }
  RECT box{w, h, -1, -1};
  if (most < 40) return {};
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (4 * Apart(shot.Pixel(x, y), ground.Pixel(x, y)) < most) continue;
      box.left = std::min<LONG>(box.left, x);
      box.top = std::min<LONG>(box.top, y);
      box.right = std::max<LONG>(box.right, x + 1);
      box.bottom = std::max<LONG>(box.bottom, y + 1);
    }
  }
  if (box.right < 0) return {};
  return box;
}

// Where `shot` differs most from `ground`: the caption's own colour there,
// and what lies under it.
std::pair<TColor, TColor> InkAndGround(const TBitmap& shot, const TBitmap& ground) {
  std::pair<TColor, TColor> found{clBlack, clWhite};
  int most = -1;
  for (int y = 0; y < std::min(shot.Height(), ground.Height()); ++y) {
    for (int x = 0; x < std::min(shot.Width(), ground.Width()); ++x) {
      const int apart = Apart(shot.Pixel(x, y), ground.Pixel(x, y));
      if (apart > most) most = apart, found = {shot.Pixel(x, y), ground.Pixel(x, y)};
    }
  }
  return found;
}

// How large the ink of `text` in `font` is, drawn in `ink` on `ground` in
// a memory DC where nothing clips it (the colours of the screen, so smoothed
// edges blend alike).
SIZE InkSize(HFONT font, const std::wstring& text, TColor ink, TColor ground) {
  TBackBuffer paper;
  if (!paper.SetSize(600, 300)) return {};
  paper.Fill(paper.BoundsRect(), ground);
  {
    TSelectObject selected(paper.DC(), font);
    SetBkMode(paper.DC(), TRANSPARENT);
    SetTextColor(paper.DC(), static_cast<COLORREF>(ColorToRGB(ink) & 0xFFFFFF));
    RECT r{100, 100, 500, 200};
    DrawTextW(paper.DC(), text.c_str(), -1, &r, DT_NOCLIP | DT_NOPREFIX);
  }
  GdiFlush();
  TBitmap drawn(paper.Width(), paper.Height());
  const auto pixels = paper.Pixels();
  for (int y = 0; y < paper.Height(); ++y) {
    for (int x = 0; x < paper.Width(); ++x) {
      const std::uint32_t p = pixels[static_cast<size_t>(y) * paper.Width() + x];
      drawn.SetPixel(x, y, RGBColour((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    }
  }
  const RECT box = InkAgainst(drawn, TBitmap(paper.Width(), paper.Height(), ground));
  return {box.right - box.left, box.bottom - box.top};
}

// Pixels where the red glyph met its magenta key in a blend: red, with
// much more blue than the glyph or any skin face has next to it.
int Fringe(const TBitmap& shot) {
  int count = 0;
  for (int y = 0; y < shot.Height(); ++y) {
    for (int x = 0; x < shot.Width(); ++x) {
      const TColor c = shot.Pixel(x, y);
      if (RedOf(c) > 180 && GreenOf(c) < 70 && BlueOf(c) > 60) ++count;
    }
  }
  return count;
}

class GlyphsAtDpiTest : public SkinControlsTest {
 protected:
  int DpiOf(HWND window) {
    const int dpi = WindowDpi(window);
    if (const int expected = ExpectedDpi()) {
      EXPECT_EQ(dpi, expected) << "the prefix's LogPixels did not take";
    }
    return dpi;
  }
  static void Redraw(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  // Where a glyph of the scaled cell size goes in a button of `client`
  // size with `caption` in `font`, as the layout places it.
  static TGlyphLayout Layout(HWND window, HFONT font, TPoint client, const std::wstring& caption,
                             TButtonLayout layout, int margin, int spacing, bool speed, int dpi) {
    const int glyph = SkinScale(kCell, dpi), inset = SkinScale(2, dpi);
    HDC dc = GetDC(window);
    const HGDIOBJ old = SelectObject(dc, font);
    const bool across = HorizontalLayout(layout);
    RECT room{inset, inset, client.x - inset, client.y - inset};
    (across ? room.right : room.bottom) -= glyph + inset;
    DrawTextW(dc, caption.c_str(), -1, &room, DT_CALCRECT | DT_WORDBREAK);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    TGlyphLayoutInput in;
    in.client = client;
    in.glyph = {glyph, glyph};
    in.text = {static_cast<int>(room.right - room.left), static_cast<int>(room.bottom - room.top)};
    in.layout = layout;
    in.margin = margin == -1 ? -1 : SkinScale(margin, dpi);
    in.spacing = spacing == -1 ? -1 : SkinScale(spacing, dpi);
    in.speed_button = speed;
    return LayoutGlyphButton(in);
  }
  // The glyph's ink box is its 96-DPI box scaled (within a pixel) and
  // lies where the layout put the scaled cell.
  static void ExpectInkAt(const RECT& box, const TGlyphLayout& at, int dpi) {
    ASSERT_GT(box.right, box.left) << "no glyph ink at all";
    EXPECT_NEAR(box.right - box.left, SkinScale(kInk.right - kInk.left, dpi), 1);
    EXPECT_NEAR(box.bottom - box.top, SkinScale(kInk.bottom - kInk.top, dpi), 1);
    EXPECT_NEAR(box.left, at.glyph.x + SkinScale(kInk.left, dpi), 1);
    EXPECT_NEAR(box.top, at.glyph.y + SkinScale(kInk.top, dpi), 1);
  }
};

// Glyph buttons: beside the caption (margin and spacing worked out from
// the room, and given), above it, pressed and disabled; and one the skin
// leaves alone, drawn by the button itself.
TEST_F(GlyphsAtDpiTest, GlyphButtonGlyphsGrowWithTheDpiBesideAndAboveTheirCaption) {
  for (const int skin : kLookedAt) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TBitBtn *beside = nullptr, *given = nullptr, *above = nullptr, *off = nullptr;
    TBitBtn* plain = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      auto make = [&](int left, int top, int width, int height, const wchar_t* text) {
        TBitBtn& b = Add<TBitBtn>(f, f, left, top, width, height, text);
        b.Glyph.Bitmap = ThreeGlyphs();
        b.NumGlyphs = 3;
        return &b;
      };
      beside = make(20, 20, 110, 30, L"Add");
      given = make(150, 20, 120, 30, L"Given");
      given->Margin = 6;
      given->Spacing = 8;
      above = make(20, 70, 100, 64, L"Top");
      above->Layout = blGlyphTop;
      above->Margin = 5;
      off = make(150, 70, 110, 30, L"Off");
      off->SetEnabled(false);
      // Left alone by the skin: the button draws its glyph itself.
      plain = make(280, 20, 110, 30, L"Plain");
      plain->SetTag(kLeftAlone);
    });
    ASSERT_EQ(ObjectOf(form, *plain), nullptr);
    const int dpi = DpiOf(form.Handle());
    for (TBitBtn* b : {beside, given, above, off, plain}) Redraw(b->Handle());
    Pump(50);
    struct TCase {
      TBitBtn* button;
      const char* name;
    };
    for (const TCase& c : {TCase{beside, "beside"}, TCase{given, "given"}, TCase{above, "above"},
                           TCase{plain, "left alone"}}) {
      SCOPED_TRACE(c.name);
      const RECT r = WindowRect(c.button->Handle());
      const TBitmap shot = Capture(r);
      const TGlyphLayout at = Layout(
          c.button->Handle(), c.button->Font(), {shot.Width(), shot.Height()}, c.button->Caption(),
          c.button->Layout, c.button->Margin, c.button->Spacing, false, dpi);
      ExpectInkAt(InkBox(shot, clRed), at, dpi);
      EXPECT_EQ(Fringe(shot), 0) << "the transparent colour mixed into the glyph's edge";
    }
    // Disabled: the second cell in grey, as large as the first.
    {
      const TBitmap shot = Capture(WindowRect(off->Handle()));
      const int grey = 255 / 3;
      const RECT box = InkBox(shot, RGBColour(grey, grey, grey), 1);
      EXPECT_NEAR(box.right - box.left, SkinScale(kInk.right - kInk.left, dpi), 1) << "disabled";
      EXPECT_NEAR(box.bottom - box.top, SkinScale(kInk.bottom - kInk.top, dpi), 1) << "disabled";
    }
    SaveShot(form.Handle(), ShotName("glyph-buttons", skin, dpi));
    // Pressed: the third cell, scaled alike, where the first was.
    const RECT r = WindowRect(beside->Handle());
    const RECT normal = InkBox(Capture(r), clRed);
    const POINT c = Centre(r);
    MoveTo(c);
    input::Press(c.x, c.y);
    EXPECT_TRUE(PumpUntil([&] { return InkBox(Capture(r), clLime).right > 0; }, 3000));
    const RECT pressed = InkBox(Capture(r), clLime);
    EXPECT_EQ(pressed.left, normal.left);
    EXPECT_EQ(pressed.top, normal.top);
    EXPECT_EQ(pressed.right - pressed.left, normal.right - normal.left);
    EXPECT_EQ(pressed.bottom - pressed.top, normal.bottom - normal.top);
    input::Release(c.x, c.y);
    Park();
    Pump(100);
    form.Close();
    Pump(30);
  }
}

// Speed buttons (windowless): the glyph grows with the DPI of their form.
TEST_F(GlyphsAtDpiTest, SpeedButtonGlyphsGrowWithTheDpi) {
  for (const int skin : kLookedAt) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TSpeedButton* speed = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      speed = &OwnedComponent<TSpeedButton>(f);
      speed->SetBounds(20, 20, 90, 30);
      speed->SetCaption(L"Go");
      speed->Glyph.Bitmap = ThreeGlyphs();
      speed->NumGlyphs = 3;
      speed->SetParent(&f);
    });
    const int dpi = DpiOf(form.Handle());
    ASSERT_NE(ObjectOf(form, *speed), nullptr);
    Redraw(form.Handle());
    Pump(50);
    // Where the windowless button shows: its bounds at the form's DPI.
    const TRect bounds = speed->BoundsRect();
    POINT corner{bounds.left, bounds.top};
    ClientToScreen(form.Handle(), &corner);
    const TBitmap shot =
        Capture({corner.x, corner.y, corner.x + bounds.Width(), corner.y + bounds.Height()});
    const TGlyphLayout at =
        Layout(form.Handle(), speed->Font(), {shot.Width(), shot.Height()}, speed->Caption(),
               speed->Layout, speed->Margin, speed->Spacing, true, dpi);
    ExpectInkAt(InkBox(shot, clRed), at, dpi);
    EXPECT_EQ(Fringe(shot), 0);
    SaveShot(form.Handle(), ShotName("speed-button", skin, dpi));
    form.Close();
    Pump(30);
  }
}

// Captions of glyph buttons show whole in every layout, and so do those of
// push buttons and drop-down buttons: what the caption adds to the button
// on the screen is as large as the same text drawn with the same font where
// nothing clips it (a letter's ink may stand out of its advance, as the
// bowl of a final "p" does).
TEST_F(GlyphsAtDpiTest, CaptionsShowWholeBesideAboveAndBelowTheirGlyph) {
  const struct {
    TButtonLayout layout;
    const wchar_t* text;
    const char* name;
    int width, height;
  } kButtons[] = {{blGlyphLeft, L"Copy", "left", 100, 30},
                  {blGlyphRight, L"Jump", "right", 100, 30},
                  {blGlyphTop, L"Top", "top", 100, 46},
                  {blGlyphBottom, L"Gray", "bottom", 100, 46}};
  for (const int skin : kLookedAt) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TBitBtn* buttons[4] = {};
    TButton* push = nullptr;
    TMenuButton* drop = nullptr;
    TEdit* elsewhere = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      int left = 20;
      for (int i = 0; i < 4; ++i) {
        const auto& b = kButtons[i];
        buttons[i] = &Add<TBitBtn>(f, f, left, 20, b.width, b.height, b.text);
        buttons[i]->Glyph.Bitmap = BlankGlyph();
        buttons[i]->Layout = b.layout;
        left += b.width + 10;
      }
      push = &Add<TButton>(f, f, 20, 80, 80, 26, L"Top");
      drop = &Add<TMenuButton>(f, f, 110, 80, 100, 26, L"Top");
      // The focus stays off the buttons, so no focus frame joins a caption.
      elsewhere = &Add<TEdit>(f, f, 220, 80, 100, 22);
    });
    const int dpi = DpiOf(form.Handle());
    SetFocus(elsewhere->Handle());
    Pump(50);
    const auto expect_whole = [&](TWinControl& button, const std::wstring& text) {
      ASSERT_NE(ObjectOf(form, button), nullptr);
      const RECT r = WindowRect(button.Handle());
      Redraw(button.Handle());
      Pump(30);
      const TBitmap with = Capture(r);
      button.SetCaption(L"");
      Redraw(button.Handle());
      Pump(30);
      const TBitmap without = Capture(r);
      button.SetCaption(text);
      const RECT ink = InkAgainst(with, without);
      ASSERT_GT(ink.right, ink.left) << "no caption on the screen";
      const auto [colour, ground] = InkAndGround(with, without);
      const SIZE whole = InkSize(button.Font(), text, colour, ground);
      EXPECT_EQ(ink.right - ink.left, whole.cx) << "the caption is cut at the side";
      EXPECT_EQ(ink.bottom - ink.top, whole.cy) << "the caption is cut above or below";
    };
    for (int i = 0; i < 4; ++i) {
      SCOPED_TRACE(kButtons[i].name);
      expect_whole(*buttons[i], kButtons[i].text);
    }
    {
      SCOPED_TRACE("push button");
      expect_whole(*push, L"Top");
    }
    {
      SCOPED_TRACE("drop-down button");
      expect_whole(*drop, L"Top");
    }
    Redraw(form.Handle());
    Pump(30);
    SaveShot(form.Handle(), ShotName("glyph-captions", skin, dpi));
    form.Close();
    Pump(30);
  }
}

}  // namespace
