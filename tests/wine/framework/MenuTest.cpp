// Menus on real windows: the handle built from the items, the menu bar of a
// form, popup menus driven with real keys and clicks, and owner drawing by
// the plain painter or by the caller's events, read back from the screen.
// Only relative things are compared (which colours show where), never the
// fonts' exact metrics.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "framework/Application.h"
#include "framework/Dpi.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/GdiObjects.h"
#include "framework/HandleCount.h"
#include "framework/ImageList.h"
#include "framework/MenuPainter.h"
#include "framework/Menus.h"
#include "framework/Screen.h"
#include "framework/Timer.h"
#include "tests/wine/framework/InputSupport.h"
#include "tests/wine/framework/MenuDriver.h"

namespace {

using namespace std::chrono_literals;
using input::TMenuDriver;

MENUITEMINFOW ItemInfo(HMENU menu, int position, std::wstring* text = nullptr) {
  wchar_t buffer[128] = {};
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU | MIIM_STRING;
  info.dwTypeData = buffer;
  info.cch = 127;
  GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
  if (text) *text = buffer;
  return info;
}

TFormStyle SmallForm() {
  TFormStyle style;
  style.caption = L"Menu test";
  style.client_width = 300;
  style.client_height = 200;
  return style;
}

// --- items and handle

TEST(Menu, HandleHoldsTheItemsWithTheirStates) {
  TPopupMenu menu(nullptr);
  TMenuItem& open = menu.Items().Add(L"&Open");
  open.SetShortCutText(L"CTRL+O");
  TMenuItem& line = menu.Items().Add(L"-");
  TMenuItem& off = menu.Items().Add(L"Off");
  off.SetEnabled(false);
  TMenuItem& ticked = menu.Items().Add(L"Ticked");
  ticked.SetChecked(true);
  TMenuItem& sub = menu.Items().Add(L"More");
  TMenuItem& first = sub.Add(L"First");
  sub.Add(L"Second");

  EXPECT_TRUE(line.IsLine());
  EXPECT_EQ(first.Parent(), &sub);
  EXPECT_EQ(first.Menu(), &menu);
  EXPECT_EQ(menu.Items().Count(), 5);
  EXPECT_EQ(menu.Items().Items(2), &off);
  EXPECT_THROW(menu.Items().Items(5), EListError);

  HMENU h = menu.Handle();
  ASSERT_NE(h, nullptr);
  ASSERT_EQ(GetMenuItemCount(h), 5);
  std::wstring text;
  MENUITEMINFOW info = ItemInfo(h, 0, &text);
  EXPECT_EQ(text, L"&Open\tCTRL+O");
  EXPECT_EQ(info.wID, open.Command());
  // Screen readers find the item's text at the start of its data.
  const auto* msaa = reinterpret_cast<const MSAAMENUINFO*>(info.dwItemData);
  ASSERT_NE(msaa, nullptr);
  EXPECT_EQ(msaa->dwMSAASignature, static_cast<DWORD>(MSAA_MENU_SIG));
  EXPECT_EQ(std::wstring(msaa->pszWText, msaa->cchWText), L"&Open\tCTRL+O");
  EXPECT_EQ(info.fState & (MFS_GRAYED | MFS_CHECKED), 0u);
  EXPECT_TRUE(ItemInfo(h, 1).fType & MFT_SEPARATOR);
  EXPECT_TRUE(ItemInfo(h, 2).fState & MFS_GRAYED);
  EXPECT_TRUE(ItemInfo(h, 3).fState & MFS_CHECKED);
  HMENU sub_handle = ItemInfo(h, 4).hSubMenu;
  ASSERT_NE(sub_handle, nullptr);
  ASSERT_EQ(GetMenuItemCount(sub_handle), 2);
  EXPECT_EQ(ItemInfo(sub_handle, 0).wID, first.Command());

  // Every item has its own command number.
  std::vector<UINT> commands{open.Command(), off.Command(),   ticked.Command(),
                             sub.Command(),  first.Command(), sub.Items(1)->Command()};
  std::sort(commands.begin(), commands.end());
  EXPECT_EQ(std::adjacent_find(commands.begin(), commands.end()), commands.end());

  // Changes reach a new handle; owner drawing covers every item.
  open.SetEnabled(false);
  ticked.SetChecked(false);
  menu.SetOwnerDraw(true);
  h = menu.Handle();
  EXPECT_TRUE(ItemInfo(h, 0).fState & MFS_GRAYED);
  EXPECT_FALSE(ItemInfo(h, 3).fState & MFS_CHECKED);
  EXPECT_TRUE(ItemInfo(h, 0).fType & MFT_OWNERDRAW);
  EXPECT_TRUE(ItemInfo(h, 1).fType & MFT_OWNERDRAW);
  EXPECT_TRUE(ItemInfo(ItemInfo(h, 4).hSubMenu, 1).fType & MFT_OWNERDRAW);

  // Cleared sub-items leave the handle and give their numbers back.
  const UINT first_command = first.Command();
  sub.Clear();
  EXPECT_EQ(sub.Count(), 0);
  EXPECT_FALSE(Screen().MenuCommands().Held(first_command));
  EXPECT_EQ(ItemInfo(menu.Handle(), 4).hSubMenu, nullptr);
  EXPECT_EQ(menu.FindItem(first_command), nullptr);
  EXPECT_EQ(menu.FindItem(off.Command()), &off);
}

TEST(Menu, ItemsArePublishedByName) {
  TPopupMenu menu(nullptr);
  TMenuItem& item = menu.Items().Add(L"x");
  ASSERT_TRUE(SetPropText(item, "Caption", "\xE6\x89\x93\xE5\xBC\x80"));  // 打开
  EXPECT_EQ(item.Caption(), L"\u6253\u5F00");
  EXPECT_EQ(GetTextProp(item, "Caption"), "\xE6\x89\x93\xE5\xBC\x80");
  ASSERT_TRUE(SetPropText(item, "Enabled", "False"));
  ASSERT_TRUE(SetPropText(item, "Checked", "True"));
  ASSERT_TRUE(SetIntProp(item, "ImageIndex", 3));
  ASSERT_TRUE(SetIntProp(item, "Tag", 42));
  EXPECT_FALSE(item.Enabled());
  EXPECT_TRUE(item.Checked());
  EXPECT_EQ(item.ImageIndex(), 3);
  EXPECT_EQ(item.Tag(), 42);
  const MENUITEMINFOW info = ItemInfo(menu.Handle(), 0);
  EXPECT_TRUE(info.fState & MFS_GRAYED);
  EXPECT_TRUE(info.fState & MFS_CHECKED);
}

TEST(Menu, DispatchAnswersOnlyForItsOwnItems) {
  TPopupMenu menu(nullptr);
  TPopupMenu other(nullptr);
  int clicks = 0;
  TMenuItem& mine = menu.Items().Add(L"Mine");
  mine.OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, &mine);
    ++clicks;
  };
  TMenuItem& theirs = other.Items().Add(L"Theirs");
  menu.SetOwnerDraw(true);

  MEASUREITEMSTRUCT measure{};
  measure.CtlType = ODT_MENU;
  measure.itemData = ItemInfo(other.Handle(), 0).dwItemData;
  EXPECT_FALSE(menu.DispatchMeasureItem(measure));
  measure.itemData = ItemInfo(menu.Handle(), 0).dwItemData;
  ASSERT_TRUE(menu.DispatchMeasureItem(measure));
  EXPECT_GT(measure.itemWidth, 0u);
  EXPECT_GT(measure.itemHeight, 0u);
  measure.CtlType = ODT_BUTTON;
  EXPECT_FALSE(menu.DispatchMeasureItem(measure));

  EXPECT_FALSE(menu.DispatchCommand(theirs.Command()));
  EXPECT_TRUE(menu.DispatchCommand(mine.Command()));
  EXPECT_EQ(clicks, 1);
  // A disabled item does not run.
  mine.SetEnabled(false);
  EXPECT_TRUE(menu.DispatchCommand(mine.Command()));
  EXPECT_EQ(clicks, 1);
}

