// Stand-alone spin buttons and edits at the screen's DPI, read back from
// the screen: the arrows of an up-down pair are as large as the DPI makes
// them (the skin's glyph cells and the plain arrows of a skin without
// them) and a click on each half still steps the position; an edit's text
// keeps the border's width and a gap, both scaled, from the edit's edge,
// also after a new font, and the edit's own margins come back when the
// skin goes; a spin edit's buttons keep a scaled gap from its edges; the
// border of a normal and a read-only edit is even along every side. The
// suite runs once per DPI (the prefix's LogPixels); TONMILL_TEST_DPI names
// the DPI a run expects.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

#include "framework/Dpi.h"
#include "framework/GdiObjects.h"
#include "framework/SpinEdit.h"
#include "framework/StdCtrls.h"
#include "framework/UpDown.h"
#include "skin/controls/ContentColours.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"
#include "tests/wine/skin_fields/SpinTestSupport.h"
#include "tests/wine/support/DpiRunSupport.h"
#include "tests/wine/support/InputScript.h"
#include "tests/wine/support/ScreenCapture.h"

namespace {

constexpr int kNightfall = 1, kDaylight = 2, kContrast = 3;
constexpr int kLookedAt[] = {kNightfall, kDaylight, kContrast};
// The tag the skin data leaves a control alone by (its DisableTag).
constexpr int kLeftAlone = 99;

int ExpectedDpi() {
  const char* text = std::getenv("TONMILL_TEST_DPI");
  return text ? std::atoi(text) : 0;
}

std::string ShotName(const std::string& what, int skin, int dpi) {
  return what + "-" + kSkinFiles[skin] + "-" + std::to_string(dpi) + "dpi";
}

int Distance(TColor a, TColor b) {
  a = ColorToRGB(a) & 0xFFFFFF;
  b = ColorToRGB(b) & 0xFFFFFF;
  return std::max({std::abs(RedOf(a) - RedOf(b)), std::abs(GreenOf(a) - GreenOf(b)),
                   std::abs(BlueOf(a) - BlueOf(b))});
}

using dpi_run::InkBox;
using dpi_run::InkBoxOf;

// The pixels nearer `ink` than `under` (magenta holes aside): the part of a
// smoothed stroke that is more ink than background, which grows with the
// stroke when it is scaled.
RECT StrokeBox(const TBitmap& shot, TColor ink, TColor under, RECT area = {}) {
  return InkBoxOf(
      shot, [&](TColor c) { return c != clFuchsia && Distance(c, ink) < Distance(c, under); },
      area);
}

struct TMargins {
  int left = 0, right = 0;
};

TMargins MarginsOf(HWND edit) {
  const auto m = static_cast<DWORD>(SendMessageW(edit, EM_GETMARGINS, 0, 0));
  return {LOWORD(m), HIWORD(m)};
}

class FieldsAtDpiTest : public SpinFixture {
 protected:
  int DpiOf(HWND window) {
    const int dpi = WindowDpi(window);
    if (const int expected = ExpectedDpi()) {
      EXPECT_EQ(dpi, expected) << "the prefix's LogPixels did not take";
    }
    return dpi;
  }
};

// The arrow of cell 1 (first button, at rest) of a strip's glyph image: the
// colour that stands out most from the button under it, and the size of the
// arrow drawn in it.
struct TArrow {
  TColor ink = 0, plate = 0;
  int width = 0, height = 0;
};

TArrow ArrowOf(const TDataSkinBorder& object) {
  const int frames = object.Frame > 0 ? object.Frame : 8;
  const TBitmap& glyphs = object.Bitmap2;
  const int cw = glyphs.Width() / frames;
  const TColor plate =
      object.Bitmap.Pixel(object.Bitmap.Width() / frames / 2, object.Bitmap.Height() / 2);
  TArrow arrow;
  arrow.plate = plate;
  int best = -1;
  for (int y = 0; y < glyphs.Height(); ++y) {
    for (int x = 0; x < cw; ++x) {
      const TColor c = glyphs.Pixel(x, y);
      if (c == clFuchsia || Distance(c, plate) <= best) continue;
      best = Distance(c, plate);
      arrow.ink = c;
    }
  }
  TBitmap cell(cw, glyphs.Height());
  cell.CopyRect(cell.BoundsRect(), glyphs, cell.BoundsRect());
  const RECT box = StrokeBox(cell, arrow.ink, plate);
  arrow.width = box.right - box.left;
  arrow.height = box.bottom - box.top;
  return arrow;
}

// Stand-alone pairs, upright and side by side: the skin's arrows at the
// DPI's size in each half, the plain arrows of a skin without the strips
// likewise, and clicks on each half stepping the position.
TEST_F(FieldsAtDpiTest, StandAloneSpinArrowsGrowWithTheDpiAndEachHalfSteps) {
  for (const int skin : kLookedAt) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TUpDown *upright = nullptr, *side = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      upright = &Add<TUpDown>(f, f, 20, 20, 17, 40);
      upright->SetMax(9);
      upright->SetPosition(5);
      side = &Add<TUpDown>(f, f, 60, 20, 40, 17);
      side->SetHorizontal(true);
      side->SetMax(9);
      side->SetPosition(5);
    });
    const int dpi = DpiOf(form.Handle());
    TSkinData& data = DataOf(form);
    ASSERT_NE(dynamic_cast<TSkinUpDown*>(ObjectOf(form, *upright)), nullptr);
    Park();
    Redraw(upright->Handle());
    Redraw(side->Handle());
    const RECT u = WindowRect(upright->Handle()), s = WindowRect(side->Handle());
    EXPECT_NEAR(u.bottom - u.top, ScaleForDpi(40, dpi), 1);
    struct TCase {
      const RECT* pair;
      bool horizontal;
      TSkinSlot strip;
    };
    for (const TCase& c : {TCase{&u, false, ssUpDownVert}, TCase{&s, true, ssUpDownHorz}}) {
      SCOPED_TRACE(c.horizontal ? "side by side" : "upright");
      const TDataSkinBorder* object = data.BorderObject(c.strip);
      ASSERT_TRUE(object && !object->Bitmap2.Empty());
      const TArrow arrow = ArrowOf(*object);
      ASSERT_GT(arrow.width, 0);
      const RECT half = Half(*c.pair, c.horizontal, 0);
      // Inside the button's edge, which may be drawn in the arrow's colour.
      const int edge = SkinScale(3, dpi);
      const RECT inside{edge, edge, half.right - half.left - edge, half.bottom - half.top - edge};
      const RECT box = StrokeBox(Capture(half), arrow.ink, arrow.plate, inside);
      EXPECT_NEAR(box.right - box.left, SkinScale(arrow.width, dpi), 1 + dpi / 96);
      EXPECT_NEAR(box.bottom - box.top, SkinScale(arrow.height, dpi), 1 + dpi / 96);
    }
    SaveShot(form.Handle(), ShotName("updown-pairs", skin, dpi));

    Click({(u.left + u.right) / 2, u.top + (u.bottom - u.top) / 4});
    EXPECT_TRUE(PumpUntil([&] { return upright->Position() == 6; }));
    Click({(u.left + u.right) / 2, u.bottom - (u.bottom - u.top) / 4});
    Click({(u.left + u.right) / 2, u.bottom - (u.bottom - u.top) / 4});
    EXPECT_TRUE(PumpUntil([&] { return upright->Position() == 4; }));
    Click({s.right - (s.right - s.left) / 4, (s.top + s.bottom) / 2});
    EXPECT_TRUE(PumpUntil([&] { return side->Position() == 6; }));
    Click({s.left + (s.right - s.left) / 4, (s.top + s.bottom) / 2});
    Click({s.left + (s.right - s.left) / 4, (s.top + s.bottom) / 2});
    EXPECT_TRUE(PumpUntil([&] { return side->Position() == 4; }));
    Park();

    // Without the strips: plain boxes with arrows of lines, grown alike
    // (the upright pair's up arrow is 9 pixels wide and 5 high at 96 DPI).
    data.Object(ssUpDownVert)->Bitmap.Clear();
    data.Object(ssUpDownHorz)->Bitmap.Clear();
    Pump(100);
    Redraw(upright->Handle());
    const TColor text = data.Colours().ButtonText;
    const RECT inner = {2, 2, u.right - u.left - 2, (u.bottom - u.top) / 2 - 2};
    const RECT plain = InkBox(Capture(Half(u, false, 0)), text, 24, inner);
    EXPECT_NEAR(plain.right - plain.left, SkinScale(9, dpi), 1 + dpi / 96);
    EXPECT_NEAR(plain.bottom - plain.top, SkinScale(5, dpi), 1 + dpi / 96);
    SaveShot(form.Handle(), ShotName("updown-plain", skin, dpi));
    form.Close();
    Pump(30);
  }
}

