#include "skins/generator/ImageFiles.h"

#include <png.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <stdexcept>

#include "framework/Bitmap.h"
#include "framework/BmpWriter.h"

namespace skingen {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const TImage& image) {
  TBitmap bitmap(image.width, image.height);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const std::uint8_t* p = image.Pixel(x, y);
      bitmap.SetPixel(x, y, RGBColour(p[0], p[1], p[2]));
    }
  }
  return WriteBmp(bitmap);
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
