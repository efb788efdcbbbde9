#pragma once
// Glyph images at a DPI. Glyphs (of glyph buttons, speed buttons, image
// lists) are drawn for 96 DPI; at another DPI they are shown scaled by
// dpi / 96 like the text beside them. A glyph's transparent colour must stay
// exact through the scaling, or a fringe of half-transparent pixels would
// show around it: the key never mixes with the glyph's own pixels.
// Win32-free.
#include <functional>

#include "framework/Bitmap.h"

class TImageList;

// `image` scaled to width x height with an area filter: each target pixel
// takes the average of the source pixels it covers, weighted by how much of
// it each covers. At whole-number enlargements every target pixel lies
// inside one source pixel, so pixels are repeated and edges stay crisp.
// Pixels of `key` do not mix: a target pixel mostly covered by the key is
// the key, any other takes the average of the rest only, and an average
// that lands on the key is moved off it by one step of green. An empty
// image or size gives an empty bitmap.
TBitmap ScaleGlyph(const TBitmap& image, TColor key, int width, int height);
// The same without a transparent colour: every pixel mixes.
TBitmap ScaleOpaqueImage(const TBitmap& image, int width, int height);

// Changes the own pixels of a glyph whose transparent colour is `key`.
using TGlyphRecolour = std::function<void(TBitmap& image, TColor key)>;
// Image `index` of `images` (drawn for 96 DPI, as glyphs are) as it shows
// at width x height: `recolour`, when given, changes its own pixels first
// (greyed for a disabled item, say), then ScaleGlyph brings it to the size.
// The result is transparent in the list's colour for that image, ready to
// draw. An index outside the list gives an empty bitmap.
TBitmap ListImageAtSize(const TImageList& images, int index, int width, int height,
                        const TGlyphRecolour& recolour = {});
