#pragma once
// Reading back what the screen shows, as a person would see it.
#include <windows.h>

#include <algorithm>

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

// What the screen shows in `rect` once two reads a moment apart agree (or
// after about a second). A window's shape does not reach the screen with
// its pixels: under Wine the region goes to the X server on the window's
// thread connection and the pixels on another, so a read right after a
// region change may still show the old shape for a moment. The wait between
// reads lets the thread's connection send what it holds.
inline TBitmap CaptureSteady(const RECT& rect) {
  TBitmap last = Capture(rect);
  for (int tries = 0; tries < 30; ++tries) {
    MsgWaitForMultipleObjectsEx(0, nullptr, 0, QS_ALLINPUT, 0);
    Sleep(30);
    TBitmap now = Capture(rect);
    if (std::ranges::equal(now.Pixels(), last.Pixels())) return now;
    last = std::move(now);
  }
  return last;
}
