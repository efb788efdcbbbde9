#include "framework/GlyphImage.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "framework/ImageList.h"

namespace {

// The source pixels one target pixel covers along an axis, with the share
// of each (in units of 1 / target length of a source pixel).
struct TCover {
  int first = 0;
  std::vector<long long> share;
};

// Target pixel t covers [t * from, (t + 1) * from) and source pixel i
// covers [i * to, (i + 1) * to), both in units of 1 / (from * to) of the
// whole length, so the overlaps are whole numbers.
std::vector<TCover> Covers(int from, int to) {
  std::vector<TCover> out(static_cast<size_t>(to));
  for (int t = 0; t < to; ++t) {
    const long long start = static_cast<long long>(t) * from;
    const long long end = start + from;
    const int first = static_cast<int>(start / to);
    const int last = static_cast<int>(std::min<long long>((end - 1) / to, from - 1));
    TCover& c = out[static_cast<size_t>(t)];
    c.first = first;
    for (int i = first; i <= last; ++i) {
      const long long lo = std::max(start, static_cast<long long>(i) * to);
      const long long hi = std::min(end, static_cast<long long>(i + 1) * to);
      c.share.push_back(std::max(0LL, hi - lo));
    }
  }
  return out;
}

TBitmap Scale(const TBitmap& image, bool keyed, std::uint32_t key, int width, int height) {
  if (image.Empty() || width <= 0 || height <= 0) return {};
  TBitmap out(width, height);
  if (image.Width() == width && image.Height() == height) {
    out.CopyRect(out.BoundsRect(), image, image.BoundsRect());
    return out;
  }
  const std::vector<TCover> across = Covers(image.Width(), width);
  const std::vector<TCover> down = Covers(image.Height(), height);
  for (int y = 0; y < height; ++y) {
    const TCover& dy = down[static_cast<size_t>(y)];
    std::uint32_t* row = out.ScanLine(y);
    for (int x = 0; x < width; ++x) {
      const TCover& dx = across[static_cast<size_t>(x)];
      long long total = 0, clear = 0, red = 0, green = 0, blue = 0;
      for (size_t j = 0; j < dy.share.size(); ++j) {
        const std::uint32_t* in = image.ScanLine(dy.first + static_cast<int>(j));
        for (size_t i = 0; i < dx.share.size(); ++i) {
          const long long w = dy.share[j] * dx.share[i];
          if (w == 0) continue;
          const std::uint32_t p = in[dx.first + static_cast<int>(i)] & 0xFFFFFF;
          total += w;
          if (keyed && p == key) {
            clear += w;
            continue;
          }
          red += w * ((p >> 16) & 0xFF);
          green += w * ((p >> 8) & 0xFF);
          blue += w * (p & 0xFF);
        }
      }
      if (total == 0 || (keyed && clear * 2 > total)) {
        row[x] = key;
        continue;
      }
      const long long rest = total - clear;
      const auto channel = [rest](long long sum) {
        return static_cast<std::uint32_t>((sum + rest / 2) / rest);
      };
      std::uint32_t p = channel(red) << 16 | channel(green) << 8 | channel(blue);
      // A mix that lands on the key would open a hole the glyph does not
      // have.
      if (keyed && p == key) p ^= 0x000100;
      row[x] = p;
    }
  }
  return out;
}

}  // namespace

TBitmap ScaleGlyph(const TBitmap& image, TColor key, int width, int height) {
  return Scale(image, true, TBitmap::ToPixel(key) & 0xFFFFFF, width, height);
}

TBitmap ScaleOpaqueImage(const TBitmap& image, int width, int height) {
  return Scale(image, false, 0, width, height);
}

TBitmap ListImageAtSize(const TImageList& images, int index, int width, int height,
                        const TGlyphRecolour& recolour) {
  if (index < 0 || index >= images.Count()) return {};
  TBitmap image = images.Image(index);
  const TColor key = images.MaskColor(index);
  if (recolour) recolour(image, key);
  if (width != image.Width() || height != image.Height()) {
    image = ScaleGlyph(image, key, width, height);
  }
  image.Transparent = true;
  image.TransparentColor = key;
  return image;
}
