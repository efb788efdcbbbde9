// A skinned date picker's drop-down arrow at the screen's DPI, as a person
// sees it: the arrow's ink read back from the screen is the skin's arrow
// glyph at the DPI's scale, pointing down, centred in the button, for
// every kind of picker with a drop-down button. The suite
// runs once per DPI (the prefix's LogPixels).
#include <windows.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "framework/DateTimePicker.h"
#include "framework/StdCtrls.h"
#include "skin/controls/SkinDateTime.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"
#include "tests/wine/support/DpiRunSupport.h"

namespace {

using dpi_run::InkBox;
using dpi_run::Near;

constexpr TColor kMagenta = 0xFF00FF;

class DatePickerAtDpiTest : public AtScreenDpi<SkinControlsTest> {
 protected:
  void ExpectArrow(TForm& form, TDateTimePicker& picker, const std::string& shot_name);
  // The colour the first cell of the skin's arrow glyphs is drawn in: its
  // most frequent pixel that is not transparent.
  static TColor GlyphInk(const TBitmap& glyphs, int frames) {
    std::map<TColor, int> counts;
    const int w = glyphs.Width() / std::max(frames, 1);
    for (int y = 0; y < glyphs.Height(); ++y) {
      for (int x = 0; x < w; ++x) {
        const TColor c = ColorToRGB(glyphs.Pixel(x, y));
        if (c != kMagenta) ++counts[c];
      }
    }
    TColor best = clBlack;
    int most = 0;
    for (const auto& [colour, count] : counts) {
      if (count > most) best = colour, most = count;
    }
    return best;
  }
  // Whether the pixel is of the glyph's colour and so is one of its
  // neighbours: the arrow's strokes, not a lone pixel of the button's
  // shading that the scaling left near that colour.
  static bool IsStroke(const TBitmap& shot, int x, int y, TColor ink) {
    if (!Near(shot.Pixel(x, y), ink, 48)) return false;
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        const int nx = x + dx, ny = y + dy;
        if ((dx || dy) && nx >= 0 && ny >= 0 && nx < shot.Width() && ny < shot.Height() &&
            Near(shot.Pixel(nx, ny), ink, 48)) {
          return true;
        }
      }
    }
    return false;
  }
  static RECT StrokeBox(const TBitmap& shot, TColor ink, const RECT& area) {
    RECT box{area.right, area.bottom, -1, -1};
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) {
        if (!IsStroke(shot, x, y, ink)) continue;
        box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
               std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
      }
    }
    return box.right < 0 ? RECT{} : box;
  }
};

