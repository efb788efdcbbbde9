#include "tools/gallery/GalleryGlyphs.h"

#include <cstdlib>

namespace {

void Disc(TBitmap& b, int cx, int cy, int r, TColor colour) {
  for (int y = cy - r; y <= cy + r; ++y) {
    for (int x = cx - r; x <= cx + r; ++x) {
      if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r) b.SetPixel(x, y, colour);
    }
  }
}

}  // namespace

TBitmap GalleryGlyph(TGalleryGlyph glyph) {
  TBitmap b(16, 16, clFuchsia);
  switch (glyph) {
    case ggNote: {
      const TColor ink = RGBColour(30, 90, 200);
      b.FillRect({10, 2, 12, 12}, ink);
      b.FillRect({10, 2, 15, 4}, ink);
      Disc(b, 8, 12, 3, ink);
      break;
    }
    case ggFolder: {
      b.FillRect({1, 4, 7, 6}, RGBColour(200, 150, 40));
      b.FillRect({1, 6, 15, 14}, RGBColour(235, 185, 60));
      b.FillRect({1, 13, 15, 14}, RGBColour(170, 120, 30));
      break;
    }
    case ggDisk: {
      b.FillRect({2, 2, 14, 14}, RGBColour(60, 70, 90));
      b.FillRect({4, 2, 12, 7}, RGBColour(220, 225, 235));
      b.FillRect({5, 10, 11, 14}, RGBColour(150, 160, 180));
      break;
    }
    case ggPin: {
      const TColor red = RGBColour(210, 40, 40);
      Disc(b, 8, 5, 3, red);
      b.FillRect({7, 8, 9, 15}, RGBColour(90, 90, 90));
      break;
    }
  }
  return b;
}

void FillGalleryImages(TImageList& images) {
  for (TGalleryGlyph g : {ggNote, ggFolder, ggDisk, ggPin})
    images.AddMasked(GalleryGlyph(g), clFuchsia);
}