// --- menu bar

TEST(MainMenu, FormShowsTheBarAndFollowsItsChanges) {
  TApplication app(nullptr);
  auto form = MakeComponent<TForm>(SmallForm());
  int changes = 0;
  TWndMethod previous = form->WindowProc;
  form->WindowProc = [&](TMessage& m) {
    if (m.Msg == CM_MENUCHANGED) ++changes;
    previous(m);
  };
  auto menu = MakeComponent<TMainMenu>();
  TMenuItem& file = menu->Items().Add(L"&File");
  file.Add(L"&Open");

  form->SetMenu(menu.get());
  EXPECT_EQ(form->Menu(), menu.get());
  EXPECT_EQ(menu->Form(), form.get());
  EXPECT_EQ(GetObjectProp(*form, "Menu"), menu.get());
  EXPECT_EQ(GetMenu(form->Handle()), menu->Handle());
  EXPECT_EQ(changes, 1);

  menu->Items().Add(L"&Help");
  EXPECT_EQ(changes, 2);
  ASSERT_EQ(GetMenu(form->Handle()), menu->Handle());
  EXPECT_EQ(GetMenuItemCount(GetMenu(form->Handle())), 2);

  // The client size holds with the bar in place.
  form->SetClientHeight(150);
  EXPECT_EQ(form->ClientHeight(), 150);

  // A command from the bar reaches its item through the form.
  int help_clicks = 0;
  menu->Items().Items(1)->OnClick = [&](TObject*) { ++help_clicks; };
  SendMessageW(form->Handle(), WM_COMMAND, menu->Items().Items(1)->Command(), 0);
  EXPECT_EQ(help_clicks, 1);

  // The menu going takes the bar off the window.
  menu.reset();
  EXPECT_EQ(form->Menu(), nullptr);
  EXPECT_EQ(GetMenu(form->Handle()), nullptr);
  EXPECT_EQ(changes, 3);

  // The form going leaves the menu and its handle whole.
  TMainMenu kept(nullptr);
  kept.Items().Add(L"&Edit");
  form->SetMenu(&kept);
  HMENU handle = kept.Handle();
  form.reset();
  EXPECT_EQ(kept.Form(), nullptr);
  EXPECT_TRUE(IsMenu(handle));
}

