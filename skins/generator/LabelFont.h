#pragma once
// A small 5×7 pixel font for the labels of preview sheets: upper-case
// letters, digits and a few signs (other characters print as a box; lower
// case prints as upper case).
#include <string>

#include "skins/generator/Raster.h"

namespace skingen {

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;

// Draws `text` with its top-left corner at (x, y), each font pixel `scale`
// pixels square; returns the x after the last character.
int DrawLabel(TImage& image, int x, int y, const std::string& text, TRgb colour, int scale = 1);
int LabelWidth(const std::string& text, int scale = 1);

}  // namespace skingen
