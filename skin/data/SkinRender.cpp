#include "skin/data/SkinRender.h"

#include <algorithm>

namespace {

// Repeats `src` of `image` over `dest` from its top-left corner, cut at
// dest's edges.
void TileInto(TBitmap& out, const TRect& dest, const TBitmap& image, const TRect& src) {
  if (dest.Empty() || src.Empty()) return;
  for (int y = dest.top; y < dest.bottom; y += src.Height()) {
    for (int x = dest.left; x < dest.right; x += src.Width()) {
      const int w = std::min(src.Width(), dest.right - x);
      const int h = std::min(src.Height(), dest.bottom - y);
      out.CopyRect(Bounds(x, y, w, h), image, Bounds(src.left, src.top, w, h));
    }
  }
}

}  // namespace

TBitmap RenderSkinPart(int width, int height, const TBitmap& image, const TSkinMargins& margins,
                       bool vertical, bool tile, int frames, int cell) {
  TBitmap out(width, height);
  if (out.Empty() || image.Empty()) return out;
  if (frames < 1) frames = 1;
  const int fw = vertical ? image.Width() : image.Width() / frames;
  const int fh = vertical ? image.Height() / frames : image.Height();
  const int sx = vertical ? 0 : (cell - 1) * fw;
  const int sy = vertical ? (cell - 1) * fh : 0;
  // Negative margins mean nothing; huge ones are cut to what any image has.
  auto clamp = [](int m) { return std::clamp(m, 0, 32767); };
  int l = clamp(margins.left);
  int r = clamp(margins.right);
  int t = clamp(margins.top);
  int b = clamp(margins.bottom);
  if (width < l + r) l = r = 0;
  if (height < t + b) t = b = 0;
  const int w = width;
  const int h = height;
  auto copy = [&](const TRect& dest, const TRect& src) { out.CopyRect(dest, image, src); };
  // Corners keep their size; edges stretch along their length.
  if (l > 0 && t > 0) copy({0, 0, l, t}, Bounds(sx, sy, l, t));
  if (l > 0 && b > 0) copy({0, h - b, l, h}, Bounds(sx, sy + fh - b, l, b));
  if (r > 0 && t > 0) copy({w - r, 0, w, t}, Bounds(sx + fw - r, sy, r, t));
  if (l > 0) copy({0, t, l, h - b}, Bounds(sx, sy + t, l, fh - t - b));
  if (t > 0) copy({l, 0, w - r, t}, Bounds(sx + l, sy, fw - l - r, t));
  const TRect centre_dest{l, t, w - r, h - b};
  const TRect centre_src = Bounds(sx + l, sy + t, fw - l - r, fh - t - b);
  if (tile) {
    TileInto(out, centre_dest, image, centre_src);
  } else {
    copy(centre_dest, centre_src);
  }
  if (r > 0 && b > 0) copy({w - r, h - b, w, h}, Bounds(sx + fw - r, sy + fh - b, r, b));
  if (r > 0) copy({w - r, t, w, h - b}, Bounds(sx + fw - r, sy + t, r, fh - t - b));
  if (b > 0) copy({l, h - b, w - r, h}, Bounds(sx + l, sy + fh - b, fw - l - r, b));
  return out;
}

TBitmap RenderSkinCell(const TDataSkinObject& object, int width, int height, int frames, int cell) {
  return RenderSkinPart(
      width, height, object.Bitmap,
      {object.LeftWidth, object.TopHeight, object.RightWidth, object.BottomHeight}, false,
      object.Tile == 1, frames, cell);
}

void DrawSkinCell(TBitmap& target, const TRect& rect, const TDataSkinObject& object, int frames,
                  int cell) {
  if (rect.Empty() || object.Bitmap.Empty()) return;
  const TBitmap part = RenderSkinCell(object, rect.Width(), rect.Height(), frames, cell);
  target.Draw(rect.left, rect.top, part, object.Trans == 1, clFuchsia);
}
