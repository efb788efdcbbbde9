// What the main window paints after a change of DPI: each control once,
// the combo box's skin whole after a change, a skin switch and a resize,
// and a move back to the DPI it came from looks as if it never moved, with
// nothing of the frame scaled anew.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/Main.h"
#include "app/StoredSkins.h"
#include "framework/Application.h"
#include "framework/Dpi.h"
#include "skin/data/SkinManage.h"
#include "tests/wine/dpi/DpiTestSupport.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"
#include "tests/wine/support/ScreenCapture.h"
#include "tests/wine/support/WineTestSupport.h"

namespace {

using namespace std::chrono_literals;

// How often each window of the thread handled WM_PAINT while the counter
// lived: sent to it (UpdateWindow, RDW_UPDATENOW) or taken from its queue.
class TPaintCounter {
 public:
  TPaintCounter() {
    counts_ = &paints_;
    sent_ = SetWindowsHookExW(WH_CALLWNDPROC, &Sent, nullptr, GetCurrentThreadId());
    taken_ = SetWindowsHookExW(WH_GETMESSAGE, &Taken, nullptr, GetCurrentThreadId());
  }
  ~TPaintCounter() {
    if (sent_) UnhookWindowsHookEx(sent_);
    if (taken_) UnhookWindowsHookEx(taken_);
    counts_ = nullptr;
  }
  TPaintCounter(const TPaintCounter&) = delete;
  TPaintCounter& operator=(const TPaintCounter&) = delete;
  int PaintsOf(HWND window) const {
    const auto it = paints_.find(window);
    return it == paints_.end() ? 0 : it->second;
  }

 private:
  static LRESULT CALLBACK Sent(int code, WPARAM wp, LPARAM lp) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && counts_ && call->message == WM_PAINT) ++(*counts_)[call->hwnd];
    return CallNextHookEx(nullptr, code, wp, lp);
  }
  static LRESULT CALLBACK Taken(int code, WPARAM wp, LPARAM lp) {
    const auto* msg = reinterpret_cast<const MSG*>(lp);
    if (code == HC_ACTION && wp == PM_REMOVE && counts_ && msg->message == WM_PAINT) {
      ++(*counts_)[msg->hwnd];
    }
    return CallNextHookEx(nullptr, code, wp, lp);
  }
  static inline std::map<HWND, int>* counts_ = nullptr;
  std::map<HWND, int> paints_;
  HHOOK sent_ = nullptr;
  HHOOK taken_ = nullptr;
};

// Shows the form in front and waits until the engine has skinned it.
bool NothingToPaint(HWND window) {
  return !GetUpdateRect(window, nullptr, FALSE);
}

RECT ScreenRectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

// Pixels that differ between two pictures of the same size (all of them
// when the sizes differ).
int DifferentPixels(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return a.Width() * a.Height() + 1;
  int differ = 0;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      if ((a.Pixel(x, y) & 0xFFFFFF) != (b.Pixel(x, y) & 0xFFFFFF)) ++differ;
    }
  }
  return differ;
}

