#include "skin/data/SkinRender.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

constexpr std::uint32_t kKeyPixel = 0xFF00FF;  // magenta as a pixel word

// The source pixels one target pixel covers along one axis, with their
// shares. A target of `dest` pixels over a source of `src` pixels: target
// pixel i spans [i * src, (i + 1) * src) and source pixel j spans
// [j * dest, (j + 1) * dest) in units of 1 / (src * dest) of the source, so
// every share is a whole number and the shares of one target pixel add up
// to `src`.
struct TAxisTaps {
  std::vector<int> first;  // per target pixel: index of its first tap
  std::vector<int> source;
  std::vector<long long> share;
  // Per target pixel: it takes exactly the taps of the one before, so it
  // comes out the same (most pixels of a piece stretched well beyond its
  // size do).
  std::vector<char> repeats;

  TAxisTaps(int src, int dest) {
    first.reserve(static_cast<size_t>(dest) + 1);
    for (int i = 0; i < dest; ++i) {
      first.push_back(static_cast<int>(source.size()));
      const long long from = static_cast<long long>(i) * src;
      const long long to = from + src;
      for (long long j = from / dest; j * dest < to && j < src; ++j) {
        const long long a = std::max(from, j * dest);
        const long long b = std::min(to, (j + 1) * dest);
        if (b > a) {
          source.push_back(static_cast<int>(j));
          share.push_back(b - a);
        }
      }
    }
    first.push_back(static_cast<int>(source.size()));
    repeats.assign(static_cast<size_t>(std::max(dest, 0)), 0);
    for (size_t i = 1; i < repeats.size(); ++i) {
      const int a = first[i - 1], b = first[i], n = first[i + 1] - b;
      if (b - a != n) continue;
      bool same = true;
      for (int t = 0; t < n && same; ++t) {
        same = source[static_cast<size_t>(a + t)] == source[static_cast<size_t>(b + t)] &&
               share[static_cast<size_t>(a + t)] == share[static_cast<size_t>(b + t)];
      }
      repeats[i] = same;
    }
  }
};

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

// The nine pieces scaled one by one: margins scaled to the DPI, corners
// scaled, edges scaled across and stretched along, the centre stretched or
// its scaled piece tiled.
TBitmap RenderScaledPart(int width, int height, const TBitmap& image, const TRect& cell_rect, int l,
                         int t, int r, int b, bool tile, int dpi) {
  TBitmap out(width, height);
  int dl = SkinScale(l, dpi), dr = SkinScale(r, dpi);
  int dt = SkinScale(t, dpi), db = SkinScale(b, dpi);
  if (width < dl + dr) l = r = dl = dr = 0;
  if (height < dt + db) t = b = dt = db = 0;
  const int sx[4] = {cell_rect.left, cell_rect.left + l, cell_rect.right - r, cell_rect.right};
  const int sy[4] = {cell_rect.top, cell_rect.top + t, cell_rect.bottom - b, cell_rect.bottom};
  const int dx[4] = {0, dl, width - dr, width};
  const int dy[4] = {0, dt, height - db, height};
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      const TRect dest{dx[column], dy[row], dx[column + 1], dy[row + 1]};
      const TRect src{sx[column], sy[row], sx[column + 1], sy[row + 1]};
      if (dest.right <= dest.left || dest.bottom <= dest.top) continue;
      if (src.right <= src.left || src.bottom <= src.top) continue;
      if (tile && row == 1 && column == 1) {
        TBitmap piece(std::max(SkinScale(src.Width(), dpi), 1),
                      std::max(SkinScale(src.Height(), dpi), 1));
        ScaleSkinPixels(piece, piece.BoundsRect(), image, src);
        TileInto(out, dest, piece, piece.BoundsRect());
      } else {
        ScaleSkinPixels(out, dest, image, src);
      }
    }
  }
  return out;
}

}  // namespace

int SkinScale(int value, int dpi) {
  if (dpi <= 0 || dpi == kSkinDpi) return value;
  const long long scaled = static_cast<long long>(value) * dpi;
  const long long half = kSkinDpi / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kSkinDpi
                                      : -((-scaled + half) / kSkinDpi));
}

