#include "framework/ButtonLayout.h"

namespace {

// Division that truncates toward zero, whatever the sign.
int Div(int a, int b) {
  return a / b;
}

}  // namespace

TGlyphLayout LayoutGlyphButton(const TGlyphLayoutInput& in) {
  TGlyphLayout out;
  const bool horizontal = HorizontalLayout(in.layout);
  const TPoint c = in.client;
  const TPoint g = in.glyph;
  const TPoint s = in.text;
  // Across the main axis both are centred.
  if (horizontal) {
    out.glyph.y = Div(c.y - g.y + 1, 2);
    out.text.y = Div(c.y - s.y + 1, 2);
  } else {
    out.glyph.x = Div(c.x - g.x + 1, 2);
    out.text.x = Div(c.x - s.x + 1, 2);
  }
  int margin = in.margin;
  int spacing = in.spacing;
  if (s.x == 0 || g.x == 0) spacing = 0;
  // Along the main axis.
  const int room = horizontal ? c.x : c.y;
  const int glyph = horizontal ? g.x : g.y;
  const int text = horizontal ? s.x : s.y;
  if (margin == -1 || in.centred) {
    if (spacing == -1) {
      margin = Div(room - (glyph + text), 3);
      spacing = margin;
    } else {
      margin = Div(room - (glyph + spacing + text), 2) + (in.speed_button ? 1 : 0);
    }
  } else if (spacing == -1) {
    spacing = Div(room - (margin + glyph) - text, 2);
  }
  switch (in.layout) {
    case blGlyphLeft:
      out.glyph.x = margin;
      out.text.x = out.glyph.x + g.x + spacing;
      out.align = gtLeft;
      break;
    case blGlyphRight:
      out.glyph.x = c.x - margin - g.x;
      out.text.x = out.glyph.x - spacing - s.x;
      out.align = gtRight;
      break;
    case blGlyphTop:
      out.glyph.y = margin;
      out.text.y = out.glyph.y + g.y + spacing;
      out.align = gtCentre;
      break;
    case blGlyphBottom:
      out.glyph.y = c.y - margin - g.y;
      out.text.y = out.glyph.y - spacing - s.y;
      out.align = gtCentre;
      break;
  }
  out.margin = margin;
  out.spacing = spacing;
  return out;
}

std::wstring BreakCaptionLine(std::wstring caption) {
  const size_t bars = caption.find(L"||");
  if (bars != std::wstring::npos) caption.replace(bars, 2, L"\r\n");
  return caption;
}
