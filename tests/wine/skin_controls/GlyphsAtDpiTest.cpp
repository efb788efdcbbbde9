// Glyph buttons and speed buttons at the screen's DPI, read back from the
// screen: the glyph is as large as the DPI makes it (its 96-DPI size times
// DPI / 96), placed beside or above the caption as the layout says with
// margin and spacing grown alike, the cells of the pressed and disabled
// states scaled the same way, and no fringe of the transparent colour round
// it at any factor. The suite runs once per DPI (the prefix's LogPixels);
// TONMILL_TEST_DPI names the DPI a run expects.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "framework/Buttons.h"
#include "framework/Dpi.h"
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

}  // namespace