TEST(MainMenu, OwnerDrawnBarOpensAndRunsAnItemWithRealClicks) {
  TApplication app(nullptr);
  auto form = MakeComponent<TForm>(SmallForm());
  TMainMenu& menu = OwnedComponent<TMainMenu>(*form);
  menu.SetOwnerDraw(true);  // the form answers the measuring and drawing
  TMenuItem& file = menu.Items().Add(L"&File");
  TMenuItem& open = file.Add(L"&Open");
  TMenuItem& quit = file.Add(L"E&xit");
  int open_clicks = 0, quit_clicks = 0;
  open.OnClick = [&](TObject*) { ++open_clicks; };
  quit.OnClick = [&](TObject*) { ++quit_clicks; };
  form->SetMenu(&menu);
  input::ShowOnTop(app, *form);

  RECT bar_item{};
  ASSERT_TRUE(GetMenuItemRect(form->Handle(), GetMenu(form->Handle()), 0, &bar_item));
  ASSERT_GT(bar_item.right - bar_item.left, 0);
  // The plain painter draws the bar's caption through the form.
  EXPECT_TRUE(PumpUntil(
      app, [&] { return input::CountColour(bar_item, input::SysColour(COLOR_MENUTEXT)) > 0; }, 3s));
  HMENU dropdown = GetSubMenu(GetMenu(form->Handle()), 0);
  ASSERT_NE(dropdown, nullptr);
  // The hand clicks while this thread goes on with its messages, as it
  // would for a person.
  std::thread hand([&] {
    input::ClickAt((bar_item.left + bar_item.right) / 2, (bar_item.top + bar_item.bottom) / 2);
  });
  TMenuDriver driver([&](HWND) { input::ClickItem(dropdown, 1); });
  EXPECT_TRUE(PumpUntil(
      app, [&] { return quit_clicks > 0; }, 8s));
  hand.join();
  driver.Join();
  input::PumpFor(app, 100ms);
  EXPECT_TRUE(driver.Shown());
  EXPECT_FALSE(driver.LeftOpen());
  EXPECT_EQ(quit_clicks, 1);
  EXPECT_EQ(open_clicks, 0);
}

