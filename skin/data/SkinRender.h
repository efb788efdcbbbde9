#pragma once
// Nine-part scaling of skin images in memory: a cell of an image strip is
// cut by four margins (negative ones count as 0) into corners (copied unscaled), edges (stretched
// along their length) and a centre (stretched, or tiled), and scaled to the
// target size. Margins that do not fit the target along an axis are dropped
// for that axis, so tiny targets still get an image.
#include "framework/Bitmap.h"
#include "skin/data/SkinObjects.h"

struct TSkinMargins {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// Cell `cell` (from 1) of `frames` equal cells of `image`, laid side by side
// or, when `vertical`, stacked, scaled to width x height. Frame counts below
// 1 count as 1. The result is a new 24-bit bitmap.
TBitmap RenderSkinPart(int width, int height, const TBitmap& image, const TSkinMargins& margins,
                       bool vertical, bool tile, int frames, int cell);

// Cell `cell` of `frames` cells of the object's image at width x height:
// nine-part with the object's margins, centre tiled when its Tile is 1.
TBitmap RenderSkinCell(const TDataSkinObject& object, int width, int height, int frames, int cell);

// Draws cell `cell` of `frames` cells of the object's image into `rect` of
// `target`: nine-part with the object's margins, centre tiled when its Tile
// is 1, magenta left out when its Trans is 1. Nothing for an empty image or
// rectangle.
void DrawSkinCell(TBitmap& target, const TRect& rect, const TDataSkinObject& object, int frames,
                  int cell);
