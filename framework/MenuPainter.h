#pragma once
// TMenuPainter: the framework's plain look of owner-drawn menu items, used
// where a menu has no drawing events of its own. Text in the system's menu
// font and colours, the selected item highlighted, disabled items in grey
// text, a column on the left for the check mark or the item's image, the
// short-cut text right-aligned, separators as an etched line. Menu-bar
// items are the caption alone.
#include <windows.h>

#include "framework/GdiObjects.h"

class TImageList;
class TMenuItem;

class TMenuPainter {
 public:
  TMenuPainter();

  // The system's menu font (owned).
  HFONT Font() const { return font_.Get(); }

  // The size of `item`; `dc` has Font() selected.
  void Measure(const TMenuItem& item, HDC dc, const TImageList* images, bool in_bar, int& width,
               int& height) const;
  // Draws `item` into `rect` in the state given by the ODS_... flags.
  void Draw(const TMenuItem& item, HDC dc, const RECT& rect, UINT state, const TImageList* images,
            bool in_bar) const;

 private:
  // The width of the column left of the captions.
  int GutterWidth(const TImageList* images) const;
  void DrawCheck(HDC dc, const RECT& box, COLORREF colour) const;
  void DrawImage(HDC dc, const RECT& box, const TImageList& images, int index, bool disabled) const;

  TOwnedFont font_;
  int text_height_ = 0;  // of Font(), with its leading
};
