#include "skins/generator/ImageFiles.h"

#include <png.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <stdexcept>

namespace skingen {

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const TImage& image) {
  const std::uint32_t row = (static_cast<std::uint32_t>(image.width) * 3 + 3) & ~3u;
  const std::uint32_t pixels = row * static_cast<std::uint32_t>(image.height);
  std::vector<std::uint8_t> out;
  out.reserve(54 + pixels);
  out.push_back('B');
  out.push_back('M');
  Put32(out, 54 + pixels);  // file size
  Put32(out, 0);            // reserved
  Put32(out, 54);           // offset of the pixels
  Put32(out, 40);           // BITMAPINFOHEADER
  Put32(out, static_cast<std::uint32_t>(image.width));
  Put32(out, static_cast<std::uint32_t>(image.height));  // positive: bottom-up
  Put16(out, 1);                                         // planes
  Put16(out, 24);                                        // bits per pixel
  Put32(out, 0);                                         // BI_RGB
  Put32(out, pixels);
  Put32(out, 2835);  // 72 dpi
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const std::uint8_t* p = image.Pixel(x, y);
      out.push_back(p[2]);
      out.push_back(p[1]);
      out.push_back(p[0]);
    }
    for (std::uint32_t pad = static_cast<std::uint32_t>(image.width) * 3; pad < row; ++pad) {
      out.push_back(0);
    }
  }
  return out;
}

void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path);
}

void WritePng(const std::string& path, const TImage& image) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) throw std::runtime_error("cannot write " + path);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) throw std::runtime_error("libpng: no write struct");
  png_infop info = png_create_info_struct(png);
  // libpng reports errors by long jump; nothing with a destructor is
  // created between here and the end of the writing.
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("libpng: cannot write " + path);
  }
  png_init_io(png, file.get());
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
               static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < image.height; ++y) {
    png_write_row(png, const_cast<png_bytep>(image.Pixel(0, y)));
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
}

}  // namespace skingen
