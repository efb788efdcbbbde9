// Glyphs scaled to a DPI: whole factors repeat pixels, other factors mix
// the glyph's own pixels but never its transparent colour, and a mix never
// becomes the transparent colour; a list's images are recoloured before
// they are scaled.
#include "framework/GlyphImage.h"

#include <gtest/gtest.h>

#include "framework/ImageList.h"

namespace {

constexpr TColor kKey = clFuchsia;

// A 4x4 glyph: a 2x2 red square in the middle on the key, with one green
// pixel at the top-left of the square.
TBitmap SmallGlyph() {
  TBitmap glyph(4, 4, kKey);
  glyph.FillRect({1, 1, 3, 3}, clRed);
  glyph.SetPixel(1, 1, clLime);
  return glyph;
}

TEST(GlyphImageTest, WholeFactorsRepeatEachPixelAndKeepTheKeyExact) {
  const TBitmap glyph = SmallGlyph();
  for (const int factor : {1, 2, 3}) {
    SCOPED_TRACE(factor);
    const TBitmap big = ScaleGlyph(glyph, kKey, 4 * factor, 4 * factor);
    ASSERT_EQ(big.Width(), 4 * factor);
    ASSERT_EQ(big.Height(), 4 * factor);
    for (int y = 0; y < big.Height(); ++y) {
      for (int x = 0; x < big.Width(); ++x) {
        ASSERT_EQ(big.Pixel(x, y), glyph.Pixel(x / factor, y / factor)) << x << "," << y;
      }
    }
  }
}

TEST(GlyphImageTest, OtherFactorsMixOnlyTheGlyphsOwnPixels) {
  // 16 to 20 pixels (120 DPI) and 16 to 24 (144 DPI): a red disc-like block
  // on the key, with a blue block beside the red inside it.
  TBitmap glyph(16, 16, kKey);
  glyph.FillRect({3, 3, 13, 13}, clRed);
  glyph.FillRect({7, 3, 13, 13}, clBlue);
  for (const int size : {20, 24, 13}) {
    SCOPED_TRACE(size);
    const TBitmap out = ScaleGlyph(glyph, kKey, size, size);
    int key = 0, mixed_with_key = 0, red_blue = 0;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const TColor c = out.Pixel(x, y);
        if (c == kKey) {
          ++key;
          continue;
        }
        // Nothing half magenta: green stays 0 and red/blue never both
        // exceed what a red-blue mix gives (their sum is 255).
        if (GreenOf(c) != 0 || RedOf(c) + BlueOf(c) > 256) ++mixed_with_key;
        if (RedOf(c) > 0 && BlueOf(c) > 0) ++red_blue;
      }
    }
    EXPECT_EQ(mixed_with_key, 0);
    // The ring of key around the block keeps its share of the area.
    const double want = 1.0 - (10.0 * 10.0) / (16.0 * 16.0);
    EXPECT_NEAR(static_cast<double>(key) / (size * size), want, 0.12);
    // Where red meets blue inside a target pixel the filter mixes (a
    // nearest pixel would not).
    EXPECT_GT(red_blue, 0);
  }
}

TEST(GlyphImageTest, AMixThatWouldBeTheKeyIsMovedOffIt) {
  // Red and blue mixed half and half give magenta itself.
  TBitmap glyph(2, 1, clRed);
  glyph.SetPixel(1, 0, clBlue);
  const TBitmap out = ScaleGlyph(glyph, RGBColour(128, 0, 128), 1, 1);
  EXPECT_NE(out.Pixel(0, 0), RGBColour(128, 0, 128));
  EXPECT_EQ(RedOf(out.Pixel(0, 0)), 128);
  EXPECT_EQ(BlueOf(out.Pixel(0, 0)), 128);
  // Without a key the same mix is left alone.
  EXPECT_EQ(ScaleOpaqueImage(glyph, 1, 1).Pixel(0, 0), RGBColour(128, 0, 128));
}

TEST(GlyphImageTest, NothingComesOfAnEmptyImageOrSize) {
  EXPECT_TRUE(ScaleGlyph(TBitmap(), kKey, 8, 8).Empty());
  EXPECT_TRUE(ScaleGlyph(SmallGlyph(), kKey, 0, 8).Empty());
  EXPECT_TRUE(ScaleOpaqueImage(SmallGlyph(), 8, -1).Empty());
}

// A list's image at another size: its own pixels recoloured first, so the
// scaling mixes only the new colours, and the result transparent in the
// colour of that image.
TEST(GlyphImageTest, AListImageIsRecolouredThenScaledAndKeepsItsKey) {
  TImageList images(4, 4);
  ASSERT_EQ(images.AddMasked(SmallGlyph(), kKey), 0);
  ASSERT_EQ(images.AddMasked(TBitmap(4, 4, clLime), clWhite), 1);
  // The glyph's own two colours, and nothing else, to one grey: a mix of
  // them made before the recolouring would be left as it is.
  const auto to_grey = [](TBitmap& image, TColor) {
    for (int y = 0; y < image.Height(); ++y) {
      for (int x = 0; x < image.Width(); ++x) {
        const TColor p = image.Pixel(x, y);
        if (p == clRed || p == clLime) image.SetPixel(x, y, RGBColour(90, 90, 90));
      }
    }
  };
  // 4 to 5 pixels (120 DPI): the middle target pixels cover the lime
  // pixel and the red beside it.
  const TBitmap grey = ListImageAtSize(images, 0, 5, 5, to_grey);
  ASSERT_EQ(grey.Width(), 5);
  ASSERT_EQ(grey.Height(), 5);
  EXPECT_TRUE(grey.Transparent);
  EXPECT_EQ(grey.TransparentColor, kKey);
  int drawn = 0;
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 5; ++x) {
      const TColor p = grey.Pixel(x, y);
      if (p == kKey) continue;
      ++drawn;
      EXPECT_EQ(p, RGBColour(90, 90, 90)) << x << "," << y;
    }
  }
  EXPECT_GT(drawn, 0);
  // Without a recolouring and at its own size the image is as it was, with
  // the list's colour for it.
  const TBitmap same = ListImageAtSize(images, 1, 4, 4);
  EXPECT_EQ(same.Pixel(2, 2), clLime);
  EXPECT_EQ(same.TransparentColor, clWhite);
  EXPECT_TRUE(ListImageAtSize(images, 2, 6, 6).Empty());
  EXPECT_TRUE(ListImageAtSize(images, -1, 6, 6).Empty());
}

}  // namespace
