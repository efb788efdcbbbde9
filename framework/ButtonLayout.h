#pragma once
// Where a glyph button puts its glyph and its caption: the glyph on one side
// of the caption (the layout), `margin` pixels from the edge and `spacing`
// pixels from the text, both worked out from the space left when given as
// -1; and how a caption breaks into lines. Win32-free, shared by the
// framework's own buttons and the skinned buttons.
#include <string>

#include "framework/Graphics.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// How the caption is aligned in its rectangle.
enum TGlyphTextAlign { gtLeft, gtRight, gtCentre };

struct TGlyphLayoutInput {
  TPoint client;  // the button's size
  TPoint glyph;   // the glyph's size, (0, 0) without one
  TPoint text;    // the caption's measured size, (0, 0) without one
  TButtonLayout layout = blGlyphLeft;
  int margin = -1;
  int spacing = 4;
  // The control centres its content whatever the margin ("taCenter").
  bool centred = false;
  // Speed buttons put a given spacing's margin one pixel further in.
  bool speed_button = false;
};

struct TGlyphLayout {
  TPoint glyph;  // top-left corner of the glyph
  TPoint text;   // top-left corner of the caption's rectangle
  int margin = 0;
  int spacing = 0;
  TGlyphTextAlign align = gtLeft;
};

TGlyphLayout LayoutGlyphButton(const TGlyphLayoutInput& in);

// A button caption as shown: its first "||" becomes a line break (a caption
// written on one line can still take two). Further bars stay as they are.
std::wstring BreakCaptionLine(std::wstring caption);

// The main axis of a layout: x for glyphs left or right of the caption.
inline bool HorizontalLayout(TButtonLayout layout) {
  return layout == blGlyphLeft || layout == blGlyphRight;
}
