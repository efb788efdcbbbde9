// A form moving to a monitor of another DPI, as the system tells it: the
// size it asks for (WM_GETDPISCALEDSIZE), then the change itself with the
// suggested rectangle (WM_DPICHANGED). Sent here by hand, the messages
// stand in for a second monitor.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>

#include "app/Main.h"
#include "app/MainLayout.h"
#include "app/StoredSkins.h"
#include "framework/Application.h"
#include "framework/Buttons.h"
#include "framework/Dpi.h"
#include "framework/ScrollBox.h"
#include "framework/SpinEdit.h"
#include "framework/StatusBar.h"
#include "framework/StdCtrls.h"
#include "skin/data/SkinManage.h"
#include "tests/wine/dpi/DpiTestSupport.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"
#include "tests/wine/support/InputScript.h"
#include "tests/wine/support/ScreenCapture.h"
#include "tests/wine/support/WineTestSupport.h"

namespace {

using namespace std::chrono_literals;

WPARAM DpiParam(int dpi) {
  return MAKEWPARAM(dpi, dpi);
}

struct TWindowState {
  RECT window{};
  std::map<std::string, std::string> controls;
  int font_height = 0;
  LRESULT columns[2] = {};
};

TWindowState StateOf(TFrmMain& form) {
  TWindowState s;
  GetWindowRect(form.Handle(), &s.window);
  for (const TMainComponent& row : MainLayout()) {
    auto* control = dynamic_cast<TWinControl*>(form.FindComponent(row.name));
    s.controls[row.name] = control ? Describe(PlacedRect(*control)) : "missing";
  }
  s.font_height = FontHeightOf(form.btnConvert->Handle());
  for (int i = 0; i < 2; ++i) {
    s.columns[i] = SendMessageW(form.lvwFiles->Handle(), LVM_GETCOLUMNWIDTH, i, 0);
  }
  return s;
}

// A move of the program's main window to a monitor of another DPI.
using DpiChangeMainWindow = SkinnedMainWindowTest;

TEST_F(DpiChangeMainWindow, MainWindowTakesTheSuggestedRectangleAndScalesItsControls) {
  TApplication& app = *app_;
  TFrmMain& form = *form_;
  const HWND window = form.Handle();
  const int start_dpi = form.Dpi();
  ASSERT_EQ(start_dpi, 96) << "the suite's prefix runs at 96 DPI";
  const TWindowState before = StateOf(form);
  const RECT client = ClientScreenRect(window);
  const SIZE frame{(before.window.right - before.window.left) - (client.right - client.left),
                   (before.window.bottom - before.window.top) - (client.bottom - client.top)};

  // Asked first, the form wants its client at 150 % and a frame that grows
  // no more than that.
  SIZE wanted{before.window.right - before.window.left, before.window.bottom - before.window.top};
  ASSERT_TRUE(
      SendMessageW(window, kWmGetDpiScaledSize, DpiParam(144), reinterpret_cast<LPARAM>(&wanted)));
  EXPECT_GE(wanted.cx, 800 + frame.cx);
  EXPECT_LE(wanted.cx, 800 + MulDiv(frame.cx, 144, 96));
  EXPECT_GE(wanted.cy, 684 + frame.cy);
  EXPECT_LE(wanted.cy, 684 + MulDiv(frame.cy, 144, 96));

  // The change itself: the window takes the suggested rectangle, its
  // controls, font and columns their sizes at 144 DPI.
  const RECT suggested{40, 30, 40 + wanted.cx, 30 + wanted.cy};
  SendMessageW(window, kWmDpiChanged, DpiParam(144), reinterpret_cast<LPARAM>(&suggested));
  PumpUntil(
      app, [] { return false; }, 100ms);
  const TWindowState at144 = StateOf(form);
  EXPECT_EQ(Describe(at144.window), Describe(suggested));
  EXPECT_EQ(form.Dpi(), 144);
  for (const TMainComponent& row : MainLayout()) {
    // (A combo box makes itself as high as its font needs.)
    if (row.align != alNone || row.kind == TMainKind::ComboBox) continue;
    SCOPED_TRACE(row.name);
    EXPECT_EQ(at144.controls.at(row.name), Describe(ExpectedRect(row, 144)));
  }
  EXPECT_EQ(at144.font_height, -18);
  EXPECT_EQ(at144.columns[0], 525);
  EXPECT_EQ(at144.columns[1], 120);
  SaveShot(window, "main-moved-to-144dpi");

  // And back where it came from: everything as it was.
  SendMessageW(window, kWmDpiChanged, DpiParam(96), reinterpret_cast<LPARAM>(&before.window));
  PumpUntil(
      app, [] { return false; }, 100ms);
  const TWindowState after = StateOf(form);
  EXPECT_EQ(Describe(after.window), Describe(before.window));
  EXPECT_EQ(after.controls, before.controls);
  EXPECT_EQ(after.font_height, before.font_height);
  EXPECT_EQ(after.columns[0], before.columns[0]);
  EXPECT_EQ(after.columns[1], before.columns[1]);
}

// How often each window of the thread was moved or sized while the counter
// lived (what a window procedure hook sees of WM_WINDOWPOSCHANGED).
class TMoveCounter {
 public:
  TMoveCounter() {
    counts_ = &moves_;
    hook_ = SetWindowsHookExW(WH_CALLWNDPROC, &Hook, nullptr, GetCurrentThreadId());
  }
  ~TMoveCounter() {
    if (hook_) UnhookWindowsHookEx(hook_);
    counts_ = nullptr;
  }
  TMoveCounter(const TMoveCounter&) = delete;
  TMoveCounter& operator=(const TMoveCounter&) = delete;
  int MovesOf(HWND window) const {
    const auto it = moves_.find(window);
    return it == moves_.end() ? 0 : it->second;
  }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && counts_ && call->message == WM_WINDOWPOSCHANGED) {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(call->lParam);
      if ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
        ++(*counts_)[call->hwnd];
      }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
  }
  static inline std::map<HWND, int>* counts_ = nullptr;
  std::map<HWND, int> moves_;
  HHOOK hook_ = nullptr;
};

