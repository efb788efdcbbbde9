// Pickers that choose with up-down arrows (a time picker, a date picker
// stepped with arrows) at the screen's DPI, as a person sees and uses
// them: the arrows are the skin's spin cells at the DPI's scale, at least
// as wide as the system's scroll arrows there, and a click on the up arrow
// steps the part of the time chosen; switching the skin off, which detaches
// the form's engine, gives the picker the arrows of a picker the skin never
// touched, and the skin takes them again when it comes back, in the cells
// of whichever skin it is. The suite runs once per DPI (the prefix's
// LogPixels).
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <iterator>
#include <string>
#include <utility>

#include "framework/DateTimePicker.h"
#include "framework/Dpi.h"
#include "skin/controls/SkinDateTime.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinWindowMessages.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"
#include "tests/wine/support/DpiRunSupport.h"

namespace {

constexpr int kNightfall = 1, kDaylight = 2, kContrast = 3;
// The tag the skin data leaves a control alone by (its DisableTag).
constexpr int kLeftAlone = 99;

SYSTEMTIME TenPast(int hour) {
  SYSTEMTIME st{};
  st.wYear = 2028;
  st.wMonth = 8;
  st.wDay = 28;
  st.wHour = static_cast<WORD>(hour);
  st.wMinute = 10;
  return st;
}

int Distance(TColor a, TColor b) {
  a = ColorToRGB(a) & 0xFFFFFF;
  b = ColorToRGB(b) & 0xFFFFFF;
  return std::max({std::abs(RedOf(a) - RedOf(b)), std::abs(GreenOf(a) - GreenOf(b)),
                   std::abs(BlueOf(a) - BlueOf(b))});
}

// The pixels nearer `ink` than `under` (magenta holes aside): the part of a
// smoothed stroke that is more ink than background.
RECT StrokeBox(const TBitmap& shot, TColor ink, TColor under, RECT area = {}) {
  return dpi_run::InkBoxOf(
      shot, [&](TColor c) { return c != clFuchsia && Distance(c, ink) < Distance(c, under); },
      area);
}

// The arrow of the first cell (the up button at rest) of the strip's glyph
// image: the colour that stands out most from the button under it, and
// the size of the arrow drawn in it at 96 DPI.
struct TArrow {
  TColor ink = 0, plate = 0;
  int width = 0, height = 0;
};

TArrow ArrowOf(const TDataSkinBorder& strip) {
  const TBitmap& glyphs = strip.Bitmap2;
  const int cw = glyphs.Width() / 8;
  TArrow arrow;
  arrow.plate = strip.Bitmap.Pixel(strip.Bitmap.Width() / 16, strip.Bitmap.Height() / 2);
  int best = -1;
  for (int y = 0; y < glyphs.Height(); ++y) {
    for (int x = 0; x < cw; ++x) {
      const TColor c = glyphs.Pixel(x, y);
      if (c == clFuchsia || Distance(c, arrow.plate) <= best) continue;
      best = Distance(c, arrow.plate);
      arrow.ink = c;
    }
  }
  TBitmap cell(cw, glyphs.Height());
  cell.CopyRect(cell.BoundsRect(), glyphs, cell.BoundsRect());
  const RECT box = StrokeBox(cell, arrow.ink, arrow.plate);
  arrow.width = box.right - box.left;
  arrow.height = box.bottom - box.top;
  return arrow;
}

class TimePickerAtDpiTest : public AtScreenDpi<SkinControlsTest> {
 protected:
  // A time picker, a date picker stepped with arrows, and a time picker
  // the skin leaves alone (the system's look to compare with).
  struct TPickers {
    TDateTimePicker* time = nullptr;
    TDateTimePicker* stepped = nullptr;
    TDateTimePicker* plain = nullptr;
  };
  TForm& ShowPickers(int skin, TPickers& made) {
    return ShowSkinned(skin, [&](TForm& f) {
      made.time = &OwnedComponent<TDateTimePicker>(f);
      made.time->SetKind(dtkTime);
      made.stepped = &OwnedComponent<TDateTimePicker>(f);
      made.stepped->SetDateMode(dmUpDown);
      made.plain = &OwnedComponent<TDateTimePicker>(f);
      made.plain->SetKind(dtkTime);
      made.plain->SetTag(kLeftAlone);
      int top = 20;
      for (TDateTimePicker* picker : {made.time, made.stepped, made.plain}) {
        picker->SetBounds(20, top, 160, 24);
        picker->SetDateTime(TenPast(10));
        picker->SetParent(&f);
        top += 40;
      }
    });
  }
  static HWND SpinOf(const TDateTimePicker& picker) {
    for (HWND child = GetTopWindow(picker.Handle()); child; child = GetWindow(child, GW_HWNDNEXT)) {
      wchar_t name[32] = {};
      GetClassNameW(child, name, static_cast<int>(std::size(name)));
      if (_wcsicmp(name, UPDOWN_CLASSW) == 0) return child;
    }
    return nullptr;
  }
  static RECT Half(const RECT& r, int which) {
    RECT h = r;
    (which == 0 ? h.bottom : h.top) = r.top + (r.bottom - r.top) / 2;
    return h;
  }
  // Cell `frame` of the skin's upright spin strip with its arrow, at the
  // DPI, over the skin's face colour, as a button of w x h shows it.
  static TBitmap ExpectedButton(const TSkinData& data, int frame, int w, int h, int dpi) {
    const TDataSkinBorder& strip = *data.BorderObject(ssUpDownVert);
    TBitmap expected(w, h, ColorToRGB(data.Colours().ButtonFace));
    expected.Draw(0, 0, RenderSkinCell(strip, w, h, 8, frame, dpi), strip.Trans == 1, clFuchsia);
    const TBitmap& glyphs = strip.Bitmap2;
    const int gw = std::min(SkinScale(glyphs.Width() / 8, dpi), w);
    const int gh = std::min(SkinScale(glyphs.Height(), dpi), h);
    expected.Draw((w - gw) / 2, (h - gh) / 2, ScaleSkinCell(glyphs, 8, frame, gw, gh), true,
                  clFuchsia);
    return expected;
  }
  // The picker's arrows as the skin draws them: both buttons show their
  // cells at rest, the arrows on them as large as the DPI makes them, and
  // the pair is as wide as the system's scroll arrows at the DPI, at the
  // picker's right end.
  void ExpectSkinnedArrows(TForm& form, const TDateTimePicker& picker) {
    ExpectSkinnedArrowsAt(form, picker, dpi_);
  }
  void ExpectSkinnedArrowsAt(TForm& form, const TDateTimePicker& picker, int dpi) {
    auto* object = dynamic_cast<TSkinDateTime*>(ObjectOf(form, picker));
    ASSERT_NE(object, nullptr);
    const HWND spin = SpinOf(picker);
    ASSERT_TRUE(spin);
    ASSERT_EQ(SendMessageW(spin, SKM_ISSKINNED, 0, 0), 1) << "the picker's arrows are not skinned";
    const RECT r = WindowRect(spin), client = ClientScreenRect(picker.Handle());
    EXPECT_GE(r.right - r.left, SystemMetricsForDpi(SM_CXVSCROLL, dpi));
    // At the field's right end (the picker puts its arrows up to a pixel
    // past it, under its border).
    EXPECT_NEAR(r.right, client.right, 1);
    EXPECT_EQ(r.top, client.top);
    EXPECT_EQ(r.bottom, client.bottom);
    RedrawWindow(spin, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    Pump(50);
    const TSkinData& data = DataOf(form);
    for (const auto& [which, frame] : {std::pair{0, 1}, std::pair{1, 5}}) {
      SCOPED_TRACE(which == 0 ? "up" : "down");
      const RECT half = Half(r, which);
      const int w = half.right - half.left, h = half.bottom - half.top;
      EXPECT_GT(MatchingShare(Capture(half), ExpectedButton(data, frame, w, h, dpi), 8), 0.9);
    }
    // The up arrow's ink, measured on the screen, against the glyph's own
    // scaled to the DPI.
    const TArrow arrow = ArrowOf(*data.BorderObject(ssUpDownVert));
    ASSERT_GT(arrow.width, 0);
    // Looked for where the glyph's cell lies, centred on the button: its
    // edge may be drawn in the arrow's colour.
    const RECT up = Half(r, 0);
    const TBitmap& glyphs = data.BorderObject(ssUpDownVert)->Bitmap2;
    const int gw = std::min<int>(SkinScale(glyphs.Width() / 8, dpi), up.right - up.left);
    const int gh = std::min<int>(SkinScale(glyphs.Height(), dpi), up.bottom - up.top);
    const int gx = (up.right - up.left - gw) / 2, gy = (up.bottom - up.top - gh) / 2;
    const RECT seen = StrokeBox(Capture(up), arrow.ink, arrow.plate, {gx, gy, gx + gw, gy + gh});
    const int slack = 1 + dpi / 96;
    EXPECT_NEAR(seen.right - seen.left, SkinScale(arrow.width, dpi), slack);
    EXPECT_NEAR(seen.bottom - seen.top, SkinScale(arrow.height, dpi), slack);
  }
  // A click on the first part of the picker's field, the hour of a time.
  void ClickHour(const TDateTimePicker& picker) {
    const RECT field = ClientScreenRect(picker.Handle());
    Click({field.left + SkinScale(6, dpi_), (field.top + field.bottom) / 2});
    EXPECT_TRUE(PumpUntil([&] { return GetFocus() == picker.Handle(); }, 3000));
  }
  // The picker's arrows look as those of the picker the skin never
  // touched: the same width, the same pixels.
  void ExpectSystemArrows(const TDateTimePicker& picker, const TDateTimePicker& plain) {
    const HWND spin = SpinOf(picker), reference = SpinOf(plain);
    ASSERT_TRUE(spin && reference);
    RedrawWindow(spin, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    RedrawWindow(reference, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    Pump(80);
    const RECT r = WindowRect(spin), ref = WindowRect(reference);
    EXPECT_EQ(r.right - r.left, ref.right - ref.left);
    EXPECT_EQ(r.bottom - r.top, ref.bottom - ref.top);
    EXPECT_GT(MatchingShare(Capture(r), Capture(ref), 4), 0.97);
  }
  static int Minutes(const TDateTimePicker& picker) {
    const SYSTEMTIME& st = picker.DateTime();
    return st.wHour * 60 + st.wMinute;
  }
  std::string Name(const std::string& what, int skin) const {
    return what + "-" + kSkinFiles[skin] + "-" + DpiName();
  }
};

// Under the skins with spin strips, a time picker's and a stepped date
// picker's arrows are the strip's cells at the DPI; a click on the time's
// hour and then on the up arrow makes it an hour later, the down arrow an
// hour earlier again.
TEST_F(TimePickerAtDpiTest, TheArrowsAreTheSkinsSpinCellsAtTheDpiAndTheUpArrowStepsTheTime) {
  for (const int skin : {kNightfall, kDaylight, kContrast}) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TPickers p;
    TForm& form = ShowPickers(skin, p);
    ASSERT_EQ(EngineOf(form.Handle())->Dpi(), dpi_);
    Park();
    Pump(100);
    {
      SCOPED_TRACE("time");
      ExpectSkinnedArrows(form, *p.time);
    }
    {
      SCOPED_TRACE("stepped date");
      ExpectSkinnedArrows(form, *p.stepped);
    }
    SaveShot(form.Handle(), Name("time-picker-arrows", skin));

    int changes = 0;
    p.time->OnChange = [&](TObject*) { ++changes; };
    // The hour is the first part of the field.
    ClickHour(*p.time);
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == p.time->Handle(); }, 3000));
    const int before = Minutes(*p.time);
    const RECT spin = WindowRect(SpinOf(*p.time));
    const RECT up = Half(spin, 0), down = Half(spin, 1);
    Click({(up.left + up.right) / 2, (up.top + up.bottom) / 2});
    EXPECT_TRUE(PumpUntil([&] { return Minutes(*p.time) == before + 60; }, 3000))
        << p.time->TimeText();
    EXPECT_GE(changes, 1);
    Click({(down.left + down.right) / 2, (down.top + down.bottom) / 2});
    EXPECT_TRUE(PumpUntil([&] { return Minutes(*p.time) == before; }, 3000)) << p.time->TimeText();
    Park();
    form.Close();
    Pump(30);
  }
}

