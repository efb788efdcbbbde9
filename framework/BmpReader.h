#pragma once
// Decoding of BMP images into TBitmap: the file form (with its 14-byte file
// header) and the packed DIB of bitmap resources (header, colour table and
// bits in a row). Accepted: the 12-byte core header and the 40, 52, 56, 108
// and 124-byte info headers; 1, 4, 8, 16, 24 and 32 bits per pixel; rows
// bottom-up or top-down; RLE8 and RLE4; bit-field masks for 16 and 32 bits;
// colour tables shorter than the depth allows (indexes past the table read
// as black). Anything else, or anything truncated, leaves the bitmap empty
// and answers false; the readers never read outside the given bytes.
#include <cstdint>
#include <span>

class TBitmap;

// Images larger than this many pixels are refused (a skin image is a few
// thousand pixels; compressed images could otherwise claim gigabytes).
inline constexpr std::int64_t kMaxBmpPixels = std::int64_t{1} << 24;

bool ReadBmp(std::span<const std::uint8_t> file, TBitmap& bitmap);
bool ReadPackedDib(std::span<const std::uint8_t> dib, TBitmap& bitmap);
