// Colours of windowed controls: the background colour a control and its
// children take, the colour of its texts, and the answers to the colour
// questions that standard controls ask their parent.
#include "framework/Control.h"

TFont& TWinControl::FontObject() {
  if (!font_object_) font_object_ = std::make_unique<TFont>();
  font_object_->Handle = Font();
  return *font_object_;
}

TColor TWinControl::EffectiveFontColor() const {
  for (const TWinControl* c = this; c; c = c->parent_) {
    if (c->font_object_ && c->font_object_->Color != clDefault) return c->font_object_->Color;
  }
  return clWindowText;
}

void TWinControl::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  // Children that take this colour repaint with it.
  if (hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

TColor TWinControl::EffectiveColor() const {
  for (const TWinControl* c = this; c; c = c->parent_) {
    const TColor colour = c->Color();
    if (colour != clDefault) return colour;
  }
  return clBtnFace;
}

void TWinControl::SetParentBackground(bool on) {
  if (on == parent_background_) return;
  parent_background_ = on;
  Invalidate();
}

HBRUSH TWinControl::ColourBrush(TColor colour) {
  const TColor rgb = ColorToRGB(colour) & 0xFFFFFF;
  if (!colour_brush_ || rgb != colour_brush_rgb_) {
    colour_brush_.Reset(CreateSolidBrush(static_cast<COLORREF>(rgb)));
    colour_brush_rgb_ = rgb;
  }
  return colour_brush_.Get();
}

void TWinControl::EraseWithColour(HDC dc) {
  RECT r;
  GetClientRect(hwnd_, &r);
  if (parent_background_ && parent_ && parent_->hwnd_) {
    // The parent erases the part of itself that lies under this control.
    POINT origin{};
    MapWindowPoints(hwnd_, parent_->hwnd_, &origin, 1);
    const int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, -origin.x, -origin.y, nullptr);
    IntersectClipRect(dc, origin.x, origin.y, origin.x + r.right, origin.y + r.bottom);
    SendMessageW(parent_->hwnd_, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
    return;
  }
  FillRect(dc, &r, ColourBrush(EffectiveColor()));
}

bool TWinControl::AnswerCtlColor(TMessage& m) {
  // Labels, read-only edits and buttons ask for the colours of their
  // background: that of their container, in their font's colour.
  if (m.Msg != CN_CTLCOLORSTATIC && m.Msg != CN_CTLCOLORBTN) return false;
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  const TColor back = EffectiveColor();
  SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(EffectiveFontColor())));
  SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(back)));
  m.Result = reinterpret_cast<LRESULT>(ColourBrush(back));
  return true;
}
