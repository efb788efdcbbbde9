// Measures the skinned controls under Windows (or Wine), each figure against
// a baseline measured in the same run:
//  1. a full repaint of the main window's client area with its skinned
//     buttons, group boxes, panels and job list, against the same window
//     with the skin switched off (the limit is twice the time);
//  2. scrolling a 5,000-row job list by dragging the skinned thumb, in
//     frames per second against dragging the system's own thumb of the same
//     list unskinned (the limit is 80 % of its rate);
//  3. 1,000 position changes of the main window's progress bar, each shown
//     on the screen, against the same bar unskinned (the limit is twice the
//     time);
//  4. 500 repaints of the job list's column header while the mouse moves
//     across its sections, against the same header unskinned (the limit is
//     twice the time).
// A frame of the drag is one step of the mouse and the list showing its new
// rows.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/Main.h"
#include "app/StoredSkins.h"
#include "framework/Application.h"
#include "skin/data/SkinManage.h"
#include "skin/form/WinSkinForm.h"
#include "tests/wine/support/InputScript.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

void Pump(TApplication& app, int ms) {
  const auto end = Clock::now() + std::chrono::milliseconds(ms);
  while (Clock::now() < end) app.WaitAndProcess(nullptr, 10);
}

bool Skinned(HWND window) {
  TWinSkinForm* engine = SkinManager ? SkinManager->FindSkinForm(window) : nullptr;
  return engine && engine->Finished() && engine->SkinState() == ksActive;
}

void Switch(TApplication& app, TFrmMain& main, bool on) {
  main.SkinData1->SetActive(on);
  if (SkinManager) SkinManager->FlushCommand();
  for (int i = 0; i < 200 && Skinned(main.Handle()) != on; ++i) Pump(app, 20);
  Pump(app, 300);
}

// Milliseconds per full repaint of the window's client area and children.
double RepaintTime(TApplication& app, HWND window, int rounds) {
  app.ProcessMessages();
  const auto start = Clock::now();
  for (int i = 0; i < rounds; ++i) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  GdiFlush();
  return Milliseconds(Clock::now() - start) / rounds;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

int TopIndex(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
}

// Frames per second of dragging the list's vertical thumb: a script thread
// presses on the thumb and moves the mouse a pixel at a time, each step
// waiting until the list shows new rows; this thread runs the system's
// scroll tracking meanwhile.
double DragRate(TApplication& app, HWND list, int steps) {
  // From the first row, so every drag covers the same rows.
  SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);
  Pump(app, 200);
  if (TopIndex(list) != 0) return 0;
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  if (!GetScrollBarInfo(list, OBJID_VSCROLL, &info)) return 0;
  const POINT grab{(info.rcScrollBar.left + info.rcScrollBar.right) / 2,
                   info.rcScrollBar.top + (info.xyThumbTop + info.xyThumbBottom) / 2};
  for (int i = 0; i < 5; ++i) {
    input::MoveTo(grab.x, grab.y);
    Pump(app, 40);
  }
  std::atomic<double> seconds{0};
  std::atomic<bool> done{false};
  {
    input::TScriptThread script([&] {
      input::Press(grab.x, grab.y);
      input::Pause(300);
      const auto start = Clock::now();
      int last = TopIndex(list);
      for (int step = 1; step <= steps; ++step) {
        input::MoveTo(grab.x, grab.y + step);
        // The list shows the new rows before the next step.
        for (int wait = 0; wait < 200 && TopIndex(list) == last; ++wait) Sleep(1);
        last = TopIndex(list);
      }
      seconds = std::chrono::duration<double>(Clock::now() - start).count();
      input::Release(grab.x, grab.y + steps);
      done = true;
    });
    while (!done) app.WaitAndProcess(nullptr, 5);
  }
  Pump(app, 200);
  return seconds > 0 ? steps / seconds : 0;
}

// Milliseconds for `steps` position changes of the bar, each painted at once.
double PositionTime(TApplication& app, HWND bar, int steps) {
  SendMessageW(bar, PBM_SETRANGE32, 0, steps);
  app.ProcessMessages();
  const auto start = Clock::now();
  for (int i = 1; i <= steps; ++i) {
    SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(i), 0);
    UpdateWindow(bar);
  }
  GdiFlush();
  return Milliseconds(Clock::now() - start);
}

