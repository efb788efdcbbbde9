#include "skin/data/BuiltinBitmaps.h"

#include <algorithm>
#include <iterator>

#include "framework/BmpWriter.h"

namespace {

// A window outline: a one-pixel frame whose top edge is a two-pixel bar.
// Corners are inclusive.
void WindowOutline(TBitmap& b, int x0, int y0, int x1, int y1) {
  b.FillRect({x0, y0, x1 + 1, y0 + 2}, clBlack);
  b.FillRect({x0, y1, x1 + 1, y1 + 1}, clBlack);
  b.FillRect({x0, y0, x0 + 1, y1 + 1}, clBlack);
  b.FillRect({x1, y0, x1 + 1, y1 + 1}, clBlack);
}

TBitmap VeneerMenu() {
  TBitmap b(64, 16, clWhite);
  // 0 restore: the back window, then the front one over it.
  WindowOutline(b, 5, 4, 12, 9);
  b.FillRect({3, 7, 11, 13}, clWhite);
  WindowOutline(b, 3, 7, 10, 12);
  // 1 maximise.
  WindowOutline(b, 16 + 3, 3, 16 + 12, 12);
  // 2 minimise.
  b.FillRect({32 + 5, 7, 32 + 12, 9}, clBlack);
  // 3 close: two diagonals two pixels wide across x 3-11, y 4-12.
  for (int i = 0; i <= 8; ++i) {
    for (int x : {3 + i, 4 + i, 11 - i, 10 - i}) {
      if (x >= 3 && x <= 11) b.SetPixel(48 + x, 4 + i, clBlack);
    }
  }
  b.SetBitCount(1);
  return b;
}

// Rows of S (silver), G (grey) and H (white).
TBitmap FromRows(std::initializer_list<const char*> rows) {
  const int w = static_cast<int>(std::char_traits<char>::length(*rows.begin()));
  TBitmap b(w, static_cast<int>(rows.size()));
  int y = 0;
  for (const char* row : rows) {
    for (int x = 0; x < w; ++x) {
      b.SetPixel(x, y, row[x] == 'S' ? clSilver : row[x] == 'G' ? clGray : clWhite);
    }
    ++y;
  }
  b.SetBitCount(4);
  return b;
}

TBitmap Track() {
  return FromRows({"SSGGGGGGGGGGGGHH", "SSHHHHHHHHHHHHHH", "GSHHHHHHHHHHHHHH", "SSHHHHHHHHHHHHHH"});
}

TBitmap TrackVert() {
  return FromRows({"SSGS", "SSSS", "GHHH", "GHHH", "GHHH", "GHHH", "GHHH", "GHHH", "GHHH", "GHHH",
                   "GHHH", "GHHH", "GHHH", "GHHH", "HHHH", "HHHH"});
}

// --- the media player's transport glyphs -----------------------------------

// A triangle pointing right (or left) with its flat side at x `base`,
// `half` pixels either side of row `mid`, one pixel narrower per row away
// from the middle.
void Arrow(TBitmap& b, int base, int mid, int half, bool right, TColor ink) {
  for (int dy = -half; dy <= half; ++dy) {
    const int length = half - (dy < 0 ? -dy : dy) + 1;
    for (int i = 0; i < length; ++i) b.SetPixel(right ? base + i : base - i, mid + dy, ink);
  }
}

void Bar(TBitmap& b, int x0, int y0, int x1, int y1, TColor ink) {  // inclusive corners
  b.FillRect({x0, y0, x1 + 1, y1 + 1}, ink);
}

// Glyph `index` (the player's button order) in `ink` on the key colour.
TBitmap MediaGlyph(int index, TColor ink) {
  TBitmap b(16, 16, kMediaGlyphKey);
  switch (index) {
    case 0:  // play
      Arrow(b, 5, 7, 5, true, ink);
      break;
    case 1:  // pause
      Bar(b, 4, 3, 6, 12, ink);
      Bar(b, 9, 3, 11, 12, ink);
      break;
    case 2:  // stop
      Bar(b, 3, 3, 12, 12, ink);
      break;
    case 3:  // next: two arrows and a bar
      Arrow(b, 1, 7, 5, true, ink);
      Arrow(b, 7, 7, 5, true, ink);
      Bar(b, 13, 2, 14, 12, ink);
      break;
    case 4:  // previous: a bar and two arrows
      Bar(b, 1, 2, 2, 12, ink);
      Arrow(b, 8, 7, 5, false, ink);
      Arrow(b, 14, 7, 5, false, ink);
      break;
    case 5:  // step: an arrow and a bar
      Arrow(b, 4, 7, 5, true, ink);
      Bar(b, 10, 2, 11, 12, ink);
      break;
    case 6:  // back: a bar and an arrow
      Bar(b, 4, 2, 5, 12, ink);
      Arrow(b, 11, 7, 5, false, ink);
      break;
    case 7:  // record: a disc
      for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
          const int dx = 2 * x - 15, dy = 2 * y - 15;
          if (dx * dx + dy * dy <= 100) b.SetPixel(x, y, ink);
        }
      }
      break;
    case 8:  // eject: an arrow up over a bar
      for (int row = 0; row < 6; ++row) Bar(b, 7 - row, 3 + row, 8 + row, 3 + row, ink);
      Bar(b, 2, 11, 13, 12, ink);
      break;
    default:
      break;
  }
  b.SetBitCount(4);
  return b;
}

