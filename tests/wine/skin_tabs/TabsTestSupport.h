#pragma once
// What the tab tests share: page controls filled with pages, where a tab
// lies on the screen, and how well the screen shows a skin cell.
#include <windows.h>

#include <string>

#include "framework/Bitmap.h"
#include "framework/PageControl.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"

class TabsTest : public SkinControlsTest {
 protected:
  // A page control of `count` pages ("Page 1" ...), each with a button.
  TPageControl& AddPages(TForm& form, TWinControl& parent, const RECT& bounds, int count,
                         TTabPosition position = tpTop);
  static RECT TabRect(const TCustomTabControl& control, int index) {
    return control.TabRect(index);
  }
  // The centre of tab `index` on the screen.
  static POINT TabPoint(const TCustomTabControl& control, int index);
};

// Share of the drawn (non-magenta) pixels of `expected`, placed at (x, y)
// of `shot`, that the shot shows within `tolerance`; only pixels inside
// `area` (in `expected`'s coordinates) count.
double ShownShare(const TBitmap& shot, int x, int y, const TBitmap& expected, const RECT& area,
                  int tolerance = 12);