// Items that change while the bar's menu shows (here from a timer, which
// the menu's loop keeps running) must not pull the showing handle away.
TEST(MainMenu, TheShowingHandleStaysWhileItemsChange) {
  TApplication app(nullptr);
  auto form = MakeComponent<TForm>(SmallForm());
  TMainMenu& menu = OwnedComponent<TMainMenu>(*form);
  TMenuItem& file = menu.Items().Add(L"&File");
  TMenuItem& toggled = file.Add(L"&Toggled");
  TMenuItem& quit = file.Add(L"E&xit");
  std::atomic<int> quit_clicks{0};
  quit.OnClick = [&](TObject*) { ++quit_clicks; };
  form->SetMenu(&menu);
  input::ShowOnTop(app, *form);
  RECT bar_item{};
  ASSERT_TRUE(GetMenuItemRect(form->Handle(), GetMenu(form->Handle()), 0, &bar_item));

  auto& timer = OwnedComponent<TTimer>(app);
  std::atomic<int> ticks{0};
  timer.OnTimer = [&](TObject*) {
    toggled.SetChecked(!toggled.Checked());
    ++ticks;
  };
  timer.SetInterval(20);

  std::atomic<bool> kept{false};
  std::thread hand([&] {
    input::ClickAt((bar_item.left + bar_item.right) / 2, (bar_item.top + bar_item.bottom) / 2);
  });
  TMenuDriver driver([&](HWND) {
    HMENU shown_bar = GetMenu(form->Handle());
    HMENU dropdown = GetSubMenu(shown_bar, 0);
    const int from = ticks;
    input::WaitFor([&] { return ticks >= from + 5; }, 3s);
    kept = ticks >= from + 5 && IsMenu(dropdown) && GetMenu(form->Handle()) == shown_bar;
    input::ClickItem(dropdown, 1);
  });
  EXPECT_TRUE(PumpUntil(
      app, [&] { return quit_clicks > 0; }, 8s));
  timer.SetEnabled(false);
  hand.join();
  driver.Join();
  EXPECT_TRUE(kept);
  EXPECT_EQ(quit_clicks, 1);

  // Once the menu has closed, the window has the items as they are now.
  input::PumpFor(app, 100ms);
  HMENU now = GetSubMenu(GetMenu(form->Handle()), 0);
  ASSERT_NE(now, nullptr);
  EXPECT_EQ((ItemInfo(now, 0).fState & MFS_CHECKED) != 0, toggled.Checked());
}

// --- popup menus

struct PopupFixture {
  PopupFixture() {
    for (int i = 0; i < 3; ++i) {
      TMenuItem& item = menu.Items().Add(std::wstring(L"Item ") + static_cast<wchar_t>(L'A' + i));
      item.OnClick = [this, i](TObject*) {
        ++clicks[i];
        // The menu has closed before the handler runs.
        menu_open_in_click = menu_open_in_click || input::VisibleMenuWindow() != nullptr;
      };
    }
  }
  int TotalClicks() const { return clicks[0] + clicks[1] + clicks[2]; }

  TApplication app{nullptr};
  TPopupMenu menu{nullptr};
  int clicks[3] = {0, 0, 0};
  bool menu_open_in_click = false;
};

// Shows `menu` at (x, y) while `script` plays the user; the menu must show
// and the script must close it.
void PlayPopup(TPopupMenu& menu, int x, int y, TMenuDriver::Script script) {
  TMenuDriver driver(std::move(script));
  menu.Popup(x, y);
  driver.Join();
  EXPECT_TRUE(driver.Shown());
  EXPECT_FALSE(driver.LeftOpen());
}

TEST(PopupMenu, KeysChooseAnItemThatRunsOnceAfterTheMenuClosed) {
  PopupFixture f;
  int popups = 0;
  bool open_at_popup = true;
  f.menu.OnPopup = [&](TObject* sender) {
    EXPECT_EQ(sender, &f.menu);
    ++popups;
    open_at_popup = input::VisibleMenuWindow() != nullptr;
  };
  PlayPopup(f.menu, 200, 200, [](HWND) {
    input::Key(VK_DOWN);
    input::Key(VK_DOWN);
    input::Key(VK_RETURN);
  });
  // The handler ran by the time the menu call returned.
  EXPECT_EQ(popups, 1);
  EXPECT_FALSE(open_at_popup);
  EXPECT_EQ(f.clicks[1], 1);
  EXPECT_EQ(f.TotalClicks(), 1);
  EXPECT_FALSE(f.menu_open_in_click);
  // Nothing else arrives later through the message loop.
  input::PumpFor(f.app, 200ms);
  EXPECT_EQ(f.TotalClicks(), 1);
}

TEST(PopupMenu, AMouseClickOnAnItemRunsIt) {
  PopupFixture f;
  HMENU handle = f.menu.Handle();
  PlayPopup(f.menu, 240, 180, [&](HWND) { input::ClickItem(handle, 2); });
  input::PumpFor(f.app, 200ms);
  EXPECT_EQ(f.clicks[2], 1);
  EXPECT_EQ(f.TotalClicks(), 1);
  EXPECT_FALSE(f.menu_open_in_click);
}

