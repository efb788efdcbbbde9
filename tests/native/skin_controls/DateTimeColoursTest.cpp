// Moving a control's own colours to the skin's: the background and the text
// land on the skin's pair, the smoothed edges between them at the same place
// between the skin's, and colours of no pair stay as they are.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "skin/controls/SkinDateTimeColours.h"

namespace {

// 0x00RRGGBB words from TColor (0x00BBGGRR).
std::uint32_t Word(TColor c) {
  return static_cast<std::uint32_t>(RedOf(c)) << 16 | static_cast<std::uint32_t>(GreenOf(c)) << 8 |
         static_cast<std::uint32_t>(BlueOf(c));
}

const TColor kWhite = RGBColour(255, 255, 255);
const TColor kBlack = RGBColour(0, 0, 0);
const TColor kNavy = RGBColour(0, 0, 128);
const TColor kDarkBack = RGBColour(30, 34, 40);
const TColor kLightText = RGBColour(230, 230, 220);
const TColor kAccent = RGBColour(40, 120, 160);

TEST(MoveColours, BackgroundTextAndTheirEdgesMoveToTheSkinsPair) {
  std::vector<std::uint32_t> pixels = {Word(kWhite), Word(kBlack), Word(RGBColour(128, 128, 128)),
                                       Word(RGBColour(255, 0, 0)), 0xFF000000u | Word(kWhite)};
  MoveColours(pixels, {{kWhite, kBlack, kDarkBack, kLightText}});
  EXPECT_EQ(pixels[0], Word(kDarkBack));
  EXPECT_EQ(pixels[1], Word(kLightText));
  // Half way from background to text stays half way.
  const std::uint32_t middle = pixels[2];
  EXPECT_NEAR(static_cast<int>(middle >> 16 & 0xFF), (30 + 230) / 2, 2);
  EXPECT_NEAR(static_cast<int>(middle >> 8 & 0xFF), (34 + 230) / 2, 2);
  EXPECT_NEAR(static_cast<int>(middle & 0xFF), (40 + 220) / 2, 2);
  // Red lies near neither end nor the line between: kept.
  EXPECT_EQ(pixels[3], Word(RGBColour(255, 0, 0)));
  // The byte above the colour is left alone.
  EXPECT_EQ(pixels[4], 0xFF000000u | Word(kDarkBack));
}

TEST(MoveColours, EachPixelFollowsThePairThatExplainsIt) {
  std::vector<std::uint32_t> pixels = {Word(kNavy), Word(kWhite), Word(kBlack)};
  MoveColours(pixels, {{kWhite, kBlack, kDarkBack, kLightText}, {kNavy, kWhite, kAccent, kBlack}});
  // The selection's background goes to the skin's selection colour; white,
  // in both pairs, to the first that explains it exactly.
  EXPECT_EQ(pixels[0], Word(kAccent));
  EXPECT_EQ(pixels[1], Word(kDarkBack));
  EXPECT_EQ(pixels[2], Word(kLightText));
  // Nothing to move with, or nothing to move: nothing happens.
  std::vector<std::uint32_t> same = {Word(kWhite)};
  MoveColours(same, {});
  EXPECT_EQ(same[0], Word(kWhite));
  std::vector<std::uint32_t> none;
  MoveColours(none, {{kWhite, kBlack, kDarkBack, kLightText}});
  EXPECT_TRUE(none.empty());
}

}  // namespace
