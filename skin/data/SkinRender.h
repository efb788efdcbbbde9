#pragma once
// Nine-part scaling of skin images in memory: a cell of an image strip is
// cut by four margins (negative ones count as 0) into corners (copied unscaled), edges (stretched
// along their length) and a centre (stretched, or tiled), and scaled to the
// target size. Margins that do not fit the target along an axis are dropped
// for that axis, so tiny targets still get an image.
//
// Skin images are drawn for 96 DPI. At another DPI every piece is first
// scaled by dpi / 96: the margins become scaled margins, corners and edges
// are scaled across as well as stretched, and a tiled centre repeats its
// scaled piece. Pieces are scaled one by one so no colour bleeds across a
// margin line, and with a filter that keeps magenta holes whole (see
// ScaleSkinPixels).
#include "framework/Bitmap.h"
#include "skin/data/SkinObjects.h"

// The resolution skin images are drawn for.
inline constexpr int kSkinDpi = 96;

// A length of a skin image (96-DPI pixels) at `dpi`, rounded to the nearest
// pixel, halves away from zero. Unknown DPIs (0 or less) leave it as it is.
int SkinScale(int value, int dpi);

// Scales `src` of `image` over `dest` of `out` (both clipped to their
// bitmaps) with an area filter: each target pixel takes the average of the
// source pixels it covers, weighted by how much of it each covers. Magenta
// does not mix: a target pixel mostly covered by magenta is magenta, any
// other takes the average of the rest only. At whole-number enlargements
// every target pixel lies inside one source pixel, so the filter is the
// nearest pixel and one-pixel lines stay crisp.
void ScaleSkinPixels(TBitmap& out, const TRect& dest, const TBitmap& image, const TRect& src);

struct TSkinMargins {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// Cell `cell` (from 1) of `frames` equal cells of `image`, laid side by side
// or, when `vertical`, stacked, scaled to width x height. Frame counts below
// 1 count as 1. The margins are in the image's own pixels; at a `dpi` other
// than 96 they and every piece are scaled as described above. The result is
// a new 24-bit bitmap.
TBitmap RenderSkinPart(int width, int height, const TBitmap& image, const TSkinMargins& margins,
                       bool vertical, bool tile, int frames, int cell, int dpi = kSkinDpi);

// Cell `cell` of `frames` cells of the object's image at width x height:
// nine-part with the object's margins, centre tiled when its Tile is 1.
TBitmap RenderSkinCell(const TDataSkinObject& object, int width, int height, int frames, int cell,
                       int dpi = kSkinDpi);

// Draws cell `cell` of `frames` cells of the object's image into `rect` of
// `target`: nine-part with the object's margins, centre tiled when its Tile
// is 1, magenta left out when its Trans is 1. Nothing for an empty image or
// rectangle.
void DrawSkinCell(TBitmap& target, const TRect& rect, const TDataSkinObject& object, int frames,
                  int cell, int dpi = kSkinDpi);

// Cell `cell` of `frames` equal cells of `image`, laid side by side,
// scaled whole to width x height with ScaleSkinPixels (a caption button or
// an arrow shown at a DPI other than its image's).
TBitmap ScaleSkinCell(const TBitmap& image, int frames, int cell, int width, int height);
