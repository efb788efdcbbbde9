#pragma once
// What the skinned-menu tests share: finding the menu that shows, waiting
// for it to show or close, the drawn pixels of a list's image, and a
// fixture that runs a script thread of
// real input while the test's thread pumps messages (and with them the
// menus' own loops).
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>

#include "framework/ImageList.h"

#include "tests/wine/framework/MenuDriver.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"
#include "tests/wine/support/InputScript.h"

namespace menu_test {

// The system's message that answers a popup window's menu.
constexpr UINT kGetMenuHandle = 0x01E1;  // MN_GETHMENU

// The menu the visible menu window shows, or null.
inline HMENU ShownMenu() {
  HWND window = input::VisibleMenuWindow();
  return window ? reinterpret_cast<HMENU>(SendMessageW(window, kGetMenuHandle, 0, 0)) : nullptr;
}

inline bool WaitShown(HMENU menu) {
  return input::WaitFor([menu] { return ShownMenu() == menu; }, std::chrono::seconds(5));
}

inline bool WaitClosed() {
  return input::WaitFor([] { return input::VisibleMenuWindow() == nullptr; },
                        std::chrono::seconds(5));
}

// The box around the drawn pixels of image `index` of `images`, in the
// image's own (96-DPI) pixels.
inline RECT OpaqueBox(const TImageList& images, int index) {
  RECT box{images.Width(), images.Height(), -1, -1};
  for (int y = 0; y < images.Height(); ++y) {
    for (int x = 0; x < images.Width(); ++x) {
      if (!images.Opaque(index, x, y)) continue;
      box.left = std::min<long>(box.left, x);
      box.top = std::min<long>(box.top, y);
      box.right = std::max<long>(box.right, x + 1);
      box.bottom = std::max<long>(box.bottom, y + 1);
    }
  }
  return box;
}

// Share of the pixels of `r` (screen) that are nearly white.
inline double LightShare(const RECT& r) {
  const TBitmap shot = Capture(r);
  long light = 0;
  for (int y = 0; y < shot.Height(); ++y) {
    for (int x = 0; x < shot.Width(); ++x) {
      const TColor p = shot.Pixel(x, y);
      light += RedOf(p) > 200 && GreenOf(p) > 200 && BlueOf(p) > 200;
    }
  }
  return shot.Empty() ? 1 : static_cast<double>(light) / (shot.Width() * shot.Height());
}

class MenuTest : public SkinEngineTest {
 protected:
  // Runs `script` on a thread while this thread pumps messages until it
  // has ended; whatever the script did, no menu stays open.
  void Drive(const std::function<void()>& script) {
    std::atomic<bool> done{false};
    {
      input::TScriptThread thread([&] {
        script();
        for (int i = 0; i < 6 && !WaitClosed(); ++i) input::Key(VK_ESCAPE);
        done = true;
      });
      PumpUntil([&] { return done.load(); }, 30000);
    }
    Pump(50);
  }
};

}  // namespace menu_test
