#include "framework/BitmapWin32.h"

#include "framework/Dpi.h"

#include <cstring>

namespace {

BITMAPINFO TopDownInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace

THBitmap MakeDibSection(const TBitmap& bitmap) {
  if (bitmap.Empty()) return THBitmap();
  const BITMAPINFO info = TopDownInfo(bitmap.Width(), bitmap.Height());
  void* bits = nullptr;
  THBitmap dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib || !bits) return THBitmap();
  GdiFlush();
  std::memcpy(bits, bitmap.Pixels().data(), bitmap.Pixels().size_bytes());
  return dib;
}

THBitmap MakeBlankDibSection(int width, int height, std::uint32_t** bits) {
  *bits = nullptr;
  if (width <= 0 || height <= 0) return THBitmap();
  const BITMAPINFO info = TopDownInfo(width, height);
  void* pixels = nullptr;
  THBitmap dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
  if (!dib || !pixels) return THBitmap();
  *bits = static_cast<std::uint32_t*>(pixels);
  return dib;
}

bool ReadGdiBitmap(HBITMAP handle, TBitmap& bitmap) {
  BITMAP bm{};
  if (!handle || GetObjectW(handle, sizeof bm, &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0) {
    bitmap.Clear();
    return false;
  }
  BITMAPINFO info = TopDownInfo(bm.bmWidth, bm.bmHeight);
  TBitmap read(bm.bmWidth, bm.bmHeight);
  TOwnedMemoryDC dc;
  const int rows = GetDIBits(dc.Get(), handle, 0, static_cast<UINT>(bm.bmHeight), read.ScanLine(0),
                             &info, DIB_RGB_COLORS);
  if (rows != bm.bmHeight) {
    bitmap.Clear();
    return false;
  }
  // The fourth byte is not part of the colour.
  for (int y = 0; y < read.Height(); ++y) {
    for (int x = 0; x < read.Width(); ++x) read.ScanLine(y)[x] &= 0xFFFFFF;
  }
  read.SetBitCount(bm.bmBitsPixel);
  bitmap = std::move(read);
  return true;
}

TBitmap ReadDCPixels(HDC dc, const TRect& rect) {
  TBitmap result;
  if (rect.Empty()) return result;
  THBitmap dib = MakeDibSection(TBitmap(rect.Width(), rect.Height()));
  if (!dib) return result;
  {
    TOwnedMemoryDC mem;
    const HGDIOBJ old = SelectObject(mem.Get(), dib.Get());
    BitBlt(mem.Get(), 0, 0, rect.Width(), rect.Height(), dc, rect.left, rect.top, SRCCOPY);
    SelectObject(mem.Get(), old);
  }
  ReadGdiBitmap(dib.Get(), result);
  return result;
}

void DrawBitmap(HDC dc, int x, int y, const TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  const TBitmap* source = &bitmap;
  TBitmap composed;
  if (bitmap.Transparent) {
    // Put the opaque pixels over what the DC shows, then copy the result.
    composed = ReadDCPixels(dc, Bounds(x, y, bitmap.Width(), bitmap.Height()));
    if (composed.Empty()) return;
    composed.Draw(0, 0, bitmap, true, bitmap.TransparentColor);
    source = &composed;
  }
  const BITMAPINFO info = TopDownInfo(source->Width(), source->Height());
  StretchDIBits(dc, x, y, source->Width(), source->Height(), 0, 0, source->Width(),
                source->Height(), source->ScanLine(0), &info, DIB_RGB_COLORS, SRCCOPY);
}

namespace {
// `image` enlarged to width x height, each pixel taken from the nearest
// source pixel: no colour is mixed, so the mask colour stays exact.
TBitmap NearestScaled(const TBitmap& image, int width, int height) {
  if (image.Width() == width && image.Height() == height) return image;
  TBitmap out(width, height);
  for (int y = 0; y < height; ++y) {
    const int sy = y * image.Height() / height;
    for (int x = 0; x < width; ++x) out.SetPixel(x, y, image.Pixel(x * image.Width() / width, sy));
  }
  return out;
}
}  // namespace

THImageList MakeImageListHandle(const TImageList& list, int dpi) {
  // The list's cells are 96-DPI sized; at another DPI they are drawn at
  // that DPI's size, like the text beside them.
  const int width = ScaleForDpi(list.Width(), dpi), height = ScaleForDpi(list.Height(), dpi);
  THImageList handle(ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, list.Count(), 4));
  if (!handle) return handle;
  for (int i = 0; i < list.Count(); ++i) {
    THBitmap cell = MakeDibSection(NearestScaled(list.Image(i), width, height));
    if (!cell) continue;
    ImageList_AddMasked(handle.Get(), cell.Get(), static_cast<COLORREF>(list.MaskColor(i)));
  }
  return handle;
}
