#include "tests/native/skins/SkinBitmap.h"

#include <algorithm>
#include <cmath>

#include "framework/Bitmap.h"
#include "framework/BmpReader.h"

namespace {

double Linear(int channel) {
  const double c = channel / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

std::optional<SkinBitmap> DecodeSkinBitmap(std::span<const std::uint8_t> bytes) {
  TBitmap bitmap;
  // Skin images are plain 24-bit bitmaps.
  if (!ReadBmp(bytes, bitmap) || bitmap.BitCount() != 24) return std::nullopt;
  SkinBitmap bmp;
  bmp.width = bitmap.Width();
  bmp.height = bitmap.Height();
  bmp.rgb.reserve(static_cast<size_t>(bmp.width) * bmp.height * 3);
  for (int y = 0; y < bmp.height; ++y) {
    for (int x = 0; x < bmp.width; ++x) {
      const TColor c = bitmap.Pixel(x, y);
      bmp.rgb.push_back(static_cast<std::uint8_t>(c & 0xFF));
      bmp.rgb.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
      bmp.rgb.push_back(static_cast<std::uint8_t>((c >> 16) & 0xFF));
    }
  }
  return bmp;
}

double RelativeLuminance(int r, int g, int b) {
  return 0.2126 * Linear(r) + 0.7152 * Linear(g) + 0.0722 * Linear(b);
}

double ContrastRatio(int r1, int g1, int b1, int r2, int g2, int b2) {
  const double a = RelativeLuminance(r1, g1, b1), b = RelativeLuminance(r2, g2, b2);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}
