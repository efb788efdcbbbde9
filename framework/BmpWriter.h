#pragma once
// Writing TBitmap as a BMP file (40-byte info header), for the tools that
// make skins and for tests. Depths of 8 bits and less use a colour table:
// the one given, or the bitmap's colours in order of first appearance
// (scanning rows from the top). 8 and 4-bit images may be run-length coded.
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "framework/Graphics.h"

class TBitmap;

struct TBmpWriteOptions {
  int bit_count = 24;  // 1, 4, 8, 24 or 32
  bool top_down = false;
  bool rle = false;  // RLE8 for 8 bits, RLE4 for 4 bits
  // Colour table for 1, 4 and 8 bits; may be shorter than the depth allows.
  std::vector<TColor> palette;
};

// Raises std::invalid_argument for an empty bitmap, an unsupported depth or
// combination, or colours that the table does not hold.
std::vector<std::uint8_t> WriteBmp(const TBitmap& bitmap, const TBmpWriteOptions& options = {});
