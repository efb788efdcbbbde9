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
// the figures do not depend on the session's own DPI. The machine may be
// busy with other work: beside the wall time the benchmark prints the CPU
// time of its own thread, which other processes do not lengthen (what the
// wine server and the X server do for the thread is in the wall time only).
#include <windows.h>

#include <cstdio>

#include "app/Main.h"
#include "bench/support/FormBenchSupport.h"

namespace {

using namespace bench;

// CPU time the calling thread has used so far, in milliseconds.
double ThreadCpuMs() {
  FILETIME created{}, ended{}, kernel{}, user{};
  if (!GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user)) return 0;
  const auto ms = [](const FILETIME& t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                               t.dwLowDateTime) /
           10000.0;
  };
  return ms(kernel) + ms(user);
}

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
double FirstPaintAfterDpiChange(TFormBench& bench, HWND window, const char* what) {
  bench.App().ProcessMessages();
  const int dpis[] = {144, 192, 120, 168};
  int turn = 0;
  int dpi = SkinManager->FindSkinForm(window)->Dpi();
  // Of the whole, how much the change itself takes (relayout, fonts,
  // region) and how much the paint.
  Clock::duration in_change{};
  const double cpu_before = ThreadCpuMs();
  const double changed = MsPer(5, 8, [&] {
    const int next = dpis[turn++ % 4];
    const auto start = Clock::now();
    MoveToDpi(window, dpi, next);
    in_change += Clock::now() - start;
    dpi = next;
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    WaitForScreen(window);
  });
  const double changed_cpu = (ThreadCpuMs() - cpu_before) / (5 * 8);
  const double change_share =
      std::chrono::duration<double, std::milli>(in_change).count() / (5 * 8);
  const double same_cpu_before = ThreadCpuMs();
  const double same = MsPer(5, 8, [&] {
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    WaitForScreen(window);
  });
  const double same_cpu = (ThreadCpuMs() - same_cpu_before) / (5 * 8);
  std::printf(
      "first paint after a DPI change, %s: %.2f ms (at most 30 ms; the change itself %.2f ms"
      " on average); repaint at the same DPI %.2f ms, ratio %.2f; thread CPU %.2f ms per change"
      " and paint, %.2f ms per repaint, ratio %.2f\n",
      what, changed, change_share, same, changed / same, changed_cpu, same_cpu,
      same_cpu > 0 ? changed_cpu / same_cpu : 0.0);
  return changed;
}

// A window moved back and forth between two monitors: every change goes
// back to the DPI the window showed at before (the frame takes up what it
// drew there), against the first paint at a DPI it did not show at last.
void BackAndForth(TFormBench& bench, HWND window, double first_paint) {
  bench.App().ProcessMessages();
  int dpi = SkinManager->FindSkinForm(window)->Dpi();
  const int other = dpi == 144 ? 96 : 144;
  const int home = dpi;
  const double cpu_before = ThreadCpuMs();
  const double back = MsPer(5, 8, [&] {
    const int next = dpi == home ? other : home;
    MoveToDpi(window, dpi, next);
    dpi = next;
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    WaitForScreen(window);
  });
  const double back_cpu = (ThreadCpuMs() - cpu_before) / (5 * 8);
  std::printf(
      "first paint after a change back to the DPI before, main window: %.2f ms, thread CPU %.2f"
      " ms; against a DPI not shown last, ratio %.2f\n",
      back, back_cpu, back / first_paint);
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
    const double first_paint = FirstPaintAfterDpiChange(bench, main.Handle(), "main window");
    BackAndForth(bench, main.Handle(), first_paint);
    main.SetVisible(false);
  }
  return 0;
}
