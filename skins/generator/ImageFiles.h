#pragma once
// Writing the generator's images: skin bitmaps as 24-bit Windows BMP files
// (what skin packages carry) and preview sheets as PNG.
#include <cstdint>
#include <string>
#include <vector>

#include "skins/generator/Raster.h"

namespace skingen {

// An uncompressed 24-bit bottom-up BMP, written by the framework's BMP
// writer. The same image always gives the same bytes.
std::vector<std::uint8_t> EncodeBmp(const TImage& image);
// Writes `bytes` to `path`; std::runtime_error when the file cannot be written.
void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
// An 8-bit RGB PNG; std::runtime_error on failure.
void WritePng(const std::string& path, const TImage& image);

}  // namespace skingen
