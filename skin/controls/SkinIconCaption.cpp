#include "skin/controls/SkinIconCaption.h"

#include <algorithm>

#include "skin/data/SkinRender.h"

RECT DrawIconCaption(HDC dc, const TRect& r, const TIconCaption& caption) {
  if (r.Width() <= 0 || r.Height() <= 0) return RECT{};
  int icon_width = 0, icon_height = 0;
  if (caption.images && caption.icon != -1) {
    ImageList_GetIconSize(caption.images, &icon_width, &icon_height);
    if (icon_width >= r.Width()) icon_width = 0;
  }
  SIZE extent{0, 0};
  if (!caption.text.empty()) {
    RECT calc{0, 0, r.Width(), r.Height()};
    DrawTextW(dc, caption.text.c_str(), -1, &calc,
              DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE | DT_END_ELLIPSIS |
                  (caption.flags & DT_HIDEPREFIX));
    extent = {calc.right - calc.left, calc.bottom - calc.top};
  }
  const int dpi = caption.dpi;
  int x = caption.align == caCentre  ? (r.Width() - icon_width - extent.cx) / 2
          : caption.align == caRight ? r.Width() - icon_width - extent.cx - SkinScale(2, dpi)
                                     : SkinScale(3, dpi);
  if (x < SkinScale(2, dpi)) x = SkinScale(1, dpi);
  if (icon_width > 0) {
    ImageList_Draw(caption.images, caption.icon, dc, r.left + x,
                   r.top + (r.Height() - icon_width) / 2, ILD_TRANSPARENT);
  }
  if (caption.text.empty()) return RECT{};
  // The text may run to the rectangle's end (a measured extent can fall a
  // pixel short of what is drawn); a longer one ends in an ellipsis there.
  RECT place{r.left + x + icon_width, r.top + (r.Height() - extent.cy) / 2, r.right, 0};
  place.bottom = place.top + extent.cy;
  if (place.right <= place.left) return RECT{};
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, caption.colour);
  DrawTextW(dc, caption.text.c_str(), -1, &place,
            DT_EXPANDTABS | DT_SINGLELINE | DT_END_ELLIPSIS | caption.flags);
  place.right = std::min<LONG>(place.right, place.left + extent.cx);
  return place;
}
