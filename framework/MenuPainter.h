#pragma once
// TMenuPainter: the framework's plain look of owner-drawn menu items, used
// where a menu has no drawing events of its own. Text in the system's menu
// font and colours, the selected item highlighted, disabled items in grey
// text, a column on the left for the check mark or the item's image, the
// short-cut text right-aligned, separators as an etched line. Menu-bar
// items are the caption alone. A popup's items are measured and drawn at
// the DPI of the popup: in the system's menu font of that DPI, the images
// (drawn for 96 DPI) scaled to it, and so the gaps around the parts, the
// column and the check mark.
#include <windows.h>

#include "framework/GdiObjects.h"

class TImageList;
class TMenuItem;

class TMenuPainter {
 public:
  TMenuPainter();

  // The system's menu font at `dpi` (owned; made again when asked for at
  // another DPI).
  HFONT Font(int dpi) const { return FontAt(dpi).font.Get(); }

  // The size of `item` in a popup shown at `dpi`; `dc` has Font(dpi)
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

  struct TFontAtDpi {
    int dpi = 0;
    TOwnedFont font;
    int text_height = 0;  // with its leading
  };
  // The font of the DPI, made when first asked for. Popups of one program
  // show at one DPI at a time, mostly: one is kept.
  const TFontAtDpi& FontAt(int dpi) const;

  mutable TFontAtDpi font_;
};
