#pragma once
// TWindowSubclass: one owned layer of SetWindowSubclass on a window. It
// comes off when its owner lets go (Remove, or the owner's end), whatever
// other layers lie above or below it, and it is counted among the live
// handles.
#include <windows.h>
#include <commctrl.h>

class TWindowSubclass {
 public:
  TWindowSubclass() = default;
  ~TWindowSubclass() { Remove(); }
  TWindowSubclass(const TWindowSubclass&) = delete;
  TWindowSubclass& operator=(const TWindowSubclass&) = delete;

  // Puts `proc` with `data` on `window` (after taking off a layer this
  // object held before); false when the system refuses.
  bool Install(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data);
  void Remove();
  bool Installed() const { return window_ != nullptr; }
  HWND Window() const { return window_; }

 private:
  HWND window_ = nullptr;
  SUBCLASSPROC proc_ = nullptr;
  UINT_PTR id_ = 0;
};