std::map<std::string, std::string> ControlPlaces(TFrmMain& form) {
  return StateOf(form).controls;
}

// A DPI change lays the main window out once, at its final size: no
// control is moved to a place on the way (the aligned blocks were laid out
// at the old client size first, then again), the window is shown and laid
// out as its own layout has it at that size, and later sizes are laid out
// as before. A hidden window stays hidden.
TEST_F(DpiChangeMainWindow, MainWindowLaysItsControlsOutOnceAtTheFinalSize) {
  TApplication& app = *app_;
  TFrmMain& form = *form_;
  const HWND window = form.Handle();
  const TWindowState before = StateOf(form);
  for (int dpi : {144, 120, 192}) {
    SCOPED_TRACE(dpi);
    SIZE wanted{};
    ASSERT_TRUE(SendMessageW(window, kWmGetDpiScaledSize, DpiParam(dpi),
                             reinterpret_cast<LPARAM>(&wanted)));
    const RECT suggested{20, 10, 20 + wanted.cx, 10 + wanted.cy};
    std::map<std::string, int> moves;
    {
      const TMoveCounter counter;
      SendMessageW(window, kWmDpiChanged, DpiParam(dpi), reinterpret_cast<LPARAM>(&suggested));
      for (const TMainComponent& row : MainLayout()) {
        if (auto* control = dynamic_cast<TWinControl*>(form.FindComponent(row.name))) {
          moves[row.name] = counter.MovesOf(control->Handle());
        }
      }
    }
    for (const TMainComponent& row : MainLayout()) {
      // (A combo box sizes itself to its new font as well.)
      if (row.kind == TMainKind::ComboBox) continue;
      EXPECT_LE(moves[row.name], 1) << row.name << " was moved on its way to its new place";
    }
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE);
    EXPECT_TRUE(IsWindowVisible(form.lvwFiles->Handle()));
    // The window's own layout at its final size changes nothing.
    const auto placed = ControlPlaces(form);
    RECT r{};
    GetWindowRect(window, &r);
    SetWindowPos(window, nullptr, 0, 0, r.right - r.left + 1, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(ControlPlaces(form), placed);
  }
  // Sizes after the change are laid out too: the blocks follow the width.
  RECT r{};
  GetWindowRect(window, &r);
  RECT block_before{}, block_after{};
  GetWindowRect(form.lvwFiles->Handle(), &block_before);
  SetWindowPos(window, nullptr, 0, 0, r.right - r.left + 40, r.bottom - r.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  GetWindowRect(form.lvwFiles->Handle(), &block_after);
  EXPECT_EQ(block_after.right - block_after.left, block_before.right - block_before.left + 40);
  SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  PumpUntil(
      app, [] { return false; }, 100ms);
  SaveShot(window, "main-moved-to-192dpi");

  // Hidden, the window takes the change and stays hidden; shown again it
  // is where it was made, with its controls.
  form.SetVisible(false);
  SendMessageW(window, kWmDpiChanged, DpiParam(96), reinterpret_cast<LPARAM>(&before.window));
  EXPECT_FALSE(IsWindowVisible(window));
  form.Show();
  PumpUntil(
      app, [] { return false; }, 100ms);
  const TWindowState after = StateOf(form);
  EXPECT_EQ(Describe(after.window), Describe(before.window));
  EXPECT_EQ(after.controls, before.controls);
}

// How the job list lays out its rows and header, read back from the list.
struct TListLayout {
  LONG row_height = 0;
  LONG header_height = 0;
  LONG columns[2] = {};
  bool operator==(const TListLayout&) const = default;
};

TListLayout ListLayoutOf(HWND list) {
  TListLayout l;
  RECT row{};
  row.left = LVIR_BOUNDS;
  SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
  l.row_height = row.bottom - row.top;
  RECT header{};
  GetWindowRect(reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)), &header);
  l.header_height = header.bottom - header.top;
  for (int i = 0; i < 2; ++i) {
    l.columns[i] = static_cast<LONG>(SendMessageW(list, LVM_GETCOLUMNWIDTH, i, 0));
  }
  return l;
}

