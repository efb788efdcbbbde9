#include "framework/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/BmpReader.h"
#include "framework/Streams.h"

void TBitmap::SetSize(int width, int height, TColor fill) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == 0 || height == 0) width = height = 0;
  width_ = width;
  height_ = height;
  pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height),
                 ToPixel(ColorToRGB(fill)));
}

void TBitmap::Clear() {
  width_ = height_ = 0;
  bit_count_ = 24;
  pixels_.clear();
  pixels_.shrink_to_fit();
}

TColor TBitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return -1;
  return FromPixel(ScanLine(y)[x]);
}

void TBitmap::SetPixel(int x, int y, TColor colour) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  ScanLine(y)[x] = ToPixel(ColorToRGB(colour));
}

void TBitmap::FillRect(const TRect& rect, TColor colour) {
  const TRect r = Intersect(rect, BoundsRect());
  const std::uint32_t p = ToPixel(ColorToRGB(colour));
  for (int y = r.top; y < r.bottom; ++y) std::fill(ScanLine(y) + r.left, ScanLine(y) + r.right, p);
}

void TBitmap::CopyRect(const TRect& dest_rect, const TBitmap& source, const TRect& src_rect,
                       bool transparent, TColor key) {
  if (dest_rect.Empty() || src_rect.Empty()) return;
  const TRect visible = Intersect(dest_rect, BoundsRect());
  if (visible.Empty()) return;
  const std::int64_t dw = dest_rect.Width();
  const std::int64_t dh = dest_rect.Height();
  const std::int64_t sw = src_rect.Width();
  const std::int64_t sh = src_rect.Height();
  const std::uint32_t key_pixel = ToPixel(ColorToRGB(key));
  // A copy from a bitmap into itself reads a snapshot.
  const TBitmap* from = &source;
  TBitmap snapshot;
  if (&source == this) {
    snapshot = source;
    from = &snapshot;
  }
  // The source column of every destination column, worked out once: pixel
  // centres map to pixel centres (the COLORONCOLOR stretch).
  std::vector<std::int32_t> columns(static_cast<size_t>(visible.Width()));
  bool straight = sw == dw;
  for (int x = visible.left; x < visible.right; ++x) {
    const std::int64_t sx = sw == dw
                                ? src_rect.left + (x - dest_rect.left)
                                : src_rect.left + ((2 * (x - dest_rect.left) + 1) * sw) / (2 * dw);
    const bool inside = sx >= 0 && sx < from->width_;
    straight = straight && inside;
    columns[static_cast<size_t>(x - visible.left)] = inside ? static_cast<std::int32_t>(sx) : -1;
  }
  for (int y = visible.top; y < visible.bottom; ++y) {
    // The source row is the one under the centre of the destination row.
    const std::int64_t sy = sh == dh
                                ? src_rect.top + (y - dest_rect.top)
                                : src_rect.top + ((2 * (y - dest_rect.top) + 1) * sh) / (2 * dh);
    if (sy < 0 || sy >= from->height_) continue;
    const std::uint32_t* src = from->ScanLine(static_cast<int>(sy));
    std::uint32_t* dst = ScanLine(y) + visible.left;
    if (straight && !transparent) {
      std::memcpy(dst, src + columns[0], columns.size() * sizeof(std::uint32_t));
      continue;
    }
    for (size_t i = 0; i < columns.size(); ++i) {
      const std::int32_t sx = columns[i];
      if (sx < 0) continue;
      const std::uint32_t p = src[sx];
      if (transparent && (p & 0xFFFFFF) == key_pixel) continue;
      dst[i] = p;
    }
  }
}

void TBitmap::Draw(int x, int y, const TBitmap& source, bool transparent, TColor key) {
  CopyRect(Bounds(x, y, source.width_, source.height_), source, source.BoundsRect(), transparent,
           key);
}

bool TBitmap::LoadFromStream(TStream& stream) {
  const std::int64_t left = stream.Size() - stream.Position();
  std::vector<std::uint8_t> bytes(static_cast<size_t>(left > 0 ? left : 0));
  bytes.resize(
      static_cast<size_t>(stream.Read(bytes.data(), static_cast<std::int64_t>(bytes.size()))));
  return LoadFromBytes(bytes);
}

bool TBitmap::LoadFromBytes(std::span<const std::uint8_t> bytes) {
  return ReadBmp(bytes, *this);
}
