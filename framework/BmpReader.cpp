#include "framework/BmpReader.h"

#include <array>
#include <bit>
#include <optional>

#include "framework/Bitmap.h"

namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::int64_t kMaxDimension = 32767;

std::uint32_t U16(std::span<const std::uint8_t> d, size_t at) {
  return static_cast<std::uint32_t>(d[at]) | static_cast<std::uint32_t>(d[at + 1]) << 8;
}
std::uint32_t U32(std::span<const std::uint8_t> d, size_t at) {
  return U16(d, at) | U16(d, at + 2) << 16;
}

// One colour channel of a bit-field pixel, scaled to 0..255.
struct TChannel {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  static std::optional<TChannel> FromMask(std::uint32_t mask) {
    TChannel c;
    c.mask = mask;
    if (mask == 0) return c;
    c.shift = std::countr_zero(mask);
    c.bits = std::popcount(mask);
    // A mask must be one run of bits.
    if (std::countr_one(mask >> c.shift) != c.bits) return std::nullopt;
    return c;
  }
  std::uint32_t Value(std::uint32_t pixel) const {
    if (bits == 0) return 0;
    const std::uint32_t v = (pixel & mask) >> shift;
    if (bits >= 8) return v >> (bits - 8);
    const std::uint32_t max = (1u << bits) - 1;
    return (v * 255 + max / 2) / max;
  }
};

struct TDibHeader {
  size_t size = 0;  // bytes of the header itself
  std::int64_t width = 0;
  std::int64_t height = 0;  // positive, with top_down telling the row order
  bool top_down = false;
  int bit_count = 0;
  std::uint32_t compression = kBiRgb;
  std::uint64_t colours_used = 0;
  bool core = false;  // 12-byte header: 3-byte colour table entries
  std::array<std::uint32_t, 3> masks{};
};

// Reads the info header at `at`; `after` receives the offset past it and
// past any separate bit-field masks.
bool ParseHeader(std::span<const std::uint8_t> d, size_t at, TDibHeader& h, size_t& after) {
  if (d.size() < at + 4) return false;
  h.size = U32(d, at);
  if (h.size == 12) {
    if (d.size() < at + 12) return false;
    h.core = true;
    h.width = U16(d, at + 4);
    h.height = U16(d, at + 6);
    h.bit_count = static_cast<int>(U16(d, at + 10));
    if (h.bit_count != 1 && h.bit_count != 4 && h.bit_count != 8 && h.bit_count != 24) return false;
    after = at + 12;
  } else if (h.size == 40 || h.size == 52 || h.size == 56 || h.size == 108 || h.size == 124) {
    if (d.size() < at + h.size) return false;
    h.width = static_cast<std::int32_t>(U32(d, at + 4));
    h.height = static_cast<std::int32_t>(U32(d, at + 8));
    h.bit_count = static_cast<int>(U16(d, at + 14));
    h.compression = U32(d, at + 16);
    h.colours_used = U32(d, at + 32);
    after = at + h.size;
    if (h.compression == kBiBitfields) {
      size_t masks_at = at + 40;
      if (h.size == 40) {
        masks_at = after;
        after += 12;
        if (d.size() < after) return false;
      }
      for (size_t k = 0; k < 3; ++k) h.masks[k] = U32(d, masks_at + 4 * k);
    }
  } else {
    return false;
  }
  if (h.height < 0) {
    h.top_down = true;
    h.height = -h.height;
  }
  if (h.width <= 0 || h.height <= 0 || h.width > kMaxDimension || h.height > kMaxDimension ||
      h.width * h.height > kMaxBmpPixels) {
    return false;
  }
  switch (h.compression) {
    case kBiRgb:
      return h.bit_count == 1 || h.bit_count == 4 || h.bit_count == 8 || h.bit_count == 16 ||
             h.bit_count == 24 || h.bit_count == 32;
    case kBiRle8:
      return h.bit_count == 8 && !h.top_down;
    case kBiRle4:
      return h.bit_count == 4 && !h.top_down;
    case kBiBitfields:
      return h.bit_count == 16 || h.bit_count == 32;
    default:
      return false;
  }
}

