// The menu line of a skinned MDI frame: a maximised child's minimise,
// restore and close buttons stand in it and work under the real mouse, and
// a child that puts its own menu into the frame rebuilds the bar.
#include <windows.h>

#include <atomic>
#include <chrono>

#include "skin/menu/SkinMenuBar.h"
#include "tests/wine/framework/MenuDriver.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"
#include "tests/wine/skin_menus/MenuTestSupport.h"
#include "tests/wine/support/InputScript.h"
#include "tests/wine/support/SettledMouse.h"

namespace {

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  HWND client = FindWindowExW(hwnd, nullptr, L"MDIClient", nullptr);
  return DefFrameProcW(hwnd, client, msg, wp, lp);
}

LRESULT CALLBACK ChildProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return DefMDIChildProcW(hwnd, msg, wp, lp);
}

using namespace std::chrono_literals;
using menu_test::LightShare;

HMENU MakeBarMenu(const wchar_t* first, const wchar_t* second) {
  HMENU bar = CreateMenu();
  HMENU one = CreatePopupMenu();
  AppendMenuW(one, MF_STRING, 11, L"New");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(one), first);
  HMENU two = CreatePopupMenu();
  AppendMenuW(two, MF_STRING, 21, L"Cascade");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(two), second);
  return bar;
}

class MenuBarMdiTest : public SkinEngineTest {
 protected:
  MenuBarMdiTest() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpfnWndProc = FrameProc;
    wc.lpszClassName = L"MenuBarMdiFrame";
    RegisterClassExW(&wc);
    wc.lpfnWndProc = ChildProc;
    wc.lpszClassName = L"MenuBarMdiChild";
    RegisterClassExW(&wc);
  }
  ~MenuBarMdiTest() override {
    if (IsWindow(frame_)) DestroyWindow(frame_);
  }
  void MakeFrame() {
    frame_ = CreateWindowExW(0, L"MenuBarMdiFrame", L"MDI frame", WS_OVERLAPPEDWINDOW, 40, 40, 640,
                             480, nullptr, MakeBarMenu(L"&File", L"&Window"),
                             GetModuleHandleW(nullptr), nullptr);
    CLIENTCREATESTRUCT ccs{};
    ccs.idFirstChild = 100;
    client_ = CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0,
                              0, 600, 400, frame_, nullptr, GetModuleHandleW(nullptr), &ccs);
    ShowWindow(frame_, SW_SHOW);
    SetForegroundWindow(frame_);
  }
  HWND MakeChild() {
    MDICREATESTRUCTW mcs{};
    mcs.szClass = L"MenuBarMdiChild";
    mcs.szTitle = L"Child";
    mcs.hOwner = GetModuleHandleW(nullptr);
    mcs.x = mcs.y = CW_USEDEFAULT;
    mcs.cx = 300;
    mcs.cy = 200;
    return reinterpret_cast<HWND>(
        SendMessageW(client_, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
  }
  // The index of the frame's visible menu-line button with `action`.
  int LineButton(TWinSkinForm& engine, int action) {
    for (int i = 0; i < engine.CaptionButtonCount(); ++i) {
      const TWinSysButton& b = engine.CaptionButton(i);
      const TDataSkinSysButton* d = b.Definition();
      if (d && d->Visibility == 100 && d->Action == action && b.Visible) return i;
    }
    return -1;
  }
  void ClickLineButton(TWinSkinForm& engine, int action) {
    const int index = LineButton(engine, action);
    ASSERT_GE(index, 0) << "action " << action;
    const POINT at = Centre(ButtonScreenRect(engine, index));
    MoveAndSettle(App(), at);
    input::Click(at.x, at.y);
  }
  HWND frame_ = nullptr;
  HWND client_ = nullptr;
};

TEST_F(MenuBarMdiTest, MaximisedChildButtonsStandInTheMenuLineAndWork) {
  TSkinData& data = MakeData(App(), 1);
  data.SetActive(true);
  Flush();
  MakeFrame();
  ASSERT_TRUE(WaitSkinned(frame_));
  TWinSkinForm& engine = *EngineOf(frame_);
  ASSERT_NE(engine.MenuBar(), nullptr);
  EXPECT_EQ(engine.MenuBar()->ButtonCount(), 2);
  EXPECT_EQ(GetMenu(frame_), nullptr);
  // The frame's drop-down shows its items drawn by the skin: dark under
  // the dark skin, and measured (not empty).
  const HMENU file = engine.MenuBar()->Button(0)->Submenu;
  std::atomic<bool> done{false};
  RECT drop_down{};
  double light = 1;
  {
    input::TScriptThread script([&] {
      input::Key(VK_F10);
      if (input::WaitFor(
              [file] {
                HWND menu = input::VisibleMenuWindow();
                return menu && reinterpret_cast<HMENU>(SendMessageW(menu, 0x01E1, 0, 0)) == file;
              },
              5s)) {
        input::Pause(200);
        GetWindowRect(input::VisibleMenuWindow(), &drop_down);
        light = LightShare(drop_down);
      }
      for (int i = 0; i < 4 && input::VisibleMenuWindow(); ++i) {
        input::Key(VK_ESCAPE);
        input::Pause(200);
      }
      done = true;
    });
    PumpUntil([&] { return done.load(); }, 15000);
  }
  EXPECT_GT(drop_down.bottom - drop_down.top, 10);
  EXPECT_LT(light, 0.2);

  HWND child = MakeChild();
  ASSERT_NE(child, nullptr);
  ASSERT_TRUE(WaitSkinned(child));
  EXPECT_EQ(LineButton(engine, 9), -1) << "no child is maximised yet";

  auto maximise = [&] {
    SendMessageW(client_, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
    return PumpUntil([&] { return IsZoomed(child) && LineButton(engine, 9) >= 0; }, 3000);
  };
  ASSERT_TRUE(maximise());
  // The three buttons show their skin cells in the line, at its end.
  const RECT bar_window = WindowRect(frame_);
  for (int action : {7, 8, 9}) {
    const int index = LineButton(engine, action);
    ASSERT_GE(index, 0);
    const TRect b = engine.CaptionButton(index).Bounds;
    EXPECT_GE(b.top, engine.Metrics().caption);
    EXPECT_LE(b.bottom, engine.Metrics().caption + engine.MenuBarHeight());
    EXPECT_GT(b.left, (bar_window.right - bar_window.left) / 2);
    const TBitmap shot = Capture(ButtonScreenRect(engine, index));
    EXPECT_GT(CellShare(shot, *engine.CaptionButton(index).Definition(), 1), 0.8) << action;
  }
  SaveShot(frame_, "menubar_mdi_maximised");

  // Restore, then minimise, then close, each from its button.
  ClickLineButton(engine, 8);
  EXPECT_TRUE(PumpUntil([&] { return !IsZoomed(child); }, 3000));
  EXPECT_TRUE(PumpUntil([&] { return LineButton(engine, 9) < 0; }, 3000));
  ASSERT_TRUE(maximise());
  ClickLineButton(engine, 7);
  EXPECT_TRUE(PumpUntil([&] { return IsIconic(child) != 0; }, 3000));
  SendMessageW(client_, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
  Pump(100);
  ASSERT_TRUE(maximise());
  ClickLineButton(engine, 9);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(child); }, 3000));
  EXPECT_TRUE(PumpUntil([&] { return LineButton(engine, 9) < 0; }, 3000));
}

