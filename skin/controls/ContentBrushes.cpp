#include "skin/controls/ContentBrushes.h"

TContentState EditContentState(HWND edit) {
  if (!edit || !IsWindowEnabled(edit)) return csDisabled;
  if (GetWindowLongPtrW(edit, GWL_STYLE) & ES_READONLY) return csReadOnly;
  return csNormal;
}

HBRUSH TContentBrushes::Brush(TContentState state, TColor colour) {
  const int i = static_cast<int>(state);
  colour &= 0xFFFFFF;
  if (!brushes_[i] || colours_[i] != colour) {
    brushes_[i].Reset(CreateSolidBrush(static_cast<COLORREF>(colour)));
    colours_[i] = colour;
  }
  return brushes_[i].Get();
}

LRESULT TContentBrushes::Answer(HDC dc, HWND edit, const TSkinColours& colours) {
  const TContentState state = EditContentState(edit);
  const TContentLook look = ContentLook(colours, state);
  SetTextColor(dc, static_cast<COLORREF>(look.ink));
  SetBkColor(dc, static_cast<COLORREF>(look.back));
  return reinterpret_cast<LRESULT>(Brush(state, look.back));
}