// Switching the skin off (the form's engine detached and freed) gives the
// arrows back as the system draws them, the width the picker gives them
// included, and they still step the time; on again (a new engine) takes
// them again, and another skin gives them its cells.
TEST_F(TimePickerAtDpiTest, TheSystemsArrowsComeBackWithoutTheSkinAndGoAgainWithIt) {
  TPickers p;
  TForm& form = ShowPickers(kNightfall, p);
  TSkinData& data = DataOf(form);
  Park();
  Pump(100);
  EXPECT_EQ(ObjectOf(form, *p.plain), nullptr);
  ExpectSkinnedArrows(form, *p.time);

  SwitchSkin(form, data, false);
  EXPECT_EQ(EngineOf(form.Handle()), nullptr);
  {
    SCOPED_TRACE("skin off");
    ExpectSystemArrows(*p.time, *p.plain);
    ExpectSystemArrows(*p.stepped, *p.plain);
  }
  SaveShot(form.Handle(), Name("time-picker-arrows-off", kNightfall));
  // The system's arrows still step the time.
  ClickHour(*p.time);
  const int before = Minutes(*p.time);
  const RECT up = Half(WindowRect(SpinOf(*p.time)), 0);
  Click({(up.left + up.right) / 2, (up.top + up.bottom) / 2});
  EXPECT_TRUE(PumpUntil([&] { return Minutes(*p.time) == before + 60; }, 3000))
      << p.time->TimeText();
  Park();

  SwitchSkin(form, data, true);
  {
    SCOPED_TRACE("skin on again");
    ExpectSkinnedArrows(form, *p.time);
    ExpectSkinnedArrows(form, *p.stepped);
  }

  // Another skin: the arrows take its cells.
  data.LoadFromSkinStore(&Store(), kContrast);
  Flush();
  Pump(300);
  {
    SCOPED_TRACE("another skin");
    ExpectSkinnedArrows(form, *p.time);
  }
  SaveShot(form.Handle(), Name("time-picker-arrows-again", kContrast));
  form.Close();
  Pump(30);
}

