#include "framework/Graphics.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <array>
#endif

#ifdef _WIN32

TColor SystemColourRGB(int index) {
  return static_cast<TColor>(GetSysColor(index & 0xFF));
}

#else

namespace {

// A fresh Windows 10 desktop, so natively built code draws what a default
// Windows system would show.
constexpr std::array<TColor, 31> kDefaultSystemColours = {
    RGBColour(200, 200, 200),  // scroll bar
    RGBColour(0, 0, 0),        // desktop
    RGBColour(153, 180, 209),  // active caption
    RGBColour(191, 205, 219),  // inactive caption
    RGBColour(240, 240, 240),  // menu
    RGBColour(255, 255, 255),  // window
    RGBColour(100, 100, 100),  // window frame
    RGBColour(0, 0, 0),        // menu text
    RGBColour(0, 0, 0),        // window text
    RGBColour(0, 0, 0),        // caption text
    RGBColour(180, 180, 180),  // active border
    RGBColour(244, 247, 252),  // inactive border
    RGBColour(171, 171, 171),  // application workspace
    RGBColour(0, 120, 215),    // highlight
    RGBColour(255, 255, 255),  // highlight text
    RGBColour(240, 240, 240),  // button face
    RGBColour(160, 160, 160),  // button shadow
    RGBColour(109, 109, 109),  // grey text
    RGBColour(0, 0, 0),        // button text
    RGBColour(0, 0, 0),        // inactive caption text
    RGBColour(255, 255, 255),  // button highlight
    RGBColour(105, 105, 105),  // 3-D dark shadow
    RGBColour(227, 227, 227),  // 3-D light
    RGBColour(0, 0, 0),        // tool-tip text
    RGBColour(255, 255, 225),  // tool-tip background
    RGBColour(0, 0, 0),        // (unused index 25)
    RGBColour(0, 102, 204),    // hot-tracked item
    RGBColour(185, 209, 234),  // active caption gradient
    RGBColour(215, 228, 242),  // inactive caption gradient
    RGBColour(0, 120, 215),    // menu highlight
    RGBColour(240, 240, 240),  // menu bar
};

}  // namespace

TColor SystemColourRGB(int index) {
  index &= 0xFF;
  return index < static_cast<int>(kDefaultSystemColours.size())
             ? kDefaultSystemColours[static_cast<size_t>(index)]
             : clBlack;
}

#endif
