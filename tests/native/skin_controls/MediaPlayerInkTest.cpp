// The inks of the skinned media player's glyphs on faces light, dark and
// middling.
#include "skin/controls/SkinMediaPlayerInk.h"

#include <gtest/gtest.h>

#include "skin/controls/ContentColours.h"

namespace {

TEST(MediaGlyphInk, KeepsAColourThatReadsAndMovesOneThatDoesNot) {
  // Dark text on a light face reads: kept as it is.
  EXPECT_EQ(GlyphInk(RGBColour(20, 30, 20), RGBColour(235, 240, 235), 7.0), RGBColour(20, 30, 20));
  // The same text on a dark face is lightened until it reads at 7:1.
  const TColor dark_face = RGBColour(60, 64, 72);
  const TColor lifted = GlyphInk(RGBColour(20, 30, 20), dark_face, 7.0);
  EXPECT_GE(ContrastRatio(lifted, dark_face), 7.0);
  EXPECT_GT(RedOf(lifted), 128);
  // A coloured glyph keeps its hue while it darkens on a light face.
  const TColor light_face = RGBColour(245, 240, 230);
  const TColor green = GlyphInk(RGBColour(0, 200, 0), light_face, 4.5);
  EXPECT_GE(ContrastRatio(green, light_face), 4.5);
  EXPECT_GT(GreenOf(green), RedOf(green));
  EXPECT_LT(ContrastRatio(green, light_face), 7.0);  // no further than needed
  // A middling grey face cannot reach 7:1 with any grey: the best extreme.
  const TColor grey = RGBColour(118, 118, 118);
  const TColor best = GlyphInk(RGBColour(110, 110, 110), grey, 7.0);
  EXPECT_TRUE(best == clBlack || best == clWhite);
  EXPECT_GE(ContrastRatio(best, grey), 4.5);
}

TEST(MediaGlyphInk, TargetFollowsTheSkinsOwnPairAndDisabledInkIsFaint) {
  EXPECT_EQ(GlyphContrastTarget(clWhite, clBlack), 7.0);
  EXPECT_EQ(GlyphContrastTarget(RGBColour(90, 90, 90), RGBColour(200, 200, 200)), 4.5);
  for (const TColor face : {RGBColour(240, 240, 240), RGBColour(40, 44, 52), clBlack}) {
    const TColor ink = GlyphInk(clBtnText, face, 7.0);
    const TColor faint = DisabledGlyphInk(ink, face);
    const double ratio = ContrastRatio(faint, face);
    EXPECT_GE(ratio, 2.0) << face;
    EXPECT_LT(ratio, 3.0) << face;
    EXPECT_GE(ContrastRatio(ink, face), 2 * ratio) << face;
  }
}

}  // namespace
