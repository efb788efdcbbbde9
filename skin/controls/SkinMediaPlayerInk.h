#pragma once
// The colours the skinned media player draws its glyphs in. The glyph
// images are shapes in one colour; on a skin's button face they take an ink
// that reads there: the skin's own text colour (or the coloured glyph's
// own colour) where it reads well enough, otherwise that colour moved
// towards black or white, whichever stands out more from the face.
// Disabled glyphs are drawn faintly: visible, but plainly weaker than the
// enabled ones. Win32-free.
#include "framework/Graphics.h"

// The contrast the glyphs must reach on a face: 7:1 for a skin whose own
// text and face colours reach it, 4.5:1 otherwise.
double GlyphContrastTarget(TColor skin_text, TColor skin_face);
// `preferred`, or the nearest colour on its way to black or white that
// reaches `target` on `face` (black or white itself when none does).
TColor GlyphInk(TColor preferred, TColor face, double target);
// The ink of a disabled glyph: `ink` mixed into `face` until it reads at
// about 2:1, the faint look of a button that cannot be used.
TColor DisabledGlyphInk(TColor ink, TColor face);
