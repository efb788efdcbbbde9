#pragma once
// TMenuDriver: plays the user while a menu shows. The menu's own loop holds
// the user-interface thread, so the driver runs on a thread of its own: it
// waits for the menu window ("#32768") to appear on screen, runs a script
// against it (real input, pixels read from the screen), and presses Escape
// until the menu is gone should the script leave it open, so that a test
// always ends.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "framework/BitmapWin32.h"
#include "tests/wine/framework/InputSupport.h"
#include "tests/wine/support/ScreenCapture.h"

namespace input {

// A visible menu window of this process, or null.
inline HWND VisibleMenuWindow() {
  struct Search {
    HWND found = nullptr;
  } search;
  EnumWindows(
      [](HWND hwnd, LPARAM lp) -> BOOL {
        wchar_t name[16] = {};
        GetClassNameW(hwnd, name, 16);
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        if (std::wstring(name) == L"#32768" && IsWindowVisible(hwnd) &&
            pid == GetCurrentProcessId()) {
          reinterpret_cast<Search*>(lp)->found = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Waits up to `timeout` for `done`; false when it never came.
inline bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// How many pixels of `rect` on screen have exactly `colour`.
inline int CountColour(const RECT& rect, TColor colour) {
  const TBitmap pixels = Capture(rect);
  int n = 0;
  for (int y = 0; y < pixels.Height(); ++y) {
    for (int x = 0; x < pixels.Width(); ++x) n += (pixels.Pixel(x, y) & 0xFFFFFF) == colour;
  }
  return n;
}

// Item `index` of a showing popup menu, in screen coordinates.
inline RECT ItemRect(HMENU menu, int index) {
  RECT r{};
  GetMenuItemRect(nullptr, menu, static_cast<UINT>(index), &r);
  return r;
}

inline void ClickItem(HMENU menu, int index) {
  const RECT r = ItemRect(menu, index);
  ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

class TMenuDriver {
 public:
  using Script = std::function<void(HWND menu_window)>;

  explicit TMenuDriver(Script script)
      : thread_([this, script = std::move(script)] {
          if (WaitFor([] { return VisibleMenuWindow() != nullptr; }, std::chrono::seconds(5))) {
            shown_ = true;
            script(VisibleMenuWindow());
          }
          // Whatever the script did, the menu ends.
          for (int i = 0; i < 10 && !WaitFor([] { return VisibleMenuWindow() == nullptr; },
                                             std::chrono::milliseconds(500));
               ++i) {
            left_open_ = true;
            Key(VK_ESCAPE);
          }
        }) {}
  ~TMenuDriver() { Join(); }
  TMenuDriver(const TMenuDriver&) = delete;
  TMenuDriver& operator=(const TMenuDriver&) = delete;

  void Join() {
    if (thread_.joinable()) thread_.join();
  }
  // Whether the menu appeared at all.
  bool Shown() const { return shown_; }
  // Whether the driver had to close the menu itself.
  bool LeftOpen() const { return left_open_; }

 private:
  std::atomic<bool> shown_{false};
  std::atomic<bool> left_open_{false};
  std::thread thread_;
};

}  // namespace input
