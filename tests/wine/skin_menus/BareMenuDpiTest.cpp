// The drop-downs of a bare window's skinned menu bar (a window the program
// made with CreateWindow, not a framework form) at the screen's DPI: the
// engine measures their items with the menu font of the window's DPI, made
// once, and one DC per opening, as many handles for a long drop-down as for
// one item; and every item keeps the size the painter gives it on its own. The
// suite runs once per DPI (the prefix's LogPixels); the drop-down is saved
// under every stored skin.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "framework/Dpi.h"
#include "framework/GdiObjects.h"
#include "framework/HandleCount.h"
#include "skin/menu/MenuFont.h"
#include "skin/menu/SkinMenuBar.h"
#include "skin/menu/SkinMenuItemPainter.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"
#include "tests/wine/skin_menus/MenuTestSupport.h"
#include "tests/wine/support/DpiRunSupport.h"
#include "tests/wine/support/InputScript.h"

namespace {

using menu_test::WaitShown;

constexpr UINT kFirstCommand = 100;
// As many as fit below the bar at 192 DPI: a drop-down pushed up over its
// button takes the next click on the button for one on an item.
constexpr int kPlainItems = 12;

// What one item's measuring took and gave.
struct TMeasured {
  UINT id = 0;
  int width = 0;
  int height = 0;
  long dcs_taken = 0;
  long objects_taken = 0;
};

// Every WM_MEASUREITEM the window answers, one list per opening of a
// drop-down, seen from a subclass layer above the engine's.
struct TMeasureWatch {
  std::vector<std::vector<TMeasured>> openings;
  bool drawn = true;  // the last opening has drawn: the next measure opens anew
  // Live DCs before the first opening's items were measured and after.
  long live_dcs_before = -1;
  long live_dcs_measured = 0;
};

LRESULT CALLBACK WatchProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
  auto& watch = *reinterpret_cast<TMeasureWatch*>(ref);
  if (msg == WM_DRAWITEM) watch.drawn = true;
  if (msg != WM_MEASUREITEM) return DefSubclassProc(hwnd, msg, wp, lp);
  if (watch.drawn) {
    watch.openings.emplace_back();
    if (watch.live_dcs_before < 0) {
      watch.live_dcs_before = LiveHandles(THandleKind::hkDeviceContext);
    }
    watch.drawn = false;
  }
  const long dcs = TakenHandles(THandleKind::hkDeviceContext);
  const long objects = TakenHandles(THandleKind::hkGdiObject);
  const LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
  const auto& measure = *reinterpret_cast<const MEASUREITEMSTRUCT*>(lp);
  watch.openings.back().push_back({measure.itemID, static_cast<int>(measure.itemWidth),
                                   static_cast<int>(measure.itemHeight),
                                   TakenHandles(THandleKind::hkDeviceContext) - dcs,
                                   TakenHandles(THandleKind::hkGdiObject) - objects});
  if (watch.openings.size() == 1) {
    watch.live_dcs_measured = LiveHandles(THandleKind::hkDeviceContext);
  }
  return result;
}

// A bar with one drop-down: plain items with short cuts, a default (bold)
// item, a checked one, a disabled one and separators.
HMENU MakeMenu() {
  HMENU bar = CreateMenu();
  HMENU file = CreatePopupMenu();
  for (int i = 0; i < kPlainItems; ++i) {
    const std::wstring text = L"Item &" + std::to_wstring(i + 1) +
                              (i % 3 == 0 ? L"\tCtrl+" + std::to_wstring(i % 10) : L"");
    AppendMenuW(file, MF_STRING, kFirstCommand + i, text.c_str());
    if (i % 5 == 4) AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
  }
  AppendMenuW(file, MF_STRING | MF_CHECKED, kFirstCommand + 50, L"&Checked item");
  AppendMenuW(file, MF_STRING | MF_GRAYED, kFirstCommand + 51, L"&Disabled item");
  AppendMenuW(file, MF_STRING, kFirstCommand + 53, L"&Open the default item");
  SetMenuDefaultItem(file, kFirstCommand + 53, FALSE);
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
  return bar;
}

class BareMenuDpiTest : public AtScreenDpi<menu_test::MenuTest> {
 protected:
  BareMenuDpiTest() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = L"BareMenuDpiWindow";
    RegisterClassExW(&wc);
  }
  ~BareMenuDpiTest() override {
    if (IsWindow(window_)) {
      RemoveWindowSubclass(window_, WatchProc, 1);
      DestroyWindow(window_);
    }
  }

  // The bare window skinned with stored skin `skin` (by a skin data
  // component the application owns); its bar's drop-down.
  HMENU ShowSkinned(int skin) {
    TSkinData& data = MakeData(App(), skin);
    data.SetActive(true);
    Flush();
    window_ = CreateWindowExW(0, L"BareMenuDpiWindow", L"Bare window", WS_OVERLAPPEDWINDOW, 60, 60,
                              420, 300, nullptr, MakeMenu(), GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    if (!WaitSkinned(window_)) return nullptr;
    Pump(100);
    TWinSkinForm* engine = EngineOf(window_);
    if (!engine || !engine->MenuBar() || engine->MenuBar()->ButtonCount() != 1) return nullptr;
    return engine->MenuBar()->Button(0)->Submenu;
  }

  // Opens the drop-down with a click on its button and closes it again;
  // `shown` runs while it shows.
  bool OpenAndClose(HMENU drop_down, const std::function<void()>& shown = {}) {
    const TMenuBtn& button = *EngineOf(window_)->MenuBar()->Button(0);
    const RECT outer = WindowRect(window_);
    bool opened = false;
    Drive([&] {
      input::Click(outer.left + (button.Bounds.left + button.Bounds.right) / 2,
                   outer.top + (button.Bounds.top + button.Bounds.bottom) / 2);
      opened = WaitShown(drop_down);
      if (!opened) return;
      input::Pause(150);
      if (shown) shown();
      input::Key(VK_ESCAPE);
    });
    return opened;
  }

  HWND window_ = nullptr;
};