// A move to a monitor of twice the DPI (the change the system would send,
// sent by hand) lays the picker out larger: its arrows are drawn in the
// cells at that DPI, as wide as scroll arrows there; back at the first
// DPI they are the first cells again.
TEST_F(TimePickerAtDpiTest, AChangeOfDpiDrawsTheArrowsAtTheNewDpi) {
  TPickers p;
  TForm& form = ShowPickers(kDaylight, p);
  const HWND window = form.Handle();
  Park();
  Pump(100);
  ExpectSkinnedArrows(form, *p.time);
  const RECT before = WindowRect(window);
  const int twice = 2 * dpi_;
  ASSERT_TRUE(dpi_run::SendDpiChange(window, twice));
  Pump(200);
  ASSERT_EQ(form.Dpi(), twice);
  {
    SCOPED_TRACE("twice the DPI");
    ExpectSkinnedArrowsAt(form, *p.time, twice);
    ExpectSkinnedArrowsAt(form, *p.stepped, twice);
  }
  SaveShot(window, Name("time-picker-arrows-twice", kDaylight));
  SendMessageW(window, kWmDpiChanged, MAKEWPARAM(dpi_, dpi_), reinterpret_cast<LPARAM>(&before));
  Pump(200);
  ASSERT_EQ(form.Dpi(), dpi_);
  {
    SCOPED_TRACE("back");
    ExpectSkinnedArrows(form, *p.time);
  }
  form.Close();
  Pump(30);
}

}  // namespace
