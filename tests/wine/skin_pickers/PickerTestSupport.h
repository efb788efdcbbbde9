#pragma once
// What the picker tests share: colour comparisons and the contrast of a
// text colour on its background, as people read it.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "framework/Bitmap.h"
#include "framework/Graphics.h"
#include "tests/wine/support/ScreenColours.h"

inline bool Near(TColor a, TColor b, int tolerance) {
  a = ColorToRGB(a);
  b = ColorToRGB(b);
  return std::abs(RedOf(a) - RedOf(b)) <= tolerance &&
         std::abs(GreenOf(a) - GreenOf(b)) <= tolerance &&
         std::abs(BlueOf(a) - BlueOf(b)) <= tolerance;
}

// Share of the drawn (non-magenta) pixels of `expected` that `shot` shows.
inline double DrawnShare(const TBitmap& shot, const TBitmap& expected, int tolerance = 12) {
  int drawn = 0, same = 0;
  for (int y = 0; y < expected.Height() && y < shot.Height(); ++y) {
    for (int x = 0; x < expected.Width() && x < shot.Width(); ++x) {
      const TColor want = expected.Pixel(x, y);
      if (want == clFuchsia) continue;
      ++drawn;
      if (Near(shot.Pixel(x, y), want, tolerance)) ++same;
    }
  }
  return drawn ? static_cast<double>(same) / drawn : 0;
}
