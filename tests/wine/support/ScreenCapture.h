#pragma once
// Reading back what the screen shows, as a person would see it.
#include <windows.h>

#include "framework/Bitmap.h"
#include "framework/BitmapWin32.h"
#include "framework/GdiObjects.h"

// What the screen shows in `rect` (screen coordinates), once everything
// drawn before has reached it.
inline TBitmap Capture(const RECT& rect) {
  GdiFlush();
  TWindowDC screen(nullptr);
  return ReadDCPixels(screen.Get(), TRect{rect.left, rect.top, rect.right, rect.bottom});
}
