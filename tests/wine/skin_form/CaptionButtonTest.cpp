// The skinned caption buttons under the real mouse: hot and pressed looks,
// what each button does, presses that end elsewhere, double clicks on the
// caption and the icon, and which buttons a window shows.
#include <windows.h>

#include "framework/Form.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"
#include "tests/wine/support/InputScript.h"

namespace {

class CaptionButtonTest : public SkinEngineTest {};

TEST_F(CaptionButtonTest, HoverAndPressShowTheirCellsAndAReleaseElsewhereDoesNothing) {
  TForm& form = ShowSkinnedForm(2);
  int close_queries = 0;
  form.OnCloseQuery = [&](TObject*, bool&) { ++close_queries; };
  TWinSkinForm& engine = *EngineOf(form.Handle());
  const int close = VisibleButton(engine, 0);
  ASSERT_GE(close, 0);
  const TDataSkinSysButton& def = *engine.CaptionButton(close).Definition();
  const RECT r = ButtonScreenRect(engine, close);
  const POINT c = Centre(r);

  EXPECT_GT(CellShare(Capture(r), def, 1), 0.95);
  input::MoveTo(c.x, c.y);
  Pump(150);
  EXPECT_GT(CellShare(Capture(r), def, 3), 0.95) << "hot";
  input::Press(c.x, c.y);
  Pump(150);
  EXPECT_GT(CellShare(Capture(r), def, 2), 0.95) << "pressed";
  // Away onto the caption's plain part and release there: no action.
  const RECT window = WindowRect(form.Handle());
  input::MoveTo(window.left + 200, window.top + 8);
  input::Release(window.left + 200, window.top + 8);
  Pump(400);
  EXPECT_EQ(close_queries, 0);
  EXPECT_TRUE(IsWindowVisible(form.Handle()));
  EXPECT_GT(CellShare(Capture(r), def, 1), 0.95) << "back to normal";

  input::Click(c.x, c.y);
  PumpUntil([&] { return !IsWindowVisible(form.Handle()); }, 2000);
  EXPECT_EQ(close_queries, 1);
  EXPECT_FALSE(IsWindowVisible(form.Handle()));
}

}  // namespace

namespace {

// The popup menu window of this process while one shows, or null.
HWND FindMenuWindow() {
  HWND menu = FindWindowW(L"#32768", nullptr);
  return menu && IsWindowVisible(menu) ? menu : nullptr;
}

HWND WaitForMenu(int timeout_ms = 3000) {
  for (int waited = 0; waited < timeout_ms; waited += 20) {
    if (HWND menu = FindMenuWindow()) return menu;
    input::Pause(20);
  }
  return nullptr;
}

// Index of `command` in the window's system menu: the skinned system menu
// shows the same items in the same order.
int SystemMenuIndex(HWND window, UINT command) {
  const HMENU menu = GetSystemMenu(window, FALSE);
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    if (GetMenuItemID(menu, i) == command) return i;
  }
  return -1;
}

// Clicks item `index` of the showing popup menu (run on a script thread).
bool ClickMenuItem(HWND menu_window, int index) {
  const auto menu =
      reinterpret_cast<HMENU>(SendMessageW(menu_window, 0x01E1 /* MN_GETHMENU */, 0, 0));
  RECT r{};
  if (!menu || !GetMenuItemRect(nullptr, menu, static_cast<UINT>(index), &r)) return false;
  const POINT c = Centre(r);
  input::MoveTo(c.x, c.y);
  input::Pause(60);
  input::Click(c.x, c.y);
  return true;
}

class CaptionCommandTest : public SkinEngineTest {};

