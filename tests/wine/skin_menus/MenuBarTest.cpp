// The skinned menu bar under Wine: a form's menu drawn in the skinned
// frame, its drop-downs opened with the real mouse and keys, and moved
// between with the arrows and the mouse while one shows. Input for the
// menu's loop comes from a script thread, which also reads what shows.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "framework/BitmapWin32.h"
#include "framework/Menus.h"
#include "skin/data/SkinRender.h"
#include "skin/menu/SkinMenuBar.h"
#include "tests/wine/framework/MenuDriver.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"
#include "tests/wine/skin_menus/MenuTestSupport.h"
#include "tests/wine/support/InputScript.h"
#include "tests/wine/support/SettledMouse.h"

namespace {

using namespace std::chrono_literals;
using menu_test::LightShare;
using menu_test::ShownMenu;
using menu_test::WaitClosed;
using menu_test::WaitShown;

COLORREF Rgb(TColor colour) {
  return static_cast<COLORREF>(ColorToRGB(colour) & 0xFFFFFF);
}

bool Near(TColor a, COLORREF b, int tolerance = 8) {
  return std::abs(RedOf(a) - GetRValue(b)) <= tolerance &&
         std::abs(GreenOf(a) - GetGValue(b)) <= tolerance &&
         std::abs(BlueOf(a) - GetBValue(b)) <= tolerance;
}

class MenuBarTest : public menu_test::MenuTest {
 protected:
  // A sizable form with a menu of `fill`, skinned with stored skin `skin`.
  TForm& ShowWithMenu(int skin, const std::function<void(TMainMenu&)>& fill, DWORD ex_style = 0) {
    TForm& form = MakeForm(SizableStyle(L"Menu bar test"));
    menu_ = &OwnedComponent<TMainMenu>(form);
    fill(*menu_);
    form.SetMenu(menu_);
    if (ex_style) {
      const auto ex = GetWindowLongPtrW(form.Handle(), GWL_EXSTYLE);
      SetWindowLongPtrW(form.Handle(), GWL_EXSTYLE, ex | static_cast<LONG_PTR>(ex_style));
    }
    data_ = &MakeData(form, skin);
    data_->SetActive(true);
    form.Show();
    SetForegroundWindow(form.Handle());
    EXPECT_TRUE(WaitSkinned(form.Handle()));
    Pump(100);
    return form;
  }

  // File, Edit and View with drop-downs; `plain` adds a top-level item
  // without one.
  static void ThreeMenus(TMainMenu& menu, bool plain = false) {
    TMenuItem& file = menu.Items().Add(L"&File");
    file.Add(L"&Open").SetShortCutText(L"Ctrl+O");
    file.Add(L"-");
    file.Add(L"E&xit");
    TMenuItem& edit = menu.Items().Add(L"&Edit");
    edit.Add(L"&Copy");
    edit.Add(L"&Paste");
    TMenuItem& more = edit.Add(L"&More");
    more.Add(L"Deeper");
    TMenuItem& view = menu.Items().Add(L"&View");
    view.Add(L"&Large");
    view.Add(L"&Small");
    if (plain) menu.Items().Add(L"&Go");
  }

  TWinSkinMenu& Bar(TForm& form) {
    TWinSkinMenu* bar = EngineOf(form.Handle())->MenuBar();
    EXPECT_NE(bar, nullptr);
    return *bar;
  }

  HMENU Submenu(TForm& form, int index) { return Bar(form).Button(index)->Submenu; }

  RECT ButtonRect(TForm& form, int index) {
    const RECT window = WindowRect(form.Handle());
    const TRect b = Bar(form).Button(index)->Bounds;
    return RECT{window.left + b.left, window.top + b.top, window.left + b.right,
                window.top + b.bottom};
  }

  RECT BarRect(TForm& form) {
    TWinSkinForm& engine = *EngineOf(form.Handle());
    const RECT window = WindowRect(form.Handle());
    const TFrameMetrics& m = engine.Metrics();
    return RECT{window.left + m.left, window.top + m.caption, window.right - m.right,
                window.top + m.caption + engine.MenuBarHeight()};
  }

