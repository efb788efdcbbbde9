// Skin images drawn at a DPI other than their own: margins scaled, corners
// crisp at whole-number factors, filtered without colour fringes otherwise,
// magenta holes kept whole.
#include <gtest/gtest.h>

#include <algorithm>

#include "skin/data/SkinRender.h"

namespace {

constexpr TColor kKey = 0xFF00FF;

// A cell with a pattern in every pixel, so any misplaced pixel shows.
TBitmap Pattern(int width, int height) {
  TBitmap image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.SetPixel(
          x, y,
          static_cast<TColor>((x * 37 % 256) | (y * 53 % 256) << 8 | ((x + y) * 11 % 256) << 16));
    }
  }
  return image;
}

int Channel(TColor c, int shift) {
  return (static_cast<int>(c) >> shift) & 0xFF;
}

}  // namespace

TEST(SkinScale, RoundsToTheNearestPixelAndLeavesUnknownDpisAlone) {
  EXPECT_EQ(SkinScale(7, 96), 7);
  EXPECT_EQ(SkinScale(5, 144), 8);  // 7.5 rounds up
  EXPECT_EQ(SkinScale(2, 120), 3);  // 2.5 rounds up
  EXPECT_EQ(SkinScale(3, 120), 4);  // 3.75
  EXPECT_EQ(SkinScale(9, 192), 18);
  EXPECT_EQ(SkinScale(-5, 144), -8);  // halves away from zero
  EXPECT_EQ(SkinScale(11, 0), 11);
  EXPECT_EQ(SkinScale(11, -3), 11);
}

TEST(SkinScale, WholeNumberFactorsRepeatEveryPixelExactly) {
  // The second of two cells, with margins, drawn at twice its size at 192
  // DPI: every piece doubles, so every target pixel is its source pixel.
  const TBitmap strip = Pattern(20, 9);
  const TBitmap out = RenderSkinPart(20, 18, strip, {3, 2, 4, 3}, false, false, 2, 2, 192);
  ASSERT_EQ(out.Width(), 20);
  for (int y = 0; y < 18; ++y) {
    for (int x = 0; x < 20; ++x) {
      ASSERT_EQ(out.Pixel(x, y), strip.Pixel(10 + x / 2, y / 2)) << x << "," << y;
    }
  }
  // A caption button cell shown at three times its size.
  const TBitmap button = ScaleSkinCell(strip, 4, 3, 15, 27);
  for (int y = 0; y < 27; ++y) {
    for (int x = 0; x < 15; ++x) ASSERT_EQ(button.Pixel(x, y), strip.Pixel(10 + x / 3, y / 3));
  }
}

TEST(SkinScale, OtherFactorsOnlyBlendThePixelsUnderATargetPixel) {
  const TBitmap image = Pattern(12, 8);
  const TBitmap out = ScaleSkinCell(image, 1, 1, 18, 12);  // 1.5 times
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 18; ++x) {
      // Target pixel x spans source [x / 1.5, (x + 1) / 1.5).
      const int sx0 = x * 2 / 3, sx1 = ((x + 1) * 2 + 2) / 3 - 1;
      const int sy0 = y * 2 / 3, sy1 = ((y + 1) * 2 + 2) / 3 - 1;
      for (int shift : {0, 8, 16}) {
        int low = 255, high = 0;
        for (int sy = sy0; sy <= sy1; ++sy) {
          for (int sx = sx0; sx <= sx1; ++sx) {
            low = std::min(low, Channel(image.Pixel(sx, sy), shift));
            high = std::max(high, Channel(image.Pixel(sx, sy), shift));
          }
        }
        const int got = Channel(out.Pixel(x, y), shift);
        ASSERT_GE(got, low) << x << "," << y;
        ASSERT_LE(got, high) << x << "," << y;
      }
    }
  }
}

TEST(SkinScale, NoColourCrossesAMarginLine) {
  // Red margins around a blue centre: at 144 DPI the 3-pixel margins become
  // 5 (4.5 rounded) and neither colour bleeds into the other's piece.
  TBitmap image(10, 10, clBlue);
  image.FillRect({0, 0, 3, 10}, clRed);
  image.FillRect({7, 0, 10, 10}, clRed);
  const TBitmap out = RenderSkinPart(40, 15, image, {3, 0, 3, 0}, false, false, 1, 1, 144);
  for (int y = 0; y < 15; ++y) {
    for (int x = 0; x < 40; ++x) {
      const TColor expected = (x < 5 || x >= 35) ? clRed : clBlue;
      ASSERT_EQ(out.Pixel(x, y), expected) << x << "," << y;
    }
  }
}

TEST(SkinScale, MagentaHolesStayWholeAndLeaveNoFringe) {
  TBitmap image(8, 8, clGreen);
  image.FillRect({0, 0, 4, 4}, kKey);                      // a hole in the top-left corner
  const TBitmap out = ScaleSkinCell(image, 1, 1, 12, 12);  // 144 DPI
  int holes = 0;
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) {
      const TColor c = out.Pixel(x, y);
      // Either the key itself or the image's own colour: nothing pinkish.
      ASSERT_TRUE(c == kKey || c == clGreen) << x << "," << y << " " << c;
      if (c == kKey) {
        ++holes;
        EXPECT_TRUE(x < 6 && y < 6) << x << "," << y;
      }
    }
  }
  EXPECT_EQ(holes, 36);
  // A blend of two colours that happens to equal the key is no hole.
  TBitmap pair(2, 1);
  pair.SetPixel(0, 0, static_cast<TColor>(0xFE00FE));
  pair.SetPixel(1, 0, static_cast<TColor>(0xFE02FE));
  const TBitmap one = ScaleSkinCell(pair, 1, 1, 3, 1);
  for (int x = 0; x < 3; ++x) EXPECT_NE(one.Pixel(x, 0), kKey);
}

TEST(SkinScale, ATiledCentreRepeatsItsScaledPiece) {
  // A centre of two columns, dark and light, tiled at 192 DPI: the pattern
  // repeats every four pixels, two of each.
  TBitmap image(4, 1, clBlack);
  image.SetPixel(2, 0, clWhite);
  const TBitmap out = RenderSkinPart(22, 2, image, {1, 0, 1, 0}, false, true, 1, 1, 192);
  for (int x = 2; x < 20; ++x) {
    const TColor expected = ((x - 2) % 4 < 2) ? clBlack : clWhite;
    EXPECT_EQ(out.Pixel(x, 0), expected) << x;
  }
  // At 96 DPI the same call is the unscaled drawing.
  const TBitmap plain = RenderSkinPart(8, 1, image, {1, 0, 1, 0}, false, true, 1, 1, 96);
  EXPECT_EQ(plain.Pixel(1, 0), clBlack);
  EXPECT_EQ(plain.Pixel(2, 0), clWhite);
  EXPECT_EQ(plain.Pixel(3, 0), clBlack);
  EXPECT_EQ(plain.Pixel(4, 0), clWhite);
}
