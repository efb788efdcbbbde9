#include "skin/packages/ImgUtil.h"

#include <gtest/gtest.h>

namespace {

// A 3 x 2 bitmap with a different colour in every pixel.
TBitmap Numbered() {
  TBitmap b(3, 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) b.SetPixel(x, y, RGBColour(10 * x + 1, 10 * y + 2, 7));
  }
  return b;
}

TEST(Blend, MixesByPercentBelowOneHundredAndByPerMilleFromThere) {
  EXPECT_EQ(Blend(clWhite, clBlack, 50), RGBColour(128, 128, 128));
  EXPECT_EQ(Blend(RGBColour(10, 20, 30), RGBColour(200, 100, 50), 0), RGBColour(200, 100, 50));
  EXPECT_EQ(Blend(RGBColour(10, 20, 30), RGBColour(200, 100, 50), 1000), RGBColour(10, 20, 30));
  // 100 is 10 % of the first colour, not all of it.
  EXPECT_EQ(Blend(RGBColour(100, 0, 250), RGBColour(200, 100, 0), 100), RGBColour(190, 90, 25));
  // 150 per mille: (255 * 150 + 0 * 850 + 500) div 1000 = 38.
  EXPECT_EQ(Blend(clWhite, clBlack, 150), RGBColour(38, 38, 38));
}

TEST(Blend, ResolvesSystemColoursFirst) {
  EXPECT_EQ(Blend(clBtnFace, clBtnFace, 30), ColorToRGB(clBtnFace));
  EXPECT_EQ(Blend(clBtnText, clWhite, 0), clWhite);
}

TEST(ColorSaturation, FollowsTheStrongestChannel) {
  EXPECT_EQ(ColorSaturation(clRed), 255);
  EXPECT_EQ(ColorSaturation(RGBColour(128, 128, 128)), 200);  // no channel reaches 160
  EXPECT_EQ(ColorSaturation(clWhite), 0);
  // (200 - 100) / 200 * 255 = 127.5: halves go to the even neighbour.
  EXPECT_EQ(ColorSaturation(RGBColour(200, 100, 100)), 128);
  // (170 - 85) / 170 * 255 = 127.5 as well.
  EXPECT_EQ(ColorSaturation(RGBColour(170, 85, 170)), 128);
  EXPECT_EQ(ColorSaturation(RGBColour(160, 0, 0)), 255);
  // 102 / 204 * 255 = 127.5 → 128; 150 / 220 * 255 = 173.86 → 174.
  EXPECT_EQ(ColorSaturation(RGBColour(102, 204, 150)), 128);
  EXPECT_EQ(ColorSaturation(RGBColour(70, 220, 220)), 174);
}

TEST(ColorRamp, RoundsRisingChannelsAndTruncatesFallingOnes) {
  EXPECT_EQ(ColorRamp(1, clBlack, RGBColour(255, 0, 0)), std::vector<TColor>{RGBColour(127, 0, 0)});
  // Rising: 0 .. 10 over 4 entries gives 0, 3, 7, 10 (3.33 and 6.67 rounded).
  const std::vector<TColor> up = ColorRamp(4, RGBColour(0, 0, 0), RGBColour(10, 0, 0));
  EXPECT_EQ(up, (std::vector<TColor>{RGBColour(0, 0, 0), RGBColour(3, 0, 0), RGBColour(7, 0, 0),
                                     RGBColour(10, 0, 0)}));
  // Falling: 10 .. 0 gives 10 + (1 - 10 i) div 3 = 10, 7, 4, 1 — the last
  // entry stops one level short of 0.
  const std::vector<TColor> down = ColorRamp(4, RGBColour(0, 10, 0), RGBColour(0, 0, 0));
  EXPECT_EQ(down, (std::vector<TColor>{RGBColour(0, 10, 0), RGBColour(0, 7, 0), RGBColour(0, 4, 0),
                                       RGBColour(0, 1, 0)}));
  EXPECT_TRUE(ColorRamp(0, clBlack, clWhite).empty());
}

TEST(GradientCache, KeepsRecurringRampsAndRecomputesFallingOnes) {
  TGradientCache cache;
  const std::vector<TColor>& first = cache.Ramp(40, clBlack, clWhite);
  EXPECT_EQ(cache.Cursor(), 1);
  EXPECT_EQ(&cache.Ramp(40, clBlack, clWhite), &first);
  EXPECT_EQ(cache.Cursor(), 1);
  // A falling ramp ends short of its target and so never matches.
  cache.Ramp(3, clWhite, clBlack);
  cache.Ramp(3, clWhite, clBlack);
  EXPECT_EQ(cache.Cursor(), 3);
  // Sixteen misses later the cursor is back where it started and the first
  // ramp's slot has been reused.
  for (int n = 2; n < 15; ++n) cache.Ramp(n, clBlack, clWhite);
  EXPECT_EQ(cache.Cursor(), 0);
  cache.Ramp(41, clBlack, clWhite);
  EXPECT_EQ(cache.Cursor(), 1);
  EXPECT_EQ(first.size(), 41u);
}

