#pragma once
// Writing and reading PNG files through the system's Windows Imaging
// Component (present from Windows 7 on, and in Wine), so the gallery
// carries no image coder of its own.
#include <cstdint>
#include <string>
#include <vector>

// Pixels as rows from the top, three bytes each (blue, green, red).
struct TPngPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bgr;
};

// Writes `pixels` to `path`; false with a message in `error` when the file
// cannot be written.
bool WritePngFile(const std::wstring& path, const TPngPixels& pixels, std::wstring& error);
// Reads the PNG file `path`; false when it cannot be opened or decoded.
bool ReadPngFile(const std::wstring& path, TPngPixels& pixels);
