#pragma once
// The preview sheet of a skin: a mock window put together from the skin's
// images, the sixteen colours, and every image enlarged with its cells
// outlined and labelled, so that a skin can be reviewed without running
// the program.
#include "skins/generator/Raster.h"
#include "skins/generator/SkinBuilder.h"

namespace skingen {

TImage DrawPreviewSheet(const TBuiltSkin& skin);

// Nine-slice drawing of cell `cell` (from 1) of `image` to `w` × `h`:
// corners unscaled, edges and centre stretched; margins are dropped per
// axis when the target is smaller than they are. The key colour is kept.
TImage RenderCell(const TSkinImage& image, int cell, int left, int top, int right, int bottom,
                  int w, int h);
// Copies `src` to (x, y) of `dst`, skipping key pixels when `transparent`.
void Blit(TImage& dst, const TImage& src, int x, int y, bool transparent);

}  // namespace skingen
