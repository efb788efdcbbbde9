// Measures the form engine under Windows (or Wine), each figure against a
// baseline measured in the same run where it has one:
//  1. repainting a main-like window's frame (a WM_NCPAINT until the frame
//     is on the screen), skinned against the system's own frame;
//  2. building the window region of a 1920 x 1080 window, for each skin;
//  3. 100 size changes of a sizable form, skinned against unskinned (the
//     two take turns, round by round);
//  4. a skin chosen from the system menu until the new frame is painted.
// The skins are read from the skins folder beside the program.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/SkinChoice.h"
#include "bench/support/FormBenchSupport.h"

namespace {

using namespace bench;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

TFormStyle Sizable() {
  TFormStyle style = MainLike();
  style.border_style = bsSizeable;
  style.border_icons = {biSystemMenu, biMinimize, biMaximize};
  return style;
}

void FrameRepaint(TFormBench& bench) {
  TForm& form = bench.Form(MainLike(), 2);
  const HWND window = form.Handle();
  auto paint = [&] {
    SendMessageW(window, WM_NCPAINT, 1, 0);
    WaitForScreen(window);
  };
  // Reading a pixel back costs the same in both; it is measured on its own
  // and taken off.
  const double sync = MsPer(7, 100, [&] { WaitForScreen(window); });
  const double skinned = MsPer(7, 100, paint) - sync;
  bench.Data().SetActive(false);
  bench.Flush();
  const double system = MsPer(7, 100, paint) - sync;
  std::printf(
      "frame repaint: skinned %.3f ms, system frame %.3f ms, ratio %.2f (at most 2 ms and 2);"
      " reading a pixel back %.3f ms taken off both\n",
      skinned, system, skinned / system, sync);
  form.SetVisible(false);
}

void RegionBuild(TFormBench& bench) {
  TForm& form = bench.Form(Sizable(), 0);
  const HWND window = form.Handle();
  SetWindowPos(window, nullptr, 0, 0, 1920, 1080, SWP_NOMOVE | SWP_NOZORDER);
  bench.App().ProcessMessages();
  for (int skin = 0; skin < 5; ++skin) {
    bench.Data().LoadFromSkinStore(&bench.Store(), skin);
    bench.Flush();
    TWinSkinForm* engine = SkinManager->FindSkinForm(window);
    // Two sizes in turn, so that every build draws its frame parts afresh.
    int turn = 0;
    const double ms = MsPer(5, 20, [&] {
      ++turn;
      DeleteObject(engine->BuildRegion(1920 - turn % 2, 1080 - turn % 2));
    });
    std::printf("region build 1920 x 1080, %-9s: %.3f ms (at most 10 ms)\n", kSkins[skin], ms);
  }
  form.SetVisible(false);
}

void LiveResize(TFormBench& bench) {
  TForm& form = bench.Form(Sizable(), 2);
  const HWND window = form.Handle();
  auto resize100 = [&] {
    for (int i = 0; i < 100; ++i) {
      SetWindowPos(window, nullptr, 0, 0, 500 + (i % 20) * 7, 420 + (i % 13) * 5,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      UpdateWindow(window);
    }
    WaitForScreen(window);
  };
  // Skinned and unskinned rounds take turns, so that other work on the
  // machine slows both alike; each figure is the median of its rounds, the
  // ratio the median of the rounds' ratios.
  std::vector<double> skinned, system, ratios;
  for (int round = 0; round < 7; ++round) {
    if (round > 0) {
      bench.Data().SetActive(true);
      bench.Flush();
      bench.WaitUntilSkinned(window);
    }
    skinned.push_back(MsPer(1, 1, resize100));
    bench.Data().SetActive(false);
    bench.Flush();
    system.push_back(MsPer(1, 1, resize100));
    ratios.push_back(skinned.back() / system.back());
  }
  std::printf(
      "live resize, 100 size changes: skinned %.1f ms, unskinned %.1f ms, ratio %.2f (at most 2)\n",
      Median(skinned), Median(system), Median(ratios));
  form.SetVisible(false);
}

void SkinSwitch(TFormBench& bench) {
  TForm& form = bench.Form(MainLike(), 2);
  const HWND window = form.Handle();
  TSkinChoice choice(form, bench.Store(), bench.Data(), 2);
  choice.AddMenuItems();
  form.WindowProc = [&choice, previous = form.WindowProc](TMessage& m) {
    if (!choice.HandleMessage(m)) previous(m);
  };
  int next = 0;
  const double ms = MsPer(5, 10, [&] {
    next = (next + 1) % 5;
    PostMessageW(window, WM_SYSCOMMAND, choice.CommandOf(next), 0);
    bench.App().ProcessMessages();
    UpdateWindow(window);
    WaitForScreen(window);
  });
  std::printf("skin switch from the system menu until painted: %.2f ms (at most 50 ms)\n", ms);
  form.SetVisible(false);
}

}  // namespace

int main() {
  TFormBench bench;
  FrameRepaint(bench);
  RegionBuild(bench);
  LiveResize(bench);
  SkinSwitch(bench);
  return 0;
}
