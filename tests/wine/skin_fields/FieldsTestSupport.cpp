#include "tests/wine/skin_fields/FieldsTestSupport.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

#include <cstdio>
#include <string>
#include <vector>

#include "framework/BmpReader.h"
#include "skin/data/SkinRender.h"

namespace fields {

bool Near(TColor a, TColor b, int tolerance) {
  return std::abs(RedOf(a) - RedOf(b)) <= tolerance &&
         std::abs(GreenOf(a) - GreenOf(b)) <= tolerance &&
         std::abs(BlueOf(a) - BlueOf(b)) <= tolerance;
}

TBitmap ExpectedCell(const TDataSkinObject& object, int frames, int cell, int width, int height,
                     TColor under) {
  TBitmap expected(width, height, under);
  expected.Draw(0, 0, RenderSkinCell(object, width, height, frames, cell), object.Trans == 1,
                clFuchsia);
  return expected;
}

TBitmap SkinSourceImage(const char* skin, const char* file) {
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string path = exe;
  path = path.substr(0, path.find_last_of("\\/"));
  path += std::string("\\..\\skins\\src\\") + skin + "\\" + file;
  TBitmap image;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return image;
  std::vector<std::uint8_t> bytes;
  std::uint8_t chunk[4096];
  for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;)
    bytes.insert(bytes.end(), chunk, chunk + n);
  std::fclose(f);
  if (!ReadBmp(bytes, image)) image = TBitmap();
  return image;
}

double RingShare(const TBitmap& shot, const TBitmap& expected, int edge, int tolerance) {
  long match = 0, total = 0;
  for (int y = 0; y < shot.Height(); ++y) {
    for (int x = 0; x < shot.Width(); ++x) {
      const bool ring =
          x < edge || y < edge || x >= shot.Width() - edge || y >= shot.Height() - edge;
      if (!ring) continue;
      ++total;
      if (Near(shot.Pixel(x, y), expected.Pixel(x, y), tolerance)) ++match;
    }
  }
  return total ? static_cast<double>(match) / total : 0;
}

}  // namespace fields
