#pragma once
// The answers to the colour questions of edits and memos (WM_CTLCOLOREDIT,
// and WM_CTLCOLORSTATIC for read-only and disabled ones) in the skin's
// content colours, with the background brushes they hand out.
#include <windows.h>

#include "framework/GdiObjects.h"
#include "skin/controls/ContentColours.h"

struct TSkinColours;

// The state an edit window's text shows in now: disabled, read-only or
// normal.
TContentState EditContentState(HWND edit);

// One owned brush per content state, made again when its colour changes.
// The brushes live as long as their owner: an edit may still paint with the
// one it was handed.
class TContentBrushes {
 public:
  HBRUSH Brush(TContentState state, TColor colour);
  // The edit's colours set into `dc`; the background brush returned.
  LRESULT Answer(HDC dc, HWND edit, const TSkinColours& colours);

 private:
  TOwnedBrush brushes_[3];
  TColor colours_[3] = {clNone, clNone, clNone};
};