// Edits: the first column of text ink is at least the scaled border and
// gap from the edit's edge; a new font keeps it so; switching the skin off
// gives the edit the margins of an edit the skin never touched, a spin
// edit's room for its buttons included.
TEST_F(FieldsAtDpiTest, EditTextKeepsClearOfTheBorderAndTheMarginsComeBack) {
  for (const int skin : kLookedAt) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TEdit *edit = nullptr, *plain = nullptr;
    TSpinEdit *spin = nullptr, *plain_spin = nullptr;
    TButton* focus = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      focus = &Add<TButton>(f, f, 20, 150, 80, 25, L"Focus");
      edit = &Add<TEdit>(f, f, 20, 20, 160, 24);
      edit->SetText(L"WMH wide");
      plain = &Add<TEdit>(f, f, 200, 20, 160, 24);
      plain->SetText(L"WMH wide");
      plain->SetTag(kLeftAlone);
      spin = &Add<TSpinEdit>(f, f, 20, 70, 100, 24);
      plain_spin = &Add<TSpinEdit>(f, f, 200, 70, 100, 24);
      plain_spin->SetTag(kLeftAlone);
    });
    const int dpi = DpiOf(form.Handle());
    TSkinData& data = DataOf(form);
    ASSERT_NE(dynamic_cast<TSkinEdit*>(ObjectOf(form, *edit)), nullptr);
    ASSERT_EQ(ObjectOf(form, *plain), nullptr);
    SetFocus(focus->Handle());
    Pump(50);
    Redraw(edit->Handle());
    const int clear = ScaleForDpi(2 + 2, dpi);
    auto first_ink = [&] {
      const RECT w = WindowRect(edit->Handle());
      const RECT c = ClientScreenRect(edit->Handle());
      const TBitmap shot = Capture(w);
      const RECT client{c.left - w.left, c.top - w.top, c.right - w.left, c.bottom - w.top};
      const TColor ink = ContentLook(data.Colours(), csNormal).ink;
      return InkBox(shot, ink, 40, client).left;
    };
    const int left = first_ink();
    EXPECT_GE(left, clear) << "the text is nearer the edge than the border and its gap";
    EXPECT_GE(MarginsOf(edit->Handle()).right, clear - 2 * dpi / 96);
    SaveShot(form.Handle(), ShotName("edit-margins", skin, dpi));

    // A new font gives the edit the system's margins for it; the skin
    // widens them again.
    const auto font = SendMessageW(edit->Handle(), WM_GETFONT, 0, 0);
    SendMessageW(edit->Handle(), WM_SETFONT, font, TRUE);
    SendMessageW(plain->Handle(), WM_SETFONT, font, TRUE);
    Redraw(edit->Handle());
    EXPECT_EQ(first_ink(), left);

    // The spin edit keeps its room for the buttons.
    EXPECT_GE(MarginsOf(spin->Handle()).right, MarginsOf(plain_spin->Handle()).right);

    SwitchSkin(form, data, false);
    EXPECT_EQ(MarginsOf(edit->Handle()).left, MarginsOf(plain->Handle()).left);
    EXPECT_EQ(MarginsOf(edit->Handle()).right, MarginsOf(plain->Handle()).right);
    EXPECT_EQ(MarginsOf(spin->Handle()).left, MarginsOf(plain_spin->Handle()).left);
    EXPECT_EQ(MarginsOf(spin->Handle()).right, MarginsOf(plain_spin->Handle()).right);
    form.Close();
    Pump(30);
  }
}

