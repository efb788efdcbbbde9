#pragma once
// Colours read back from the screen as a person sees them: how far apart
// two colours are, how well a text reads on its background (the contrast
// ratio of the accessibility guidelines), and a text's background and ink
// found in a shot of it.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

#include "framework/Bitmap.h"
#include "framework/Graphics.h"

namespace screen_colours {

inline double Luminance(TColor c) {
  c = ColorToRGB(c);
  const auto channel = [](int v) {
    const double s = v / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(RedOf(c)) + 0.7152 * channel(GreenOf(c)) + 0.0722 * channel(BlueOf(c));
}

inline double ContrastRatio(TColor a, TColor b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A text as a reader sees it: the commonest colour of the shot is its
// background, the colour (of a few pixels at least: a focus dot or an edge
// is not text) that stands out most from it is its ink. Text drawn in the
// background's own colour reads at 1:1.
struct TTextLook {
  TColor back = 0, ink = 0;
  double ratio = 1;
};

inline TTextLook ReadText(const TBitmap& shot) {
  std::map<TColor, long> counts;
  for (int y = 0; y < shot.Height(); ++y) {
    for (int x = 0; x < shot.Width(); ++x) ++counts[shot.Pixel(x, y) & 0xFFFFFF];
  }
  TTextLook look;
  long best = -1;
  for (const auto& [colour, n] : counts) {
    if (n > best) best = n, look.back = colour;
  }
  look.ink = look.back;
  for (const auto& [colour, n] : counts) {
    if (n < 6) continue;
    const double ratio = ContrastRatio(colour, look.back);
    if (ratio > look.ratio) look.ratio = ratio, look.ink = colour;
  }
  return look;
}

}  // namespace screen_colours
