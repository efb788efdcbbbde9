#pragma once
// The program's built-in bitmaps, drawn by code. The same images are
// compiled into the Windows program as bitmap resources of these names
// (resources/BuiltinBitmaps.rc, files written by make_builtin_bitmaps):
//   "VENEERMENU" 64x16, 1 bit: the system-menu glyphs restore, maximise,
//                minimise and close, black on white (white is transparent);
//   "TRACK"      16x4, 4 bits: the default horizontal track-bar channel;
//   "TRACKVERT"  4x16, 4 bits: the default vertical channel.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/Bitmap.h"

inline constexpr const char* kBuiltinBitmapNames[] = {"VENEERMENU", "TRACK", "TRACKVERT"};

// Draws the named image (names as above, compared exactly); false and an
// empty bitmap for any other name.
bool DrawBuiltinBitmap(const std::string& name, TBitmap& bitmap);
// The BMP file of the named image, as the resource holds it; empty for any
// other name.
std::vector<std::uint8_t> BuiltinBitmapFile(const std::string& name);
