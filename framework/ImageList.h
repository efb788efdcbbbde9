#pragma once
// TImageList: a list of equal-sized images (cells), each with the colour
// that is transparent in it. Images are cut from strips laid left to right,
// as image-list bitmaps are stored. The Windows side makes a common-controls
// image list of it when a control needs one (BitmapWin32.h).
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Persistent.h"

// A persistent object, so that a control's "Images" property can hold one.
class TImageList : public TPersistent {
 public:
  TImageList(int width, int height)
      : width_(width > 0 ? width : 0), height_(height > 0 ? height : 0) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const { return static_cast<int>(images_.size()); }

  // Cuts `strip` into cells of the list's width (a partial cell at the right
  // is dropped; rows beyond the list's height are cut, missing rows are
  // transparent) and appends them with `mask` as their transparent colour.
  // Returns the index of the first cell added, or -1 when none was.
  int AddMasked(const TBitmap& strip, TColor mask);
  void Clear() { images_.clear(); }

  // Cell `index`; EListError outside 0..Count()-1.
  const TBitmap& Image(int index) const;
  TColor MaskColor(int index) const;
  // Whether pixel (x, y) of cell `index` is drawn.
  bool Opaque(int index, int x, int y) const;

 private:
  struct TCell {
    TBitmap image;
    TColor mask;
  };
  const TCell& Cell(int index) const;

  int width_;
  int height_;
  std::vector<TCell> images_;
};
