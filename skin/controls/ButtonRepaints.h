#pragma once
// The messages after which a standard button (push button, check box, radio
// button) paints itself at once, without waiting for WM_PAINT: a skinned
// button keeps that picture off the screen and paints from the skin after.
#include <windows.h>

#include "framework/Control.h"

inline bool ButtonPaintsDirectly(const TMessage& m) {
  switch (m.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case BM_SETCHECK:
    case WM_UPDATEUISTATE:
      return true;
    case WM_KEYDOWN:
    case WM_KEYUP:
      return m.WParam == VK_SPACE;
    default:
      return false;
  }
}