// A spin edit: its buttons keep the gap from the edit's top, right and
// bottom edges at the DPI's size (the border they stay clear of grows with
// it), the gap shows the edit's text area, and a click on each button
// still steps the value.
TEST_F(FieldsAtDpiTest, ASpinEditsButtonsKeepTheirGapFromTheBorderAtTheDpi) {
  for (const int skin : kLookedAt) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TSpinEdit* spin = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      spin = &Add<TSpinEdit>(f, f, 20, 20, 120, 26);
      spin->SetMaxValue(50);
      spin->SetValue(10);
    });
    const int dpi = DpiOf(form.Handle());
    TSkinData& data = DataOf(form);
    auto* object = dynamic_cast<TSkinUpDown*>(ObjectOf(form, spin->Button()));
    ASSERT_TRUE(object && object->Embedded());
    Park();
    Redraw(spin->Handle());
    const int gap = SkinScale(3, dpi);
    const RECT edit = WindowRect(spin->Handle());
    const RECT buttons = ButtonsScreenRect(*object);
    EXPECT_EQ(buttons.top - edit.top, gap);
    EXPECT_EQ(edit.right - buttons.right, gap);
    EXPECT_EQ(edit.bottom - buttons.bottom, gap);
    // The row just outside the buttons is the edit's text area, the first
    // row of the buttons is theirs.
    const TColor back = ContentLook(data.Colours(), csNormal).back;
    const int width = buttons.right - buttons.left;
    const TBitmap above = Capture({buttons.left, buttons.top - 1, buttons.right, buttons.top});
    EXPECT_EQ(CountColour(above, back, 8), width);
    const TBitmap top = Capture({buttons.left, buttons.top, buttons.right, buttons.top + 1});
    EXPECT_LT(CountColour(top, back, 8), width / 2);
    SaveShot(form.Handle(), ShotName("spin-edit", skin, dpi));

    const int x = (buttons.left + buttons.right) / 2;
    Click({x, buttons.top + (buttons.bottom - buttons.top) / 4});
    EXPECT_TRUE(PumpUntil([&] { return spin->Value() == 11; })) << spin->Value();
    Click({x, buttons.bottom - (buttons.bottom - buttons.top) / 4});
    EXPECT_TRUE(PumpUntil([&] { return spin->Value() == 10; })) << spin->Value();
    Park();
    form.Close();
    Pump(30);
  }
}