// Whether the window has nothing left to paint.
bool NothingToPaint(HWND window) {
  return !GetUpdateRect(window, nullptr, FALSE);
}

// Pixels of row `row`'s first column that differ from its background: the
// row's text, once the list has painted it.
int InkInRow(HWND list, int row) {
  RECT r{};
  r.left = LVIR_LABEL;
  if (!SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r))) return -1;
  MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&r), 2);
  InflateRect(&r, -2, -2);
  const TBitmap shot = Capture(r);
  // The colour most pixels have is the row's background.
  std::map<TColor, int> counts;
  for (int y = 0; y < shot.Height(); ++y) {
    for (int x = 0; x < shot.Width(); ++x) ++counts[shot.Pixel(x, y) & 0xFFFFFF];
  }
  int ink = 0, most = 0;
  for (const auto& [colour, count] : counts) {
    ink += count;
    most = std::max(most, count);
  }
  ink -= most;
  return ink;
}

// The job list takes its new font, size and columns with its own painting
// held back: afterwards it is laid out as a list that took the font afresh
// (rows and header as high as the new font needs), and it paints again
// (a job added after the change shows in its row).
TEST_F(DpiChangeMainWindow, JobListIsLaidOutAtTheNewDpiAndPaintsAgain) {
  TApplication& app = *app_;
  TFrmMain& form = *form_;
  const HWND window = form.Handle();
  const HWND list = form.lvwFiles->Handle();
  auto add_job = [&](int n) {
    auto job = std::make_unique<TFileInfo>();
    job->FileName = L"C:\\music\\tune " + std::to_wstring(n) + L".wma";
    job->Status = L"ready";
    form.JobList.push_back(std::move(job));
    form.lvwFiles->SetItemCount(static_cast<int>(form.JobList.size()));
  };
  for (int n = 0; n < 2; ++n) add_job(n);
  PumpUntil(
      app, [&] { return NothingToPaint(window) && NothingToPaint(list); }, 3s);
  const TListLayout at96 = ListLayoutOf(list);
  for (int dpi : {144, 96, 192}) {
    SCOPED_TRACE(dpi);
    SIZE wanted{};
    ASSERT_TRUE(SendMessageW(window, kWmGetDpiScaledSize, DpiParam(dpi),
                             reinterpret_cast<LPARAM>(&wanted)));
    const RECT suggested{10, 10, 10 + wanted.cx, 10 + wanted.cy};
    SendMessageW(window, kWmDpiChanged, DpiParam(dpi), reinterpret_cast<LPARAM>(&suggested));
    const TListLayout changed = ListLayoutOf(list);
    EXPECT_EQ(changed.columns[0], MulDiv(350, dpi, 96));
    EXPECT_EQ(changed.columns[1], MulDiv(80, dpi, 96));
    if (dpi == 96) {
      EXPECT_TRUE(changed == at96)
          << "rows " << changed.row_height << " header " << changed.header_height;
    } else {
      EXPECT_GT(changed.row_height, at96.row_height);
      EXPECT_GT(changed.header_height, at96.header_height);
    }
    EXPECT_TRUE(PumpUntil(
        app, [&] { return NothingToPaint(window) && NothingToPaint(list); }, 3s));
    EXPECT_GT(InkInRow(list, 0), 10) << "the list's rows were not painted at the new DPI";

    // A row added now is painted like the others.
    add_job(2);
    EXPECT_TRUE(PumpUntil(
        app, [&] { return NothingToPaint(list); }, 3s));
    EXPECT_GT(InkInRow(list, 2), 10) << "the row added after the change was not painted";
    form.JobList.pop_back();
    form.lvwFiles->SetItemCount(2);
    form.lvwFiles->Repaint();

    // Given its font once more, the list measures its rows and header as
    // they already are.
    SendMessageW(list, WM_SETFONT, SendMessageW(list, WM_GETFONT, 0, 0), TRUE);
    const TListLayout afresh = ListLayoutOf(list);
    EXPECT_EQ(afresh.row_height, changed.row_height);
    EXPECT_EQ(afresh.header_height, changed.header_height);
  }
}