class TDecoder {
 public:
  TDecoder(std::span<const std::uint8_t> d, const TDibHeader& h, std::vector<std::uint32_t> palette,
           TBitmap& out)
      : d_(d), h_(h), palette_(std::move(palette)), out_(out) {}

  bool Decode(size_t bits_at) {
    out_.SetSize(static_cast<int>(h_.width), static_cast<int>(h_.height));
    out_.SetBitCount(h_.bit_count);
    if (h_.compression == kBiRle8 || h_.compression == kBiRle4) return DecodeRle(bits_at);
    return DecodeRows(bits_at);
  }

 private:
  std::uint32_t PaletteColour(std::uint32_t index) const {
    return index < palette_.size() ? palette_[index] : 0;
  }

  bool DecodeRows(size_t bits_at) {
    const std::int64_t w = h_.width;
    const std::int64_t stride = (w * h_.bit_count + 31) / 32 * 4;
    // The last row may lack its padding.
    const std::int64_t needed = stride * (h_.height - 1) + (w * h_.bit_count + 7) / 8;
    if (bits_at > d_.size() || needed > static_cast<std::int64_t>(d_.size() - bits_at))
      return false;

    std::array<TChannel, 3> ch{};
    if (h_.bit_count == 16 || h_.bit_count == 32) {
      std::array<std::uint32_t, 3> masks = h_.masks;
      if (h_.compression == kBiRgb) {
        masks = h_.bit_count == 16 ? std::array<std::uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                                   : std::array<std::uint32_t, 3>{0xFF0000, 0xFF00, 0xFF};
      }
      for (size_t k = 0; k < 3; ++k) {
        const auto c = TChannel::FromMask(masks[k]);
        if (!c) return false;
        ch[k] = *c;
      }
    }

    for (std::int64_t r = 0; r < h_.height; ++r) {
      const std::uint8_t* row = d_.data() + bits_at + r * stride;
      const int y = static_cast<int>(h_.top_down ? r : h_.height - 1 - r);
      std::uint32_t* dst = out_.ScanLine(y);
      for (std::int64_t x = 0; x < w; ++x) {
        std::uint32_t p = 0;
        switch (h_.bit_count) {
          case 1:
            p = PaletteColour((row[x >> 3] >> (7 - (x & 7))) & 1);
            break;
          case 4:
            p = PaletteColour((row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF);
            break;
          case 8:
            p = PaletteColour(row[x]);
            break;
          case 16:
          case 32: {
            const std::uint32_t v =
                h_.bit_count == 16 ? static_cast<std::uint32_t>(row[2 * x] | row[2 * x + 1] << 8)
                                   : U32(d_, bits_at + r * stride + 4 * x);
            p = ch[0].Value(v) << 16 | ch[1].Value(v) << 8 | ch[2].Value(v);
            break;
          }
          case 24:
            p = static_cast<std::uint32_t>(row[3 * x] | row[3 * x + 1] << 8 | row[3 * x + 2] << 16);
            break;
        }
        dst[x] = p;
      }
    }
    return true;
  }

  // Run-length data. Rows go bottom-up; pixels skipped by the end-of-line and
  // delta codes keep colour index 0; runs past the right edge are cut. Data
  // that ends inside a code is refused; data that ends without the
  // end-of-bitmap code keeps what was decoded.
  bool DecodeRle(size_t bits_at) {
    const bool rle8 = h_.compression == kBiRle8;
    out_.FillRect(out_.BoundsRect(), TBitmap::FromPixel(PaletteColour(0)));
    if (bits_at > d_.size()) return false;
    const std::uint8_t* p = d_.data() + bits_at;
    const std::uint8_t* end = d_.data() + d_.size();
    std::int64_t x = 0;
    std::int64_t row = 0;
    auto put = [&](std::uint32_t index) {
      if (x < h_.width && row < h_.height) {
        out_.ScanLine(static_cast<int>(h_.height - 1 - row))[x] = PaletteColour(index);
      }
      ++x;
    };
    while (p != end && row < h_.height) {
      if (end - p < 2) return false;
      const int count = p[0];
      const int value = p[1];
      p += 2;
      if (count > 0) {
        for (int i = 0; i < count; ++i) {
          put(rle8 ? static_cast<std::uint32_t>(value)
                   : static_cast<std::uint32_t>((i & 1) ? value & 0xF : value >> 4));
        }
        continue;
      }
      if (value == 0) {
        x = 0;
        ++row;
      } else if (value == 1) {
        break;
      } else if (value == 2) {
        if (end - p < 2) return false;
        x += p[0];
        row += p[1];
        p += 2;
      } else {
        std::int64_t bytes = rle8 ? value : (value + 1) / 2;
        bytes += bytes & 1;  // absolute runs end on a 16-bit boundary
        if (end - p < bytes) return false;
        for (int i = 0; i < value; ++i) {
          put(rle8 ? p[i] : static_cast<std::uint32_t>((i & 1) ? p[i / 2] & 0xF : p[i / 2] >> 4));
        }
        p += bytes;
      }
    }
    return true;
  }

  std::span<const std::uint8_t> d_;
  const TDibHeader& h_;
  std::vector<std::uint32_t> palette_;
  TBitmap& out_;
};

// `file_bits_at` is the file header's offset of the bits; packed DIBs have
// none (the bits follow the colour table).
bool Decode(std::span<const std::uint8_t> d, size_t header_at,
            std::optional<std::uint32_t> file_bits_at, TBitmap& bitmap) {
  TDibHeader h;
  size_t after = 0;
  if (!ParseHeader(d, header_at, h, after)) return false;

  const std::uint64_t entry = h.core ? 3 : 4;
  std::uint64_t declared = 0;  // colour table entries present in the data
  if (h.bit_count <= 8) {
    declared = h.colours_used != 0 ? h.colours_used : (std::uint64_t{1} << h.bit_count);
  } else if (!h.core) {
    declared = h.colours_used;  // an optional table that deeper images do not use
  }

  size_t bits_at = 0;
  size_t table_end = d.size();
  if (file_bits_at && *file_bits_at != 0) {
    if (*file_bits_at < after || *file_bits_at > d.size()) return false;
    bits_at = *file_bits_at;
    table_end = bits_at;
  } else {
    const std::uint64_t table_bytes = declared * entry;
    if (table_bytes > d.size() - after) return false;
    bits_at = after + static_cast<size_t>(table_bytes);
    table_end = bits_at;
  }

  std::vector<std::uint32_t> palette;
  if (h.bit_count <= 8) {
    std::uint64_t n = std::min<std::uint64_t>(declared, std::uint64_t{1} << h.bit_count);
    n = std::min<std::uint64_t>(n, (table_end - after) / entry);
    if (n == 0) return false;
    palette.reserve(static_cast<size_t>(n));
    for (std::uint64_t i = 0; i < n; ++i) {
      const std::uint8_t* e = d.data() + after + i * entry;
      palette.push_back(static_cast<std::uint32_t>(e[0] | e[1] << 8 | e[2] << 16));
    }
  }
  return TDecoder(d, h, std::move(palette), bitmap).Decode(bits_at);
}

}  // namespace

bool ReadBmp(std::span<const std::uint8_t> file, TBitmap& bitmap) {
  bool ok = file.size() >= 14 && file[0] == 'B' && file[1] == 'M' &&
            Decode(file, 14, U32(file, 10), bitmap);
  if (!ok) bitmap.Clear();
  return ok;
}

bool ReadPackedDib(std::span<const std::uint8_t> dib, TBitmap& bitmap) {
  const bool ok = Decode(dib, 0, std::nullopt, bitmap);
  if (!ok) bitmap.Clear();
  return ok;
}
