#pragma once
// What the check-box suites share: which cell of a skin's check or radio
// strip the screen shows in a box.
#include "framework/Bitmap.h"
#include "skin/data/SkinObjects.h"
#include "skin/data/SkinRender.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"

// The cell (1 to `cells`) of `strip` that `shot` (the box on the screen)
// shows: each cell drawn at `dpi` over the `face` colour, magenta left out,
// compared pixel by pixel within `tolerance`; 0 when no cell has at least
// `least` of its pixels right.
inline int ShownStripCell(const TBitmap& shot, const TBitmap& strip, int cells, TColor face,
                          int dpi, int tolerance, double least) {
  TDataSkinObject object;
  object.Bitmap = strip;
  object.Trans = 1;
  double best = 0;
  int found = 0;
  for (int k = 1; k <= cells; ++k) {
    TBitmap expected(shot.Width(), shot.Height(), face);
    DrawSkinCell(expected, expected.BoundsRect(), object, cells, k, dpi);
    const double share = MatchingShare(shot, expected, tolerance);
    if (share > best) best = share, found = k;
  }
  return best > least ? found : 0;
}
