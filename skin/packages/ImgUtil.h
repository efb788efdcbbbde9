#pragma once
// Bitmap and colour helpers of the skin code: grey glyphs, key-colour
// replacement, mirrored, flipped and rotated skin images, colour mixing and
// saturation, and two-colour gradients drawn line by line from a small cache
// of colour ramps. The device-context half of the gradient is in
// ImgUtilWin32.h.
#include <array>
#include <optional>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Graphics.h"

// Every pixel's three channels become (B + G + R) div 3; the bitmap becomes
// 24-bit.
void GrayBitmap(TBitmap& bitmap);
// Pixels of exactly red 255, green 0, blue 255 take the red, green and blue
// bytes of `colour` as they are (a system colour is not resolved); the
// bitmap becomes 24-bit.
void ReplaceKeyColor(TBitmap& bitmap, TColor colour);
// Pixel (x, y) moves to (W - 1 - x, y).
void MirrorBitmap(TBitmap& bitmap);
// Row y moves to row H - 1 - y.
void FlipBitmap(TBitmap& bitmap);
// A quarter turn counter-clockwise: H wide and W high afterwards; pixel
// (x, y) lands at (y, W - 1 - x).
void RotateBitmapLeft(TBitmap& bitmap);
// A quarter turn clockwise: pixel (x, y) lands at (H - 1 - y, x).
void RotateBitmapRight(TBitmap& bitmap);

// The mix of two colours (system colours resolved first): `amount` is the
// share of c1, in percent below 100 and in per mille from 100 on (so 100
// means 10 %), rounded to the nearest level.
TColor Blend(TColor c1, TColor c2, int amount);
// (max - min) / max of the three channels, scaled to 0..255 and rounded
// half to even; 200 when no channel reaches 160. System colours are
// resolved first.
int ColorSaturation(TColor colour);

// The ramp of `length` (at least 1) colours from c1 to c2, per channel
// c1 + (g + i * (c2 - c1)) div d with d = length - 1, g = d div 2 and the
// division truncated toward zero; one entry is the truncated midpoint.
std::vector<TColor> ColorRamp(int length, TColor c1, TColor c2);

// Sixteen ramps kept for gradients that recur (the same size and colours).
// A ramp matches when its length, first and last entries are the wanted
// ones; misses go to the slot at a cursor that wraps around.
class TGradientCache {
 public:
  static constexpr int kSlots = 16;
  // The ramp from the cache, computed into the next slot on a miss. The
  // reference stays valid until that slot is reused.
  const std::vector<TColor>& Ramp(int length, TColor c1, TColor c2);
  int Cursor() const { return cursor_; }

 private:
  std::array<std::vector<TColor>, kSlots> slots_;
  int cursor_ = 0;
};

// Which lines of a gradient over `rect` lie inside `clip`, and their ramp:
// line i (0 = the top or left edge) gets ramp entry i.
struct TGradientLines {
  int first = 0;
  int last = -1;
  const std::vector<TColor>* ramp = nullptr;
};
// Nothing when `rect` and `clip` do not meet or the gradient has no length.
// c1 and c2 are resolved to RGB.
std::optional<TGradientLines> PlanGradient(TGradientCache& cache, const TRect& rect,
                                           const TRect& clip, TColor c1, bool vertical, TColor c2);

// Paints `rect` of `bitmap` (clipped to it) with a ramp from c1 to c2, top to
// bottom when `vertical`, left to right otherwise, one solid line at a time.
void FillGradient(TGradientCache& cache, TBitmap& bitmap, const TRect& rect, TColor c1,
                  bool vertical, TColor c2);
