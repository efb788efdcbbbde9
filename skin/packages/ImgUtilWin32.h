#pragma once
// The device-context half of the gradient helper.
#include <windows.h>

#include "skin/packages/ImgUtil.h"

// Paints `rect` of `dc` with a ramp from c1 to c2 (system colours resolved),
// top to bottom when `vertical`, else left to right: one solid brush per
// line, and only the lines inside the DC's clip box. Nothing happens when no
// part of the rectangle is visible.
void FillGradient(TGradientCache& cache, HDC dc, const TRect& rect, TColor c1, bool vertical,
                  TColor c2);
