#pragma once
// Skin images as plain RGB rows for the tests (decoded by the framework's
// BMP reader), and the contrast measure of the web accessibility guidelines.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

struct SkinBitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // rows top to bottom, R G B

  int R(int x, int y) const { return rgb[(static_cast<size_t>(y) * width + x) * 3]; }
  int G(int x, int y) const { return rgb[(static_cast<size_t>(y) * width + x) * 3 + 1]; }
  int B(int x, int y) const { return rgb[(static_cast<size_t>(y) * width + x) * 3 + 2]; }
  // The key colour (magenta) that skins leave transparent.
  bool IsKey(int x, int y) const { return R(x, y) == 255 && G(x, y) == 0 && B(x, y) == 255; }
};

// Nothing when the bytes are not a readable 24-bit BMP.
std::optional<SkinBitmap> DecodeSkinBitmap(std::span<const std::uint8_t> bytes);

// Relative luminance and contrast ratio as the web accessibility guidelines
// define them, for 8-bit channels.
double RelativeLuminance(int r, int g, int b);
double ContrastRatio(int r1, int g1, int b1, int r2, int g2, int b2);
