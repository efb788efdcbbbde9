#pragma once
// The icon-and-caption routine that tabs, button tabs and header sections
// share: an image-list icon and a one-line text side by side, placed left,
// centred or right in a rectangle, the text centred vertically and ended
// with an ellipsis where it does not fit.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/Graphics.h"

enum TCaptionAlign { caLeft = 0, caCentre = 1, caRight = 2 };

struct TIconCaption {
  std::wstring text;
  HIMAGELIST images = nullptr;
  int icon = -1;  // -1: none
  TCaptionAlign align = caCentre;
  COLORREF colour = 0;
  // Added to DT_EXPANDTABS | DT_SINGLELINE | DT_END_ELLIPSIS (right-to-left
  // reading, hidden access-key underlines).
  UINT flags = 0;
  // The DPI of the control drawn on: the gaps beside icon and text grow
  // with it (the icon is the image list's own size).
  int dpi = 96;
};

// Draws `caption` into `rect` of `dc` with the DC's font, on a transparent
// background; answers where the text went (empty when there is none).
RECT DrawIconCaption(HDC dc, const TRect& rect, const TIconCaption& caption);
