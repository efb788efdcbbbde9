// Measures the form engine drawing for a high DPI under Windows (or Wine),
// each figure against a baseline measured in the same run:
//  1. repainting a main-like window's frame at 192 DPI (a WM_NCPAINT until
//     the frame is on the screen) against the system's own frame of the
//     same window at the session's DPI;
//  2. the first paint after the window moves to another DPI (the frame's
//     parts and buttons scaled anew), for a main-like form and for the
//     program's main window, against a repaint at an unchanged DPI.
// The window is told of the new DPI as the system tells it when it moves to
// a monitor of another DPI (WM_DPICHANGED with the suggested rectangle), so
// the figures do not depend on the session's own DPI.
#include <windows.h>

#include <cstdio>

#include "app/Main.h"
#include "bench/support/FormBenchSupport.h"

namespace {

using namespace bench;

// Tells the window it now shows at `dpi`, with its size scaled from
// `from` as the system suggests.
void MoveToDpi(HWND window, int from, int dpi) {
  RECT r{};
  GetWindowRect(window, &r);
  RECT suggested{r.left, r.top, r.left + MulDiv(r.right - r.left, dpi, from),
                 r.top + MulDiv(r.bottom - r.top, dpi, from)};
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

void FrameRepaintAt192(TFormBench& bench) {
  TForm& form = bench.Form(MainLike(), 2);
  const HWND window = form.Handle();
  const int session = SkinManager->FindSkinForm(window)->Dpi();
  MoveToDpi(window, session, 192);
  bench.App().ProcessMessages();
  auto paint = [&] {
    SendMessageW(window, WM_NCPAINT, 1, 0);
    WaitForScreen(window);
  };
  const double sync = MsPer(7, 100, [&] { WaitForScreen(window); });
  const double skinned = MsPer(7, 100, paint) - sync;
  const int drawn_at = SkinManager->FindSkinForm(window)->Dpi();
  bench.Data().SetActive(false);
  bench.Flush();
  const double system = MsPer(7, 100, paint) - sync;
  std::printf(
      "frame repaint at %d DPI: skinned %.3f ms, system frame at %d DPI %.3f ms, ratio %.2f"
      " (at most 2); reading a pixel back %.3f ms taken off both\n",
      drawn_at, skinned, session, system, skinned / system, sync);
  form.SetVisible(false);
}

// Milliseconds from telling the window of a new DPI until its frame is on
// the screen, DPIs taken in turn so that every paint scales anew; and a
// repaint at an unchanged DPI as the baseline.
void FirstPaintAfterDpiChange(TFormBench& bench, HWND window, const char* what) {
  bench.App().ProcessMessages();
  const int dpis[] = {144, 192, 120, 168};
  int turn = 0;
  int dpi = SkinManager->FindSkinForm(window)->Dpi();
  // Of the whole, how much the change itself takes (relayout, fonts,
  // region) and how much the paint.
  Clock::duration in_change{};
  const double changed = MsPer(5, 8, [&] {
    const int next = dpis[turn++ % 4];
    const auto start = Clock::now();
    MoveToDpi(window, dpi, next);
    in_change += Clock::now() - start;
    dpi = next;
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    WaitForScreen(window);
  });
  const double change_share =
      std::chrono::duration<double, std::milli>(in_change).count() / (5 * 8);
  const double same = MsPer(5, 8, [&] {
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    WaitForScreen(window);
  });
  std::printf(
      "first paint after a DPI change, %s: %.2f ms (at most 30 ms; the change itself %.2f ms"
      " on average); repaint at the same DPI %.2f ms, ratio %.2f\n",
      what, changed, change_share, same, changed / same);
}

}  // namespace

int main() {
  TFormBench bench;
  FrameRepaintAt192(bench);
  {
    TForm& form = bench.Form(MainLike(), 2);
    FirstPaintAfterDpiChange(bench, form.Handle(), "main-like form");
    form.SetVisible(false);
  }
  {
    TFrmMain& main = OwnedComponent<TFrmMain>(bench.App(), bench.Environment());
    main.Show();
    SetForegroundWindow(main.Handle());
    bench.WaitUntilSkinned(main.Handle());
    FirstPaintAfterDpiChange(bench, main.Handle(), "main window");
    main.SetVisible(false);
  }
  return 0;
}