// The picker's drop-down arrow, read back from the screen: the ink of the
// skin's glyph at the DPI's scale, pointing down, centred in the button.
void DatePickerAtDpiTest::ExpectArrow(TForm& form, TDateTimePicker& picker,
                                      const std::string& shot_name) {
  const TSkinData& data = DataOf(form);
  const TDataSkinObject* glyphs = data.Object(ssExtraImages);
  ASSERT_TRUE(glyphs && !glyphs->Bitmap.Empty());
  auto* skinned = dynamic_cast<TSkinDateTime*>(ObjectOf(form, picker));
  ASSERT_NE(skinned, nullptr);
  ASSERT_NE(skinned->Arrow(), nullptr);
  const HWND arrow = skinned->Arrow()->Handle();

  // The glyph's ink as the skin draws it at 96 DPI.
  const int frames = std::max(1, glyphs->Frame);
  const TColor ink = GlyphInk(glyphs->Bitmap, frames);
  const RECT drawn = InkBox(glyphs->Bitmap, ink, 48,
                            {0, 0, glyphs->Bitmap.Width() / frames, glyphs->Bitmap.Height()});
  ASSERT_FALSE(IsRectEmpty(&drawn));

  // The same ink on the screen, in the arrow button.
  // Inside the button's edge (its margins scaled), which some skins draw
  // in the glyph's colour.
  const RECT outer = WindowRect(arrow);
  const int edge = SkinScale(3, dpi_);
  const RECT inner{edge, edge, outer.right - outer.left - edge, outer.bottom - outer.top - edge};
  RECT box{};
  ASSERT_TRUE(PumpUntil(
      [&] {
        box = StrokeBox(Capture(WindowRect(arrow)), ink, inner);
        return !IsRectEmpty(&box);
      },
      3000))
      << "no arrow";
  const TBitmap seen = Capture(WindowRect(arrow));
  SaveShot(WindowRect(picker.Handle()), shot_name);
  const int slack = 1 + dpi_ / 96;
  const int w = box.right - box.left, h = box.bottom - box.top;
  // As large as the glyph scaled to the DPI.
  EXPECT_NEAR(w, SkinScale(drawn.right - drawn.left, dpi_), slack);
  EXPECT_NEAR(h, SkinScale(drawn.bottom - drawn.top, dpi_), slack);
  // Centred in the button.
  EXPECT_NEAR(box.left + box.right, seen.Width(), 2 * slack);
  EXPECT_NEAR(box.top + box.bottom, seen.Height(), 2 * slack);
  // Pointing down: the widest row of ink lies in the arrow's upper part
  // and spans most of it; from there down each row is centred and no
  // wider than the row above it, down to a narrow tip. (The rows above
  // the widest may hold one arm's end only, where a scale that is not
  // whole blends the other away.)
  std::vector<std::pair<int, int>> rows;
  for (int y = box.top; y < box.bottom; ++y) {
    int first = -1, last = -1;
    for (int x = box.left; x < box.right; ++x) {
      if (!IsStroke(seen, x, y, ink)) continue;
      if (first < 0) first = x;
      last = x;
    }
    ASSERT_GE(first, 0) << "a gap in the arrow at row " << y;
    rows.emplace_back(first, last);
  }
  size_t widest = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].second - rows[i].first > rows[widest].second - rows[widest].first) widest = i;
  }
  EXPECT_LE(static_cast<int>(widest), h / 3);
  EXPECT_GE(rows[widest].second - rows[widest].first + 1, w * 2 / 3);
  int above = w + 1;
  for (size_t i = widest; i < rows.size(); ++i) {
    SCOPED_TRACE(i);
    const auto [first, last] = rows[i];
    const int span = last - first + 1;
    EXPECT_LE(span, above + 1);
    EXPECT_NEAR(first + last + 1, box.left + box.right, 2 * slack);
    above = span;
  }
  EXPECT_LE(rows.back().second - rows.back().first + 1, std::max(w / 3, 2 * slack));
}

// Every picker with a drop-down button, as the gallery shows them: on the
// form, disabled, reading right to left, and inside a group box (the
// pickers' parent there, with the group's font).
TEST_F(DatePickerAtDpiTest, TheDropArrowIsTheGlyphScaledPointingDownAndCentred) {
  for (int skin : {1, 2, 3}) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TDateTimePicker *plain = nullptr, *disabled = nullptr, *mirrored = nullptr, *grouped = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      plain = &Add<TDateTimePicker>(f, f, 20, 20, 160, 24);
      disabled = &Add<TDateTimePicker>(f, f, 200, 20, 160, 24);
      disabled->SetEnabled(false);
      mirrored = &OwnedComponent<TDateTimePicker>(f);
      mirrored->SetRightToLeft(true);
      mirrored->SetBounds(20, 60, 160, 24);
      mirrored->SetParent(&f);
      TGroupBox& group = Add<TGroupBox>(f, f, 200, 50, 180, 60, L"日期");
      grouped = &Add<TDateTimePicker>(f, group, 8, 22, 160, 24);
    });
    ASSERT_EQ(EngineOf(form.Handle())->Dpi(), dpi_);
    Park();
    Pump(200);
    const std::string name = std::string(kSkinFiles[skin]) + "-" + DpiName();
    {
      SCOPED_TRACE("plain");
      ExpectArrow(form, *plain, "picker-arrow-" + name);
    }
    {
      SCOPED_TRACE("disabled");
      ExpectArrow(form, *disabled, "picker-arrow-disabled-" + name);
    }
    {
      SCOPED_TRACE("right to left");
      ExpectArrow(form, *mirrored, "picker-arrow-mirrored-" + name);
    }
    {
      SCOPED_TRACE("in a group box");
      ExpectArrow(form, *grouped, "picker-arrow-grouped-" + name);
    }
    form.SetVisible(false);
  }
}

}  // namespace