TEST_F(CaptionCommandTest, MinimiseButtonMinimisesAndTheMainWindowShowsItAlone) {
  TForm& form = ShowSkinnedForm(2);
  TWinSkinForm& engine = *EngineOf(form.Handle());
  // No maximise box: no maximise button, and the lone minimise button of
  // the skin stands in the maximise button's place, next to close.
  EXPECT_EQ(VisibleButton(engine, 1), -1);
  const int minimise = VisibleButton(engine, 2);
  ASSERT_GE(minimise, 0);
  const int close = VisibleButton(engine, 0);
  const TRect m = engine.CaptionButton(minimise).Bounds;
  const TRect c = engine.CaptionButton(close).Bounds;
  EXPECT_LT(c.left - m.right, 8) << "beside the close button";
  const POINT at = HoverCaptionButton(engine, minimise);
  input::Click(at.x, at.y);
  EXPECT_TRUE(PumpUntil([&] { return IsIconic(form.Handle()) != 0; }, 2000));
  ShowWindow(form.Handle(), SW_RESTORE);
  Pump(200);
  const RECT client = ClientScreenRect(form.Handle());
  EXPECT_EQ(client.right - client.left, 533);
  EXPECT_EQ(client.bottom - client.top, 456);
}

TEST_F(CaptionCommandTest, SizableFormMaximisesByButtonAndCaptionDoubleClick) {
  TForm& form = ShowSkinnedForm(0, SizableStyle());
  const HWND window = form.Handle();
  TWinSkinForm& engine = *EngineOf(window);
  const int maximise = VisibleButton(engine, 1);
  ASSERT_GE(maximise, 0);
  const int restore_index = [&] {
    for (int i = 0; i < engine.CaptionButtonCount(); ++i) {
      const TDataSkinSysButton* d = engine.CaptionButton(i).Definition();
      if (d && d->Action == 1 && i != maximise) return i;
    }
    return -1;
  }();
  EXPECT_FALSE(engine.CaptionButton(restore_index).Visible) << "restore hidden while normal";
  const POINT at = HoverCaptionButton(engine, maximise);
  input::Click(at.x, at.y);
  ASSERT_TRUE(PumpUntil([&] { return IsZoomed(window) != 0; }, 2000));
  Pump(100);
  EXPECT_FALSE(engine.CaptionButton(maximise).Visible);
  EXPECT_TRUE(engine.CaptionButton(restore_index).Visible) << "restore takes its place";

  // A double click on the plain caption restores, another maximises again.
  const RECT r = WindowRect(window);
  const int x = r.left + (r.right - r.left) / 2, y = r.top + engine.Metrics().caption / 2;
  input::MoveTo(x, y);
  input::DoubleClick(x, y);
  ASSERT_TRUE(PumpUntil([&] { return !IsZoomed(window); }, 2000));
  Pump(150);
  const RECT r2 = WindowRect(window);
  const int x2 = r2.left + (r2.right - r2.left) / 2, y2 = r2.top + engine.Metrics().caption / 2;
  input::MoveTo(x2, y2);
  input::DoubleClick(x2, y2);
  EXPECT_TRUE(PumpUntil([&] { return IsZoomed(window) != 0; }, 2000));
}

TEST_F(CaptionCommandTest, WindowIconShowsAndADoubleClickOnItCloses) {
  TForm& form = MakeForm(MainLikeStyle());
  SendMessageW(form.Handle(), WM_SETICON, ICON_SMALL,
               reinterpret_cast<LPARAM>(LoadIconW(nullptr, IDI_APPLICATION)));
  TSkinData& data = MakeData(form, 1);
  data.SetActive(true);
  form.Show();
  SetForegroundWindow(form.Handle());
  ASSERT_TRUE(WaitSkinned(form.Handle()));
  int closes = 0;
  form.OnCloseQuery = [&](TObject*, bool&) { ++closes; };
  TWinSkinForm& engine = *EngineOf(form.Handle());
  const int icon = VisibleButton(engine, 3);
  ASSERT_GE(icon, 0);
  SaveShot(form.Handle(), "frame-nightfall-icon");
  const POINT at = HoverCaptionButton(engine, icon);
  // The first click opens the system menu; a double click closes.
  input::TScriptThread script([&] {
    if (HWND menu = WaitForMenu()) {
      input::Key(VK_ESCAPE);
      (void)menu;
    }
  });
  input::DoubleClick(at.x, at.y);
  EXPECT_TRUE(PumpUntil([&] { return closes > 0; }, 3000));
}