TEST(PopupMenu, EscapeAndAClickOutsideRunNothing) {
  PopupFixture f;
  PlayPopup(f.menu, 200, 200, [](HWND) {
    input::Key(VK_DOWN);
    input::Key(VK_ESCAPE);
  });
  PlayPopup(f.menu, 200, 200, [](HWND menu_window) {
    RECT r;
    GetWindowRect(menu_window, &r);
    input::ClickAt(r.right + 150, r.bottom + 150);
  });
  input::PumpFor(f.app, 200ms);
  EXPECT_EQ(f.TotalClicks(), 0);
}

// A popup menu freed by a handler running inside its own loop (here a
// timer; a closing form does the same) closes, and its Popup call returns
// without running an item or touching the freed menu.
TEST(PopupMenu, AMenuFreedWhileItShowsClosesAndRunsNothing) {
  TApplication app{nullptr};
  auto menu = std::make_unique<TPopupMenu>(nullptr);
  int clicks = 0;
  menu->Items().Add(L"Item A").OnClick = [&](TObject*) { ++clicks; };
  menu->Items().Add(L"Item B").OnClick = [&](TObject*) { ++clicks; };
  TPopupMenu* showing = menu.get();
  auto& timer = OwnedComponent<TTimer>(app);
  std::atomic<bool> freed{false};
  timer.OnTimer = [&](TObject*) {
    if (!input::VisibleMenuWindow()) return;
    timer.SetEnabled(false);
    menu.reset();
    freed = true;
  };
  timer.SetInterval(50);
  std::atomic<bool> open_after_free{true};
  TMenuDriver driver([&](HWND) {
    if (!input::WaitFor([&] { return freed.load(); }, 3s)) return;
    open_after_free = !input::WaitFor([] { return input::VisibleMenuWindow() == nullptr; }, 1s);
  });
  showing->Popup(200, 200);
  driver.Join();
  EXPECT_TRUE(freed);
  EXPECT_FALSE(open_after_free) << "the freed menu stayed on screen";
  input::PumpFor(app, 200ms);
  EXPECT_EQ(input::VisibleMenuWindow(), nullptr);
  EXPECT_EQ(clicks, 0);
}

// A window of another thread, in front of this thread's windows; it counts
// the keys it gets.
class TFrontWindow {
 public:
  TFrontWindow()
      : thread_([this] {
          HWND w = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE | WS_BORDER, 600, 500,
                                   200, 60, nullptr, nullptr, nullptr, nullptr);
          hwnd_ = w;
          MSG msg;
          while (!stop_) {
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
              if (msg.message == WM_KEYDOWN) ++keys_;
              if (msg.message == WM_APP) SetForegroundWindow(w);
              DispatchMessageW(&msg);
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
          }
          DestroyWindow(w);
        }) {}
  ~TFrontWindow() {
    stop_ = true;
    thread_.join();
  }
  // Asks the window's thread to take the foreground; true once it has.
  bool ComeToFront() {
    if (!input::WaitFor([&] { return hwnd_.load() != nullptr; }, 5s)) return false;
    PostMessageW(hwnd_, WM_APP, 0, 0);
    return input::WaitFor([&] { return GetForegroundWindow() == hwnd_.load(); }, 5s);
  }
  int Keys() const { return keys_; }

 private:
  std::atomic<HWND> hwnd_{nullptr};
  std::atomic<bool> stop_{false};
  std::atomic<int> keys_{0};
  std::thread thread_;
};

TEST(PopupMenu, WorksWhileAnotherThreadsWindowIsInFront) {
  PopupFixture f;
  TFrontWindow front;
  ASSERT_TRUE(front.ComeToFront());

  // While the menu shows, its thread is the foreground one: on Windows the
  // keys and an outside click reach the menu only then.
  const DWORD menu_thread = GetCurrentThreadId();
  std::atomic<bool> menu_in_front{false};
  std::atomic<HWND> front_window{nullptr};
  PlayPopup(f.menu, 200, 200, [&](HWND) {
    front_window = GetForegroundWindow();
    menu_in_front = GetWindowThreadProcessId(front_window, nullptr) == menu_thread;
    input::Key(VK_DOWN);
    input::Key(VK_RETURN);
  });
  EXPECT_TRUE(menu_in_front);
  EXPECT_EQ(front_window.load(), f.menu.WindowHandle());  // the menu's owner
  EXPECT_EQ(f.clicks[0], 1);
  EXPECT_EQ(f.TotalClicks(), 1);

  // Behind the other window again: a click outside closes the menu.
  ASSERT_TRUE(front.ComeToFront());
  PlayPopup(f.menu, 200, 200, [&](HWND menu_window) {
    RECT r;
    GetWindowRect(menu_window, &r);
    input::ClickAt(r.right + 150, r.top + 5);
  });
  // The outside click itself stays queued for whatever lies under it, as
  // the message loop would hand it on.
  input::PumpFor(f.app, 200ms);
  EXPECT_EQ(f.TotalClicks(), 1);
  EXPECT_EQ(front.Keys(), 0);
}