class DpiRepaintTest : public SkinnedMainWindowTest {
 protected:
  // Tells the window it shows at `dpi` now, in the rectangle the system
  // would suggest (or in `place`).
  void ChangeDpi(int dpi, const RECT* place = nullptr) {
    RECT suggested{};
    if (place) {
      suggested = *place;
    } else {
      SIZE wanted{};
      ASSERT_TRUE(SendMessageW(window_, kWmGetDpiScaledSize, MAKEWPARAM(dpi, dpi),
                               reinterpret_cast<LPARAM>(&wanted)));
      const RECT now = ScreenRectOf(window_);
      suggested = RECT{now.left, now.top, now.left + wanted.cx, now.top + wanted.cy};
    }
    SendMessageW(window_, kWmDpiChanged, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
  }
  // Until the window and every control in it have painted what they had to,
  // and nothing the change posted waits in the queue (a repaint it asks for
  // may come from a posted message).
  bool Settle() {
    app_->ProcessMessages();
    return PumpUntil(
        *app_,
        [&] {
          if (HIWORD(GetQueueStatus(QS_POSTMESSAGE | QS_SENDMESSAGE)) != 0) return false;
          if (!NothingToPaint(window_)) return false;
          bool done = true;
          EnumChildWindows(
              window_,
              [](HWND child, LPARAM lp) {
                if (!NothingToPaint(child)) *reinterpret_cast<bool*>(lp) = false;
                return TRUE;
              },
              reinterpret_cast<LPARAM>(&done));
          return done;
        },
        5s);
  }
  bool ChooseSkin(int skin) {
    SendMessageW(window_, WM_SYSCOMMAND, form_->SkinChoice->CommandOf(skin), 0);
    return PumpUntil(
        *app_,
        [&] {
          TWinSkinForm* engine = SkinManager->FindSkinForm(window_);
          return engine && engine->Finished() && engine->SkinState() == ksActive;
        },
        5s);
  }
  // The combo box as the screen shows it, and as it shows it once it has
  // been painted whole again (frame, field and button).
  int ComboDiffersFromAFullRepaint() {
    const HWND combo = form_->cbxParallel->Handle();
    const TBitmap shown = Capture(ScreenRectOf(combo));
    RedrawWindow(combo, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return DifferentPixels(shown, Capture(ScreenRectOf(combo)));
  }
};

// The combo box paints once per change of DPI (its frame's repaint asked
// for a second paint of the whole box inside the first), and what it shows
// after a change, a skin switch and a resize is its whole skinned look.
TEST_F(DpiRepaintTest, ComboBoxPaintsOncePerChangeAndShowsItsWholeSkin) {
  const HWND combo = form_->cbxParallel->Handle();
  ASSERT_TRUE(Settle());
  for (int dpi : {144, 96, 192, 120}) {
    SCOPED_TRACE(dpi);
    int paints = 0;
    {
      const TPaintCounter counter;
      ChangeDpi(dpi);
      EXPECT_TRUE(Settle());
      paints = counter.PaintsOf(combo);
    }
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(ComboDiffersFromAFullRepaint(), 0);
  }
  SaveShot(window_, "combo-after-dpi-changes");
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(kSkinFiles[skin]);
    ASSERT_TRUE(ChooseSkin(skin));
    EXPECT_TRUE(Settle());
    EXPECT_EQ(ComboDiffersFromAFullRepaint(), 0) << "after the skin switch";
    // Wider by a few units, then as it was.
    RECT r = ScreenRectOf(combo);
    MapWindowPoints(nullptr, GetParent(combo), reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(combo, nullptr, 0, 0, r.right - r.left + 12, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(Settle());
    EXPECT_EQ(ComboDiffersFromAFullRepaint(), 0) << "after a resize";
    SetWindowPos(combo, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(Settle());
    SaveShot(window_, std::string("combo-after-switch-and-resize-") + kSkinFiles[skin]);
  }
}

// Told of the DPI it already shows at, in the place it already has (a
// move between two monitors of the same DPI), the window scales nothing and
// repaints nothing: no control paints, and it looks as before.
TEST_F(DpiRepaintTest, ChangeToTheDpiTheWindowHasRepaintsNothing) {
  ASSERT_TRUE(Settle());
  const RECT place = ScreenRectOf(window_);
  const TBitmap before = CaptureSteady(place);
  int paints = 0;
  {
    const TPaintCounter counter;
    ChangeDpi(96, &place);
    EXPECT_TRUE(Settle());
    paints = counter.PaintsOf(window_);
    std::vector<HWND> children;
    EnumChildWindows(
        window_,
        [](HWND child, LPARAM lp) {
          reinterpret_cast<std::vector<HWND>*>(lp)->push_back(child);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    for (HWND child : children) paints += counter.PaintsOf(child);
  }
  EXPECT_EQ(paints, 0);
  EXPECT_EQ(form_->Dpi(), 96);
  EXPECT_EQ(Describe(ScreenRectOf(window_)), Describe(place));
  EXPECT_EQ(DifferentPixels(before, CaptureSteady(place)), 0);
}

// 96 -> 144 -> 96 DPI: the window, frame and every control show what they
// showed before, under each skin, and the frame takes up what it drew at
// 96 DPI instead of scaling its parts again.
TEST_F(DpiRepaintTest, MovingBackToTheFirstDpiLooksAsBeforeAndScalesNothingAgain) {
  for (int skin : {1, 2, 3}) {
    SCOPED_TRACE(kSkinFiles[skin]);
    ASSERT_TRUE(ChooseSkin(skin));
    ASSERT_TRUE(Settle());
    const RECT before_rect = ScreenRectOf(window_);
    const TBitmap before = CaptureSteady(before_rect);
    ChangeDpi(144);
    EXPECT_TRUE(Settle());
    TWinSkinForm* engine = SkinManager->FindSkinForm(window_);
    ASSERT_NE(engine, nullptr);
    const int rendered = engine->PartsRendered();
    ChangeDpi(96, &before_rect);
    EXPECT_TRUE(Settle());
    EXPECT_EQ(engine->PartsRendered(), rendered) << "frame parts were scaled again";
    EXPECT_EQ(Describe(ScreenRectOf(window_)), Describe(before_rect));
    const TBitmap after = CaptureSteady(ScreenRectOf(window_));
    const int differing = DifferentPixels(before, after);
    EXPECT_EQ(differing, 0);
    SaveShot(window_, std::string("back-at-96dpi-") + kSkinFiles[skin]);
    // Both pictures, for a look at what differs.
    if (differing != 0) SaveShot(before, std::string("before-the-move-") + kSkinFiles[skin]);
  }
}

}  // namespace
