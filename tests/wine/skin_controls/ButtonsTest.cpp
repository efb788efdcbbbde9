// Skinned push, glyph, speed and menu buttons as a person meets them: the
// skin's image for each state read back from the screen, clicks through
// real input counted, captions and glyphs where they belong, and the
// buttons of a bare system dialog that still do what they did.
#include <windows.h>

#include <thread>

#include "framework/ButtonLayout.h"
#include "framework/Buttons.h"
#include "framework/GdiObjects.h"
#include "framework/StdCtrls.h"
#include "skin/controls/SkinButtons.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinWindowMessages.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"
#include "tests/wine/support/InputScript.h"

namespace {

class ButtonsTest : public SkinControlsTest {};

TEST_F(ButtonsTest, PushButtonShowsEachStateAndReturnsToNormalHoweverTheMouseLeaves) {
  TButton* button = nullptr;
  TButton* disabled = nullptr;
  TButton* other = nullptr;
  TForm& form = ShowSkinned(2, [&](TForm& f) {
    button = &Add<TButton>(f, f, 40, 40, 90, 30, L"Press");
    disabled = &Add<TButton>(f, f, 140, 40, 90, 30, L"Off");
    other = &Add<TButton>(f, f, 240, 40, 90, 30, L"Other");
    disabled->SetEnabled(false);
  });
  TSkinData& data = DataOf(form);
  SetFocus(other->Handle());
  Pump(100);
  EXPECT_EQ(SendMessageW(button->Handle(), SKM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(ButtonCell(button->Handle(), data), sbNormal);
  EXPECT_EQ(ButtonCell(disabled->Handle(), data), sbDisabled);
  EXPECT_EQ(ButtonCell(other->Handle(), data), sbFocused);

  const POINT centre = Centre(WindowRect(button->Handle()));
  MoveTo(centre);
  EXPECT_TRUE(PumpUntil([&] { return ButtonCell(button->Handle(), data) == sbHot; }, 2000));
  input::Press(centre.x, centre.y);
  Pump(150);
  EXPECT_EQ(ButtonCell(button->Handle(), data), sbPressed);
  // Dragged off while held: no longer pressed; released there: no click.
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  const POINT away = ScreenPoint(form.Handle(), 400, 300);
  MoveTo(away);
  EXPECT_NE(ButtonCell(button->Handle(), data), sbPressed);
  input::Release(away.x, away.y);
  Pump(200);
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(PumpUntil([&] { return ButtonCell(button->Handle(), data) == sbFocused; }, 2000))
      << "the press gave the button the focus; nothing hot or pressed stays";

  // Hot, then a window comes up under the mouse, over the right part of
  // the button: the part still seen is not hot any more.
  SetFocus(other->Handle());
  MoveTo(centre);
  EXPECT_TRUE(PumpUntil([&] { return ButtonCell(button->Handle(), data) == sbHot; }, 2000));
  TFormStyle cover_style;
  cover_style.caption = L"Cover";
  cover_style.client_width = 120;
  cover_style.client_height = 80;
  cover_style.border_style = bsNone;
  TForm& cover = MakeForm(cover_style);
  const RECT b = WindowRect(button->Handle());
  SetWindowPos(cover.Handle(), HWND_TOP, centre.x - 10, b.top - 20, 0, 0,
               SWP_NOSIZE | SWP_NOACTIVATE);
  ShowWindow(cover.Handle(), SW_SHOWNOACTIVATE);
  Pump(100);
  MoveTo({centre.x + 1, centre.y});
  const RECT seen{b.left, b.top, centre.x - 12, b.bottom};
  auto seen_cell = [&](int cell) {
    TBitmap expected(b.right - b.left, b.bottom - b.top, data.Colours().ButtonFace);
    DrawSkinCell(expected, expected.BoundsRect(), data.Buttons(), 5, cell);
    TBitmap part(seen.right - seen.left, seen.bottom - seen.top);
    part.CopyRect(part.BoundsRect(), expected, part.BoundsRect());
    return MatchingShare(Capture(seen), part, 6);
  };
  EXPECT_TRUE(PumpUntil([&] { return seen_cell(sbNormal) > seen_cell(sbHot); }, 4000));
  cover.SetVisible(false);
}

TEST_F(ButtonsTest, ClicksFireOnceFromMouseAndKeysAndTwoLineCaptionsBreakAtTheBars) {
  TButton* button = nullptr;
  TButton* single = nullptr;
  TButton* twice = nullptr;
  TForm& form = ShowSkinned(0, [&](TForm& f) {
    button = &Add<TButton>(f, f, 40, 40, 90, 30, L"Click");
    single = &Add<TButton>(f, f, 40, 90, 90, 44, L"One line");
    twice = &Add<TButton>(f, f, 140, 90, 90, 44, L"Two||lines");
  });
  int clicks = 0, downs = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  button->OnMouseDown = [&](TObject*, TMouseButton b, WPARAM, int x, int y) {
    if (b == mbLeft && x > 0 && y > 0) ++downs;
  };
  Click(Centre(WindowRect(button->Handle())));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(downs, 1) << "the press reaches the control's own mouse-down handling";
  EXPECT_EQ(GetFocus(), button->Handle());
  // The space bar: pressed while down, and the button's own click.
  INPUT down = input::KeyInput(VK_SPACE, false);
  SendInput(1, &down, sizeof down);
  Pump(150);
  EXPECT_EQ(ButtonCell(button->Handle(), DataOf(form)), sbPressed);
  INPUT up = input::KeyInput(VK_SPACE, true);
  SendInput(1, &up, sizeof up);
  Pump(200);
  EXPECT_EQ(clicks, 2);

  const TColor ink = DataOf(form).Buttons().NormalColour2;
  EXPECT_EQ(RowBands(Capture(WindowRect(single->Handle())), ink), 1);
  EXPECT_EQ(RowBands(Capture(WindowRect(twice->Handle())), ink), 2);
}

TEST_F(ButtonsTest, BareDialogButtonsAreSkinnedAndStillAnswerWithTheirOwnCommand) {
  ShowSkinned(1, [](TForm&) {});
  // The script finds the message box, checks its buttons and clicks "No".
  bool skinned = false;
  input::TScriptThread script([&] {
    HWND box = nullptr;
    for (int i = 0; i < 100 && !box; ++i) {
      input::Pause(50);
      box = FindWindowW(L"#32770", L"Skinned box");
    }
    if (!box) return;
    HWND no = GetDlgItem(box, IDNO);
    for (int i = 0; i < 60 && !skinned; ++i) {
      input::Pause(50);
      skinned = SendMessageW(no, SKM_ISSKINNED, 0, 0) == 1;
    }
    RECT r{};
    GetWindowRect(no, &r);
    const POINT c = Centre(r);
    for (int i = 0; i < 3; ++i) {
      input::MoveTo(c.x, c.y);
      input::Pause(100);
    }
    input::Click(c.x, c.y);
    input::Pause(500);
    // A second chance, should the first click have come early.
    if (IsWindow(box)) {
      input::Click(c.x, c.y);
    }
  });
  const int answer = MessageBoxW(nullptr, L"Skinned buttons?", L"Skinned box", MB_YESNO);
  EXPECT_TRUE(skinned);
  EXPECT_EQ(answer, IDNO);
}

// A 4-cell glyph strip: red, green, blue, yellow (magenta bottom-left).
TBitmap FourGlyphs() {
  TBitmap strip(64, 16, clRed);
  strip.FillRect({16, 0, 32, 16}, clLime);
  strip.FillRect({32, 0, 48, 16}, clBlue);
  strip.FillRect({48, 0, 64, 16}, clYellow);
  for (int cell = 0; cell < 4; ++cell) strip.SetPixel(cell * 16, 15, clFuchsia);
  return strip;
}

// The left edge of the pixels of `colour` in the shot, or -1.
int LeftOf(const TBitmap& shot, TColor colour) {
  for (int x = 0; x < shot.Width(); ++x) {
    for (int y = 0; y < shot.Height(); ++y) {
      if (shot.Pixel(x, y) == colour) return x;
    }
  }
  return -1;
}

int TopOf(const TBitmap& shot, TColor colour) {
  for (int y = 0; y < shot.Height(); ++y) {
    for (int x = 0; x < shot.Width(); ++x) {
      if (shot.Pixel(x, y) == colour) return y;
    }
  }
  return -1;
}

TEST_F(ButtonsTest, GlyphButtonsPlaceGlyphAndCaptionByTheirLayout) {
  TBitBtn* left = nullptr;
  TBitBtn* top = nullptr;
  TBitBtn* off = nullptr;
  TForm& form = ShowSkinned(2, [&](TForm& f) {
    left = &Add<TBitBtn>(f, f, 40, 40, 75, 25, L"Add");
    left->Glyph.Bitmap = FourGlyphs();
    left->NumGlyphs = 4;
    left->Spacing = -1;
    top = &Add<TBitBtn>(f, f, 140, 40, 90, 60, L"Top");
    top->Glyph.Bitmap = FourGlyphs();
    top->NumGlyphs = 4;
    top->Layout = blGlyphTop;
    top->Margin = 6;
    off = &Add<TBitBtn>(f, f, 240, 40, 75, 25, L"Off");
    off->Glyph.Bitmap = FourGlyphs();
    off->NumGlyphs = 4;
    off->SetEnabled(false);
  });
  // Margin and spacing both -1: the room left is shared in thirds.
  HDC dc = GetDC(left->Handle());
  TSelectObject font(dc, left->Font());
  const TPoint text = MeasureCaption(dc, L"Add", 75 - 4 - 18);
  ReleaseDC(left->Handle(), dc);
  TGlyphLayoutInput in;
  in.client = {75, 25};
  in.glyph = {16, 16};
  in.text = text;
  in.margin = -1;
  in.spacing = -1;
  const TGlyphLayout expected = LayoutGlyphButton(in);
  const TBitmap shot = Capture(WindowRect(left->Handle()));
  EXPECT_EQ(LeftOf(shot, clRed), expected.glyph.x);
  EXPECT_EQ(TopOf(shot, clRed), (25 - 16 + 1) / 2);
  EXPECT_EQ(LeftOf(shot, clLime), -1);

  // Glyph on top, 6 pixels down, centred across.
  const TBitmap top_shot = Capture(WindowRect(top->Handle()));
  EXPECT_EQ(TopOf(top_shot, clRed), 6);
  EXPECT_EQ(LeftOf(top_shot, clRed), (90 - 16 + 1) / 2);

  // Disabled: the second glyph, in grey.
  const TBitmap off_shot = Capture(WindowRect(off->Handle()));
  EXPECT_EQ(LeftOf(off_shot, clLime), -1);
  EXPECT_EQ(LeftOf(off_shot, clRed), -1);
  const int grey = (0 + 255 + 0) / 3;
  EXPECT_GT(CountColour(off_shot, RGBColour(grey, grey, grey), 1), 100);
  EXPECT_EQ(ButtonCell(off->Handle(), DataOf(form)), sbDisabled);

  // Pressed: the third glyph while the button is down.
  const POINT c = Centre(WindowRect(left->Handle()));
  MoveTo(c);
  input::Press(c.x, c.y);
  Pump(150);
  EXPECT_GT(CountColour(Capture(WindowRect(left->Handle())), clBlue, 0), 200);
  input::Release(c.x, c.y);
  Pump(150);
}

TEST_F(ButtonsTest, SpeedButtonsShowDownAndFlatAndClickOnce) {
  TSpeedButton* down = nullptr;
  TSpeedButton* flat = nullptr;
  TSpeedButton* glyph = nullptr;
  TForm& form = ShowSkinned(4, [&](TForm& f) {
    down = &OwnedComponent<TSpeedButton>(f);
    down->SetBounds(40, 40, 80, 28);
    down->SetCaption(L"Down");
    down->SetGroupIndex(1);
    down->SetDown(true);
    down->SetParent(&f);
    flat = &OwnedComponent<TSpeedButton>(f);
    flat->SetBounds(140, 40, 80, 28);
    flat->SetCaption(L"Flat");
    flat->SetFlat(true);
    flat->SetParent(&f);
    glyph = &OwnedComponent<TSpeedButton>(f);
    glyph->SetBounds(240, 40, 80, 28);
    glyph->Glyph.Bitmap = FourGlyphs();
    glyph->NumGlyphs = 4;
    glyph->SetGroupIndex(2);
    glyph->AllowAllUp = true;
    glyph->SetParent(&f);
  });
  TSkinData& data = DataOf(form);
  ASSERT_NE(ObjectOf(form, *down), nullptr);
  EXPECT_EQ(ButtonCell(ScreenRect(*down), data), sbPressed);
  // Flat: only the background until the mouse comes. (A skin's disabled
  // image may sink into the face, so the face itself is what is looked for.)
  auto only_face = [&] {
    const TBitmap shot = Capture(ScreenRect(*flat));
    return CountColour(shot, data.Colours().ButtonFace, 2) > shot.Width() * shot.Height() * 8 / 10;
  };
  EXPECT_TRUE(only_face());
  EXPECT_NE(ButtonCell(ScreenRect(*flat), data), sbNormal);
  MoveTo(ScreenPoint(*flat, 40, 14));
  EXPECT_TRUE(PumpUntil([&] { return ButtonCell(ScreenRect(*flat), data) == sbHot; }, 2000));
  Park();
  EXPECT_TRUE(
      PumpUntil([&] { return only_face() && ButtonCell(ScreenRect(*flat), data) != sbHot; }, 2000));

  int clicks = 0;
  glyph->OnClick = [&](TObject*) { ++clicks; };
  EXPECT_GT(CountColour(Capture(ScreenRect(*glyph)), clRed, 0), 200);
  Click(ScreenPoint(*glyph, 40, 14));
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(glyph->Down());
  Park();
  Pump(200);
  EXPECT_GT(CountColour(Capture(ScreenRect(*glyph)), clYellow, 0), 200) << "the down glyph";
}

TEST_F(ButtonsTest, MenuButtonDrawsItsArrowAndNeverTheFocusedImage) {
  TMenuButton* button = nullptr;
  TForm& form =
      ShowSkinned(3, [&](TForm& f) { button = &Add<TMenuButton>(f, f, 40, 40, 100, 30, L"More"); });
  TSkinData& data = DataOf(form);
  SetFocus(button->Handle());
  Pump(150);
  EXPECT_EQ(ButtonCell(button->Handle(), data), sbHot) << "focused, it shows the hot image";
  const TBitmap shot = Capture(WindowRect(button->Handle()));
  const int ay = 30 / 2 + 2;
  const TColor ink = ColorToRGB(data.Colours().WindowText);
  // The arrow's tip and its wide top row.
  EXPECT_EQ(shot.Pixel(100 - 12, ay), ink);
  EXPECT_EQ(shot.Pixel(100 - 14, ay - 3), ink);
  EXPECT_EQ(shot.Pixel(100 - 10, ay - 3), ink);
  EXPECT_NE(shot.Pixel(100 - 12, ay + 2), ink);
}

}  // namespace