// --- owner drawing

// Pixels of `colour` in the part of `rect` between the fractions `from`
// and `to` of its width.
int ColourIn(const RECT& rect, double from, double to, TColor colour) {
  const LONG w = rect.right - rect.left;
  const RECT part{rect.left + static_cast<LONG>(w * from), rect.top,
                  rect.left + static_cast<LONG>(w * to), rect.bottom};
  return input::CountColour(part, colour);
}

TEST(OwnerDraw, ThePlainPainterShowsStatesChecksImagesAndShortCuts) {
  TApplication app(nullptr);
  TPopupMenu menu(nullptr);
  menu.SetOwnerDraw(true);
  TImageList images(16, 16);
  TBitmap strip(32, 16, clFuchsia);
  strip.FillRect({2, 2, 14, 14}, clRed);
  strip.FillRect({18, 2, 30, 14}, clRed);
  images.AddMasked(strip, clFuchsia);
  menu.SetImages(&images);

  menu.Items().Add(L"Plain item");                    // 0
  menu.Items().Add(L"Plain item").SetEnabled(false);  // 1
  menu.Items().Add(L"Plain item").SetChecked(true);   // 2
  menu.Items().Add(L"-");                             // 3
  menu.Items().Add(L"Plain item").SetImageIndex(0);   // 4
  TMenuItem& grey_image = menu.Items().Add(L"Plain item");
  grey_image.SetImageIndex(1);  // 5
  grey_image.SetEnabled(false);
  menu.Items().Add(L"Plain item").SetShortCutText(L"ALT+F4");  // 6
  HMENU handle = menu.Handle();

  const TColor text = input::SysColour(COLOR_MENUTEXT);
  const TColor grey = input::SysColour(COLOR_GRAYTEXT);
  const TColor background = input::SysColour(COLOR_MENU);
  const TColor highlight = input::SysColour(COLOR_HIGHLIGHT);
  ASSERT_NE(text, grey);
  ASSERT_NE(background, highlight);
  RECT rows[7];
  int text_in[7], grey_in[7], gutter_text[7], gutter_red[7], right_text[7];
  int highlight_before = -1, highlight_after = -1, line_rows = 0;
  PlayPopup(menu, 100, 100, [&](HWND) {
    for (int i = 0; i < 7; ++i) rows[i] = input::ItemRect(handle, i);
    // Painted once the first caption shows.
    input::WaitFor([&] { return ColourIn(rows[0], 0.2, 0.8, text) > 0; }, 3s);
    for (int i = 0; i < 7; ++i) {
      text_in[i] = ColourIn(rows[i], 0.15, 0.6, text);
      grey_in[i] = ColourIn(rows[i], 0.15, 0.6, grey);
      gutter_text[i] = ColourIn(rows[i], 0.0, 0.12, text);
      gutter_red[i] = ColourIn(rows[i], 0.0, 0.15, clRed);
      right_text[i] = ColourIn(rows[i], 0.7, 1.0, text);
    }
    line_rows = input::CountColour(rows[3], background) <
                (rows[3].right - rows[3].left) * (rows[3].bottom - rows[3].top);
    highlight_before = input::CountColour(rows[0], highlight);
    input::Key(VK_DOWN);
    input::WaitFor([&] { return input::CountColour(rows[0], highlight) > 0; }, 3s);
    highlight_after = input::CountColour(rows[0], highlight);
    input::Key(VK_ESCAPE);
  });

  // Every row has a height of its own, the line its own smaller one.
  for (int i = 0; i < 7; ++i) EXPECT_GT(rows[i].bottom - rows[i].top, 0) << i;
  EXPECT_LT(rows[3].bottom - rows[3].top, rows[0].bottom - rows[0].top);
  // Enabled captions in the menu's text colour, disabled ones in grey.
  EXPECT_GT(text_in[0], 0);
  EXPECT_EQ(grey_in[0], 0);
  EXPECT_EQ(text_in[1], 0);
  EXPECT_GT(grey_in[1], 0);
  // The check mark stands left of a checked caption only.
  EXPECT_GT(gutter_text[2], 0);
  EXPECT_EQ(gutter_text[0], 0);
  // The image shows left of its caption, washed out when disabled.
  EXPECT_GT(gutter_red[4], 50);
  EXPECT_EQ(gutter_red[5], 0);
  EXPECT_EQ(gutter_red[0], 0);
  // The short-cut stands at the right.
  EXPECT_GT(right_text[6], 0);
  EXPECT_EQ(right_text[0], 0);
  // The separator draws a line; the chosen row is highlighted.
  EXPECT_TRUE(line_rows);
  EXPECT_EQ(highlight_before, 0);
  EXPECT_GT(highlight_after, (rows[0].right - rows[0].left) * (rows[0].bottom - rows[0].top) / 2);
}