TEST(FillGradient, PaintsOnlyTheVisibleLinesWithTheirEntriesOfTheFullRamp) {
  TGradientCache cache;
  // A 40-row gradient of which only rows 10 to 19 fall inside the bitmap.
  TBitmap b(5, 10, clBlue);
  FillGradient(cache, b, TRect{0, -10, 5, 30}, clBlack, true, RGBColour(0, 0, 195));
  const std::vector<TColor> ramp = ColorRamp(40, clBlack, RGBColour(0, 0, 195));
  for (int y = 0; y < 10; ++y) {
    EXPECT_EQ(b.Pixel(0, y), ramp[10 + y]) << y;
    EXPECT_EQ(b.Pixel(4, y), ramp[10 + y]) << y;
  }
  // Horizontal, in the middle of the bitmap: columns 1 to 3 only.
  TBitmap h(5, 2, clBlue);
  FillGradient(cache, h, TRect{1, 0, 4, 2}, clRed, false, clLime);
  EXPECT_EQ(h.Pixel(0, 0), clBlue);
  EXPECT_EQ(h.Pixel(1, 1), clRed);
  EXPECT_EQ(h.Pixel(2, 0), RGBColour(128, 128, 0));
  // The falling red channel stops one level short of 0.
  EXPECT_EQ(h.Pixel(3, 0), RGBColour(1, 255, 0));
  EXPECT_EQ(h.Pixel(4, 0), clBlue);
  // Outside the bitmap, or without height, nothing is drawn.
  FillGradient(cache, h, TRect{10, 0, 20, 2}, clRed, false, clLime);
  FillGradient(cache, h, TRect{0, 1, 5, 1}, clRed, true, clLime);
  EXPECT_EQ(h.Pixel(0, 0), clBlue);
}

TEST(PixelFunctions, GreyAndKeyColourWorkOnTheColourChannels) {
  TBitmap b(2, 1);
  b.SetBitCount(8);
  b.SetPixel(0, 0, RGBColour(10, 20, 31));
  b.SetPixel(1, 0, clFuchsia);
  GrayBitmap(b);
  EXPECT_EQ(b.Pixel(0, 0), RGBColour(20, 20, 20));
  EXPECT_EQ(b.Pixel(1, 0), RGBColour(170, 170, 170));
  EXPECT_EQ(b.BitCount(), 24);

  TBitmap k(3, 1);
  k.SetBitCount(4);
  k.SetPixel(0, 0, clFuchsia);
  k.SetPixel(1, 0, RGBColour(254, 0, 255));
  k.SetPixel(2, 0, RGBColour(255, 1, 255));
  ReplaceKeyColor(k, RGBColour(1, 2, 3));
  EXPECT_EQ(k.Pixel(0, 0), RGBColour(1, 2, 3));
  EXPECT_EQ(k.Pixel(1, 0), RGBColour(254, 0, 255));
  EXPECT_EQ(k.Pixel(2, 0), RGBColour(255, 1, 255));
  EXPECT_EQ(k.BitCount(), 24);
  // A system colour's bytes go in as they are.
  TBitmap s(1, 1, clFuchsia);
  ReplaceKeyColor(s, clBtnFace);
  EXPECT_EQ(s.Pixel(0, 0), RGBColour(15, 0, 0));
}

TEST(PixelFunctions, MirrorFlipAndRotateMovePixelsWhereTheySay) {
  const TBitmap source = Numbered();
  TBitmap m = source;
  MirrorBitmap(m);
  TBitmap f = source;
  FlipBitmap(f);
  TBitmap l = source;
  RotateBitmapLeft(l);
  TBitmap r = source;
  RotateBitmapRight(r);
  ASSERT_EQ(l.Width(), 2);
  ASSERT_EQ(l.Height(), 3);
  ASSERT_EQ(r.Width(), 2);
  ASSERT_EQ(r.Height(), 3);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      const TColor c = source.Pixel(x, y);
      EXPECT_EQ(m.Pixel(2 - x, y), c);
      EXPECT_EQ(f.Pixel(x, 1 - y), c);
      EXPECT_EQ(l.Pixel(y, 2 - x), c);
      EXPECT_EQ(r.Pixel(1 - y, x), c);
    }
  }
  RotateBitmapRight(l);
  EXPECT_TRUE(l.SamePixels(source));
  RotateBitmapLeft(r);
  EXPECT_TRUE(r.SamePixels(source));
  MirrorBitmap(m);
  EXPECT_TRUE(m.SamePixels(source));
  // Odd heights keep their middle row.
  TBitmap odd(1, 3);
  odd.SetPixel(0, 1, clRed);
  FlipBitmap(odd);
  EXPECT_EQ(odd.Pixel(0, 1), clRed);
  // Empty bitmaps stay empty.
  TBitmap empty;
  RotateBitmapLeft(empty);
  MirrorBitmap(empty);
  EXPECT_TRUE(empty.Empty());
}

}  // namespace