// The border of a normal and of a read-only edit: the ring the skin draws
// (as deep as the system's border) shows the sunken-edge cell scaled to
// the DPI over the face colour, and each of its lines is even from corner
// to corner on every side (no piece of the drop-down box's button, from
// which the edge cells are cut, shows in it at any DPI).
TEST_F(FieldsAtDpiTest, EditBordersShowTheEdgeCellAtTheDpiEvenOnEverySide) {
  for (const int skin : kLookedAt) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TEdit *edit = nullptr, *read_only = nullptr;
    TButton* focus = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      focus = &Add<TButton>(f, f, 20, 120, 80, 25, L"Focus");
      edit = &Add<TEdit>(f, f, 20, 20, 135, 24, L"WMH wide");
      read_only = &Add<TEdit>(f, f, 20, 60, 135, 24, L"WMH wide");
      read_only->SetReadOnly(true);
    });
    const int dpi = DpiOf(form.Handle());
    TSkinData& data = DataOf(form);
    TDataSkinObject made;
    const TDataSkinObject* edge = SunkenEdgeCells(data, made);
    ASSERT_TRUE(edge);
    SetFocus(focus->Handle());
    Park();
    for (TEdit* field : {edit, read_only}) {
      SCOPED_TRACE(field == edit ? "normal" : "read-only");
      ASSERT_NE(dynamic_cast<TSkinEdit*>(ObjectOf(form, *field)), nullptr);
      Redraw(field->Handle());
      const RECT w = WindowRect(field->Handle());
      const RECT c = ClientScreenRect(field->Handle());
      const int width = w.right - w.left, height = w.bottom - w.top;
      const int depth =
          std::min({c.left - w.left, c.top - w.top, w.right - c.right, w.bottom - c.bottom});
      ASSERT_GT(depth, 0);
      const TBitmap shot = Capture(w);
      TBitmap expected(width, height, ColorToRGB(data.Colours().ButtonFace));
      expected.Draw(0, 0, RenderSkinCell(*edge, width, height, std::max(edge->Frame, 1), 1, dpi),
                    true, clFuchsia);
      int off = 0;
      for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
          const bool ring = x < depth || y < depth || x >= width - depth || y >= height - depth;
          off += ring && Distance(shot.Pixel(x, y), expected.Pixel(x, y)) > 8;
        }
      }
      EXPECT_EQ(off, 0) << "pixels of the border unlike the cell";
      // Between the corners each line of the border is one colour along
      // its side.
      const int corner =
          SkinScale(
              std::max({edge->LeftWidth, edge->TopHeight, edge->RightWidth, edge->BottomHeight}),
              dpi) +
          1;
      int steps = 0;
      for (int d = 0; d < depth; ++d) {
        for (const int y : {d, height - 1 - d}) {
          for (int x = corner; x < width - corner; ++x) {
            steps += Distance(shot.Pixel(x, y), shot.Pixel(corner, y)) > 8;
          }
        }
        for (const int x : {d, width - 1 - d}) {
          for (int y = corner; y < height - corner; ++y) {
            steps += Distance(shot.Pixel(x, y), shot.Pixel(x, corner)) > 8;
          }
        }
      }
      EXPECT_EQ(steps, 0) << "pixels along the border's lines that step out of them";
    }
    SaveShot(form.Handle(), ShotName("edit-borders", skin, dpi));
    form.Close();
    Pump(30);
  }
}

}  // namespace

