#include "framework/ImageList.h"

#include <algorithm>
#include <string>

#include "framework/Exceptions.h"

int TImageList::AddMasked(const TBitmap& strip, TColor mask) {
  if (width_ == 0 || height_ == 0 || strip.Empty()) return -1;
  const TColor key = ColorToRGB(mask);
  const int first = Count();
  for (int left = 0; left + width_ <= strip.Width(); left += width_) {
    TBitmap cell(width_, height_, key);
    cell.CopyRect(Bounds(0, 0, width_, std::min(height_, strip.Height())), strip,
                  Bounds(left, 0, width_, std::min(height_, strip.Height())));
    cell.Transparent = true;
    cell.TransparentColor = key;
    images_.push_back(TCell{std::move(cell), key});
  }
  return Count() > first ? first : -1;
}

const TImageList::TCell& TImageList::Cell(int index) const {
  if (index < 0 || index >= Count()) {
    throw EListError("Image list index out of bounds (" + std::to_string(index) + ")");
  }
  return images_[static_cast<size_t>(index)];
}

const TBitmap& TImageList::Image(int index) const {
  return Cell(index).image;
}

TColor TImageList::MaskColor(int index) const {
  return Cell(index).mask;
}

bool TImageList::Opaque(int index, int x, int y) const {
  const TCell& cell = Cell(index);
  const TColor p = cell.image.Pixel(x, y);
  return p >= 0 && p != cell.mask;
}
