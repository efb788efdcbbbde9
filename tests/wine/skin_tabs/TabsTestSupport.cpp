#include "tests/wine/skin_tabs/TabsTestSupport.h"

#include <cstdlib>

#include "framework/Buttons.h"
#include "framework/StdCtrls.h"

TPageControl& TabsTest::AddPages(TForm& form, TWinControl& parent, const RECT& bounds, int count,
                                 TTabPosition position) {
  auto& pages = OwnedComponent<TPageControl>(form);
  pages.SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
  pages.SetTabPosition(position);
  pages.SetParent(&parent);
  for (int i = 0; i < count; ++i) {
    auto& page = OwnedComponent<TTabSheet>(form);
    page.SetCaption(L"Page " + std::to_wstring(i + 1));
    page.SetPageControl(&pages);
    auto& button = OwnedComponent<TButton>(form);
    button.SetBounds(10, 10, 80, 24);
    button.SetCaption(L"Button " + std::to_wstring(i + 1));
    button.SetParent(&page);
  }
  return pages;
}

POINT TabsTest::TabPoint(const TCustomTabControl& control, int index) {
  const RECT r = control.TabRect(index);
  return ScreenPoint(control.Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

double ShownShare(const TBitmap& shot, int x, int y, const TBitmap& expected, const RECT& area,
                  int tolerance) {
  int drawn = 0, same = 0;
  for (int ey = area.top; ey < area.bottom && ey < expected.Height(); ++ey) {
    for (int ex = area.left; ex < area.right && ex < expected.Width(); ++ex) {
      if (ex < 0 || ey < 0) continue;
      const TColor want = expected.Pixel(ex, ey);
      if (want == clFuchsia) continue;
      const int sx = x + ex, sy = y + ey;
      if (sx < 0 || sy < 0 || sx >= shot.Width() || sy >= shot.Height()) continue;
      ++drawn;
      const TColor seen = shot.Pixel(sx, sy);
      if (std::abs(RedOf(seen) - RedOf(want)) <= tolerance &&
          std::abs(GreenOf(seen) - GreenOf(want)) <= tolerance &&
          std::abs(BlueOf(seen) - BlueOf(want)) <= tolerance) {
        ++same;
      }
    }
  }
  return drawn ? static_cast<double>(same) / drawn : 0;
}
