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
  } else {
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