// A skin chosen while the window is at another DPI than the system's is
// drawn at the window's DPI, and the next change of DPI keeps the client
// area whole inside the skin's frame (the frame was built at the system's
// DPI, and a size grown by the ratio as a whole cut the client by a few
// pixels each time, under every skin). The job list's rows show after
// each change, under the dark skins as under the light ones.
TEST_F(DpiChangeMainWindow, SkinChosenAtAnotherDpiKeepsTheClientAreaWholeThroughLaterChanges) {
  TApplication& app = *app_;
  TFrmMain& form = *form_;
  const HWND window = form.Handle();
  const HWND list = form.lvwFiles->Handle();
  for (int n = 0; n < 2; ++n) {
    auto job = std::make_unique<TFileInfo>();
    job->FileName = L"C:\\music\\tune " + std::to_wstring(n) + L".wma";
    job->Status = L"ready";
    form.JobList.push_back(std::move(job));
  }
  form.lvwFiles->SetItemCount(2);
  int dpi = 192;
  SIZE first{};
  ASSERT_TRUE(
      SendMessageW(window, kWmGetDpiScaledSize, DpiParam(dpi), reinterpret_cast<LPARAM>(&first)));
  const RECT start{10, 10, 10 + first.cx, 10 + first.cy};
  SendMessageW(window, kWmDpiChanged, DpiParam(dpi), reinterpret_cast<LPARAM>(&start));
  ASSERT_NE(form.SkinChoice, nullptr);
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(kSkinFiles[skin]);
    SendMessageW(window, WM_SYSCOMMAND, form.SkinChoice->CommandOf(skin), 0);
    ASSERT_TRUE(PumpUntil(
        app,
        [&] {
          TWinSkinForm* engine = SkinManager->FindSkinForm(window);
          return engine && engine->Finished() && engine->SkinState() == ksActive;
        },
        5s));
    dpi = dpi == 144 ? 120 : 144;
    SIZE wanted{};
    ASSERT_TRUE(SendMessageW(window, kWmGetDpiScaledSize, DpiParam(dpi),
                             reinterpret_cast<LPARAM>(&wanted)));
    const RECT suggested{10, 10, 10 + wanted.cx, 10 + wanted.cy};
    SendMessageW(window, kWmDpiChanged, DpiParam(dpi), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_TRUE(PumpUntil(
        app, [&] { return NothingToPaint(window) && NothingToPaint(list); }, 3s));
    EXPECT_GT(InkInRow(list, 1), 10) << "the list's rows were not painted at the new DPI";
    // The skin's frame goes round the whole client area of the new DPI.
    const RECT client = ClientScreenRect(window);
    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_EQ(client.right - client.left, MulDiv(533, dpi, 96)) << Describe(outer);
    EXPECT_EQ(client.bottom - client.top, MulDiv(456, dpi, 96)) << Describe(outer);
    SaveShot(window, std::string("job-list-after-dpi-change-") + kSkinFiles[skin]);
  }
}

