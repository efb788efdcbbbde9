#include "skin/controls/BackBuffer.h"

#include <algorithm>
#include <cstring>

#include "skin/data/SkinObjects.h"
#include "skin/data/SkinRender.h"

TBackBuffer::~TBackBuffer() {
  Release();
}

void TBackBuffer::Release() {
  dc_.reset();
  dib_.Reset();
  bits_ = nullptr;
  width_ = height_ = 0;
}

bool TBackBuffer::SetSize(int width, int height) {
  if (width <= 0 || height <= 0) {
    Release();
    return false;
  }
  if (dc_ && width == width_ && height == height_) return true;
  Release();
  dib_ = MakeBlankDibSection(width, height, &bits_);
  if (!dib_) return false;
  dc_.emplace(dib_.Get());
  if (!dc_->Get()) {
    Release();
    return false;
  }
  width_ = width;
  height_ = height;
  return true;
}

void TBackBuffer::Fill(const TRect& rect, TColor colour) {
  const TRect r = Intersect(rect, BoundsRect());
  if (r.Empty()) return;
  GdiFlush();
  const std::uint32_t pixel = TBitmap::ToPixel(ColorToRGB(colour));
  for (int y = r.top; y < r.bottom; ++y) std::fill(Row(y) + r.left, Row(y) + r.right, pixel);
}

std::span<std::uint32_t> TBackBuffer::Pixels() {
  if (!bits_) return {};
  GdiFlush();
  return {bits_, static_cast<size_t>(width_) * static_cast<size_t>(height_)};
}

void TBackBuffer::Draw(int x, int y, const TBitmap& bitmap, bool transparent, TColor key) {
  DrawStretched(Bounds(x, y, bitmap.Width(), bitmap.Height()), bitmap, bitmap.BoundsRect(),
                transparent, key);
}

void TBackBuffer::DrawStretched(const TRect& dest, const TBitmap& image, const TRect& src,
                                bool transparent, TColor key) {
  if (dest.Empty() || src.Empty() || image.Empty()) return;
  const TRect visible = Intersect(dest, BoundsRect());
  if (visible.Empty()) return;
  GdiFlush();
  const std::uint32_t key_pixel = TBitmap::ToPixel(ColorToRGB(key));
  for (int y = visible.top; y < visible.bottom; ++y) {
    const int sy = src.top + static_cast<int>(static_cast<long long>(y - dest.top) * src.Height() /
                                              dest.Height());
    if (sy < 0 || sy >= image.Height()) continue;
    const std::uint32_t* in = image.ScanLine(sy);
    std::uint32_t* out = Row(y);
    for (int x = visible.left; x < visible.right; ++x) {
      const int sx = src.left + static_cast<int>(static_cast<long long>(x - dest.left) *
                                                 src.Width() / dest.Width());
      if (sx < 0 || sx >= image.Width()) continue;
      const std::uint32_t p = in[sx] & 0xFFFFFF;
      if (transparent && p == key_pixel) continue;
      out[x] = p;
    }
  }
}

void TBackBuffer::CopyTo(HDC target, int x, int y) const {
  if (!dc_) return;
  BitBlt(target, x, y, width_, height_, dc_->Get(), 0, 0, SRCCOPY);
}

void DrawSkinState(TBackBuffer& buffer, const TRect& rect, int frames, int cell,
                   const TDataSkinObject& object, int dpi) {
  if (rect.right < rect.left || rect.bottom < rect.top || rect.Empty()) return;
  if (object.Bitmap.Empty()) return;
  const TBitmap part = RenderSkinCell(object, rect.Width(), rect.Height(), frames, cell, dpi);
  buffer.Draw(rect.left, rect.top, part, object.Trans == 1);
}

void DrawStripFrame(TBackBuffer& buffer, const TRect& rect, int frames, int cell,
                    const TBitmap& image, int dpi) {
  if (rect.Empty() || image.Empty()) return;
  frames = std::max(frames, 1);
  const int w = image.Width() / frames;
  if (w <= 0) return;
  if (dpi > 0 && dpi != kSkinDpi) {
    buffer.Draw(rect.left, rect.top,
                ScaleSkinCell(image, frames, cell, rect.Width(), rect.Height()), true);
    return;
  }
  buffer.DrawStretched(rect, image, Bounds((cell - 1) * w, 0, w, image.Height()), true);
}
