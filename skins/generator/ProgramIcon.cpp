#include "skins/generator/ProgramIcon.h"

namespace skingen {

namespace {

constexpr int kSizes[] = {16, 32, 48};

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, unsigned v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// One icon image: a bitmap header of twice the height (colour rows, then
// the mask), 32-bit colour rows bottom-up, and a 1-bit mask.
std::vector<std::uint8_t> IconImage(int size) {
  const std::vector<std::uint8_t> rgba = DrawProgramIcon(size).ToRgba();
  std::vector<std::uint8_t> out;
  Put32(out, 40);
  Put32(out, static_cast<unsigned>(size));
  Put32(out, static_cast<unsigned>(size * 2));
  Put16(out, 1);
  Put16(out, 32);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  for (int y = size - 1; y >= 0; --y) {
    for (int x = 0; x < size; ++x) {
      const std::uint8_t* p = &rgba[(static_cast<size_t>(y) * size + x) * 4];
      out.insert(out.end(), {p[2], p[1], p[0], p[3]});
    }
  }
  // The mask marks fully transparent pixels for systems without alpha.
  const int stride = ((size + 31) / 32) * 4;
  for (int y = size - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(static_cast<size_t>(stride), 0);
    for (int x = 0; x < size; ++x) {
      if (rgba[(static_cast<size_t>(y) * size + x) * 4 + 3] == 0) {
        row[static_cast<size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace

TRaster DrawProgramIcon(int size) {
  TRaster r(size, size);
  const float s = static_cast<float>(size) / 16.0f;
  const TRgb tile_top = Hex("#2b7de0");
  const TRgb tile_bottom = Hex("#0a4fa8");
  r.Fill(RoundRect(0.5f * s, 0.5f * s, 15.5f * s, 15.5f * s, 3.5f * s),
         TPaint::Vertical(tile_top, tile_bottom, 0, static_cast<float>(size)));
  const TRgb ink = Rgb(255, 255, 255);
  // An eighth note: head, stem and flag.
  r.Fill(Circle(6.0f * s, 11.2f * s, 2.6f * s), TPaint::Solid(ink));
  r.Fill(Capsule(8.0f * s, 11.2f * s, 8.0f * s, 3.4f * s, 1.5f * s), TPaint::Solid(ink));
  r.Fill(Capsule(8.0f * s, 3.4f * s, 12.0f * s, 6.2f * s, 1.5f * s), TPaint::Solid(ink));
  return r;
}

std::vector<std::uint8_t> EncodeProgramIcon() {
  std::vector<std::vector<std::uint8_t>> images;
  for (int size : kSizes) images.push_back(IconImage(size));
  std::vector<std::uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);  // an icon
  Put16(out, static_cast<unsigned>(images.size()));
  unsigned offset = 6 + 16 * static_cast<unsigned>(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    const int size = kSizes[i];
    out.push_back(static_cast<std::uint8_t>(size));
    out.push_back(static_cast<std::uint8_t>(size));
    out.push_back(0);  // no palette
    out.push_back(0);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, static_cast<unsigned>(images[i].size()));
    Put32(out, offset);
    offset += static_cast<unsigned>(images[i].size());
  }
  for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
  return out;
}

}  // namespace skingen