  TMainMenu* menu_ = nullptr;
  TSkinData* data_ = nullptr;
};

// Share of the outline pixels of `r` (screen) that show `colour`.
double OutlineShare(const RECT& r, COLORREF colour) {
  const TBitmap shot = Capture(r);
  int on = 0, all = 0;
  for (int x = 0; x < shot.Width(); ++x) {
    for (int y : {0, shot.Height() - 1}) {
      ++all;
      on += Near(shot.Pixel(x, y), colour, 6);
    }
  }
  return all ? static_cast<double>(on) / all : 0;
}

TEST_F(MenuBarTest, BarIsDrawnFromTheSkinWithHotAndPressedButtons) {
  for (int skin : {0, 1}) {
    SCOPED_TRACE(kSkinFiles[skin]);
    input::MoveTo(1, 1);
    TForm& form = ShowWithMenu(skin, [](TMainMenu& m) { ThreeMenus(m); });
    TWinSkinForm& engine = *EngineOf(form.Handle());
    // The system shows no menu bar of its own; the client sits under the
    // skin's caption and menu line.
    EXPECT_EQ(GetMenu(form.Handle()), nullptr);
    ASSERT_EQ(Bar(form).ButtonCount(), 3);
    EXPECT_EQ(ClientScreenRect(form.Handle()).top, BarRect(form).bottom);

    // The bar's end, where no button stands, shows the skin's menu bar
    // image (active cell).
    const TDataSkinObject* object = data_->Object(ssMenuBar);
    ASSERT_NE(object, nullptr);
    const RECT bar = BarRect(form);
    const TBitmap expected = RenderSkinPart(
        bar.right - bar.left, bar.bottom - bar.top, object->Bitmap,
        TSkinMargins{object->LeftWidth, 0, object->RightWidth, 0}, true, false, 2, 1);
    const int end = ButtonRect(form, 2).right - bar.left + 4;
    ASSERT_LT(end, bar.right - bar.left - 8);
    TBitmap want(bar.right - bar.left - end, bar.bottom - bar.top);
    want.CopyRect(want.BoundsRect(), expected, Bounds(end, 0, want.Width(), want.Height()));
    const TBitmap shot = Capture(RECT{bar.left + end, bar.top, bar.right, bar.bottom});
    EXPECT_GT(MatchingShare(shot, want), 0.9);

    // Captions in the skin's menu-bar text colour.
    const COLORREF text = Rgb(data_->Colours().MenuBarText);
    const TBitmap caption = Capture(ButtonRect(form, 0));
    int text_pixels = 0;
    for (int y = 0; y < caption.Height(); ++y) {
      for (int x = 0; x < caption.Width(); ++x) text_pixels += Near(caption.Pixel(x, y), text, 40);
    }
    EXPECT_GT(text_pixels, 10);

    // The mouse over a button frames it in the skin's highlight colour;
    // leaving takes the frame away.
    const COLORREF frame = Rgb(data_->Colours().ButtonHilight);
    const RECT edit = ButtonRect(form, 1);
    ASSERT_LT(OutlineShare(edit, frame), 0.5) << "the bar itself is not in the frame colour";
    MoveAndSettle(App(), Centre(edit));
    EXPECT_TRUE(PumpUntil([&] { return OutlineShare(edit, frame) > 0.9; }, 3000));
    SaveShot(form.Handle(), std::string("menubar_hot_") + kSkinFiles[skin]);
    MoveAndSettle(App(), POINT{bar.right - 4, bar.bottom + 60});
    EXPECT_TRUE(PumpUntil([&] { return OutlineShare(edit, frame) < 0.5; }, 3000));

    // Pressed: the drop-down shows under the framed button.
    const HMENU edit_menu = Submenu(form, 1);
    double pressed = 0, drop_down_light = 1;
    bool shown = false;
    Drive([&] {
      input::Click(Centre(edit).x, Centre(edit).y);
      shown = WaitShown(edit_menu);
      input::Pause(100);
      pressed = OutlineShare(edit, frame);
      if (HWND menu = input::VisibleMenuWindow()) {
        RECT r{};
        GetWindowRect(menu, &r);
        drop_down_light = LightShare(r);
      }
      SaveShot(WindowRect(form.Handle()), std::string("menubar_open_") + kSkinFiles[skin]);
      input::Key(VK_ESCAPE);
    });
    EXPECT_TRUE(shown);
    EXPECT_GT(pressed, 0.9);
    // The drop-down's items are drawn by the skin: dark under a dark skin.
    if (skin == 1) {
      EXPECT_LT(drop_down_light, 0.2);
    }
    EXPECT_FALSE(engine.MenuTracking());
    App().RemoveComponent(&form);  // the returned owner frees it here
    Pump(50);
  }
}

TEST_F(MenuBarTest, KeysOpenTheDropDownsAsOnAnUnskinnedWindow) {
  TForm& form = ShowWithMenu(2, [](TMainMenu& m) { ThreeMenus(m); });
  const HMENU file = Submenu(form, 0), edit = Submenu(form, 1), view = Submenu(form, 2);
  struct TSeen {
    bool alt_letter = false, first_selected = false, alt = false, f10 = false;
  } seen;
  Drive([&] {
    // Alt and a letter: that item's drop-down, its first item selected.
    input::Chord(VK_MENU, 'E');
    seen.alt_letter = WaitShown(edit);
    seen.first_selected =
        input::WaitFor([&] { return (GetMenuState(edit, 0, MF_BYPOSITION) & MF_HILITE) != 0; }, 3s);
    input::Key(VK_ESCAPE);
    WaitClosed();
    input::Pause(100);
    // Alt alone and F10: the first drop-down.
    input::Key(VK_MENU);
    seen.alt = WaitShown(file);
    input::Key(VK_ESCAPE);
    WaitClosed();
    input::Pause(100);
    input::Key(VK_F10);
    seen.f10 = WaitShown(file);
    input::Key(VK_ESCAPE);
  });
  EXPECT_TRUE(seen.alt_letter);
  EXPECT_TRUE(seen.first_selected);
  EXPECT_TRUE(seen.alt);
  EXPECT_TRUE(seen.f10);
  (void)view;
}

TEST_F(MenuBarTest, ArrowsAndTheMouseMoveBetweenDropDownsWrappingAtBothEnds) {
  TForm& form = ShowWithMenu(0, [](TMainMenu& m) { ThreeMenus(m); });
  const HMENU file = Submenu(form, 0), edit = Submenu(form, 1), view = Submenu(form, 2);
  std::vector<bool> steps;
  Drive([&] {
    input::Key(VK_F10);
    steps.push_back(WaitShown(file));
    input::Key(VK_LEFT);  // wraps to the last
    steps.push_back(WaitShown(view));
    input::Key(VK_RIGHT);  // wraps to the first
    steps.push_back(WaitShown(file));
    input::Key(VK_RIGHT);
    steps.push_back(WaitShown(edit));
    // Right on an item with a drop-down of its own opens that instead.
    input::Key(VK_DOWN);
    input::Key(VK_DOWN);  // Copy, Paste, More
    input::Pause(100);
    input::Key(VK_RIGHT);
    input::Pause(300);
    steps.push_back(ShownMenu() != view);
    input::Key(VK_ESCAPE);
    input::Pause(100);
    steps.push_back(ShownMenu() == edit);
    // The mouse over another button switches too.
    const RECT r = ButtonRect(form, 2);
    input::MoveTo(Centre(r).x - 1, Centre(r).y);
    input::Pause(50);
    input::MoveTo(Centre(r).x, Centre(r).y);
    steps.push_back(WaitShown(view));
    input::Key(VK_ESCAPE);
  });
  EXPECT_EQ(steps, std::vector<bool>(7, true));
}

TEST_F(MenuBarTest, RightToLeftBarsMirrorTheArrows) {
  TForm& form = ShowWithMenu(
      3, [](TMainMenu& m) { ThreeMenus(m); }, WS_EX_LEFTSCROLLBAR | WS_EX_RTLREADING);
  // The first button stands at the right.
  EXPECT_GT(ButtonRect(form, 0).left, ButtonRect(form, 1).left);
  const HMENU file = Submenu(form, 0), edit = Submenu(form, 1), view = Submenu(form, 2);
  std::vector<bool> steps;
  Drive([&] {
    input::Key(VK_F10);
    steps.push_back(WaitShown(file));
    input::Key(VK_LEFT);  // the neighbour on the left is the next one
    steps.push_back(WaitShown(edit));
    input::Key(VK_RIGHT);
    steps.push_back(WaitShown(file));
    input::Key(VK_RIGHT);  // wraps to the last
    steps.push_back(WaitShown(view));
    input::Key(VK_ESCAPE);
  });
  EXPECT_EQ(steps, std::vector<bool>(4, true));
}

TEST_F(MenuBarTest, ItemWithoutDropDownRunsItsCommandAndOpensNothing) {
  int clicks = 0;
  TForm& form = ShowWithMenu(0, [&](TMainMenu& m) {
    ThreeMenus(m, true);
    m.Items().Items(3)->OnClick = [&](TObject*) { ++clicks; };
  });
  ASSERT_EQ(Bar(form).ButtonCount(), 4);
  const RECT go = ButtonRect(form, 3);
  bool opened = false;
  Drive([&] {
    input::Click(Centre(go).x, Centre(go).y);
    opened = input::WaitFor([] { return input::VisibleMenuWindow() != nullptr; }, 700ms);
  });
  EXPECT_FALSE(opened);
  EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }, 2000));
  // Alt and its letter do the same.
  Drive([&] {
    input::Chord(VK_MENU, 'G');
    opened = input::WaitFor([] { return input::VisibleMenuWindow() != nullptr; }, 700ms);
  });
  EXPECT_FALSE(opened);
  EXPECT_TRUE(PumpUntil([&] { return clicks == 2; }, 2000));
}

