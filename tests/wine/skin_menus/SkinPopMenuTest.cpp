// Skinned popup menus under Wine: real popup menus of skinned forms opened
// and driven with the real mouse and keys while a thread of the test reads
// back what the screen shows. The skin's menu-item cells are painted in
// colours of their own first, so that each cell is told from the others and
// from the flat look by its colour on the screen.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>

#include "framework/BitmapWin32.h"
#include "framework/GdiObjects.h"
#include "framework/HandleCount.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"
#include "skin/data/WinSkinData.h"
#include "skin/menu/SkinMenuItemPainter.h"
#include "skin/menu/SkinMenuOwnerDraw.h"
#include "skin/menu/SkinPopMenu.h"
#include "tests/wine/framework/MenuDriver.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"

namespace {

using input::TMenuDriver;
using namespace std::chrono_literals;

// Colours the test paints the skin's menu images in; none is magenta.
constexpr TColor kRest = RGBColour(30, 140, 200);
constexpr TColor kSelected = RGBColour(220, 90, 20);
constexpr TColor kSeparatorTop = RGBColour(10, 200, 10);
constexpr TColor kSeparatorBottom = RGBColour(200, 10, 150);
constexpr TColor kBack = RGBColour(90, 60, 30);
constexpr TColor kImage = RGBColour(250, 220, 0);

constexpr TSkinControlTypes kAll{kDefaultSkinControls};

// Share of the pixels of `rect` on screen near `colour`.
double Share(const RECT& rect, TColor colour, int tolerance = 12) {
  const TBitmap shot = Capture(rect);
  const int total = shot.Width() * shot.Height();
  return total > 0 ? static_cast<double>(CountColour(shot, colour, tolerance)) / total : 0.0;
}

RECT ItemRect(HMENU menu, int index) {
  return input::ItemRect(menu, index);
}

// The part of an item right of its caption and left of the arrow zone:
// only the item's background shows there.
RECT BackgroundPart(HMENU menu, int index) {
  RECT r = ItemRect(menu, index);
  r.left = r.right - 30;
  r.right -= 12;
  r.top += 3;
  r.bottom -= 3;
  return r;
}

// The glyph box of an item (the skin's item image has no left margin
// beyond 4 pixels here).
// The glyph box of item `index`: `size` square (16 for a checked item, the
// image list's width otherwise), after the cell's left margin.
RECT GlyphPart(HMENU menu, int index, int left_width, int size = 16) {
  const RECT r = ItemRect(menu, index);
  const int top = r.top + ((r.bottom - r.top) - size) / 2;
  return RECT{r.left + 1 + left_width, top, r.left + 1 + left_width + size, top + size};
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = 4000ms) {
  return input::WaitFor(done, timeout);
}

class SkinPopMenuTest : public SkinControlsTest {
 protected:
  // A main-like form whose menus `build` makes, skinned with stored skin
  // `skin` and `controls`.
  TForm& ShowWith(int skin, TSkinControlTypes controls, const std::function<void(TForm&)>& build) {
    TForm& form = MakeForm(MainLikeStyle());
    build(form);
    TSkinData& data = MakeData(form, skin);
    data.SetSkinControls(controls);
    MarkMenuImages(data);
    data.SetActive(true);
    form.Show();
    SetForegroundWindow(form.Handle());
    EXPECT_TRUE(PumpUntil(
        [&] {
          TWinSkinForm* engine = EngineOf(form.Handle());
          return engine && engine->Finished() && engine->SkinState() == ksActive;
        },
        15000));
    Pump(100);
    return form;
  }

  // Paints the skin's menu-item cells and menu background in the test's
  // colours: cell 1 kRest, cell 2 kSeparatorTop above its lowest 8 rows
  // and kSeparatorBottom in them, cell 4 kSelected.
  static void MarkMenuImages(TSkinData& data) {
    if (TDataSkinObject* item = data.Object(ssMenuItem); item && !item->Bitmap.Empty()) {
      TBitmap& b = item->Bitmap;
      const int cell = b.Width() / 5;
      for (int y = 0; y < b.Height(); ++y) {
        for (int x = 0; x < b.Width(); ++x) {
          const int n = x / cell + 1;
          TColor c = kRest;
          if (n == 2) c = y >= b.Height() - 8 ? kSeparatorBottom : kSeparatorTop;
          if (n == 4) c = kSelected;
          b.SetPixel(x, y, c);
        }
      }
    }
    if (TDataSkinObject* back = data.Object(ssMenuBackground); back && !back->Bitmap.Empty()) {
      back->Bitmap.FillRect(back->Bitmap.BoundsRect(), kBack);
    }
  }

