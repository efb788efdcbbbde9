#include "tests/native/skins/SkinBitmap.h"

#include <algorithm>
#include <cmath>

namespace {

std::uint32_t Get32(std::span<const std::uint8_t> b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
         (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t Get16(std::span<const std::uint8_t> b, size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

double Linear(int channel) {
  const double c = channel / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

std::optional<SkinBitmap> DecodeSkinBitmap(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
  const std::uint32_t offset = Get32(bytes, 10);
  const std::uint32_t header = Get32(bytes, 14);
  const auto width = static_cast<std::int32_t>(Get32(bytes, 18));
  const auto height = static_cast<std::int32_t>(Get32(bytes, 22));
  if (header < 40 || Get16(bytes, 28) != 24 || Get32(bytes, 30) != 0) return std::nullopt;
  if (width <= 0 || height == 0 || width > 100000 || std::abs(height) > 100000) return std::nullopt;
  const bool bottom_up = height > 0;
  SkinBitmap bmp;
  bmp.width = width;
  bmp.height = std::abs(height);
  const size_t row = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  if (offset > bytes.size() || bytes.size() - offset < row * bmp.height) return std::nullopt;
  bmp.rgb.resize(static_cast<size_t>(width) * bmp.height * 3);
  for (int y = 0; y < bmp.height; ++y) {
    const size_t src = offset + row * (bottom_up ? bmp.height - 1 - y : y);
    for (int x = 0; x < width; ++x) {
      const size_t at = (static_cast<size_t>(y) * width + x) * 3;
      bmp.rgb[at] = bytes[src + x * 3 + 2];
      bmp.rgb[at + 1] = bytes[src + x * 3 + 1];
      bmp.rgb[at + 2] = bytes[src + x * 3];
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
