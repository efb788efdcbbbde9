#pragma once
// The menu font and the DPI menus are drawn at. Skinned menus draw their
// captions in the system's menu font of the DPI they are shown at, and
// measure their items with the same font, so that an item is always as
// large as the text drawn into it.
#include <windows.h>

#include "framework/GdiObjects.h"

// The system's menu font at `dpi`: the system's own per-DPI value where it
// has one, else its font at the system's DPI scaled; 9 points at the least.
LOGFONTW MenuLogFontForDpi(int dpi);
// That font, bold for a default item (owned by the caller).
TOwnedFont MakeMenuFont(int dpi, bool bold = false);

// The menu font of one DPI, plain and bold, made when first asked for and
// made again when asked for at another DPI (owns both).
class TMenuFontPair {
 public:
  HFONT Get(int dpi, bool bold);

 private:
  int dpi_ = 0;
  TOwnedFont fonts_[2];
};