TEST_F(MenuBarTest, MenuChangesAtRunTimeFollowMenuUpdate) {
  TForm& form = ShowWithMenu(1, [](TMainMenu& m) { ThreeMenus(m); });
  const RECT bar = BarRect(form);
  menu_->Items().Add(L"&Tools").Add(L"Options");
  Pump(100);
  ASSERT_EQ(Bar(form).ButtonCount(), 4);
  EXPECT_EQ(Bar(form).Button(3)->Caption, L"&Tools");
  EXPECT_EQ(GetMenu(form.Handle()), nullptr) << "the system's bar stays away";
  EXPECT_EQ(ClientScreenRect(form.Handle()).top, bar.bottom);
  // The new button opens its drop-down.
  const HMENU tools = Submenu(form, 3);
  bool shown = false;
  Drive([&] {
    input::Chord(VK_MENU, 'T');
    shown = WaitShown(tools);
    input::Key(VK_ESCAPE);
  });
  EXPECT_TRUE(shown);
  // A disabled item shows disabled; with MenuUpdate off the bar keeps its
  // buttons.
  menu_->Items().Items(1)->SetEnabled(false);
  Pump(100);
  EXPECT_FALSE(Bar(form).Button(1)->Enabled);
  data_->SetMenuUpdate(false);
  menu_->Items().Add(L"&Help");
  Pump(100);
  EXPECT_EQ(Bar(form).ButtonCount(), 4);
  EXPECT_EQ(GetMenu(form.Handle()), nullptr);
  // A form whose menu goes away has no buttons left to open.
  data_->SetMenuUpdate(true);
  form.SetMenu(nullptr);
  Pump(100);
  EXPECT_EQ(Bar(form).ButtonCount(), 0);
  SaveShot(form.Handle(), "menubar_changed");
}

