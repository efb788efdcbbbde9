#pragma once
// What the tests of skinned edits and spin buttons share: how a text reads
// on the screen (its background, its ink and their contrast), and how well
// the screen matches a skin cell along an edit's border.
#include <windows.h>

#include "framework/Bitmap.h"
#include "skin/data/SkinObjects.h"
#include "tests/wine/support/ScreenColours.h"

namespace fields {

using screen_colours::ReadText;
using screen_colours::TTextLook;

bool Near(TColor a, TColor b, int tolerance = 10);

// Cell `cell` of the object's `frames` cells at width x height over `under`,
// as the screen should show it.
TBitmap ExpectedCell(const TDataSkinObject& object, int frames, int cell, int width, int height,
                     TColor under);

// An image of one of the program's skins as the skin generator drew it
// (the build's skins/src folder beside the test's bin folder); empty when
// it cannot be read.
TBitmap SkinSourceImage(const char* skin, const char* file);

// The share of the pixels of a ring `edge` pixels wide along the outside
// of `shot` that match `expected` (within `tolerance` per channel).
double RingShare(const TBitmap& shot, const TBitmap& expected, int edge, int tolerance = 8);

}  // namespace fields