TEST(DpiChange, ControlsMadeOrMovedLaterTakeTheirFormsDpi) {
  if (ChildRunDpi() != 0) GTEST_SKIP();
  TApplication app(nullptr);
  app.Initialize();
  TFormStyle style;
  style.caption = L"DPI";
  style.client_width = 200;
  style.client_height = 100;
  auto& form = OwnedComponent<TForm>(app, style);
  auto& other = OwnedComponent<TForm>(app, style);
  ASSERT_EQ(form.Dpi(), 96);
  // Without a suggested rectangle the client keeps its size in units.
  form.ApplyDpi(120, nullptr);
  EXPECT_EQ(form.ClientWidth(), 250);
  EXPECT_EQ(form.ClientHeight(), 125);

  // Made after the change.
  auto& button = OwnedComponent<TButton>(app);
  button.SetBounds(10, 20, 75, 25);
  button.SetParent(&form);
  EXPECT_EQ(Describe(PlacedRect(button)), Describe(RECT{13, 25, 106, 56}));
  EXPECT_EQ(FontHeightOf(button.Handle()), -15);
  // Moved over from a form at 96 DPI, with a control inside.
  auto& panel = OwnedComponent<TPanel>(app);
  panel.SetBounds(100, 0, 80, 40);
  panel.SetParent(&other);
  auto& inner = OwnedComponent<TButton>(app);
  inner.SetBounds(8, 8, 40, 16);
  inner.SetParent(&panel);
  EXPECT_EQ(Describe(PlacedRect(inner)), Describe(RECT{8, 8, 48, 24}));
  panel.SetParent(&form);
  EXPECT_EQ(panel.Dpi(), 120);
  EXPECT_EQ(Describe(PlacedRect(panel)), Describe(RECT{125, 0, 225, 50}));
  EXPECT_EQ(Describe(PlacedRect(inner)), Describe(RECT{10, 10, 60, 30}));
  // A status bar's panels are units as well.
  auto& bar = OwnedComponent<TStatusBar>(app);
  bar.AddPanel(L"one", 100);
  bar.AddPanel(L"two", 50);
  bar.AddPanel(L"three", 50);
  bar.SetParent(&form);
  int edges[3] = {};
  SendMessageW(bar.Handle(), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges));
  EXPECT_EQ(edges[0], 125);
  EXPECT_EQ(edges[1], 188);
  // Back at 96 DPI everything is where it was made.
  form.ApplyDpi(96, nullptr);
  EXPECT_EQ(form.ClientWidth(), 200);
  EXPECT_EQ(Describe(PlacedRect(button)), Describe(RECT{10, 20, 85, 45}));
  EXPECT_EQ(Describe(PlacedRect(inner)), Describe(RECT{8, 8, 48, 24}));
  SendMessageW(bar.Handle(), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges));
  EXPECT_EQ(edges[0], 100);
  EXPECT_EQ(edges[1], 150);
}

// A spin edit keeps its buttons inside its right end at every DPI (at 192
// DPI they were placed twice as far out, outside the edit, and vanished).
TEST(DpiChange, SpinEditButtonsStayInsideTheEdit) {
  if (ChildRunDpi() != 0) GTEST_SKIP();
  TApplication app(nullptr);
  app.Initialize();
  TFormStyle style;
  style.caption = L"DPI";
  style.client_width = 200;
  style.client_height = 100;
  auto& form = OwnedComponent<TForm>(app, style);
  auto& spin = OwnedComponent<TSpinEdit>(app);
  spin.SetBounds(10, 10, 120, 22);
  spin.SetParent(&form);
  for (int dpi : {96, 120, 144, 192, 96}) {
    SCOPED_TRACE(dpi);
    form.ApplyDpi(dpi, nullptr);
    RECT client{};
    GetClientRect(spin.Handle(), &client);
    const HWND buttons = GetWindow(spin.Handle(), GW_CHILD);
    ASSERT_NE(buttons, nullptr);
    RECT r{};
    GetWindowRect(buttons, &r);
    MapWindowPoints(nullptr, spin.Handle(), reinterpret_cast<POINT*>(&r), 2);
    const int width = SystemMetricsForDpi(SM_CXVSCROLL, dpi);
    EXPECT_NEAR(r.right, client.right, 1) << Describe(r) << " in " << Describe(client);
    EXPECT_NEAR(r.right - r.left, width, 1);
    EXPECT_GE(r.top, 0);
    EXPECT_LE(r.bottom, client.bottom + 1);
  }
}

