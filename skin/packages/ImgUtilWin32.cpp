#include "skin/packages/ImgUtilWin32.h"

void FillGradient(TGradientCache& cache, HDC dc, const TRect& rect, TColor c1, bool vertical,
                  TColor c2) {
  const RECT r{rect.left, rect.top, rect.right, rect.bottom};
  if (!RectVisible(dc, &r)) return;
  RECT box{};
  if (GetClipBox(dc, &box) == ERROR) return;
  const auto lines =
      PlanGradient(cache, rect, TRect{box.left, box.top, box.right, box.bottom}, c1, vertical, c2);
  if (!lines) return;
  for (int i = lines->first; i <= lines->last; ++i) {
    const TColor c = (*lines->ramp)[static_cast<size_t>(i)];
    const HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(c));
    if (!brush) continue;
    const RECT strip = vertical ? RECT{rect.left, rect.top + i, rect.right, rect.top + i + 1}
                                : RECT{rect.left + i, rect.top, rect.left + i + 1, rect.bottom};
    FillRect(dc, &strip, brush);
    DeleteObject(brush);
  }
}
