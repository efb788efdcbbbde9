// The gallery's MDI window under the skins: the frame and every child are
// skinned (frames, regions, caption buttons read back from the screen); a
// maximised child's buttons stand in the frame's menu line and minimise,
// restore and close it under the real mouse; tiling and cascading leave the
// maximised mode; closing the last child gives the frame its own menu back.
#include <windows.h>

#include <string>
#include <vector>

#include "skin/menu/SkinMenuBar.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"
#include "tests/wine/support/InputScript.h"
#include "tests/wine/support/ScreenCapture.h"
#include "tests/wine/support/SettledMouse.h"
#include "tools/gallery/GalleryMdiWindow.h"

namespace {

constexpr int kClose = 0;
constexpr int kMaximise = 1;
constexpr int kChildMinimise = 7;
constexpr int kChildRestore = 8;
constexpr int kChildClose = 9;

class GalleryMdiTest : public SkinEngineTest {
 protected:
  // The window with its children, skinned with stored skin `skin`.
  TGalleryMdiWindow& Open(int skin) {
    TSkinData& data = MakeData(App(), skin);
    data.SetActive(true);
    Flush();
    window_ = &OwnedComponent<TGalleryMdiWindow>(App());
    window_->Show();
    SetForegroundWindow(window_->Handle());
    return *window_;
  }
  std::vector<HWND> Children() const {
    std::vector<HWND> list;
    for (int i = 0; i < window_->MDIChildCount(); ++i) {
      list.push_back(window_->MDIChildren(i)->Handle());
    }
    return list;
  }
  bool AllChildrenSkinned() {
    for (HWND child : Children()) {
      if (!WaitSkinned(child)) return false;
    }
    return true;
  }
  HWND Active() const {
    TForm* active = window_->ActiveMDIChild();
    return active ? active->Handle() : nullptr;
  }
  // The frame's visible menu-line button with `action`, or -1.
  int LineButton(int action) {
    TWinSkinForm& engine = *EngineOf(window_->Handle());
    for (int i = 0; i < engine.CaptionButtonCount(); ++i) {
      const TWinSysButton& b = engine.CaptionButton(i);
      const TDataSkinSysButton* d = b.Definition();
      if (d && d->Visibility == 100 && d->Action == action && b.Visible) return i;
    }
    return -1;
  }
  void ClickLineButton(int action) {
    const int index = LineButton(action);
    ASSERT_GE(index, 0) << "action " << action;
    const POINT at = Centre(ButtonScreenRect(*EngineOf(window_->Handle()), index));
    MoveAndSettle(App(), at);
    input::Click(at.x, at.y);
  }
  // Clicks caption button `action` of a child with the real mouse.
  void ClickChildButton(HWND child, int action) {
    TWinSkinForm* engine = EngineOf(child);
    ASSERT_NE(engine, nullptr);
    const int index = VisibleButton(*engine, action);
    ASSERT_GE(index, 0) << "action " << action;
    const POINT at = HoverCaptionButton(*engine, index);
    input::Click(at.x, at.y);
  }
  // What a normal skinned child shows: the engine's region, the skin's
  // close button on its caption (when nothing covers it) and its client
  // inside the skin's borders.
  void ExpectSkinnedChild(HWND child, bool on_top, const std::string& step) {
    TWinSkinForm* engine = EngineOf(child);
    ASSERT_NE(engine, nullptr) << step;
    EXPECT_TRUE(engine->FrameSkinned()) << step;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetWindowRgn(child, region);
    RECT box{};
    GetRgnBox(region, &box);
    DeleteObject(region);
    const RECT outer = WindowRect(child);
    EXPECT_NE(kind, ERROR) << step << ": the child has its region";
    EXPECT_EQ(box.right, outer.right - outer.left) << step;
    EXPECT_EQ(box.bottom, outer.bottom - outer.top) << step;
    const RECT client = ClientScreenRect(child);
    EXPECT_EQ(client.left - outer.left, engine->Metrics().left) << step;
    if (!on_top) return;
    const int close = VisibleButton(*engine, kClose);
    ASSERT_GE(close, 0) << step;
    // An inactive child shows the inactive cell where the image has one.
    const TDataSkinSysButton& button = *engine->CaptionButton(close).Definition();
    const int cell = child != Active() && button.Frame >= 4 ? 4 : 1;
    const TBitmap shot = Capture(ButtonScreenRect(*engine, close));
    EXPECT_GT(CellShare(shot, button, cell), 0.8) << step;
  }
  // Processes every message but the timers' for `ms`: the engine's hover
  // timer cannot end a hot look then, only the mouse's own messages can.
  static void PumpWithoutTimers(int ms) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    while (static_cast<int>(end - GetTickCount()) > 0) {
      MSG msg{};
      bool any = false;
      while (PeekMessageW(&msg, nullptr, 0, WM_TIMER - 1, PM_REMOVE) ||
             PeekMessageW(&msg, nullptr, WM_TIMER + 1, 0xFFFFFFFF, PM_REMOVE)) {
        any = true;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      if (!any) Sleep(5);
    }
  }
  void ExpectLineButtonsShown(const std::string& step) {
    // Away from the line, no button shows its hot cell: the leave of the
    // mouse ends it (the engine's hover timer is kept out, so a button
    // that missed the leave stays hot). The pointer goes to the client
    // area first, where the system sees it leave the frame.
    TWinSkinForm& engine = *EngineOf(window_->Handle());
    const RECT client = ClientScreenRect(window_->ClientHandle());
    const POINT inside{(client.left + client.right) / 2, (client.top + client.bottom) / 2};
    for (const POINT p :
         {inside, POINT{GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2}}) {
      for (int attempt = 0; attempt < 10; ++attempt) {
        input::MoveTo(p.x, p.y);
        PumpWithoutTimers(100);
        POINT now{};
        GetCursorPos(&now);
        if (now.x == p.x && now.y == p.y) break;
      }
    }
    for (int action : {kChildMinimise, kChildRestore, kChildClose}) {
      const int index = LineButton(action);
      ASSERT_GE(index, 0) << step << " action " << action;
      const TWinSysButton& button = engine.CaptionButton(index);
      const TDataSkinSysButton& definition = *button.Definition();
      // The system reports the leave at its own pace (under Wine at the
      // next tick of its hover time).
      double share = 0;
      const DWORD end = GetTickCount() + 2000;
      while (static_cast<int>(end - GetTickCount()) > 0) {
        share = CellShare(Capture(ButtonScreenRect(engine, index)), definition, 1);
        if (engine.HotObject() != &button && share > 0.8) break;
        PumpWithoutTimers(50);
      }
      EXPECT_NE(engine.HotObject(), &button)
          << step << " action " << action << ": still hot after the mouse left";
      EXPECT_GT(share, 0.8) << step << " action " << action;
    }
  }
  // Maximises `child` from its own caption button (a child that is
  // maximised already has none on show).
  bool Maximise(HWND child) {
    if (!IsZoomed(child)) ClickChildButton(child, kMaximise);
    return PumpUntil([&] { return IsZoomed(child) && LineButton(kChildClose) >= 0; }, 5000);
  }