TEST(DpiChange, ScrollBoxesScrollTheirContentInUnits) {
  TApplication app(nullptr);
  app.Initialize();
  TFormStyle style;
  style.caption = L"Scroll";
  style.client_width = 200;
  style.client_height = 100;
  auto& form = OwnedComponent<TForm>(app, style);
  form.ApplyDpi(144, nullptr);
  auto& box = OwnedComponent<TScrollBox>(app);
  box.SetBorderStyle(cbNone);
  box.SetBounds(0, 0, 200, 100);
  box.SetParent(&form);
  // The last control of a content 400 units high, scrolled to the end,
  // ends where the box's client area ends.
  auto& last = OwnedComponent<TButton>(app);
  last.SetBounds(0, 380, 75, 20);
  last.SetParent(&box);
  box.SetRange(0, 400);
  SendMessageW(box.Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(box.VertPosition(), 300);
  RECT client{};
  GetClientRect(box.Handle(), &client);
  EXPECT_EQ(PlacedRect(last).bottom, client.bottom);
  // And back at the top the first unit row shows again.
  SendMessageW(box.Handle(), WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(PlacedRect(last).top, MulDiv(380, 144, 96));
}

TEST(DpiChange, SpeedButtonsShowAndTakeClicksWhereTheirScaledBoundsAre) {
  TApplication app(nullptr);
  app.Initialize();
  TFormStyle style;
  style.caption = L"Speed";
  style.client_width = 300;
  style.client_height = 160;
  auto& form = OwnedComponent<TForm>(app, style);
  form.ApplyDpi(144, nullptr);
  auto& button = OwnedComponent<TSpeedButton>(app);
  button.SetBounds(100, 50, 40, 20);
  button.SetParent(&form);
  int clicks = 0;
  button.OnClick = [&](TObject*) { ++clicks; };
  form.Show();
  SetForegroundWindow(form.Handle());
  PumpUntil(
      app, [] { return false; }, 200ms);
  EXPECT_EQ(Describe(RECT{150, 75, 210, 105}), [&] {
    const TRect r = button.BoundsRect();
    return Describe(RECT{r.left, r.top, r.right, r.bottom});
  }());
  // Its frame's lower edge is drawn along the bottom of the scaled area.
  POINT origin{0, 0};
  ClientToScreen(form.Handle(), &origin);
  const TBitmap edge =
      Capture(RECT{origin.x + 155, origin.y + 104, origin.x + 205, origin.y + 105});
  const TColor face = ColorToRGB(clBtnFace) & 0xFFFFFF;
  int drawn = 0;
  for (int x = 0; x < edge.Width(); ++x) drawn += (edge.Pixel(x, 0) & 0xFFFFFF) != face ? 1 : 0;
  EXPECT_GT(drawn, edge.Width() / 2);
  // A click in the scaled area's right part (outside the unscaled one).
  input::Click(origin.x + 200, origin.y + 100);
  EXPECT_TRUE(PumpUntil(
      app, [&] { return clicks == 1; }, 3s));
}

TEST(DpiScaling, UnitsSurviveTheWayToPixelsAndBack) {
  // Fonts are given as negative heights; they scale as sizes do.
  EXPECT_EQ(ScaleForDpi(-12, 120), -15);
  EXPECT_EQ(ScaleForDpi(-12, 144), -18);
  // Halves round away from zero (1.5 pixels is 2).
  EXPECT_EQ(ScaleForDpi(1, 144), 2);
  EXPECT_EQ(ScaleForDpi(533, 144), 800);
  // At 96 DPI and above every unit has a pixel of its own, so a size read
  // back from the window is the size the program set.
  for (int dpi : {96, 120, 144, 168, 192, 288}) {
    for (int value = -50; value <= 1300; ++value) {
      ASSERT_EQ(UnscaleForDpi(ScaleForDpi(value, dpi), dpi), value) << dpi;
    }
  }
}

}  // namespace