TEST_F(MenuBarTest, NoSystemLineShowsUnderADarkBar) {
  TForm& form = ShowWithMenu(1, [](TMainMenu& m) { ThreeMenus(m); });
  const RECT bar = BarRect(form);
  auto light_pixels = [&] {
    // The bar's last row and the client's first.
    const TBitmap rows = Capture(RECT{bar.left, bar.bottom - 1, bar.right, bar.bottom + 1});
    int light = 0;
    for (int y = 0; y < rows.Height(); ++y) {
      for (int x = 0; x < rows.Width(); ++x) {
        const TColor p = rows.Pixel(x, y);
        light += RedOf(p) > 200 && GreenOf(p) > 200 && BlueOf(p) > 200;
      }
    }
    return light;
  };
  EXPECT_EQ(light_pixels(), 0);
  // Deactivated and activated again, repainted by the system's messages.
  TForm& other = MakeForm(MainLikeStyle(L"Other"));
  other.Show();
  SetForegroundWindow(other.Handle());
  Pump(200);
  EXPECT_EQ(light_pixels(), 0);
  SetForegroundWindow(form.Handle());
  Pump(200);
  RedrawWindow(form.Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  Pump(100);
  EXPECT_EQ(light_pixels(), 0);
  SaveShot(form.Handle(), "menubar_nightfall_line");
}

TEST_F(MenuBarTest, DetachGivesTheSystemBarBackAndAttachTakesItAgain) {
  TForm& form = ShowWithMenu(0, [](TMainMenu& m) { ThreeMenus(m); });
  const RECT client = ClientScreenRect(form.Handle());
  data_->SetActive(false);
  Flush();
  Pump(200);
  EXPECT_EQ(GetMenu(form.Handle()), menu_->Handle());
  const RECT plain = ClientScreenRect(form.Handle());
  EXPECT_EQ(plain.right - plain.left, client.right - client.left);
  EXPECT_EQ(plain.bottom - plain.top, client.bottom - client.top);
  data_->SetActive(true);
  Flush();
  ASSERT_TRUE(WaitSkinned(form.Handle()));
  Pump(100);
  EXPECT_EQ(GetMenu(form.Handle()), nullptr);
  ASSERT_EQ(Bar(form).ButtonCount(), 3);
  const HMENU file = Submenu(form, 0);
  bool shown = false;
  Drive([&] {
    input::Key(VK_F10);
    shown = WaitShown(file);
    input::Key(VK_ESCAPE);
  });
  EXPECT_TRUE(shown);
}

TEST_F(MenuBarTest, HundredsOfItemsAndEmptyCaptionsStayInsideTheBar) {
  TForm& form = ShowWithMenu(4, [](TMainMenu& m) {
    m.Items().Add(L"").Add(L"Under no caption");
    for (int i = 0; i < 300; ++i) m.Items().Add(L"&Item " + std::to_wstring(i)).Add(L"Entry");
  });
  TWinSkinMenu& bar = Bar(form);
  ASSERT_EQ(bar.ButtonCount(), 301);
  const RECT line = BarRect(form);
  const RECT window = WindowRect(form.Handle());
  for (int i = 0; i < bar.ButtonCount(); ++i) {
    const TRect& b = bar.Button(i)->Bounds;
    EXPECT_GE(b.left + window.left, line.left) << i;
    EXPECT_LE(b.right + window.left, line.right) << i;
  }
  // The empty caption is never hit; the last button lies past the bar.
  EXPECT_EQ(bar.Button(0)->Bounds.Width(), 0);
  EXPECT_EQ(bar.Button(300)->Bounds.Width(), 0);
  // The keyboard still reaches a button past the bar's end: Left from the
  // first wraps to the last.
  const HMENU empty = bar.Button(0)->Submenu, first = bar.Button(1)->Submenu,
              last = bar.Button(300)->Submenu;
  std::vector<bool> steps;
  Drive([&] {
    input::Chord(VK_MENU, 'I');
    steps.push_back(WaitShown(first));
    input::Key(VK_LEFT);
    steps.push_back(WaitShown(empty));
    input::Key(VK_LEFT);
    steps.push_back(WaitShown(last));
    input::Key(VK_ESCAPE);
  });
  EXPECT_EQ(steps, std::vector<bool>(3, true));
  SaveShot(form.Handle(), "menubar_crowded");
}

TEST_F(MenuBarTest, WindowEndAndSkinSwitchWhileADropDownShows) {
  TForm& form = ShowWithMenu(0, [](TMainMenu& m) { ThreeMenus(m); });
  const HMENU file = Submenu(form, 0);
  // A skin switch asked for inside the drop-down's loop (a timer there)
  // waits until the drop-down has closed.
  static TSkinData* data = nullptr;
  static TSkinStore* store = nullptr;
  data = data_;
  store = &Store();
  SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    data->LoadFromSkinStore(store, 1);
  });
  bool shown = false;
  Drive([&] {
    input::Key(VK_F10);
    shown = WaitShown(file);
    input::Pause(900);
    shown = shown && ShownMenu() == file;
    input::Key(VK_ESCAPE);
  });
  EXPECT_TRUE(shown) << "the drop-down stayed while the switch waited";
  Pump(600);
  EXPECT_TRUE(WaitSkinned(form.Handle()));
  ASSERT_NE(EngineOf(form.Handle())->MenuBar(), nullptr);
  EXPECT_EQ(Bar(form).ButtonCount(), 3);

  // The window ends while its drop-down shows: a timer inside the menu's
  // loop destroys it.
  static HWND doomed = nullptr;
  doomed = form.Handle();
  SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    DestroyWindow(doomed);
  });
  const HMENU again = Submenu(form, 0);
  bool ended = false;
  Drive([&] {
    input::Key(VK_F10);
    WaitShown(again);
    ended = input::WaitFor([] { return !IsWindow(doomed); }, 5s);
  });
  EXPECT_TRUE(ended);
  Pump(300);
  EXPECT_EQ(input::VisibleMenuWindow(), nullptr);
}

}  // namespace
