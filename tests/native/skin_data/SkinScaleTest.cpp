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

namespace {

// Target pixel (x, y) of `src` scaled over a `dest` box, reckoned on its
// own from the overlap of every source pixel with it: the area filter's
// rule stated plainly, with no shortcuts.
TColor AreaFilterPixel(const TBitmap& image, const TRect& src, const TRect& dest, int x, int y) {
  const long long sw = src.Width(), sh = src.Height();
  const long long dw = dest.Width(), dh = dest.Height();
  const long long k = x - dest.left, i = y - dest.top;
  long long key = 0, total = 0, sum[3] = {0, 0, 0};
  for (long long j = 0; j < sh; ++j) {
    const long long oy = std::min((i + 1) * sh, (j + 1) * dh) - std::max(i * sh, j * dh);
    if (oy <= 0) continue;
    for (long long c = 0; c < sw; ++c) {
      const long long ox = std::min((k + 1) * sw, (c + 1) * dw) - std::max(k * sw, c * dw);
      if (ox <= 0) continue;
      const TColor p = image.Pixel(static_cast<int>(src.left + c), static_cast<int>(src.top + j));
      total += ox * oy;
      if ((p & 0xFFFFFF) == kKey) {
        key += ox * oy;
        continue;
      }
      for (int s = 0; s < 3; ++s) sum[s] += ox * oy * Channel(p, 8 * s);
    }
  }
  if (key * 2 > total) return kKey;
  const long long rest = total - key;
  TColor out = 0;
  for (int s = 0; s < 3; ++s) out |= static_cast<TColor>((sum[s] + rest / 2) / rest) << (8 * s);
  return out == kKey ? 0xFE00FF : out;
}

}  // namespace

TEST(SkinScale, StretchedFarBeyondTheImageEveryPixelIsWhatTheFilterGives) {
  // Pieces stretched to many times their size (a panel's centre), shrunk,
  // and scaled by awkward factors, with magenta in them and the target
  // box partly outside the bitmap: each pixel must be the filter's own.
  TBitmap image = Pattern(13, 11);
  for (int y = 3; y < 7; ++y) {
    for (int x = 5; x < 8; ++x) image.SetPixel(x, y, kKey);
  }
  struct TCase {
    TRect src, dest;
  };
  const TCase cases[] = {
      {{2, 1, 5, 4}, {0, 0, 300, 120}},   // 100 and 40 times
      {{0, 0, 13, 11}, {0, 0, 50, 27}},   // whole image, odd factors
      {{4, 2, 9, 8}, {-7, -3, 64, 41}},   // magenta inside, box cut at the top left
      {{1, 1, 12, 10}, {3, 2, 8, 7}},     // shrunk
      {{6, 0, 7, 11}, {0, 0, 90, 33}},    // one column stretched across
      {{0, 5, 13, 6}, {10, 10, 70, 95}},  // one row stretched down, cut at the bottom right
  };
  for (const TCase& c : cases) {
    TBitmap out(80, 90);
    for (int y = 0; y < out.Height(); ++y) {
      for (int x = 0; x < out.Width(); ++x) out.SetPixel(x, y, 0x123456);
    }
    ScaleSkinPixels(out, c.dest, image, c.src);
    for (int y = 0; y < out.Height(); ++y) {
      for (int x = 0; x < out.Width(); ++x) {
        const bool inside =
            x >= c.dest.left && x < c.dest.right && y >= c.dest.top && y < c.dest.bottom;
        const TColor want = inside ? AreaFilterPixel(image, c.src, c.dest, x, y) : 0x123456;
        ASSERT_EQ(out.Pixel(x, y), want) << "case " << (&c - cases) << " at " << x << "," << y;
      }
    }
  }
}
