#include "tools/gallery/GallerySheetPieces.h"

#include <algorithm>

#include "framework/Dpi.h"

namespace {

// Whether `units` are a whole number of pixels at `dpi`.
bool Whole(int units, int dpi) {
  return units * dpi % kDefaultDpi == 0;
}

// Whether a view whose edge is at `units` cuts a child that starts between
// two pixels: scrolled past its start, such a child is placed from its
// rounded new start, a pixel off from where the others go.
bool CutsBetweenPixels(int units, int dpi, const std::vector<TSheetSpan>& children) {
  return std::any_of(children.begin(), children.end(), [&](const TSheetSpan& child) {
    return child.start < units && units < child.end && !Whole(child.start, dpi);
  });
}

// Whether column x of the band is column x - 1 again from top to bottom.
bool LikeItsLeftNeighbour(const TBitmap& band, int x) {
  for (int y = 0; y < band.Height(); ++y) {
    const std::uint32_t* row = band.ScanLine(y);
    if (row[x] != row[x - 1]) return false;
  }
  return true;
}

// Whether column x of the band is one colour from top to bottom.
bool OneColour(const TBitmap& band, int x) {
  for (int y = 1; y < band.Height(); ++y) {
    if (band.ScanLine(y)[x] != band.ScanLine(0)[x]) return false;
  }
  return true;
}

// The first column of the stretch of room a wider window would give the
// band: the rightmost stretch of at least a few columns of one plain
// colour (a bar's background after its buttons), else the longest
// stretch of columns alike to their left neighbours from top to bottom
// (the caption before its buttons, the last status panel before the
// grip), else the middle column.
int PlainestStretch(const TBitmap& band) {
  constexpr int kEnough = 8;
  const int width = band.Width();
  int plain = -1, longest = width / 2, longest_length = 0;
  for (int x = 1; x < width;) {
    if (!LikeItsLeftNeighbour(band, x)) {
      ++x;
      continue;
    }
    int after = x + 1;
    while (after < width && LikeItsLeftNeighbour(band, after)) ++after;
    if (after - x >= kEnough && OneColour(band, x)) plain = x;
    if (after - x > longest_length) {
      longest = x;
      longest_length = after - x;
    }
    x = after;
  }
  return plain >= 0 ? plain : longest;
}

}  // namespace

std::vector<TSheetPiece> PlanSheetPieces(int content, int shown, int last, int dpi,
                                         const std::vector<TSheetSpan>& children) {
  std::vector<TSheetPiece> pieces;
  if (content <= 0 || shown <= 0 || dpi <= 0) return pieces;
  last = std::max(last, 0);
  int covered = 0;
  int previous = -1;
  while (covered < content) {
    // The furthest position whose view still starts at or before the
    // first pixel not yet taken.
    const int furthest = std::min(last, covered * kDefaultDpi / dpi);
    int units = furthest;
    for (int u = furthest; u > previous; --u) {
      if (Whole(u, dpi) && !CutsBetweenPixels(u, dpi, children)) {
        units = u;
        break;
      }
    }
    // The box scrolls no further: what it cannot show stays out.
    if (units <= previous) break;
    const int offset = ScaleForDpi(units, dpi);
    const int to = std::min(content, offset + shown);
    if (to <= covered) break;
    pieces.push_back({units, offset, covered, to});
    covered = to;
    previous = units;
  }
  return pieces;
}

void PasteIntoSheet(const TBitmap& from, int x, int y, int width, int height, TPngPixels& sheet,
                    int to_x, int to_y) {
  for (int row = 0; row < height; ++row) {
    const int sy = y + row, ty = to_y + row;
    if (sy < 0 || sy >= from.Height() || ty < 0 || ty >= sheet.height) continue;
    for (int column = 0; column < width; ++column) {
      const int sx = x + column, tx = to_x + column;
      if (sx < 0 || sx >= from.Width() || tx < 0 || tx >= sheet.width) continue;
      const TColor colour = from.Pixel(sx, sy);
      std::uint8_t* pixel = &sheet.bgr[(static_cast<size_t>(ty) * sheet.width + tx) * 3];
      pixel[0] = static_cast<std::uint8_t>((colour >> 16) & 0xFF);
      pixel[1] = static_cast<std::uint8_t>((colour >> 8) & 0xFF);
      pixel[2] = static_cast<std::uint8_t>(colour & 0xFF);
    }
  }
}

void FitBandIntoSheet(const TBitmap& band, TPngPixels& sheet, int at) {
  const int width = band.Width(), rows = band.Height();
  if (width <= 0 || rows <= 0) return;
  if (width == sheet.width) {
    PasteIntoSheet(band, 0, 0, width, rows, sheet, 0, at);
    return;
  }
  const int start = PlainestStretch(band);
  if (sheet.width > width) {
    // The stretch's first column, which is its left neighbour again, is
    // repeated until the band's right end reaches the sheet's.
    const int extra = sheet.width - width;
    PasteIntoSheet(band, 0, 0, start + 1, rows, sheet, 0, at);
    for (int i = 0; i < extra; ++i)
      PasteIntoSheet(band, start, 0, 1, rows, sheet, start + 1 + i, at);
    PasteIntoSheet(band, start + 1, 0, width - start - 1, rows, sheet, start + 1 + extra, at);
    return;
  }
  // Columns of the stretch are left out: each was its left neighbour
  // again, so the columns that meet are alike where the stretch is long
  // enough.
  const int cut = width - sheet.width;
  const int from = std::clamp(start, 0, width - cut);
  PasteIntoSheet(band, 0, 0, from, rows, sheet, 0, at);
  PasteIntoSheet(band, from + cut, 0, width - from - cut, rows, sheet, from, at);
}
