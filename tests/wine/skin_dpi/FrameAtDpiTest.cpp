// The skinned frame at the screen's DPI as the mouse meets it, and windows
// that the DPI makes larger than the screen. The suite runs once per DPI
// (the prefix's LogPixels); TONMILL_TEST_DPI names the DPI a run expects.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "framework/Dpi.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"

namespace {

int ExpectedRunDpi() {
  const char* text = std::getenv("TONMILL_TEST_DPI");
  return text ? std::atoi(text) : 0;
}

RECT WorkAreaOf(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
  return info.rcWork;
}

std::string Text(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " - " + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

class FrameAtDpiTest : public SkinControlsTest {
 protected:
  int RunDpi(HWND window) {
    const int dpi = WindowDpi(window);
    if (const int expected = ExpectedRunDpi()) {
      EXPECT_EQ(dpi, expected) << "the prefix's LogPixels did not take";
    }
    return dpi;
  }
};

// Along a column of the caption that no button covers, the caption answers
// from just below the top edge's strip down to the caption's end, the strip
// being as many 96-DPI pixels as at 100 %. The window's own procedure knows
// of no caption (as where the engine takes the caption's style away): it
// answers "nowhere" all over the frame, so the strip is the engine's alone.
// Checked in every skin (each has its own caption height).
TEST_F(FrameAtDpiTest, CaptionAnswersTheHitTestBelowAScaledTopStrip) {
  TForm& form = MakeForm(MainLikeStyle(L"Hit test"));
  form.WindowProc = [previous = form.WindowProc](TMessage& m) {
    previous(m);
    if (m.Msg == WM_NCHITTEST && m.Result != HTCLIENT) m.Result = HTNOWHERE;
  };
  TSkinData& data = MakeData(form, 0);
  data.SetActive(true);
  form.Show();
  const HWND window = form.Handle();
  SetForegroundWindow(window);
  ASSERT_TRUE(WaitSkinned(window));
  const int dpi = RunDpi(window);
  const int strip = MulDiv(3, dpi, 96);
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(kSkinFiles[skin]);
    data.LoadFromSkinStore(&Store(), skin);
    Flush();
    ASSERT_TRUE(WaitSkinned(window));
    TWinSkinForm& engine = *EngineOf(window);
    ASSERT_EQ(engine.Dpi(), dpi);
    const TFrameMetrics& m = engine.Metrics();
    const RECT outer = WindowRect(window);
    // A column clear of every caption button.
    int x = (outer.right - outer.left) / 2;
    for (int i = 0; i < engine.CaptionButtonCount(); ++i) {
      const TWinSysButton& button = engine.CaptionButton(i);
      if (button.Visible && x >= button.Bounds.left && x < button.Bounds.right) {
        x = button.Bounds.left - 2;
      }
    }
    int wrong = 0;
    std::string answers;
    for (int y = 0; y < m.caption; ++y) {
      const LRESULT hit =
          SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(outer.left + x, outer.top + y));
      answers += std::to_string(hit) + " ";
      if ((y <= strip) == (hit == HTCAPTION)) ++wrong;
    }
    EXPECT_EQ(wrong, 0) << "answers from the top edge down: " << answers;
  }
}

// Larger than the screen in 96-DPI units already or only at the DPI: the
// window is made inside its monitor's work area, shrunk to it where it
// cannot fit, placed by the system or centred, and stays inside once
// skinned.
TEST_F(FrameAtDpiTest, FormLargerThanTheScreenIsMadeInsideTheWorkArea) {
  for (const bool centred : {false, true}) {
    SCOPED_TRACE(centred ? "centred" : "placed by the system");
    TFormStyle style = MainLikeStyle(L"Large");
    // The gallery's content: a scroll box of 980 x 1300 and its margins.
    style.client_width = 1000;
    style.client_height = 1320;
    style.centred = centred;
    TForm& form = MakeForm(style);
    const HWND window = form.Handle();
    const RECT area = WorkAreaOf(window);
    EXPECT_TRUE(Inside(WindowRect(window), area))
        << Text(WindowRect(window)) << " on " << Text(area);
    TSkinData& data = MakeData(form, 2);
    data.SetActive(true);
    form.Show();
    SetForegroundWindow(window);
    ASSERT_TRUE(WaitSkinned(window));
    Pump(100);
    EXPECT_TRUE(Inside(WindowRect(window), area))
        << Text(WindowRect(window)) << " on " << Text(area);
    SaveShot(area, std::string("large-form-") + (centred ? "centred-" : "") +
                       std::to_string(RunDpi(window)) + "dpi");
    form.SetVisible(false);
  }
}

// A window moved to a monitor of twice its DPI, with the rectangle the
// system suggests running off the screen, ends inside the work area, and
// gets there in one move.
TEST_F(FrameAtDpiTest, FormGrownByADpiChangeStaysInsideTheWorkArea) {
  TForm& form = ShowSkinnedForm(1, MainLikeStyle(L"Grown"));
  const HWND window = form.Handle();
  int moves = 0;
  const TWndMethod own = form.WindowProc;
  form.WindowProc = [previous = own, &moves](TMessage& m) {
    if (m.Msg == WM_WINDOWPOSCHANGED) {
      const UINT flags = reinterpret_cast<const WINDOWPOS*>(m.LParam)->flags;
      if ((flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) ++moves;
    }
    previous(m);
  };
  const int dpi = RunDpi(window);
  const RECT area = WorkAreaOf(window);
  const RECT before = WindowRect(window);
  const int w = MulDiv(before.right - before.left, 2, 1);
  const int h = MulDiv(before.bottom - before.top, 2, 1);
  const RECT suggested{area.right - w / 2, area.top + 40, area.right - w / 2 + w,
                       area.top + 40 + h};
  SendMessageW(window, kWmDpiChanged, MAKEWPARAM(dpi * 2, dpi * 2),
               reinterpret_cast<LPARAM>(&suggested));
  Pump(100);
  EXPECT_EQ(moves, 1);
  EXPECT_TRUE(Inside(WindowRect(window), area)) << Text(WindowRect(window)) << " on " << Text(area);
  // Where it fits, it keeps the suggested size.
  const RECT now = WindowRect(window);
  if (w <= area.right - area.left) {
    EXPECT_EQ(now.right - now.left, w);
  }
  if (h <= area.bottom - area.top) {
    EXPECT_EQ(now.bottom - now.top, h);
  }
  SendMessageW(window, kWmDpiChanged, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&before));
  Pump(100);
  EXPECT_EQ(Text(WindowRect(window)), Text(before));
  form.WindowProc = own;
}

}  // namespace