// The colour of each coloured glyph: go green, pause navy (yellow would
// vanish on a light face where the player draws itself), stop and record
// red, the moves teal, eject blue.
constexpr TColor kMediaGlyphColours[] = {clGreen, clNavy, clRed, clTeal, clTeal,
                                         clTeal,  clTeal, clRed, clBlue};

bool DrawMediaGlyph(const std::string& name, TBitmap& bitmap) {
  if (name.size() < 4 || name[2] != '_') return false;
  const std::string prefix = name.substr(0, 2);
  const std::string button = name.substr(3);
  for (int i = 0; i < static_cast<int>(std::size(kMediaGlyphNames)); ++i) {
    if (button != kMediaGlyphNames[i]) continue;
    if (prefix == "EN") {
      bitmap = MediaGlyph(i, clBlack);
    } else if (prefix == "DI") {
      bitmap = MediaGlyph(i, clGray);
    } else if (prefix == "CL") {
      bitmap = MediaGlyph(i, kMediaGlyphColours[i]);
    } else {
      return false;
    }
    return true;
  }
  return false;
}

// The sixteen colours of 4-bit images.
constexpr TColor kSixteenColours[] = {clBlack, clMaroon,  clGreen,  clOlive, clNavy, clPurple,
                                      clTeal,  clGray,    clSilver, clRed,   clLime, clYellow,
                                      clBlue,  clFuchsia, clAqua,   clWhite};

}  // namespace

bool DrawBuiltinBitmap(const std::string& name, TBitmap& bitmap) {
  if (name == "VENEERMENU") {
    bitmap = VeneerMenu();
  } else if (name == "TRACK") {
    bitmap = Track();
  } else if (name == "TRACKVERT") {
    bitmap = TrackVert();
  } else if (!DrawMediaGlyph(name, bitmap)) {
    bitmap.Clear();
    return false;
  }
  return true;
}

std::vector<std::uint8_t> BuiltinBitmapFile(const std::string& name) {
  TBitmap bitmap;
  if (!DrawBuiltinBitmap(name, bitmap)) return {};
  TBmpWriteOptions options;
  options.bit_count = bitmap.BitCount();
  if (bitmap.BitCount() == 1) {
    options.palette = {clBlack, clWhite};
  } else {
    options.palette.assign(std::begin(kSixteenColours), std::end(kSixteenColours));
  }
  return WriteBmp(bitmap, options);
}