namespace {

// The first row of `text`'s ink in `font`, drawn black on white from the
// top of its line.
int InkTopInLine(HFONT font, const std::wstring& text) {
  constexpr int kSize = 200;
  const TWindowDC screen(nullptr);
  const TMemoryDC dc(screen.Get(), kSize, kSize);
  const TSelectObject chosen(dc.Get(), font);
  RECT all{0, 0, kSize, kSize};
  FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetBkMode(dc.Get(), TRANSPARENT);
  SetTextColor(dc.Get(), RGB(0, 0, 0));
  TextOutW(dc.Get(), 0, 0, text.c_str(), static_cast<int>(text.size()));
  int top = -1;
  for (int y = 0; y < kSize && top < 0; ++y) {
    for (int x = 0; x < kSize; ++x) {
      if (GetPixel(dc.Get(), x, y) != RGB(255, 255, 255)) {
        top = y;
        break;
      }
    }
  }
  return top;
}

// A single-line edit taller than its font shows its line where the 96-DPI
// edit does, scaled: the system puts the line at the top of the text area
// (3 pixels below the edit's top at 96 DPI: its border and a pixel), and
// at a higher DPI the border the skin draws is thicker while the system's
// stays 2 pixels, so the line would sit high in the field. The line's ink
// is read back from the screen; the band between the skin's border and the
// text area shows the field's own colour, not the dialog face, and a press
// there reaches the edit. Without the skin the text area is the system's
// again.
TEST_F(FieldsAtDpiTest, SingleLineTextSitsWhereTheDpiScalesIt) {
  constexpr int kLineTopAt96 = 3;
  const std::wstring text = L"WMH wide";
  for (const int skin : kLookedAt) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TEdit *edit = nullptr, *plain = nullptr;
    TButton* focus = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      focus = &Add<TButton>(f, f, 20, 150, 80, 25, L"Focus");
      edit = &Add<TEdit>(f, f, 20, 20, 160, 24);
      edit->SetText(text);
      plain = &Add<TEdit>(f, f, 200, 20, 160, 24);
      plain->SetTag(kLeftAlone);
    });
    const int dpi = DpiOf(form.Handle());
    TSkinData& data = DataOf(form);
    ASSERT_NE(dynamic_cast<TSkinEdit*>(ObjectOf(form, *edit)), nullptr);
    SetFocus(focus->Handle());
    Pump(50);
    Redraw(edit->Handle());
    const TContentLook look = ContentLook(data.Colours(), csNormal);
    const RECT window = WindowRect(edit->Handle());
    const RECT client = ClientScreenRect(edit->Handle());
    const TBitmap shot = Capture(window);
    SaveShot(window, ShotName("edit-line", skin, dpi));
    const RECT ink = InkBox(shot, look.ink, 40,
                            {client.left - window.left, client.top - window.top,
                             client.right - window.left, client.bottom - window.top});
    ASSERT_FALSE(IsRectEmpty(&ink)) << "no text";
    auto* font = reinterpret_cast<HFONT>(SendMessageW(edit->Handle(), WM_GETFONT, 0, 0));
    const int in_line = InkTopInLine(font, text);
    ASSERT_GE(in_line, 0);
    EXPECT_NEAR(ink.top - in_line, ScaleForDpi(kLineTopAt96, dpi), 1)
        << "the line starts " << ink.top - in_line << " pixels below the edit's top";
    // Between the border and the text area, in the middle of the edit.
    const int middle = shot.Width() / 2;
    for (int y = ScaleForDpi(2, dpi); y < client.top - window.top; ++y) {
      EXPECT_LE(Distance(shot.Pixel(middle, y), look.back), 24) << "row " << y;
    }
    // A press on the field above the text area reaches the edit.
    const int band = client.top - window.top;
    if (band > ScaleForDpi(2, dpi)) {
      Click({(window.left + window.right) / 2, window.top + band - 1});
      EXPECT_TRUE(PumpUntil([&] { return GetFocus() == edit->Handle(); }, 2000))
          << "a press on the field above the line";
      SetFocus(focus->Handle());
      Pump(30);
    }
    // Without the skin the edit's text area is the system's again.
    SwitchSkin(form, data, false);
    const auto inset = [](HWND window) {
      const RECT outer = WindowRect(window), inner = ClientScreenRect(window);
      return std::make_pair(inner.top - outer.top, outer.bottom - inner.bottom);
    };
    EXPECT_EQ(inset(edit->Handle()), inset(plain->Handle()));
    form.Close();
    Pump(30);
  }
}

}  // namespace
