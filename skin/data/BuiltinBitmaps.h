#pragma once
// The program's built-in bitmaps, drawn by code. The same images are
// compiled into the Windows program as bitmap resources of these names
// (resources/BuiltinBitmaps.rc, files written by make_builtin_bitmaps):
//   "VENEERMENU" 64x16, 1 bit: the system-menu glyphs restore, maximise,
//                minimise and close, black on white (white is transparent);
//   "TRACK"      16x4, 4 bits: the default horizontal track-bar channel;
//   "TRACKVERT"  4x16, 4 bits: the default vertical channel;
//   "EN_MPPLAY" … "EN_MPEJECT", "DI_…", "CL_…"  16x16, 4 bits: the media
//                player's nine transport glyphs (play, pause, stop, next,
//                previous, step, back, record, eject), enabled in black,
//                disabled in grey and coloured, each on olive (0x008080),
//                the colour that is left out when they are drawn.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/Bitmap.h"

inline constexpr const char* kBuiltinBitmapNames[] = {
    "VENEERMENU", "TRACK",       "TRACKVERT",  "EN_MPPLAY", "EN_MPPAUSE",  "EN_MPSTOP",
    "EN_MPNEXT",  "EN_MPPREV",   "EN_MPSTEP",  "EN_MPBACK", "EN_MPRECORD", "EN_MPEJECT",
    "DI_MPPLAY",  "DI_MPPAUSE",  "DI_MPSTOP",  "DI_MPNEXT", "DI_MPPREV",   "DI_MPSTEP",
    "DI_MPBACK",  "DI_MPRECORD", "DI_MPEJECT", "CL_MPPLAY", "CL_MPPAUSE",  "CL_MPSTOP",
    "CL_MPNEXT",  "CL_MPPREV",   "CL_MPSTEP",  "CL_MPBACK", "CL_MPRECORD", "CL_MPEJECT"};

// The button names of the media player's glyphs, in the order of its
// buttons, and the colour each coloured glyph is drawn in.
inline constexpr const char* kMediaGlyphNames[] = {
    "MPPLAY", "MPPAUSE", "MPSTOP", "MPNEXT", "MPPREV", "MPSTEP", "MPBACK", "MPRECORD", "MPEJECT"};
// The transparent colour of the media glyphs.
inline constexpr TColor kMediaGlyphKey = clOlive;

// Draws the named image (names as above, compared exactly); false and an
// empty bitmap for any other name.
bool DrawBuiltinBitmap(const std::string& name, TBitmap& bitmap);
// The BMP file of the named image, as the resource holds it; empty for any
// other name.
std::vector<std::uint8_t> BuiltinBitmapFile(const std::string& name);
