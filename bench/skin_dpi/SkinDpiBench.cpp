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

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Main.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Unicode.h"
#include "skin/data/SkinManage.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinEngine.h"
#include "skin/form/WinSkinForm.h"
#include "skin/packages/WinSkinStore.h"

namespace {

using Clock = std::chrono::steady_clock;

const char* const kSkins[] = {"meadow", "nightfall", "daylight", "contrast", "ember"};

std::string BinDir() {
  wchar_t path[MAX_PATH * 4];
  const DWORD n = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  const std::wstring dir(path, n);
  return WideToUtf8(dir.substr(0, dir.find_last_of(L"\\/") + 1));
}

// Milliseconds per run of `work`, the median of `rounds` rounds of `runs`.
double MsPer(int rounds, int runs, const std::function<void()>& work) {
  std::vector<double> samples;
  for (int r = 0; r < rounds; ++r) {
    const auto start = Clock::now();
    for (int i = 0; i < runs; ++i) work();
    samples.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count() /
                      runs);
  }
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

// A pixel read from the screen waits until everything drawn before is there.
void WaitForScreen(HWND window) {
  GdiFlush();
  RECT r{};
  GetWindowRect(window, &r);
  HDC screen = GetDC(nullptr);
  GetPixel(screen, r.left + 2, r.top + 2);
  ReleaseDC(nullptr, screen);
}

class TBench {
 public:
  TBench() : env_(MakeSkinEngineEnvironment(nullptr, "Tonmill")), app_(nullptr) {
    app_.Initialize();
    store_ = &OwnedComponent<TSkinStore>(app_);
    for (const char* name : kSkins) {
      store_->Store().Add().Data().LoadFromFile(BinDir() + "skins\\" + name + ".skn");
    }
  }

  TForm& Form(const TFormStyle& style, int skin) {
    TForm& form = OwnedComponent<TForm>(app_, style);
    data_ = &OwnedComponent<TSkinData>(form, *env_);
    data_->BeginLoading();
    data_->Loaded();
    data_->LoadFromSkinStore(store_, skin);
    data_->SetActive(true);
    form.Show();
    SetForegroundWindow(form.Handle());
    Pump([&] {
      TWinSkinForm* e = SkinManager->FindSkinForm(form.Handle());
      return e && e->Finished();
    });
    return form;
  }

  void Pump(const std::function<bool()>& done) {
    const auto end = Clock::now() + std::chrono::seconds(5);
    while (!done() && Clock::now() < end) app_.WaitAndProcess(nullptr, 10);
    app_.ProcessMessages();
  }
  void Flush() {
    SkinManager->FlushCommand();
    app_.ProcessMessages();
  }

  TSkinData& Data() { return *data_; }
  TSkinEnvironment& Environment() { return *env_; }
  TSkinStore& Store() { return *store_; }
  TApplication& App() { return app_; }

 private:
  std::unique_ptr<TSkinEnvironment> env_;
  TApplication app_;
  TSkinStore* store_ = nullptr;
  TSkinData* data_ = nullptr;
};

TFormStyle MainLike() {
  TFormStyle style;
  style.caption = L"Tonmill v2.2 - 联系: tonmill.example.org";
  style.client_width = 533;
  style.client_height = 456;
  return style;
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

void FrameRepaintAt192(TBench& bench) {
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
void FirstPaintAfterDpiChange(TBench& bench, HWND window, const char* what) {
  bench.App().ProcessMessages();
  const int dpis[] = {144, 192, 120, 168};
  int turn = 0;
  int dpi = SkinManager->FindSkinForm(window)->Dpi();
  const double changed = MsPer(5, 8, [&] {
    const int next = dpis[turn++ % 4];
    MoveToDpi(window, dpi, next);
    dpi = next;
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    WaitForScreen(window);
  });
  const double same = MsPer(5, 8, [&] {
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    WaitForScreen(window);
  });
  std::printf(
      "first paint after a DPI change, %s: %.2f ms (at most 30 ms); repaint at the same DPI"
      " %.2f ms, ratio %.2f\n",
      what, changed, same, changed / same);
}

}  // namespace

int main() {
  TBench bench;
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
    bench.Pump([&] {
      TWinSkinForm* e = SkinManager->FindSkinForm(main.Handle());
      return e && e->Finished();
    });
    FirstPaintAfterDpiChange(bench, main.Handle(), "main window");
    main.SetVisible(false);
  }
  return 0;
}