// Milliseconds for `steps` mouse moves across the header, each followed by
// a whole repaint of it.
double HeaderTime(TApplication& app, HWND header, int steps) {
  RECT client{};
  GetClientRect(header, &client);
  const int width = std::max<int>(1, client.right);
  app.ProcessMessages();
  const auto start = Clock::now();
  for (int i = 0; i < steps; ++i) {
    const int x = (i * 7) % width;
    SendMessageW(header, WM_MOUSEMOVE, 0, MAKELPARAM(x, client.bottom / 2));
    InvalidateRect(header, nullptr, TRUE);
    UpdateWindow(header);
  }
  GdiFlush();
  const double ms = Milliseconds(Clock::now() - start);
  SendMessageW(header, WM_MOUSELEAVE, 0, 0);
  return ms;
}

}  // namespace

int main() {
  const std::unique_ptr<TSkinEnvironment> skins = MakeProgramSkinEnvironment(L"Tonmill");
  TApplication app(nullptr);
  app.Initialize();
  auto& main = OwnedComponent<TFrmMain>(app, *skins);
  // A long job list: 5,000 rows.
  for (int i = 0; i < 5000; ++i) {
    auto job = std::make_unique<TFileInfo>();
    job->FileName = L"C:\\music\\track " + std::to_wstring(i) + L".wma";
    job->Status = L"等待";
    main.JobList.push_back(std::move(job));
  }
  main.lvwFiles->SetItemCount(5000);
  main.Show();
  SetForegroundWindow(main.Handle());
  for (int i = 0; i < 300 && !Skinned(main.Handle()); ++i) Pump(app, 20);
  Pump(app, 500);

  // 1. Full repaints, alternating so both see the same machine.
  std::vector<double> skinned, plain;
  for (int round = 0; round < 3; ++round) {
    Switch(app, main, true);
    skinned.push_back(RepaintTime(app, main.Handle(), 40));
    Switch(app, main, false);
    plain.push_back(RepaintTime(app, main.Handle(), 40));
  }
  const double repaint_skinned = Median(skinned), repaint_plain = Median(plain);
  std::printf(
      "full repaint of the main window: skinned %.2f ms, unskinned %.2f ms, ratio %.2f "
      "(limit 2.00)\n",
      repaint_skinned, repaint_plain, repaint_skinned / repaint_plain);

  // 2. Dragging the thumb of the 5,000-row list.
  std::vector<double> skinned_rate, plain_rate;
  for (int round = 0; round < 3; ++round) {
    Switch(app, main, true);
    skinned_rate.push_back(DragRate(app, main.lvwFiles->Handle(), 40));
    Switch(app, main, false);
    plain_rate.push_back(DragRate(app, main.lvwFiles->Handle(), 40));
  }
  const double rate_skinned = Median(skinned_rate), rate_plain = Median(plain_rate);
  std::printf(
      "dragging the job list's thumb: skinned %.1f frames/s, unskinned %.1f frames/s, "
      "share %.0f %% (limit 80 %%)\n",
      rate_skinned, rate_plain, rate_plain > 0 ? 100.0 * rate_skinned / rate_plain : 0.0);

  // 3. Moving the progress bar.
  std::vector<double> skinned_steps, plain_steps;
  for (int round = 0; round < 3; ++round) {
    Switch(app, main, true);
    skinned_steps.push_back(PositionTime(app, main.ProgressBar1->Handle(), 1000));
    Switch(app, main, false);
    plain_steps.push_back(PositionTime(app, main.ProgressBar1->Handle(), 1000));
  }
  const double steps_skinned = Median(skinned_steps), steps_plain = Median(plain_steps);
  std::printf(
      "1,000 progress-bar positions: skinned %.1f ms, unskinned %.1f ms, ratio %.2f "
      "(limit 2.00)\n",
      steps_skinned, steps_plain, steps_skinned / steps_plain);

  // 4. The job list's header under the moving mouse.
  const HWND header = ListView_GetHeader(main.lvwFiles->Handle());
  std::vector<double> skinned_header, plain_header;
  for (int round = 0; round < 3; ++round) {
    Switch(app, main, true);
    skinned_header.push_back(HeaderTime(app, header, 500));
    Switch(app, main, false);
    plain_header.push_back(HeaderTime(app, header, 500));
  }
  const double header_skinned = Median(skinned_header), header_plain = Median(plain_header);
  std::printf(
      "500 header repaints under the moving mouse: skinned %.1f ms, unskinned %.1f ms, "
      "ratio %.2f (limit 2.00)\n",
      header_skinned, header_plain, header_skinned / header_plain);
  main.Close();
  return 0;
}