TEST_F(BareMenuDpiTest, ItemsAreMeasuredWithOneFontPerDpiAndOneDcPerOpening) {
  for (int skin : {2, 1, 0, 3, 4}) {
    SCOPED_TRACE(kSkinFiles[skin]);
    const long objects_at_start = LiveHandles(THandleKind::hkGdiObject);
    const long dcs_at_start = LiveHandles(THandleKind::hkDeviceContext);
    const HMENU drop_down = ShowSkinned(skin);
    ASSERT_NE(drop_down, nullptr) << "the bare window's bar was not skinned";
    const int dpi = WindowDpi(window_);
    ASSERT_EQ(dpi, dpi_);
    TSkinData& data = *EngineOf(window_)->SkinData();
    const int count = GetMenuItemCount(drop_down);
    // What making the menu font of the DPI takes, plain and bold (finding
    // the face may make fonts and DCs of its own to look at).
    const long font_dcs = TakenHandles(THandleKind::hkDeviceContext);
    const long font_objects = TakenHandles(THandleKind::hkGdiObject);
    { const TOwnedFont plain = MakeMenuFont(dpi), bold = MakeMenuFont(dpi, true); }
    const long fonts_dcs = TakenHandles(THandleKind::hkDeviceContext) - font_dcs;
    const long fonts_objects = TakenHandles(THandleKind::hkGdiObject) - font_objects;

    TMeasureWatch watch;
    ASSERT_TRUE(SetWindowSubclass(window_, WatchProc, 1, reinterpret_cast<DWORD_PTR>(&watch)));
    const long live_dcs_before = LiveHandles(THandleKind::hkDeviceContext);
    ASSERT_TRUE(OpenAndClose(drop_down));
    // As the skin shows it, for people to look at.
    ASSERT_TRUE(OpenAndClose(drop_down, [&] {
      const RECT menu = WindowRect(input::VisibleMenuWindow());
      const RECT outer = WindowRect(window_);
      SaveShot(RECT{outer.left, outer.top, std::max(outer.right, menu.right),
                    std::max(outer.bottom, menu.bottom)},
               "bare-menu-" + std::string(kSkinFiles[skin]) + "-" + DpiName());
    }));
    Pump(100);
    RemoveWindowSubclass(window_, WatchProc, 1);
    ASSERT_EQ(watch.openings.size(), 2u) << "each opening measures the items";

    for (size_t opening = 0; opening < watch.openings.size(); ++opening) {
      SCOPED_TRACE("opening " + std::to_string(opening + 1));
      const std::vector<TMeasured>& measured = watch.openings[opening];
      ASSERT_EQ(static_cast<int>(measured.size()), count);
      long dcs = 0, objects = 0;
      for (int i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        dcs += measured[i].dcs_taken;
        objects += measured[i].objects_taken;
        // The size the painter gives the item on its own, with a DC and a
        // font of its own.
        int width = 0, height = 0;
        TSkinMenuItemPainter(data, dpi).Measure(DescribeItem(drop_down, i), width, height);
        EXPECT_EQ(measured[i].id, GetMenuItemID(drop_down, i));
        EXPECT_EQ(measured[i].width, width);
        EXPECT_EQ(measured[i].height, height);
      }
      if (opening == 0) {
        // One DC for all the items, and the plain and the bold font of the
        // DPI, not one of each per item.
        EXPECT_EQ(dcs, 1 + fonts_dcs);
        EXPECT_EQ(objects, fonts_objects);
      } else {
        // The same DPI: the fonts made for the first opening serve.
        EXPECT_EQ(dcs, 1);
        EXPECT_EQ(objects, 0);
      }
    }
    // The DC is held while the items are measured and let go once the
    // drop-down draws: the openings leave none behind.
    EXPECT_EQ(watch.live_dcs_measured - watch.live_dcs_before, 1);
    EXPECT_EQ(LiveHandles(THandleKind::hkDeviceContext), live_dcs_before);

    const HWND window = window_;
    DestroyWindow(window_);
    window_ = nullptr;
    data.SetActive(false);
    App().RemoveComponent(&data).reset();
    Pump(50);
    // The window's engine has ended, and the fonts and DC its drop-down
    // was measured with went with it.
    EXPECT_EQ(EngineOf(window), nullptr);
    EXPECT_EQ(LiveHandles(THandleKind::hkGdiObject), objects_at_start);
    EXPECT_EQ(LiveHandles(THandleKind::hkDeviceContext), dcs_at_start);
  }
}

}  // namespace
