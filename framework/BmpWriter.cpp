#include "framework/BmpWriter.h"

#include <algorithm>
#include <unordered_map>

#include "framework/Bitmap.h"

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
void Set32(std::vector<std::uint8_t>& out, size_t at, std::uint32_t v) {
  for (size_t k = 0; k < 4; ++k) out[at + k] = static_cast<std::uint8_t>(v >> (8 * k));
}

// Colour indexes of every pixel, rows from the top.
std::vector<std::vector<std::uint8_t>> IndexRows(const TBitmap& bitmap,
                                                 std::vector<TColor>& palette, int bit_count) {
  std::unordered_map<std::uint32_t, std::uint8_t> index;
  const bool build = palette.empty();
  const size_t limit = size_t{1} << bit_count;
  for (size_t i = 0; i < palette.size(); ++i) {
    index.emplace(TBitmap::ToPixel(palette[i]), static_cast<std::uint8_t>(i));
  }
  if (palette.size() > limit)
    throw std::invalid_argument("colour table longer than the depth allows");
  std::vector<std::vector<std::uint8_t>> rows(static_cast<size_t>(bitmap.Height()));
  for (int y = 0; y < bitmap.Height(); ++y) {
    auto& row = rows[static_cast<size_t>(y)];
    row.reserve(static_cast<size_t>(bitmap.Width()));
    for (int x = 0; x < bitmap.Width(); ++x) {
      const std::uint32_t p = bitmap.ScanLine(y)[x] & 0xFFFFFF;
      auto it = index.find(p);
      if (it == index.end()) {
        if (!build || palette.size() >= limit) {
          throw std::invalid_argument("the bitmap has a colour the colour table does not hold");
        }
        it = index.emplace(p, static_cast<std::uint8_t>(palette.size())).first;
        palette.push_back(TBitmap::FromPixel(p));
      }
      row.push_back(it->second);
    }
  }
  return rows;
}

// One row of run-length codes (without the end-of-line code). Runs of two
// or more equal pixels are coded as runs; other stretches of at least three
// pixels go in absolute mode.
void RleRow(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& row, bool rle8) {
  const size_t n = row.size();
  auto run_at = [&](size_t i) {
    // RLE4 runs alternate two indexes; only plain repeats are used here.
    size_t j = i + 1;
    while (j < n && row[j] == row[i] && j - i < 255) ++j;
    return j - i;
  };
  size_t i = 0;
  while (i < n) {
    const size_t run = run_at(i);
    if (run >= 2) {
      out.push_back(static_cast<std::uint8_t>(run));
      out.push_back(rle8 ? row[i] : static_cast<std::uint8_t>(row[i] << 4 | row[i]));
      i += run;
      continue;
    }
    size_t j = i;
    while (j < n && j - i < 255 && run_at(j) < 2) ++j;
    const size_t literal = j - i;
    if (literal < 3) {
      for (size_t k = i; k < j; ++k) {
        out.push_back(1);
        out.push_back(rle8 ? row[k] : static_cast<std::uint8_t>(row[k] << 4));
      }
    } else {
      out.push_back(0);
      out.push_back(static_cast<std::uint8_t>(literal));
      size_t bytes = 0;
      for (size_t k = 0; k < literal; ++k) {
        if (rle8) {
          out.push_back(row[i + k]);
          ++bytes;
        } else if (k % 2 == 0) {
          out.push_back(static_cast<std::uint8_t>(row[i + k] << 4));
          ++bytes;
        } else {
          out.back() = static_cast<std::uint8_t>(out.back() | row[i + k]);
        }
      }
      if (bytes & 1) out.push_back(0);
    }
    i = j;
  }
}

}  // namespace

std::vector<std::uint8_t> WriteBmp(const TBitmap& bitmap, const TBmpWriteOptions& options) {
  const int bpp = options.bit_count;
  if (bitmap.Empty()) throw std::invalid_argument("an empty bitmap has no BMP form");
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) {
    throw std::invalid_argument("unsupported depth");
  }
  if (options.rle && (bpp != 4 && bpp != 8)) throw std::invalid_argument("RLE needs 4 or 8 bits");
  if (options.rle && options.top_down) throw std::invalid_argument("RLE images are bottom-up");

  std::vector<TColor> palette = options.palette;
  for (TColor& c : palette) c = ColorToRGB(c);
  std::vector<std::vector<std::uint8_t>> indexes;
  if (bpp <= 8) indexes = IndexRows(bitmap, palette, bpp);

  const int w = bitmap.Width();
  const int h = bitmap.Height();
  std::vector<std::uint8_t> bits;
  const size_t stride = (static_cast<size_t>(w) * bpp + 31) / 32 * 4;
  for (int r = 0; r < h; ++r) {
    const int y = options.top_down ? r : h - 1 - r;
    if (options.rle) {
      RleRow(bits, indexes[static_cast<size_t>(y)], bpp == 8);
      bits.push_back(0);
      bits.push_back(r == h - 1 ? 1 : 0);  // end of line, or end of bitmap
      continue;
    }
    const size_t start = bits.size();
    bits.resize(start + stride, 0);
    std::uint8_t* row = bits.data() + start;
    for (int x = 0; x < w; ++x) {
      const std::uint32_t p = bitmap.ScanLine(y)[x];
      switch (bpp) {
        case 1:
          row[x / 8] = static_cast<std::uint8_t>(row[x / 8] | indexes[static_cast<size_t>(y)][x]
                                                                  << (7 - x % 8));
          break;
        case 4:
          row[x / 2] = static_cast<std::uint8_t>(row[x / 2] | indexes[static_cast<size_t>(y)][x]
                                                                  << (x % 2 ? 0 : 4));
          break;
        case 8:
          row[x] = indexes[static_cast<size_t>(y)][x];
          break;
        case 24:
          row[3 * x] = static_cast<std::uint8_t>(p);
          row[3 * x + 1] = static_cast<std::uint8_t>(p >> 8);
          row[3 * x + 2] = static_cast<std::uint8_t>(p >> 16);
          break;
        case 32:
          for (int k = 0; k < 4; ++k) row[4 * x + k] = static_cast<std::uint8_t>(p >> (8 * k));
          break;
      }
    }
  }

  std::vector<std::uint8_t> out;
  const std::uint32_t table = static_cast<std::uint32_t>(palette.size() * 4);
  const std::uint32_t bits_at = 14 + 40 + table;
  out.reserve(bits_at + bits.size());
  out.push_back('B');
  out.push_back('M');
  Put32(out, 0);  // file size, set below
  Put32(out, 0);
  Put32(out, bits_at);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(w));
  Put32(out, static_cast<std::uint32_t>(options.top_down ? -h : h));
  Put16(out, 1);
  Put16(out, static_cast<std::uint32_t>(bpp));
  Put32(out, options.rle ? (bpp == 8 ? 1 : 2) : 0);
  Put32(out, static_cast<std::uint32_t>(bits.size()));
  Put32(out, 2835);  // 72 dpi
  Put32(out, 2835);
  Put32(out, static_cast<std::uint32_t>(palette.size()));
  Put32(out, 0);
  for (TColor c : palette) Put32(out, TBitmap::ToPixel(c));
  out.insert(out.end(), bits.begin(), bits.end());
  Set32(out, 2, static_cast<std::uint32_t>(out.size()));
  return out;
}
