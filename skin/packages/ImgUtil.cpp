#include "skin/packages/ImgUtil.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr std::uint32_t kMagentaPixel = 0xFF00FF;

}  // namespace

void GrayBitmap(TBitmap& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::uint32_t* row = bitmap.ScanLine(y);
    for (int x = 0; x < bitmap.Width(); ++x) {
      const std::uint32_t p = row[x];
      const std::uint32_t v = ((p & 0xFF) + (p >> 8 & 0xFF) + (p >> 16 & 0xFF)) / 3;
      row[x] = v << 16 | v << 8 | v;
    }
  }
  bitmap.SetBitCount(24);
}

void ReplaceKeyColor(TBitmap& bitmap, TColor colour) {
  const auto c = static_cast<std::uint32_t>(colour);
  const std::uint32_t replacement = (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::uint32_t* row = bitmap.ScanLine(y);
    for (int x = 0; x < bitmap.Width(); ++x) {
      if ((row[x] & 0xFFFFFF) == kMagentaPixel) row[x] = replacement;
    }
  }
  bitmap.SetBitCount(24);
}

void MirrorBitmap(TBitmap& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::uint32_t* row = bitmap.ScanLine(y);
    std::reverse(row, row + bitmap.Width());
  }
}

void FlipBitmap(TBitmap& bitmap) {
  const int h = bitmap.Height();
  for (int y = 0; y < h / 2; ++y) {
    std::swap_ranges(bitmap.ScanLine(y), bitmap.ScanLine(y) + bitmap.Width(),
                     bitmap.ScanLine(h - 1 - y));
  }
}

namespace {

// Turns the bitmap a quarter: `left` counter-clockwise, else clockwise.
void Rotate(TBitmap& bitmap, bool left) {
  if (bitmap.Empty()) return;
  const TBitmap source = bitmap;
  const int w = source.Width();
  const int h = source.Height();
  bitmap.SetSize(h, w);
  for (int y = 0; y < h; ++y) {
    const std::uint32_t* row = source.ScanLine(y);
    for (int x = 0; x < w; ++x) {
      if (left) {
        bitmap.ScanLine(w - 1 - x)[y] = row[x];
      } else {
        bitmap.ScanLine(x)[h - 1 - y] = row[x];
      }
    }
  }
}

}  // namespace

void RotateBitmapLeft(TBitmap& bitmap) {
  Rotate(bitmap, true);
}

void RotateBitmapRight(TBitmap& bitmap) {
  Rotate(bitmap, false);
}

TColor Blend(TColor c1, TColor c2, int amount) {
  const auto v1 = static_cast<std::uint32_t>(ColorToRGB(c1));
  const auto v2 = static_cast<std::uint32_t>(ColorToRGB(c2));
  const std::int64_t scale = amount < 100 ? 100 : 1000;
  const std::int64_t a = amount;
  auto mix = [&](std::int64_t x1, std::int64_t x2) {
    return static_cast<std::uint32_t>((x1 * a + x2 * (scale - a) + scale / 2) / scale) & 0xFF;
  };
  const std::uint32_t r = mix(v1 & 0xFF, v2 & 0xFF);
  const std::uint32_t g = mix(v1 >> 8 & 0xFF, v2 >> 8 & 0xFF);
  // The top channel is taken as the whole upper half, as colours are stored.
  const std::uint32_t b = mix(v1 >> 16, v2 >> 16);
  return static_cast<TColor>(r | g << 8 | b << 16);
}

int ColorSaturation(TColor colour) {
  const TColor c = ColorToRGB(colour);
  const int r = RedOf(c);
  const int g = GreenOf(c);
  const int b = BlueOf(c);
  if (r < 160 && g < 160 && b < 160) return 200;
  const int max = std::max({r, g, b});
  const int min = std::min({r, g, b});
  // (max - min) * 255 / max, rounded half to even.
  const int num = (max - min) * 255;
  int q = num / max;
  const int twice_rest = 2 * (num % max);
  if (twice_rest > max || (twice_rest == max && (q & 1))) ++q;
  return q;
}

std::vector<TColor> ColorRamp(int length, TColor c1, TColor c2) {
  if (length < 1) return {};
  const int from[3] = {RedOf(c1), GreenOf(c1), BlueOf(c1)};
  const int to[3] = {RedOf(c2), GreenOf(c2), BlueOf(c2)};
  std::vector<TColor> ramp(static_cast<size_t>(length));
  const int d = length - 1;
  const int g = d / 2;
  for (int i = 0; i < length; ++i) {
    int channel[3];
    for (int k = 0; k < 3; ++k) {
      const int delta = to[k] - from[k];
      channel[k] = d == 0 ? from[k] + delta / 2 : from[k] + (g + i * delta) / d;
    }
    ramp[static_cast<size_t>(i)] = RGBColour(channel[0], channel[1], channel[2]);
  }
  return ramp;
}

const std::vector<TColor>& TGradientCache::Ramp(int length, TColor c1, TColor c2) {
  for (int i = kSlots - 1; i >= 0; --i) {
    const std::vector<TColor>& slot = slots_[static_cast<size_t>(i)];
    if (!slot.empty() && static_cast<int>(slot.size()) == length && slot.front() == c1 &&
        slot.back() == c2) {
      return slot;
    }
  }
  std::vector<TColor>& slot = slots_[static_cast<size_t>(cursor_)];
  cursor_ = (cursor_ + 1) % kSlots;
  slot = ColorRamp(length, c1, c2);
  return slot;
}

std::optional<TGradientLines> PlanGradient(TGradientCache& cache, const TRect& rect,
                                           const TRect& clip, TColor c1, bool vertical, TColor c2) {
  if (Intersect(rect, clip).Empty()) return std::nullopt;
  const TColor from = ColorToRGB(c1);
  const TColor to = ColorToRGB(c2);
  const int length = vertical ? rect.Height() : rect.Width();
  if (length <= 0) return std::nullopt;
  const int start = vertical ? rect.top : rect.left;
  const int clip_start = vertical ? clip.top : clip.left;
  const int clip_end = vertical ? clip.bottom : clip.right;
  TGradientLines lines;
  lines.first = clip_start > start ? clip_start - start : 0;
  lines.last = clip_end < start + length ? clip_end - 1 - start : length - 1;
  lines.ramp = &cache.Ramp(length, from, to);
  return lines;
}

void FillGradient(TGradientCache& cache, TBitmap& bitmap, const TRect& rect, TColor c1,
                  bool vertical, TColor c2) {
  const auto lines = PlanGradient(cache, rect, bitmap.BoundsRect(), c1, vertical, c2);
  if (!lines) return;
  for (int i = lines->first; i <= lines->last; ++i) {
    const TColor c = (*lines->ramp)[static_cast<size_t>(i)];
    if (vertical) {
      bitmap.FillRect({rect.left, rect.top + i, rect.right, rect.top + i + 1}, c);
    } else {
      bitmap.FillRect({rect.left + i, rect.top, rect.left + i + 1, rect.bottom}, c);
    }
  }
}