  // Shows `menu` beside the form and runs `script` on a thread of its own
  // while it shows; the menu is closed afterwards whatever happened.
  static bool Open(TForm& form, TPopupMenu& menu, const TMenuDriver::Script& script) {
    RECT r = WindowRect(form.Handle());
    TMenuDriver driver(script);
    menu.Popup(r.left + 60, r.top + 60);
    driver.Join();
    return driver.Shown();
  }
};

// --- the cells of the skin's item image ------------------------------------

TEST_F(SkinPopMenuTest, ItemsShowTheCellsOfTheSkinsItemImage) {
  TPopupMenu* menu = nullptr;
  TForm& form = ShowWith(2, kAll, [&](TForm& f) {
    menu = &OwnedComponent<TPopupMenu>(f);
    menu->Items().Add(L"&Open");
    menu->Items().Add(L"-");
    menu->Items().Add(L"Save as");
  });
  ASSERT_TRUE(HasItemPainter(*menu));
  const HMENU h = menu->Handle();
  double rest = 0, selected = 0, separator_bottom = 0, separator_top = 0, back = 0, others = 0;
  ASSERT_TRUE(Open(form, *menu, [&](HWND window) {
    const RECT item = ItemRect(h, 0);
    input::MoveTo((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    WaitUntil([&] { return Share(BackgroundPart(h, 0), kSelected) > 0.9; });
    selected = Share(BackgroundPart(h, 0), kSelected);
    rest = Share(BackgroundPart(h, 2), kRest);
    others = Share(BackgroundPart(h, 2), kSelected);
    separator_bottom = Share(ItemRect(h, 1), kSeparatorBottom);
    separator_top = Share(ItemRect(h, 1), kSeparatorTop);
    // The border around the items comes from the menu background image.
    const RECT w = WindowRect(window);
    back = Share(RECT{w.left, w.top, w.right, w.top + 2}, kBack);
    SaveShot(w, "popup_cells");
  }));
  EXPECT_GT(selected, 0.9) << "the selected item shows cell 4";
  EXPECT_GT(rest, 0.9) << "an item at rest shows cell 1";
  EXPECT_LT(others, 0.01);
  EXPECT_GT(separator_bottom, 0.9) << "a separator shows the lowest part of cell 2";
  EXPECT_LT(separator_top, 0.01);
  EXPECT_GT(back, 0.9) << "the popup's border shows the menu background";
}

TEST_F(SkinPopMenuTest, ChecksDisabledTextAndImages) {
  TPopupMenu* menu = nullptr;
  TImageList images(12, 12);
  TBitmap strip(12, 12, kImage);
  images.AddMasked(strip, clFuchsia);
  TForm& form = ShowWith(2, kAll, [&](TForm& f) {
    menu = &OwnedComponent<TPopupMenu>(f);
    menu->Items().Add(L"Ticked").SetChecked(true);
    menu->Items().Add(L"Plain");
    TMenuItem& pictured = menu->Items().Add(L"Pictured");
    pictured.SetImageIndex(0);
    pictured.SetChecked(true);
    menu->Items().Add(L"Gone").SetEnabled(false);
    menu->SetImages(&images);
  });
  TSkinData& data = DataOf(form);
  // A skin whose disabled colour is its menu text colour: the disabled
  // item takes the system's grey text instead, so it still reads as such.
  auto& colours = const_cast<TSkinColours&>(data.Colours());
  colours.MenuText = RGBColour(0, 0, 0);
  colours.ButtonShadow = RGBColour(0, 0, 0);
  const TColor grey = static_cast<TColor>(GetSysColor(COLOR_GRAYTEXT));
  const HMENU h = menu->Handle();
  double mark = 0, no_mark = 0, grey_text = 0, black_in_gone = 0, image = 0, shadow = 0;
  ASSERT_TRUE(Open(form, *menu, [&](HWND window) {
    WaitUntil([&] { return Share(BackgroundPart(h, 1), kRest) > 0.9; });
    // The images of this test's list have no check column of their own:
    // ticked items show the system's mark in the text colour.
    mark = Share(GlyphPart(h, 0, 4), RGBColour(0, 0, 0), 40);
    // An unchecked item's box is as wide as the list's images; its caption
    // may begin right after the gap behind it.
    no_mark = Share(GlyphPart(h, 1, 4, 12), RGBColour(0, 0, 0), 40);
    grey_text = Share(ItemRect(h, 3), grey, 8);
    black_in_gone = Share(ItemRect(h, 3), RGBColour(0, 0, 0), 8);
    const RECT box = GlyphPart(h, 2, 4);
    image = Share(box, kImage);
    shadow = Share(box, static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW)), 4);
    SaveShot(WindowRect(window), "popup_checks");
  }));
  EXPECT_GT(mark, 0.04) << "a checked item without an image shows the check mark";
  EXPECT_EQ(no_mark, 0.0);
  EXPECT_GT(grey_text, 0.01) << "the disabled caption in the system's grey text";
  EXPECT_EQ(black_in_gone, 0.0);
  EXPECT_GT(image, 0.4);
  EXPECT_GT(shadow, 0.05) << "a checked image sits in a sunken box";
}

// --- the system menu ------------------------------------------------------

TEST_F(SkinPopMenuTest, TheSystemMenuIsDrawnByTheSkin) {
  TForm& form = ShowWith(3, kAll, [](TForm&) {});
  TWinSkinForm* engine = EngineOf(form.Handle());
  ASSERT_NE(engine, nullptr);
  int popups = 0;
  double rest = 0, back = 0;
  TMenuDriver driver([&](HWND window) {
    input::Pause(300);
    popups = Manager().PopupCount();
    const auto menu = reinterpret_cast<HMENU>(SendMessageW(window, 0x01E1, 0, 0));
    rest = Share(BackgroundPart(menu, 0), kRest);
    const RECT w = WindowRect(window);
    back = Share(RECT{w.left, w.top, w.right, w.top + 2}, kBack);
    SaveShot(w, "system_menu");
  });
  const RECT r = WindowRect(form.Handle());
  engine->ShowSystemMenu(POINT{r.left + 20, r.top + 30});
  driver.Join();
  ASSERT_TRUE(driver.Shown());
  EXPECT_EQ(popups, 1);
  EXPECT_GT(rest, 0.9) << "its items show the skin's item image";
  EXPECT_GT(back, 0.9) << "its border the skin's menu background";
}

// The system menu's glyphs are black marks: they show in the item's text
// colour, as the check mark does, on the dark items of dark skins too.
TEST_F(SkinPopMenuTest, BlackGlyphsShowInTheTextColour) {
  for (int skin : {1, 3}) {
    SCOPED_TRACE(skin);
    TForm& form = ShowWith(skin, kAll, [](TForm&) {});
    TSkinData& data = DataOf(form);
    const TImageList& glyphs = data.MenuGlyphs();
    ASSERT_GE(glyphs.Count(), 4);
    const TSkinColours& colours = data.Colours();
    for (bool enabled : {true, false}) {
      SCOPED_TRACE(enabled);
      TSkinMenuItem item;
      item.caption = L"Close";
      item.images = &glyphs;
      item.image_index = 3;
      item.enabled = enabled;
      TWindowDC screen(nullptr);
      TMemoryDC dc(screen.Get(), 200, 24);
      TSkinMenuItemPainter(data, 96).Draw(item, dc.Get(), RECT{0, 0, 200, 24}, 0);
      // The glyph box lies within the first 24 columns; the caption after.
      const TBitmap box = ReadDCPixels(dc.Get(), TRect{0, 0, 22, 24});
      const TColor ink = enabled ? colours.MenuText
                                 : (ColorToRGB(colours.ButtonShadow) == ColorToRGB(colours.MenuText)
                                        ? static_cast<TColor>(GetSysColor(COLOR_GRAYTEXT))
                                        : colours.ButtonShadow);
      const auto close_to = [](TColor a, TColor b) {
        return std::abs(RedOf(a) - RedOf(b)) <= 24 && std::abs(GreenOf(a) - GreenOf(b)) <= 24 &&
               std::abs(BlueOf(a) - BlueOf(b)) <= 24;
      };
      int inked = 0, other = 0;
      for (int y = 0; y < box.Height(); ++y) {
        for (int x = 0; x < box.Width(); ++x) {
          const TColor p = box.Pixel(x, y);
          if (close_to(p, ColorToRGB(ink))) {
            ++inked;
          } else if (!close_to(p, kRest)) {
            ++other;
          }
        }
      }
      EXPECT_GT(inked, 12) << "the cross in the text colour";
      EXPECT_EQ(other, 0) << "nothing else in the glyph box";
    }
    App().RemoveComponent(&form);
    Pump(50);
  }
}

// --- right to left ---------------------------------------------------------

TEST_F(SkinPopMenuTest, RightToLeftMenusMirrorTheItem) {
  TForm& form = ShowWith(2, kAll, [](TForm&) {});
  TSkinData& data = DataOf(form);
  auto& colours = const_cast<TSkinColours&>(data.Colours());
  colours.MenuText = RGBColour(0, 0, 0);
  const auto ink_at = [&](bool right_to_left, bool checked, int from, int to) {
    TSkinMenuItem item;
    item.caption = L"Caption";
    item.checked = checked;
    item.submenu = !checked;
    item.right_to_left = right_to_left;
    TWindowDC screen(nullptr);
    TMemoryDC dc(screen.Get(), 240, 22);
    const RECT rect{0, 0, 240, 22};
    TSkinMenuItemPainter(data, 96).Draw(item, dc.Get(), rect, 0);
    const TBitmap pixels = ReadDCPixels(dc.Get(), TRect{from, 0, to, 22});
    return CountColour(pixels, RGBColour(0, 0, 0), 40);
  };
  // Left to right: the check mark in the glyph box at the left, the
  // submenu arrow at the right; right to left the other way round.
  EXPECT_GT(ink_at(false, true, 0, 24), 4);
  EXPECT_EQ(ink_at(false, true, 216, 240), 0);
  EXPECT_GT(ink_at(true, true, 216, 240), 4) << "the check mark moves to the right";
  EXPECT_EQ(ink_at(true, true, 0, 24), 0);
  EXPECT_GT(ink_at(false, false, 226, 240), 4);
  EXPECT_EQ(ink_at(false, false, 0, 14), 0);
  EXPECT_GT(ink_at(true, false, 0, 14), 4) << "the arrow moves to the left";
  EXPECT_EQ(ink_at(true, false, 226, 240), 0);
}

// --- which popups the skin draws -------------------------------------------

TEST_F(SkinPopMenuTest, DisableTagAndSkinControlsDecide) {
  TPopupMenu* skinned = nullptr;
  TPopupMenu* tagged = nullptr;
  TForm& form = ShowWith(2, kAll, [&](TForm& f) {
    skinned = &OwnedComponent<TPopupMenu>(f);
    skinned->Items().Add(L"Skinned");
    tagged = &OwnedComponent<TPopupMenu>(f);
    tagged->SetTag(99);
    tagged->Items().Add(L"Left alone");
  });
  EXPECT_TRUE(HasItemPainter(*skinned));
  EXPECT_FALSE(HasItemPainter(*tagged));
  int popups = -1;
  double skin_colours = 1;
  const HMENU h = tagged->Handle();
  ASSERT_TRUE(Open(form, *tagged, [&](HWND window) {
    input::Pause(300);
    popups = Manager().PopupCount();
    const RECT w = WindowRect(window);
    skin_colours = Share(w, kRest) + Share(w, kBack);
    (void)h;
  }));
  // The popup window is watched (it is a popup of a skinned application)
  // but keeps the system's look: its items are not the skin's.
  EXPECT_LE(popups, 1);
  EXPECT_EQ(skin_colours, 0.0);

  // Without xcPopupMenu a context menu is not skinned at all.
  TSkinData& data = DataOf(form);
  TSkinControlTypes controls = kAll;
  controls.Exclude(xcPopupMenu);
  data.SetSkinControls(controls);
  ASSERT_TRUE(Open(form, *skinned, [&](HWND) {
    input::Pause(300);
    popups = Manager().PopupCount();
  }));
  EXPECT_EQ(popups, 0);
  controls.Include(xcPopupMenu);
  data.SetSkinControls(controls);
  ASSERT_TRUE(Open(form, *skinned, [&](HWND) {
    input::Pause(300);
    popups = Manager().PopupCount();
  }));
  EXPECT_EQ(popups, 1);
  EXPECT_TRUE(PumpUntil([&] { return Manager().PopupCount() == 0; }));

  // A menu of a skinned form's own (kind 1) needs xcMainMenu or
  // xcMenuItem; the system menu (kind 2) xcSystemMenu.
  const auto kind_skinned = [&](TPopupKind kind) {
    Manager().SetPopupKind(kind);
    bool seen = false;
    Open(form, *skinned, [&](HWND) {
      input::Pause(300);
      seen = Manager().PopupCount() == 1;
    });
    return seen;
  };
  controls.Exclude(xcMainMenu);
  data.SetSkinControls(controls);
  EXPECT_FALSE(kind_skinned(pkFormMenu));
  controls.Include(xcMenuItem);
  data.SetSkinControls(controls);
  EXPECT_TRUE(kind_skinned(pkFormMenu));
  controls.Exclude(xcSystemMenu);
  data.SetSkinControls(controls);
  EXPECT_FALSE(kind_skinned(pkSystemMenu));
  controls.Include(xcSystemMenu);
  data.SetSkinControls(controls);
  EXPECT_TRUE(kind_skinned(pkSystemMenu));
}

// --- what screen readers read ---------------------------------------------

TEST_F(SkinPopMenuTest, SkinnedItemsKeepTheirTextsForScreenReaders) {
  TPopupMenu* menu = nullptr;
  TForm& form = ShowWith(2, kAll, [&](TForm& f) {
    menu = &OwnedComponent<TPopupMenu>(f);
    menu->Items().Add(L"&Open");
    TMenuItem& more = menu->Items().Add(L"More");
    more.Add(L"Deeper").SetShortCutText(L"Ctrl+D");
  });
  (void)form;
  const HMENU h = menu->Handle();
  const auto read = [](HMENU m, UINT position, std::wstring& text) {
    wchar_t buffer[64] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_DATA | MIIM_SUBMENU;
    info.dwTypeData = buffer;
    info.cch = 63;
    GetMenuItemInfoW(m, position, TRUE, &info);
    text = buffer;
    return info;
  };
  std::wstring text;
  MENUITEMINFOW info = read(h, 0, text);
  EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
  EXPECT_EQ(text, L"&Open");
  auto* msaa = reinterpret_cast<const MSAAMENUINFO*>(info.dwItemData);
  ASSERT_NE(msaa, nullptr);
  EXPECT_EQ(msaa->dwMSAASignature, static_cast<DWORD>(MSAA_MENU_SIG));
  EXPECT_EQ(std::wstring(msaa->pszWText, msaa->cchWText), L"&Open");
  info = read(h, 1, text);
  ASSERT_NE(info.hSubMenu, nullptr);
  info = read(info.hSubMenu, 0, text);
  EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
  EXPECT_EQ(text, L"Deeper\tCtrl+D");
  msaa = reinterpret_cast<const MSAAMENUINFO*>(info.dwItemData);
  ASSERT_NE(msaa, nullptr);
  EXPECT_EQ(std::wstring(msaa->pszWText, msaa->cchWText), L"Deeper\tCtrl+D");
}

// --- switching off and damaged input ---------------------------------------

TEST_F(SkinPopMenuTest, SwitchingOffGivesTheMenusBack) {
  TPopupMenu* menu = nullptr;
  TPopupMenu* drawn_by_owner = nullptr;
  TForm& form = ShowWith(2, kAll, [&](TForm& f) {
    menu = &OwnedComponent<TPopupMenu>(f);
    menu->Items().Add(L"One");
    drawn_by_owner = &OwnedComponent<TPopupMenu>(f);
    drawn_by_owner->SetOwnerDraw(true);
    drawn_by_owner->OnDrawItem = [](TMenuItem&, HDC, const RECT&, UINT) {};
    drawn_by_owner->Items().Add(L"Two");
  });
  EXPECT_TRUE(menu->OwnerDraw());
  EXPECT_FALSE(HasItemPainter(*drawn_by_owner)) << "the owner's drawing stays";
  TSkinData& data = DataOf(form);
  SwitchSkin(form, data, false);
  EXPECT_FALSE(HasItemPainter(*menu));
  EXPECT_FALSE(menu->OwnerDraw());
  EXPECT_FALSE(menu->OnMeasureItem);
  EXPECT_TRUE(drawn_by_owner->OwnerDraw());
  EXPECT_TRUE(drawn_by_owner->OnDrawItem);
  SwitchSkin(form, data, true);
  EXPECT_TRUE(HasItemPainter(*menu));
}

TEST_F(SkinPopMenuTest, ASkinWithoutMenuImagesDrawsFlat) {
  TPopupMenu* menu = nullptr;
  TForm& form = ShowWith(2, kAll, [&](TForm& f) {
    menu = &OwnedComponent<TPopupMenu>(f);
    menu->Items().Add(L"First");
    menu->Items().Add(L"Second");
  });
  TSkinData& data = DataOf(form);
  data.Object(ssMenuItem)->Bitmap.Clear();
  data.Object(ssMenuBackground)->Bitmap.Clear();
  auto& colours = const_cast<TSkinColours&>(data.Colours());
  colours.Hilight = RGBColour(0, 90, 0);
  colours.Menu = RGBColour(240, 230, 200);
  const HMENU h = menu->Handle();
  double selected = 0, rest = 0;
  ASSERT_TRUE(Open(form, *menu, [&](HWND) {
    const RECT item = ItemRect(h, 1);
    input::MoveTo((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    WaitUntil([&] { return Share(BackgroundPart(h, 1), colours.Hilight) > 0.9; });
    selected = Share(BackgroundPart(h, 1), colours.Hilight);
    rest = Share(BackgroundPart(h, 0), colours.Menu);
  }));
  EXPECT_GT(selected, 0.9);
  EXPECT_GT(rest, 0.9);
}

TEST_F(SkinPopMenuTest, OddMenusAndChangesWhileOpen) {
  TPopupMenu* big = nullptr;
  TPopupMenu* deep = nullptr;
  TPopupMenu* changing = nullptr;
  TForm& form = ShowWith(1, kAll, [&](TForm& f) {
    big = &OwnedComponent<TPopupMenu>(f);
    big->Items().Add(L"");
    big->Items().Add(L"&");
    big->Items().Add(std::wstring(600, L'W'));
    for (int i = 0; i < 300; ++i) big->Items().Add(L"Item " + std::to_wstring(i));
    deep = &OwnedComponent<TPopupMenu>(f);
    TMenuItem* level = &deep->Items().Add(L"Level 0");
    for (int i = 1; i < 20; ++i) level = &level->Add(L"Level " + std::to_wstring(i));
    level->Add(L"Bottom");
    changing = &OwnedComponent<TPopupMenu>(f);
    for (int i = 0; i < 5; ++i) changing->Items().Add(L"Goes " + std::to_wstring(i));
  });
  // Each menu makes the framework's painter (with its font) once, when it
  // first shows.
  ASSERT_TRUE(Open(form, *big, [](HWND) { input::Pause(100); }));
  ASSERT_TRUE(Open(form, *deep, [](HWND) { input::Pause(100); }));
  Pump(200);
  const long dcs = LiveHandles(THandleKind::hkDeviceContext);
  const long gdi = LiveHandles(THandleKind::hkGdiObject);

  // Hundreds of items, empty and very long captions: the system scrolls it.
  ASSERT_TRUE(Open(form, *big, [&](HWND) {
    for (int i = 0; i < 40; ++i) input::Key(VK_DOWN);
    input::Pause(300);
    input::Key(VK_END);
    input::Pause(300);
  }));

  // Twenty levels of submenus opened one after another with the keyboard.
  int deepest = 0;
  ASSERT_TRUE(Open(form, *deep, [&](HWND) {
    WaitUntil([&] { return Manager().PopupCount() >= 1; });
    input::Key(VK_DOWN);
    for (int i = 1; i < 20; ++i) {
      input::Key(VK_RIGHT);
      WaitUntil([&] { return Manager().PopupCount() > i; }, 2000ms);
    }
    deepest = Manager().PopupCount();
    // Each Esc closes one level.
    for (int i = 0; i < 24; ++i) {
      input::Key(VK_ESCAPE);
      input::Pause(40);
    }
  }));
  EXPECT_GE(deepest, 15);
  Pump(300);
  // Everything the skinned menus drew with went back.
  EXPECT_EQ(LiveHandles(THandleKind::hkDeviceContext), dcs);
  EXPECT_EQ(LiveHandles(THandleKind::hkGdiObject), gdi);

  // Items removed, and the skin switched off and on, from a timer while the
  // menu shows.
  int ticks = 0;
  TSkinData& data = DataOf(form);
  TTimer& timer = OwnedComponent<TTimer>(form);
  timer.SetInterval(400);
  timer.OnTimer = [&](TObject*) {
    ++ticks;
    if (ticks == 1) changing->Items().Clear();
    if (ticks == 2) data.SetActive(false);
    if (ticks == 4) data.SetActive(true);
  };
  ASSERT_TRUE(Open(form, *changing, [&](HWND) {
    WaitUntil([&] { return ticks >= 8; }, 8000ms);
    input::Key(VK_DOWN);
    input::Pause(200);
  }));
  timer.SetEnabled(false);
  EXPECT_TRUE(PumpUntil([&] { return Manager().PopupCount() == 0; }));
  EXPECT_EQ(changing->Items().Count(), 0);
  EXPECT_TRUE(EngineOf(form.Handle()) != nullptr) << "skinned again after the switch";
}

}  // namespace
