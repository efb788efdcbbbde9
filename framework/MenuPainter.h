#pragma once
// TMenuPainter: the framework's plain look of owner-drawn menu items, used
// where a menu has no drawing events of its own. Text in the system's menu
// font and colours, the selected item highlighted, disabled items in grey
// text, a column on the left for the check mark or the item's image, the
// short-cut text right-aligned, separators as an etched line. Menu-bar
// items are the caption alone. A popup's items are measured and drawn at
// the DPI of the popup: the images (drawn for 96 DPI) are scaled to it, and
// so are the gaps around the parts, the column and the check mark.
#include <windows.h>

#include "framework/GdiObjects.h"

class TImageList;
class TMenuItem;

class TMenuPainter {
 public:
  TMenuPainter();

  // The system's menu font (owned).
  HFONT Font() const { return font_.Get(); }

  // The size of `item` in a popup shown at `dpi`; `dc` has Font()
  // selected.
  void Measure(const TMenuItem& item, HDC dc, const TImageList* images, bool in_bar, int dpi,
               int& width, int& height) const;
  // Draws `item` into `rect` in the state given by the ODS_... flags, at
  // the DPI it was measured at.
  void Draw(const TMenuItem& item, HDC dc, const RECT& rect, UINT state, const TImageList* images,
            bool in_bar, int dpi) const;

 private:
  // The width of the column left of the captions.
  int GutterWidth(const TImageList* images, int dpi) const;
  void DrawCheck(HDC dc, const RECT& box, COLORREF colour, int dpi) const;

  TOwnedFont font_;
  int text_height_ = 0;  // of Font(), with its leading
};
