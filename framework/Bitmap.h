#pragma once
// TBitmap: a bitmap whose pixels live in memory as 32-bit words 0x00RRGGBB
// (blue in the lowest byte, the layout of a 32-bit DIB section), rows from
// the top. BitCount remembers the depth the image was loaded or made with;
// the pixels are always kept at full depth. The Windows drawing code hands
// out a DIB section of it when something draws it (BitmapWin32.h).
#include <cstdint>
#include <span>
#include <vector>

#include "framework/Graphics.h"

class TStream;

class TBitmap {
 public:
  TBitmap() = default;
  TBitmap(int width, int height, TColor fill = clBlack) { SetSize(width, height, fill); }

  int Width() const { return width_; }
  int Height() const { return height_; }
  // No pixels at all: painting code treats this as the absence of an image.
  bool Empty() const { return width_ <= 0 || height_ <= 0; }
  TRect BoundsRect() const { return {0, 0, width_, height_}; }

  // 1, 4, 8, 16, 24 or 32: the depth as loaded (or as set by the code that
  // changed it). New bitmaps are 24-bit.
  int BitCount() const { return bit_count_; }
  void SetBitCount(int bit_count) { bit_count_ = bit_count; }

  // Replaces the pixels with width x height pixels of `fill` (system colours
  // resolved). Negative sizes count as 0.
  void SetSize(int width, int height, TColor fill = clBlack);
  // No pixels; the depth goes back to 24.
  void Clear();

  // Pixel access by colour. Outside the bitmap Pixel answers -1 and
  // SetPixel does nothing.
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor colour);

  // Row y (0 = top), Width() words; y must lie inside the bitmap.
  std::uint32_t* ScanLine(int y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
  const std::uint32_t* ScanLine(int y) const {
    return pixels_.data() + static_cast<size_t>(y) * width_;
  }
  std::span<const std::uint32_t> Pixels() const { return pixels_; }

  // Automatic transparency: when Transparent is set, pixels of
  // TransparentColor are not drawn.
  bool Transparent = false;
  TColor TransparentColor = clNone;

  // Fills `rect` (clipped to the bitmap) with `colour` (system colours
  // resolved).
  void FillRect(const TRect& rect, TColor colour);
  // Copies `src_rect` of `source` into `dest_rect` of this bitmap, stretched
  // by nearest pixel when the sizes differ (the COLORONCOLOR stretch mode);
  // both rectangles are clipped to their bitmaps. With `transparent` set,
  // source pixels of colour `key` are skipped.
  void CopyRect(const TRect& dest_rect, const TBitmap& source, const TRect& src_rect,
                bool transparent = false, TColor key = clFuchsia);
  // Copies all of `source` to (x, y), unscaled.
  void Draw(int x, int y, const TBitmap& source, bool transparent = false, TColor key = clFuchsia);

  // Decodes a BMP file from the stream's position to its end; a malformed
  // file leaves the bitmap empty and answers false.
  bool LoadFromStream(TStream& stream);
  bool LoadFromBytes(std::span<const std::uint8_t> bytes);

  // Same size and the same pixels (depth and transparency not compared).
  bool SamePixels(const TBitmap& other) const {
    return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
  }

  // Pixel word <-> colour.
  static std::uint32_t ToPixel(TColor rgb) {
    const auto c = static_cast<std::uint32_t>(rgb);
    return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
  }
  static TColor FromPixel(std::uint32_t pixel) {
    return static_cast<TColor>((pixel & 0xFF) << 16 | (pixel & 0xFF00) | (pixel >> 16 & 0xFF));
  }

 private:
  int width_ = 0;
  int height_ = 0;
  int bit_count_ = 24;
  std::vector<std::uint32_t> pixels_;
};