// A popup on a monitor of another DPI than the system's: the plain painter
// measures and draws its captions in the menu font of the popup's DPI, so
// that at twice the DPI the caption's letters, and the item, are twice as
// large.
TEST(OwnerDraw, ThePlainPainterWritesInTheMenuFontOfThePopupsDpi) {
  TApplication app(nullptr);
  TPopupMenu menu(nullptr);
  TMenuItem& item = menu.Items().Add(L"Open the folder");
  TMenuPainter painter;
  TWindowDC screen(nullptr);
  struct TSeen {
    int item_width = 0, item_height = 0;
    RECT ink{};
  };
  const auto at = [&](int dpi) {
    TSeen seen;
    {
      TSelectObject font(screen.Get(), painter.Font(dpi));
      painter.Measure(item, screen.Get(), nullptr, false, dpi, seen.item_width, seen.item_height);
    }
    TMemoryDC canvas(screen.Get(), seen.item_width, seen.item_height);
    const RECT rect{0, 0, seen.item_width, seen.item_height};
    painter.Draw(item, canvas.Get(), rect, 0, nullptr, false, dpi);
    // The caption's ink: every pixel in the menu's text colour.
    const COLORREF text = GetSysColor(COLOR_MENUTEXT);
    RECT ink{seen.item_width, seen.item_height, -1, -1};
    for (int y = 0; y < seen.item_height; ++y) {
      for (int x = 0; x < seen.item_width; ++x) {
        if (GetPixel(canvas.Get(), x, y) != text) continue;
        ink.left = std::min<LONG>(ink.left, x);
        ink.top = std::min<LONG>(ink.top, y);
        ink.right = std::max<LONG>(ink.right, x + 1);
        ink.bottom = std::max<LONG>(ink.bottom, y + 1);
      }
    }
    seen.ink = ink;
    return seen;
  };
  const int system = SystemDpi();
  const TSeen once = at(system), twice = at(2 * system);
  ASSERT_GT(once.ink.right, once.ink.left) << "no caption drawn";
  ASSERT_GT(twice.ink.right, twice.ink.left) << "no caption drawn at twice the DPI";
  const auto width = [](const RECT& r) { return static_cast<double>(r.right - r.left); };
  const auto height = [](const RECT& r) { return static_cast<double>(r.bottom - r.top); };
  EXPECT_NEAR(width(twice.ink) / width(once.ink), 2.0, 0.25);
  EXPECT_NEAR(height(twice.ink) / height(once.ink), 2.0, 0.35);
  EXPECT_GE(twice.item_height, 2 * once.item_height - 2);
  EXPECT_GE(twice.item_width, 2 * once.item_width - 4);
  // Back at the system's DPI, the first font again.
  const TSeen again = at(system);
  EXPECT_EQ(width(again.ink), width(once.ink));
  EXPECT_EQ(again.item_height, once.item_height);
}

