#pragma once
// What the items of a bare window's menus (the drop-downs of its skinned
// menu bar, its window menu) are measured with: the menu font of the
// window's DPI, made once per DPI rather than once per item, and one DC
// per popup opening, made for its first item and let go when the popup
// draws. The system measures a popup's items one after another each time
// it opens. One per skinned window, a member of its engine, so that what
// it holds goes with the engine.
#include <optional>

#include "framework/GdiObjects.h"
#include "skin/menu/MenuFont.h"

class TSkinData;
struct TSkinMenuItem;

class TBareMenuMeasure {
 public:
  // The size of `item` in a skinned popup shown at `dpi`.
  void Measure(const TSkinData& data, int dpi, const TSkinMenuItem& item, int& width, int& height);
  // A popup's items are all measured once it draws: its DC goes.
  void PopupDrawn() { dc_.reset(); }

 private:
  TMenuFontPair fonts_;
  std::optional<TOwnedMemoryDC> dc_;
};
