// CJK captions on the skinned menu bar read whole: on the screen they have
// the ink and the strokes of the same text drawn with the menu font into a
// memory DC (nothing lost on the way into the bar), and those of the text
// drawn in the window's own font (whose small sizes keep every stroke).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/BitmapWin32.h"
#include "framework/Dpi.h"
#include "framework/GdiObjects.h"
#include "framework/Menus.h"
#include "skin/menu/MenuFont.h"
#include "skin/menu/SkinMenuBar.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"
#include "tests/wine/skin_menus/MenuTestSupport.h"
#include "tests/wine/support/InputScript.h"

namespace {

constexpr TColor kInk = RGBColour(0, 0, 0);
constexpr TColor kPaper = RGBColour(255, 255, 255);

bool IsInk(TColor c) {
  return RedOf(c) + GreenOf(c) + BlueOf(c) < 3 * 96;
}

// The ink of a caption: its pixels, and how many strokes (4-connected
// pieces) they make.
struct TInk {
  int pixels = 0;
  int strokes = 0;
};

TInk InkOf(const TBitmap& shot, const RECT& r) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  TInk ink;
  if (w <= 0 || h <= 0) return ink;
  std::vector<int> seen(static_cast<size_t>(w) * h, 0);
  const auto at = [&](int x, int y) { return IsInk(shot.Pixel(r.left + x, r.top + y)); };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (!at(x, y) || seen[static_cast<size_t>(y) * w + x]) continue;
      ++ink.strokes;
      std::vector<POINT> stack{{x, y}};
      seen[static_cast<size_t>(y) * w + x] = 1;
      while (!stack.empty()) {
        const POINT p = stack.back();
        stack.pop_back();
        ++ink.pixels;
        const POINT next[4] = {{p.x + 1, p.y}, {p.x - 1, p.y}, {p.x, p.y + 1}, {p.x, p.y - 1}};
        for (const POINT n : next) {
          if (n.x < 0 || n.y < 0 || n.x >= w || n.y >= h) continue;
          const size_t i = static_cast<size_t>(n.y) * w + n.x;
          if (seen[i] || !at(n.x, n.y)) continue;
          seen[i] = 1;
          stack.push_back(n);
        }
      }
    }
  }
  return ink;
}

// `text` drawn black on white with `font` into a memory DC of its own.
TInk ReferenceInk(const std::wstring& text, HFONT font) {
  THBitmap dib = MakeDibSection(TBitmap(200, 60, kPaper));
  {
    TBitmapDC dc(dib.Get());
    TSelectObject select(dc.Get(), font);
    SetBkMode(dc.Get(), TRANSPARENT);
    SetTextColor(dc.Get(), RGB(0, 0, 0));
    RECT r{10, 10, 190, 50};
    DrawTextW(dc.Get(), text.c_str(), -1, &r, DT_SINGLELINE | DT_NOPREFIX);
    GdiFlush();
  }
  TBitmap drawn;
  ReadGdiBitmap(dib.Get(), drawn);
  return InkOf(drawn, RECT{0, 0, drawn.Width(), drawn.Height()});
}

using MenuBarCjkTest = menu_test::MenuTest;

TEST_F(MenuBarCjkTest, CjkBarCaptionsAreAsWholeAsInAMemoryDc) {
  input::MoveTo(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
  TForm& form = MakeForm(SizableStyle(L"CJK captions"));
  TMainMenu& menu = OwnedComponent<TMainMenu>(form);
  // The last caption ends in a bracket whose ink stands out of its advance
  // in the sharp CJK face.
  const std::wstring captions[] = {L"编辑", L"查看", L"曲目", L"禁用", L"帮助(H)"};
  for (const std::wstring& caption : captions) menu.Items().Add(caption).Add(L"项目");
  form.SetMenu(&menu);
  TSkinData& data = MakeData(form, 1);
  data.SetActive(true);
  form.Show();
  SetForegroundWindow(form.Handle());
  ASSERT_TRUE(WaitSkinned(form.Handle()));
  Pump(150);
  TWinSkinForm& engine = *EngineOf(form.Handle());
  TWinSkinMenu& bar = *engine.MenuBar();
  ASSERT_EQ(bar.ButtonCount(), 5);
  // Black captions on a plain white bar, so that ink is ink whatever the
  // skin's colours.
  if (TDataSkinObject* object = data.Object(ssMenuBar)) object->Bitmap.Clear();
  auto& colours = const_cast<TSkinColours&>(data.Colours());
  colours.Menubar = kPaper;
  colours.MenuBarText = kInk;
  bar.Repaint();
  Pump(100);
  const int dpi = engine.Dpi();
  const RECT outer = WindowRect(form.Handle());
  const TFrameMetrics& m = engine.Metrics();
  const RECT line{outer.left + m.left, outer.top + m.caption, outer.right - m.right,
                  outer.top + m.caption + engine.MenuBarHeight()};
  const TBitmap shot = Capture(line);
  ASSERT_FALSE(shot.Empty());
  SaveShot(line, "menubar-cjk-" + std::to_string(dpi) + "dpi");
  const TOwnedFont menu_font = MakeMenuFont(dpi);
  const auto own_font = reinterpret_cast<HFONT>(SendMessageW(form.Handle(), WM_GETFONT, 0, 0));
  ASSERT_NE(own_font, nullptr);
  for (int i = 0; i < bar.ButtonCount(); ++i) {
    SCOPED_TRACE(i);
    const TRect& b = bar.Button(i)->Bounds;
    const RECT button{b.left - m.left, 0, b.right - m.left, shot.Height()};
    const TInk drawn = InkOf(shot, button);
    const TInk in_menu_font = ReferenceInk(captions[i], menu_font.Get());
    ASSERT_GT(in_menu_font.pixels, 20);
    EXPECT_NEAR(drawn.pixels, in_menu_font.pixels, std::max(2, in_menu_font.pixels * 3 / 100))
        << "ink pixels of the caption on the bar";
    EXPECT_EQ(drawn.strokes, in_menu_font.strokes) << "strokes of the caption on the bar";
    // As whole as the window's own text of the same size.
    const TInk in_own_font = ReferenceInk(captions[i], own_font);
    EXPECT_NEAR(drawn.pixels, in_own_font.pixels, std::max(2, in_own_font.pixels * 5 / 100))
        << "ink pixels against the window's own text";
    EXPECT_LE(drawn.strokes, in_own_font.strokes) << "strokes broken up";
  }
  App().RemoveComponent(&form);
  Pump(50);
}

}  // namespace
