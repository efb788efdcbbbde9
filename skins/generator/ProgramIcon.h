#pragma once
// The program's icon: a note on a rounded blue tile, drawn at the sizes the
// system asks for (16, 32 and 48 pixels) and written as one .ico file.
#include <cstdint>
#include <vector>

#include "skins/generator/Raster.h"

namespace skingen {

// The icon at `size` x `size` pixels.
TRaster DrawProgramIcon(int size);
// An .ico file with 32-bit images of 16, 32 and 48 pixels, in that order.
// The same code always gives the same bytes.
std::vector<std::uint8_t> EncodeProgramIcon();

}  // namespace skingen
