#pragma once
// The small pictures of the gallery's glyph buttons, drawn by code: 16 x 16
// on magenta (the bottom-left pixel, so it is not drawn).
#include "framework/Bitmap.h"
#include "framework/ImageList.h"

enum TGalleryGlyph { ggNote, ggFolder, ggDisk, ggPin };

TBitmap GalleryGlyph(TGalleryGlyph glyph);
// The four glyphs as an image list.
void FillGalleryImages(TImageList& images);
