// MDI forms on real windows: child forms live in the frame's client, the
// window menu lists them and its commands activate them, tiling and
// cascading place them, a child closed by its close box or by the keyboard
// is freed by its owner, Ctrl+F6 and Ctrl+F4 move between and close
// children, and the frame's own menu commands still arrive.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "framework/Application.h"
#include "framework/MdiForm.h"
#include "framework/Menus.h"
#include "framework/Screen.h"
#include "tests/wine/framework/InputSupport.h"

namespace {

using namespace std::chrono_literals;

TFormStyle FrameStyle() {
  TFormStyle style;
  style.caption = L"MDI frame test";
  style.client_width = 640;
  style.client_height = 440;
  style.border_style = bsSizeable;
  style.border_icons = {biSystemMenu, biMinimize, biMaximize};
  return style;
}

RECT RectInClient(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool Overlap(const RECT& a, const RECT& b) {
  RECT both;
  return IntersectRect(&both, &a, &b) != 0;
}

std::wstring MenuText(HMENU menu, int position) {
  wchar_t text[128]{};
  GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
  return text;
}

class MdiFormTest : public ::testing::Test {
 protected:
  MdiFormTest() {
    frame_ = &OwnedComponent<TMdiFrameForm>(app_, FrameStyle());
    menu_ = &OwnedComponent<TMainMenu>(*frame_);
    TMenuItem& file = menu_->Items().Add(L"&File");
    file.Add(L"&New").OnClick = [this](TObject*) { ++new_clicks_; };
    window_ = &menu_->Items().Add(L"&Window");
    window_->Add(L"&Cascade").OnClick = [this](TObject*) { frame_->Cascade(); };
    frame_->SetMenu(menu_);
    frame_->SetWindowMenu(window_);
    frame_->Show();
    SetForegroundWindow(frame_->Handle());
  }
  TForm& Child(const std::wstring& caption) {
    TForm& child = OwnedComponent<TForm>(*frame_, frame_->ChildStyle(caption, 220, 140));
    child.Show();
    return child;
  }
  // The window menu's submenu as the frame's bar has it now.
  HMENU WindowList() const { return GetSubMenu(GetMenu(frame_->Handle()), 1); }
  bool Pump(const std::function<bool()>& done) {
    return PumpUntil(app_, done, std::chrono::milliseconds(3000));
  }

  TApplication app_{nullptr};
  TMdiFrameForm* frame_ = nullptr;
  TMainMenu* menu_ = nullptr;
  TMenuItem* window_ = nullptr;
  int new_clicks_ = 0;
};

TEST_F(MdiFormTest, ChildrenLiveInTheClientAndTheWindowMenuListsThem) {
  ASSERT_NE(frame_->ClientHandle(), nullptr);
  RECT client;
  GetClientRect(frame_->ClientHandle(), &client);
  RECT frame_client;
  GetClientRect(frame_->Handle(), &frame_client);
  EXPECT_GT(client.right, frame_client.right * 9 / 10) << "the client fills the frame";
  EXPECT_GT(client.bottom, frame_client.bottom * 9 / 10);
  TForm& a = Child(L"Alpha");
  TForm& b = Child(L"Beta");
  EXPECT_EQ(GetParent(a.Handle()), frame_->ClientHandle());
  EXPECT_NE(GetWindowLongPtrW(a.Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD, 0);
  EXPECT_EQ(frame_->MDIChildCount(), 2);
  EXPECT_EQ(frame_->ActiveMDIChild(), &b) << "the one shown last is active";
  // The system appends the children to the window menu, after a line.
  HMENU list = WindowList();
  ASSERT_NE(list, nullptr);
  const int count = GetMenuItemCount(list);
  ASSERT_GE(count, 4);
  std::wstring all;
  for (int i = 0; i < count; ++i) all += MenuText(list, i) + L"|";
  EXPECT_NE(all.find(L"Alpha"), std::wstring::npos) << all;
  EXPECT_NE(all.find(L"Beta"), std::wstring::npos) << all;
  // Choosing the first child from the list activates it.
  int alpha = -1;
  for (int i = 0; i < count; ++i) {
    if (MenuText(list, i).find(L"Alpha") != std::wstring::npos) alpha = i;
  }
  ASSERT_GE(alpha, 0);
  const UINT command = GetMenuItemID(list, alpha);
  SendMessageW(frame_->Handle(), WM_COMMAND, command, 0);
  EXPECT_TRUE(Pump([&] { return frame_->ActiveMDIChild() == &a; }));
  // The frame's own items still reach their handlers.
  const UINT new_command = menu_->Items().Items(0)->Items(0)->Command();
  SendMessageW(frame_->Handle(), WM_COMMAND, new_command, 0);
  EXPECT_EQ(new_clicks_, 1);
}

TEST_F(MdiFormTest, TilingSetsTheChildrenSideBySideAndCascadingStacksThem) {
  TForm& a = Child(L"One");
  TForm& b = Child(L"Two");
  TForm& c = Child(L"Three");
  frame_->Tile();
  app_.ProcessMessages();
  const RECT ra = RectInClient(a.Handle()), rb = RectInClient(b.Handle()),
             rc = RectInClient(c.Handle());
  EXPECT_FALSE(Overlap(ra, rb));
  EXPECT_FALSE(Overlap(rb, rc));
  EXPECT_FALSE(Overlap(ra, rc));
  RECT client;
  GetClientRect(frame_->ClientHandle(), &client);
  // Tiled, together they cover the client.
  const long area = (ra.right - ra.left) * (ra.bottom - ra.top) +
                    (rb.right - rb.left) * (rb.bottom - rb.top) +
                    (rc.right - rc.left) * (rc.bottom - rc.top);
  EXPECT_GT(area, client.right * client.bottom * 9 / 10);
  // Cascaded through the menu item, each lies a step below and right of
  // another one.
  window_->Items(0)->Click();
  app_.ProcessMessages();
  RECT r[3] = {RectInClient(a.Handle()), RectInClient(b.Handle()), RectInClient(c.Handle())};
  std::sort(std::begin(r), std::end(r), [](const RECT& x, const RECT& y) { return x.top < y.top; });
  EXPECT_GT(r[1].top, r[0].top);
  EXPECT_GT(r[1].left, r[0].left);
  EXPECT_GT(r[2].top, r[1].top);
  EXPECT_TRUE(Overlap(r[0], r[1]));
}

TEST_F(MdiFormTest, AClosedChildIsFreedByItsOwnerAndLeavesTheList) {
  TForm& a = Child(L"Stays");
  TForm& b = Child(L"Goes");
  const HWND gone = b.Handle();
  const int components = frame_->ComponentCount();
  const int forms = Screen().FormCount();
  // Maximised first: its caption's close becomes the system's close.
  SendMessageW(frame_->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(gone), 0);
  EXPECT_TRUE(frame_->ActiveChildMaximized());
  PostMessageW(gone, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(Pump([&] { return !IsWindow(gone); }));
  EXPECT_TRUE(Pump([&] { return frame_->ComponentCount() == components - 1; }));
  EXPECT_EQ(Screen().FormCount(), forms - 1);
  EXPECT_EQ(frame_->MDIChildCount(), 1);
  EXPECT_EQ(frame_->ActiveMDIChild(), &a);
  // The list no longer names it.
  HMENU list = WindowList();
  for (int i = 0; i < GetMenuItemCount(list); ++i) {
    EXPECT_EQ(MenuText(list, i).find(L"Goes"), std::wstring::npos);
  }
  // A close that OnClose turns down keeps the child.
  a.OnClose = [](TObject*, TCloseAction& action) { action = caNone; };
  SendMessageW(a.Handle(), WM_CLOSE, 0, 0);
  app_.ProcessMessages();
  EXPECT_TRUE(IsWindow(a.Handle()));
  EXPECT_EQ(frame_->MDIChildCount(), 1);
}

// Presses `key` with Ctrl held, as the keyboard does.
void CtrlKey(WORD key) {
  INPUT keys[4]{};
  for (INPUT& k : keys) k.type = INPUT_KEYBOARD;
  keys[0].ki.wVk = VK_CONTROL;
  keys[1].ki.wVk = key;
  keys[2].ki.wVk = key;
  keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
  keys[3].ki.wVk = VK_CONTROL;
  keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(4, keys, sizeof(INPUT));
}

TEST_F(MdiFormTest, CtrlF6MovesToTheNextChildAndCtrlF4ClosesTheActiveOne) {
  TForm& first = Child(L"First");
  TForm& second = Child(L"Second");
  ASSERT_TRUE(Pump([&] { return GetForegroundWindow() == frame_->Handle(); }));
  ASSERT_EQ(frame_->ActiveMDIChild(), &second);
  CtrlKey(VK_F6);
  EXPECT_TRUE(Pump([&] { return frame_->ActiveMDIChild() == &first; }))
      << "Ctrl+F6 activates the next child";
  const HWND closing = first.Handle();
  CtrlKey(VK_F4);
  EXPECT_TRUE(Pump([&] { return !IsWindow(closing); })) << "Ctrl+F4 closes the active child";
  EXPECT_TRUE(Pump([&] { return frame_->MDIChildCount() == 1; }));
  EXPECT_TRUE(IsWindow(frame_->Handle())) << "the frame stays";
}

TEST_F(MdiFormTest, AChildHeldByItsMakerLosesItsWindowOnlyAndFreeingItLater) {
  auto held = MakeComponent<TForm>(frame_->ChildStyle(L"Held", 200, 120));
  held->Show();
  const HWND window = held->Handle();
  EXPECT_EQ(frame_->MDIChildCount(), 1);
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(Pump([&] { return !IsWindow(window); }));
  EXPECT_EQ(held->Handle(), nullptr);
  EXPECT_EQ(frame_->MDIChildCount(), 0);
  held.reset();  // freeing it afterwards touches no window
  // Freed while its window lives, a child leaves the client as well.
  auto second = MakeComponent<TForm>(frame_->ChildStyle(L"Second", 200, 120));
  second->Show();
  const HWND second_window = second->Handle();
  second.reset();
  EXPECT_FALSE(IsWindow(second_window));
  EXPECT_EQ(frame_->MDIChildCount(), 0);
  EXPECT_EQ(SendMessageW(frame_->ClientHandle(), WM_MDIGETACTIVE, 0, 0), 0);
}

}  // namespace
