#pragma once
// What the combo-box tests share: reading a text's background and ink from
// the screen and how well they read, and a combo box's parts.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

#include "framework/Bitmap.h"
#include "framework/Graphics.h"

namespace combo_test {

inline constexpr int kContrastSkin = 3;

inline bool Near(TColor a, TColor b, int tolerance = 6) {
  return std::abs(RedOf(a) - RedOf(b)) <= tolerance &&
         std::abs(GreenOf(a) - GreenOf(b)) <= tolerance &&
         std::abs(BlueOf(a) - BlueOf(b)) <= tolerance;
}

inline double Luminance(TColor c) {
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

// A text as a reader sees it: the commonest colour is its background, the
// colour of a few pixels at least that stands out most from it its ink.
struct TTextLook {
  TColor back = 0, ink = 0;
  double ratio = 1;
};

inline TTextLook ReadText(const TBitmap& shot) {
  std::map<TColor, long> counts;
  for (int y = 0; y < shot.Height(); ++y) {
    for (int x = 0; x < shot.Width(); ++x) ++counts[shot.Pixel(x, y)];
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

inline COMBOBOXINFO InfoOf(HWND combo) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  GetComboBoxInfo(combo, &info);
  return info;
}

inline RECT ScreenOf(HWND window, RECT r) {
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace combo_test