  TGalleryMdiWindow* window_ = nullptr;
};

TEST_F(GalleryMdiTest, FrameAndChildrenAreSkinnedUnderEveryStoredSkin) {
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TGalleryMdiWindow& window = Open(skin);
    ASSERT_TRUE(WaitSkinned(window.Handle()));
    ASSERT_EQ(window.MDIChildCount(), 4);
    ASSERT_TRUE(AllChildrenSkinned());
    Pump(200);
    TWinSkinForm& engine = *EngineOf(window.Handle());
    EXPECT_EQ(engine.MdiKind(), mkFrame);
    ASSERT_NE(engine.MenuBar(), nullptr);
    EXPECT_EQ(engine.MenuBar()->ButtonCount(), 2);
    EXPECT_EQ(GetMenu(window.Handle()), nullptr) << "the skinned bar stands for the menu";
    for (HWND child : Children()) {
      EXPECT_EQ(EngineOf(child)->MdiKind(), mkChild);
      // The framework controls inside (text, fields, list, bars) are
      // skinned like those of any other form.
      EXPECT_GT(EngineOf(child)->ControlCount(), 0);
      ExpectSkinnedChild(child, child == Active(), "shown");
    }
    SaveShot(window.Handle(), std::string("gallery_mdi_") + kSkinFiles[skin]);
    App().RemoveComponent(window_);
    window_ = nullptr;
    Pump(100);
  }
}

class GalleryMdiFlowTest : public GalleryMdiTest, public ::testing::WithParamInterface<int> {};

