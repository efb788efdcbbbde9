#include "skin/controls/SkinMediaPlayerInk.h"

#include "skin/controls/ContentColours.h"

namespace {
// Steps taken from a colour towards black or white, or into the face.
constexpr int kSteps = 20;
// A disabled glyph reads at least this much, so it is seen at all, and
// stays well under what an enabled one reaches.
constexpr double kDisabledContrast = 2.0;
}  // namespace

double GlyphContrastTarget(TColor skin_text, TColor skin_face) {
  return ContrastRatio(skin_text, skin_face) >= 7.0 ? 7.0 : 4.5;
}

TColor GlyphInk(TColor preferred, TColor face, double target) {
  preferred = ColorToRGB(preferred);
  face = ColorToRGB(face);
  if (ContrastRatio(preferred, face) >= target) return preferred;
  const TColor extreme =
      ContrastRatio(clBlack, face) >= ContrastRatio(clWhite, face) ? clBlack : clWhite;
  for (int step = 1; step < kSteps; ++step) {
    const TColor mixed = MixColours(preferred, extreme, static_cast<double>(step) / kSteps);
    if (ContrastRatio(mixed, face) >= target) return mixed;
  }
  return extreme;
}

TColor DisabledGlyphInk(TColor ink, TColor face) {
  ink = ColorToRGB(ink);
  face = ColorToRGB(face);
  for (int step = 1; step < kSteps; ++step) {
    const TColor mixed = MixColours(face, ink, static_cast<double>(step) / kSteps);
    if (ContrastRatio(mixed, face) >= kDisabledContrast) return mixed;
  }
  return ink;
}