void ScaleSkinPixels(TBitmap& out, const TRect& dest, const TBitmap& image, const TRect& src) {
  if (dest.right <= dest.left || dest.bottom <= dest.top) return;
  if (src.right <= src.left || src.bottom <= src.top || image.Empty() || out.Empty()) return;
  const TAxisTaps across(src.Width(), dest.Width());
  const TAxisTaps down(src.Height(), dest.Height());
  const int x0 = std::max(dest.left, 0), x1 = std::min(dest.right, out.Width());
  const int y0 = std::max(dest.top, 0), y1 = std::min(dest.bottom, out.Height());
  // A row or pixel with the taps of the one before is copied from it, as
  // long as that one was written whole.
  bool row_above_whole = false;
  for (int y = y0; y < y1; ++y) {
    const int i = y - dest.top;
    std::uint32_t* row = out.ScanLine(y);
    if (y > y0 && row_above_whole && down.repeats[static_cast<size_t>(i)]) {
      const std::uint32_t* above = out.ScanLine(y - 1);
      std::copy(above + x0, above + x1, row + x0);
      continue;
    }
    bool whole = true;
    bool left_written = false;
    for (int x = x0; x < x1; ++x) {
      const int k = x - dest.left;
      if (left_written && across.repeats[static_cast<size_t>(k)]) {
        row[x] = row[x - 1];
        continue;
      }
      left_written = false;
      long long key = 0, total = 0, red = 0, green = 0, blue = 0;
      for (int ty = down.first[static_cast<size_t>(i)]; ty < down.first[static_cast<size_t>(i) + 1];
           ++ty) {
        const int py = src.top + down.source[static_cast<size_t>(ty)];
        if (py < 0 || py >= image.Height()) continue;
        const std::uint32_t* in = image.ScanLine(py);
        for (int tx = across.first[static_cast<size_t>(k)];
             tx < across.first[static_cast<size_t>(k) + 1]; ++tx) {
          const int px = src.left + across.source[static_cast<size_t>(tx)];
          if (px < 0 || px >= image.Width()) continue;
          const long long w =
              down.share[static_cast<size_t>(ty)] * across.share[static_cast<size_t>(tx)];
          const std::uint32_t p = in[px] & 0xFFFFFF;
          total += w;
          if (p == kKeyPixel) {
            key += w;
            continue;
          }
          red += w * ((p >> 16) & 0xFF);
          green += w * ((p >> 8) & 0xFF);
          blue += w * (p & 0xFF);
        }
      }
      if (total == 0) {
        whole = false;
        continue;
      }
      left_written = true;
      if (key * 2 > total) {
        row[x] = kKeyPixel;
        continue;
      }
      const long long rest = total - key;
      const auto channel = [rest](long long sum) {
        return static_cast<std::uint32_t>((sum + rest / 2) / rest);
      };
      std::uint32_t p = channel(red) << 16 | channel(green) << 8 | channel(blue);
      // A blend that lands on the key itself would open a hole the image
      // does not have.
      if (p == kKeyPixel) p = 0xFE00FF;
      row[x] = p;
    }
    row_above_whole = whole;
  }
}

TBitmap ScaleSkinCell(const TBitmap& image, int frames, int cell, int width, int height) {
  TBitmap out(width, height);
  if (out.Empty() || image.Empty()) return out;
  frames = std::max(frames, 1);
  const int cell_width = image.Width() / frames;
  if (cell_width <= 0) return out;
  const int index = std::clamp(cell, 1, frames) - 1;
  ScaleSkinPixels(out, out.BoundsRect(), image,
                  Bounds(index * cell_width, 0, cell_width, image.Height()));
  return out;
}

TBitmap RenderSkinPart(int width, int height, const TBitmap& image, const TSkinMargins& margins,
                       bool vertical, bool tile, int frames, int cell, int dpi) {
  if (dpi > 0 && dpi != kSkinDpi && width > 0 && height > 0 && !image.Empty()) {
    const int count = std::max(frames, 1);
    const int fw = vertical ? image.Width() : image.Width() / count;
    const int fh = vertical ? image.Height() / count : image.Height();
    const TRect cell_rect =
        Bounds(vertical ? 0 : (cell - 1) * fw, vertical ? (cell - 1) * fh : 0, fw, fh);
    auto clamp = [](int m) { return std::clamp(m, 0, 32767); };
    return RenderScaledPart(width, height, image, cell_rect, clamp(margins.left),
                            clamp(margins.top), clamp(margins.right), clamp(margins.bottom), tile,
                            dpi);
  }
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

TBitmap RenderSkinCell(const TDataSkinObject& object, int width, int height, int frames, int cell,
                       int dpi) {
  return RenderSkinPart(
      width, height, object.Bitmap,
      {object.LeftWidth, object.TopHeight, object.RightWidth, object.BottomHeight}, false,
      object.Tile == 1, frames, cell, dpi);
}

void DrawSkinCell(TBitmap& target, const TRect& rect, const TDataSkinObject& object, int frames,
                  int cell, int dpi) {
  if (rect.Empty() || object.Bitmap.Empty()) return;
  const TBitmap part = RenderSkinCell(object, rect.Width(), rect.Height(), frames, cell, dpi);
  target.Draw(rect.left, rect.top, part, object.Trans == 1, clFuchsia);
}