TEST(OwnerDraw, EventsReplaceThePlainPainter) {
  TApplication app(nullptr);
  TPopupMenu menu(nullptr);
  menu.SetOwnerDraw(true);
  TMenuItem& a = menu.Items().Add(L"A");
  TMenuItem& b = menu.Items().Add(L"B");
  b.SetTag(1);
  // The handler that draws the items measures them alone: nothing of the
  // plain painter's size comes in. All the items share one DC.
  int came_in_width = -1, came_in_height = -1;
  std::vector<HDC> dcs;
  menu.OnMeasureItem = [&](TMenuItem& item, HDC dc, int& width, int& height) {
    EXPECT_NE(dc, nullptr);
    dcs.push_back(dc);
    if (&item == &a) {
      came_in_width = width;
      came_in_height = height;
    }
    width = 180;
    height = 37;
  };
  // Read by the driver while the menu draws.
  std::atomic<int> draws_of_a{0};
  std::atomic<UINT> first_state{0}, last_state{0};
  menu.OnDrawItem = [&](TMenuItem& item, HDC dc, const RECT& rect, UINT state) {
    if (&item == &a) {
      if (draws_of_a++ == 0) first_state = state;
      last_state = state;
    }
    TOwnedBrush brush(CreateSolidBrush(item.Tag() == 1 ? RGB(0, 0, 255) : RGB(0, 255, 0)));
    FillRect(dc, &rect, brush.Get());
  };
  HMENU handle = menu.Handle();
  RECT ra{}, rb{};
  int green = 0, blue = 0, text = 0;
  PlayPopup(menu, 150, 150, [&](HWND) {
    ra = input::ItemRect(handle, 0);
    rb = input::ItemRect(handle, 1);
    input::WaitFor([&] { return input::CountColour(ra, clLime) > 0; }, 3s);
    green = input::CountColour(ra, clLime);
    blue = input::CountColour(rb, clBlue);
    text = input::CountColour(ra, input::SysColour(COLOR_MENUTEXT));
    input::Key(VK_DOWN);
    input::WaitFor([&] { return (last_state & ODS_SELECTED) != 0; }, 3s);
    input::Key(VK_ESCAPE);
  });

  EXPECT_EQ(came_in_width, 0);
  EXPECT_EQ(came_in_height, 0);
  ASSERT_EQ(dcs.size(), 2u);
  EXPECT_EQ(dcs[0], dcs[1]);
  EXPECT_EQ(ra.bottom - ra.top, 37);
  EXPECT_EQ(rb.bottom - rb.top, 37);
  EXPECT_GE(ra.right - ra.left, 180);
  // Only the handler's colours, nothing of the plain painter.
  EXPECT_GT(green, 180 * 37 * 9 / 10);
  EXPECT_GT(blue, 180 * 37 * 9 / 10);
  EXPECT_EQ(text, 0);
  ASSERT_GE(draws_of_a.load(), 2);
  EXPECT_FALSE(first_state & ODS_SELECTED);
  EXPECT_TRUE(last_state & ODS_SELECTED);
}

// A measuring handler without a drawing one builds on the plain painter's
// size, which is the size the plain painter asks for; the DC the items
// were measured with is let go when the menu has closed.
TEST(OwnerDraw, AMeasuringHandlerAloneBuildsOnThePlainSize) {
  TApplication app(nullptr);
  TPopupMenu plain(nullptr), grown(nullptr);
  for (TPopupMenu* menu : {&plain, &grown}) {
    menu->SetOwnerDraw(true);
    menu->Items().Add(L"Open").SetShortCutText(L"Ctrl+O");
    menu->Items().Add(L"Close");
  }
  int came_in = 0;
  grown.OnMeasureItem = [&](TMenuItem&, HDC, int& width, int& height) {
    came_in = width;
    width += 40;
    height += 6;
  };
  const long dcs_before = LiveHandles(THandleKind::hkDeviceContext);
  RECT plain_rect{}, grown_rect{};
  PlayPopup(plain, 150, 150, [&](HWND) {
    plain_rect = input::ItemRect(plain.Handle(), 0);
    input::Key(VK_ESCAPE);
  });
  PlayPopup(grown, 150, 150, [&](HWND) {
    grown_rect = input::ItemRect(grown.Handle(), 0);
    input::Key(VK_ESCAPE);
  });
  EXPECT_GT(came_in, 0);
  EXPECT_EQ(grown_rect.bottom - grown_rect.top, plain_rect.bottom - plain_rect.top + 6);
  EXPECT_GE(grown_rect.right - grown_rect.left, plain_rect.right - plain_rect.left + 40 - 1);
  EXPECT_EQ(LiveHandles(THandleKind::hkDeviceContext), dcs_before);
}

}  // namespace
