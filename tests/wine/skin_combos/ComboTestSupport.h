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
#include "tests/wine/support/ScreenColours.h"

namespace combo_test {

inline constexpr int kContrastSkin = 3;

inline bool Near(TColor a, TColor b, int tolerance = 6) {
  return std::abs(RedOf(a) - RedOf(b)) <= tolerance &&
         std::abs(GreenOf(a) - GreenOf(b)) <= tolerance &&
         std::abs(BlueOf(a) - BlueOf(b)) <= tolerance;
}

using screen_colours::ContrastRatio;
using screen_colours::ReadText;
using screen_colours::TTextLook;

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