TEST_F(CaptionCommandTest, RightClickAndAltSpaceOpenTheSkinnedSystemMenuWhoseItemsWork) {
  TForm& form = ShowSkinnedForm(3);
  const HWND window = form.Handle();
  TWinSkinForm& engine = *EngineOf(window);
  const RECT r = WindowRect(window);
  const int x = r.left + 200, y = r.top + engine.Metrics().caption / 2;
  const int index = SystemMenuIndex(window, SC_MINIMIZE);
  ASSERT_GE(index, 0);
  bool clicked = false;
  bool active_during_menu = false;
  {
    input::TScriptThread script([&] {
      if (HWND menu = WaitForMenu()) {
        // The window keeps its active frame while its own menu shows.
        active_during_menu = GetForegroundWindow() == window;
        clicked = ClickMenuItem(menu, index);
      }
    });
    input::MoveTo(x, y);
    input::Click(x, y, true);
    PumpUntil([&] { return IsIconic(window) != 0; }, 3000);
  }
  EXPECT_TRUE(clicked);
  EXPECT_TRUE(active_during_menu);
  EXPECT_TRUE(IsIconic(window));
  ShowWindow(window, SW_RESTORE);
  SetForegroundWindow(window);
  Pump(700);  // past the double-click time

  // Alt+Space: the menu opens at the client area's top-left corner.
  RECT menu_rect{};
  {
    input::TScriptThread script([&] {
      if (HWND menu = WaitForMenu()) {
        GetWindowRect(menu, &menu_rect);
        input::Pause(150);
        RECT both = WindowRect(window);
        UnionRect(&both, &both, &menu_rect);
        SaveShot(both, "system-menu-contrast");
        input::Key(VK_ESCAPE);
      }
    });
    input::Chord(VK_MENU, VK_SPACE);
    PumpUntil([&] { return menu_rect.right != 0 && !FindMenuWindow(); }, 3000);
  }
  const RECT client = ClientScreenRect(window);
  EXPECT_NEAR(menu_rect.left, client.left, 2);
  EXPECT_NEAR(menu_rect.top, client.top, 2);
  EXPECT_FALSE(IsIconic(window));
}

}  // namespace

namespace {

class CaptionVisibilityTest : public SkinEngineTest {};

TEST_F(CaptionVisibilityTest, CloseButtonNeedsTheSystemMenu) {
  TFormStyle style = MainLikeStyle();
  style.border_icons = {};
  TForm& form = ShowSkinnedForm(2, style);
  TWinSkinForm& engine = *EngineOf(form.Handle());
  EXPECT_EQ(VisibleButton(engine, 0), -1);
  EXPECT_EQ(VisibleButton(engine, 2), -1);
  // With the system menu back the close button shows again.
  form.SetBorderIcons({biSystemMenu});
  TForm& other = ShowSkinnedForm(2, MainLikeStyle(L"With menu"));
  EXPECT_GE(VisibleButton(*EngineOf(other.Handle()), 0), 0);
}

TEST_F(CaptionVisibilityTest, ASecondRightClickOnAButtonWithinTheDoubleClickTimeCloses) {
  TForm& form = ShowSkinnedForm(2);
  int closes = 0;
  form.OnCloseQuery = [&](TObject*, bool&) { ++closes; };
  TWinSkinForm& engine = *EngineOf(form.Handle());
  const int minimise = VisibleButton(engine, 2);
  ASSERT_GE(minimise, 0);
  const POINT at = HoverCaptionButton(engine, minimise);
  ASSERT_EQ(engine.HotObject(), &engine.CaptionButton(minimise));
  // The first right click opens the system menu; the menu is left at once
  // and a second right click, still within the double-click time, closes
  // the window (as a double click on a system menu does).
  bool menu_seen = false;
  {
    input::TScriptThread script([&] {
      if (WaitForMenu()) {
        menu_seen = true;
        input::Key(VK_ESCAPE);
        for (int i = 0; i < 20 && FindMenuWindow(); ++i) input::Pause(10);
        input::Click(at.x, at.y, true);
      }
    });
    input::Click(at.x, at.y, true);
    PumpUntil([&] { return closes > 0; }, 3000);
  }
  EXPECT_TRUE(menu_seen);
  EXPECT_EQ(closes, 1);
}

}  // namespace