TEST_F(MenuBarMdiTest, AChildsMenuRebuildsTheBar) {
  TSkinData& data = MakeData(App(), 0);
  data.SetActive(true);
  Flush();
  MakeFrame();
  ASSERT_TRUE(WaitSkinned(frame_));
  TWinSkinForm& engine = *EngineOf(frame_);
  ASSERT_NE(engine.MenuBar(), nullptr);
  HMENU child_menu = MakeBarMenu(L"&Document", L"&Arrange");
  HMENU window_menu = GetSubMenu(child_menu, 1);
  SendMessageW(client_, WM_MDISETMENU, reinterpret_cast<WPARAM>(child_menu),
               reinterpret_cast<LPARAM>(window_menu));
  Pump(100);
  EXPECT_EQ(GetMenu(frame_), nullptr) << "the system's bar stays away";
  ASSERT_EQ(engine.MenuBar()->ButtonCount(), 2);
  EXPECT_EQ(engine.MenuBar()->Button(0)->Caption, L"&Document");
  EXPECT_EQ(engine.MenuBar()->Button(1)->Submenu, window_menu);
  // The frame's first menu is no longer shown: it is the test's to free.
  DestroyWindow(frame_);
  frame_ = nullptr;
  DestroyMenu(child_menu);
}

TEST_F(MenuBarMdiTest, ABareWindowGetsItsMenuBackOrTakesItAlongWhenItEnds) {
  TSkinData& data = MakeData(App(), 2);
  data.SetActive(true);
  Flush();
  // A bare window: its menu is the window's own, not a framework's.
  const HMENU menu = MakeBarMenu(L"&File", L"&Window");
  frame_ = CreateWindowExW(0, L"MenuBarMdiChild", L"Bare window", WS_OVERLAPPEDWINDOW, 60, 60, 400,
                           300, nullptr, menu, GetModuleHandleW(nullptr), nullptr);
  ShowWindow(frame_, SW_SHOW);
  SetForegroundWindow(frame_);
  ASSERT_TRUE(WaitSkinned(frame_));
  EXPECT_EQ(GetMenu(frame_), nullptr);
  ASSERT_NE(EngineOf(frame_)->MenuBar(), nullptr);
  EXPECT_EQ(EngineOf(frame_)->MenuBar()->ButtonCount(), 2);
  // Switched off, the window has its menu again; on again, the bar.
  data.SetActive(false);
  Flush();
  Pump(100);
  EXPECT_EQ(GetMenu(frame_), menu);
  data.SetActive(true);
  Flush();
  // A bare window is skinned again when it is next activated.
  TForm& other = MakeForm(MainLikeStyle(L"Other"));
  other.Show();
  SetForegroundWindow(other.Handle());
  Pump(100);
  SetForegroundWindow(frame_);
  ASSERT_TRUE(WaitSkinned(frame_));
  EXPECT_EQ(GetMenu(frame_), nullptr);
  // The window ends skinned: its menu goes with it, as it would unskinned.
  DestroyWindow(frame_);
  frame_ = nullptr;
  Pump(100);
  EXPECT_FALSE(IsMenu(menu));
}

}  // namespace