TEST_P(GalleryMdiFlowTest, MaximiseTileCascadeAndCloseUnderTheRealMouse) {
  const int skin = GetParam();
  const std::string name = kSkinFiles[skin];
  TGalleryMdiWindow& window = Open(skin);
  ASSERT_TRUE(WaitSkinned(window.Handle()));
  ASSERT_TRUE(AllChildrenSkinned());
  Pump(200);
  EXPECT_EQ(LineButton(kChildClose), -1) << "no child is maximised yet";

  // Maximised from its own caption button: its buttons stand in the line.
  HWND child = Active();
  ASSERT_NE(child, nullptr);
  ASSERT_TRUE(Maximise(child));
  EXPECT_TRUE(Manager().MdiMaximized());
  Pump(200);
  ExpectLineButtonsShown("maximised");
  SaveShot(window.Handle(), "gallery_mdi_maximised_" + name);

  // Restored from the line: back in its skinned frame and region.
  ClickLineButton(kChildRestore);
  EXPECT_TRUE(PumpUntil([&] { return !IsZoomed(child) && LineButton(kChildClose) < 0; }, 5000));
  EXPECT_FALSE(Manager().MdiMaximized());
  Pump(200);
  ExpectSkinnedChild(child, true, "restored");

  // Minimised from the line.
  ASSERT_TRUE(Maximise(child));
  ClickLineButton(kChildMinimise);
  EXPECT_TRUE(PumpUntil([&] { return IsIconic(child) != 0; }, 5000));
  // Restored, it takes the maximised place it was minimised from.
  SendMessageW(window.ClientHandle(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
  EXPECT_TRUE(PumpUntil([&] { return IsZoomed(child) && LineButton(kChildClose) >= 0; }, 5000));
  Pump(200);
  ExpectLineButtonsShown("minimised and maximised again");
  SaveShot(window.Handle(), "gallery_mdi_remaximised_" + name);

  // Tiling from the window menu leaves the maximised mode: every child is
  // normal again, skinned, side by side.
  ASSERT_TRUE(Maximise(Active()));
  window.WindowItem->Items(1)->Click();
  EXPECT_TRUE(PumpUntil([&] { return !Manager().MdiMaximized(); }, 3000));
  Pump(300);
  for (HWND c : Children()) {
    EXPECT_FALSE(IsZoomed(c));
    ExpectSkinnedChild(c, true, "tiled");
  }
  EXPECT_EQ(LineButton(kChildClose), -1);
  SaveShot(window.Handle(), "gallery_mdi_tiled_" + name);

  // Cascading does the same.
  ASSERT_TRUE(Maximise(Active()));
  window.WindowItem->Items(2)->Click();
  EXPECT_TRUE(PumpUntil([&] { return !Manager().MdiMaximized(); }, 3000));
  Pump(300);
  for (HWND c : Children()) {
    EXPECT_FALSE(IsZoomed(c));
    ExpectSkinnedChild(c, c == Active(), "cascaded");
  }

  // Closed one by one from the line: the last gives the frame its menu.
  while (window.MDIChildCount() > 0) {
    const size_t before = Children().size();
    HWND top = Active();
    ASSERT_NE(top, nullptr);
    if (!IsZoomed(top)) {
      ASSERT_TRUE(Maximise(top));
    }
    ClickLineButton(kChildClose);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(top); }, 5000));
    ASSERT_EQ(Children().size(), before - 1);
    Pump(200);
    if (!Children().empty()) {
      EXPECT_TRUE(IsZoomed(Active())) << "the next child takes the maximised place";
    }
  }
  EXPECT_TRUE(PumpUntil([&] { return LineButton(kChildClose) < 0; }, 3000));
  TWinSkinForm& engine = *EngineOf(window.Handle());
  ASSERT_NE(engine.MenuBar(), nullptr);
  ASSERT_EQ(engine.MenuBar()->ButtonCount(), 2);
  EXPECT_EQ(engine.MenuBar()->Button(0)->Caption, L"文件(&F)");
  EXPECT_EQ(engine.MenuBar()->Button(1)->Caption, L"窗口(&W)");
  EXPECT_FALSE(Manager().MdiMaximized());
  SaveShot(window.Handle(), "gallery_mdi_empty_" + name);

  // A new child from the menu is skinned like the first ones.
  window.WindowItem->Items(0)->Click();
  ASSERT_EQ(window.MDIChildCount(), 1);
  ASSERT_TRUE(WaitSkinned(Active()));
  Pump(200);
  ExpectSkinnedChild(Active(), true, "new");
}

// A dark skin and the light one.
INSTANTIATE_TEST_SUITE_P(Skins, GalleryMdiFlowTest, ::testing::Values(1, 2),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string(kSkinFiles[info.param]);
                         });

}  // namespace
