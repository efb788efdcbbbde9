#pragma once
// TGraphic: a picture held by a published property (a button's "Glyph"), so
// that code reading properties by name can find the bitmap behind it.
#include "framework/Bitmap.h"
#include "framework/Persistent.h"

class TGraphic : public TPersistent {
 public:
  TBitmap Bitmap;
  bool Empty() const { return Bitmap.Empty(); }
  int Width() const { return Bitmap.Width(); }
  int Height() const { return Bitmap.Height(); }
};
