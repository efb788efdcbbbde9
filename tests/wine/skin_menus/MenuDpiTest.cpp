// Skinned menus at the screen's DPI, as a person sees them: the menu line
// as high as the menu font of the DPI needs, the bar's image and the
// popup items' cells scaled (their margins read back from the screen), the
// captions whole inside their buttons and items, the buttons hit where
// their captions are drawn, check marks and submenu arrows at the DPI's
// size inside their items. The suite runs once per DPI (the prefix's
// LogPixels); TONMILL_TEST_DPI names the DPI a run expects.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>

#include "framework/BitmapWin32.h"
#include "framework/Dpi.h"
#include "framework/GdiObjects.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"
#include "skin/data/SkinRender.h"
#include "skin/menu/MenuFont.h"
#include "skin/menu/SkinMenuBar.h"
#include "tests/wine/framework/MenuDriver.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"
#include "tests/wine/skin_menus/MenuTestSupport.h"
#include "tests/wine/support/InputScript.h"
#include "tools/gallery/GalleryGlyphs.h"

namespace {

using namespace std::chrono_literals;
using menu_test::OpaqueBox;
using menu_test::ShownMenu;
using menu_test::WaitClosed;
using menu_test::WaitShown;

// Colours the test paints the skin's menu images in, and the text in.
constexpr TColor kCap = RGBColour(20, 180, 60);
constexpr TColor kFill = RGBColour(40, 90, 200);
constexpr TColor kItemCap = RGBColour(200, 160, 20);
constexpr TColor kItemFill = RGBColour(120, 200, 230);
constexpr TColor kInk = RGBColour(0, 0, 0);
// The margins the marked images get, in image pixels.
constexpr int kCapWidth = 4;

int ExpectedDpi() {
  const char* text = std::getenv("TONMILL_TEST_DPI");
  return text ? std::atoi(text) : 0;
}

std::string DpiName(int dpi) {
  return std::to_string(dpi) + "dpi";
}

bool Near(TColor a, TColor b, int tolerance) {
  return std::abs(RedOf(a) - RedOf(b)) <= tolerance &&
         std::abs(GreenOf(a) - GreenOf(b)) <= tolerance &&
         std::abs(BlueOf(a) - BlueOf(b)) <= tolerance;
}

// The box around the pixels of `shot` within `rect` (shot coordinates)
// that `is_ink` picks; empty when there are none.
RECT InkBox(const TBitmap& shot, const RECT& rect, const std::function<bool(TColor)>& is_ink) {
  RECT box{rect.right, rect.bottom, rect.left - 1, rect.top - 1};
  for (int y = std::max(0L, rect.top); y < std::min<long>(shot.Height(), rect.bottom); ++y) {
    for (int x = std::max(0L, rect.left); x < std::min<long>(shot.Width(), rect.right); ++x) {
      if (!is_ink(shot.Pixel(x, y))) continue;
      box.left = std::min<long>(box.left, x);
      box.top = std::min<long>(box.top, y);
      box.right = std::max<long>(box.right, x + 1);
      box.bottom = std::max<long>(box.bottom, y + 1);
    }
  }
  if (box.right <= box.left) return RECT{};
  return box;
}

// How many columns from the left of row `y` of `shot` show `colour`
// without a break.
int RunFromLeft(const TBitmap& shot, int x0, int y, TColor colour) {
  int n = 0;
  while (x0 + n < shot.Width() && Near(shot.Pixel(x0 + n, y), colour, 10)) ++n;
  return n;
}

// The extent of `text` (access-key marker hidden) in the menu font of `dpi`.
SIZE TextExtent(const std::wstring& text, int dpi, TEXTMETRICW* metrics = nullptr) {
  const TOwnedFont font = MakeMenuFont(dpi);
  TWindowDC screen(nullptr);
  TSelectObject select(screen.Get(), font.Get());
  RECT r{0, 0, 0, 0};
  DrawTextW(screen.Get(), text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_HIDEPREFIX);
  if (metrics) GetTextMetricsW(screen.Get(), metrics);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

// The system's check mark at `size`: how wide its ink is.
int CheckMarkInkWidth(int size) {
  TOwnedMemoryDC dc(nullptr);
  TOwnedBitmap mask(CreateBitmap(size, size, 1, 1, nullptr));
  TSelectObject select(dc.Get(), mask.Get());
  RECT r{0, 0, size, size};
  DrawFrameControl(dc.Get(), &r, DFC_MENU, DFCS_MENUCHECK);
  int left = size, right = -1;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      if (GetPixel(dc.Get(), x, y) != RGB(0, 0, 0)) continue;
      left = std::min(left, x);
      right = std::max(right, x);
    }
  }
  return right >= left ? right - left + 1 : 0;
}

class MenuDpiTest : public menu_test::MenuTest {
 protected:
  TForm& ShowWithMenu(int skin) {
    TForm& form = MakeForm(SizableStyle(L"Menus at the DPI"));
    menu_ = &OwnedComponent<TMainMenu>(form);
    TMenuItem& file = menu_->Items().Add(L"&File");
    file.Add(L"&Open").SetShortCutText(L"Ctrl+O");
    file.Add(L"-");
    file.Add(L"Ticked").SetChecked(true);
    TMenuItem& more = file.Add(L"&More");
    more.Add(L"Deeper");
    file.Add(L"E&xit");
    menu_->Items().Add(L"&Edit").Add(L"&Copy");
    menu_->Items().Add(L"&View with a longer caption").Add(L"&Large");
    form.SetMenu(menu_);
    data_ = &MakeData(form, skin);
    data_->SetActive(true);
    form.Show();
    SetForegroundWindow(form.Handle());
    EXPECT_TRUE(WaitSkinned(form.Handle()));
    Pump(150);
    return form;
  }

  TWinSkinForm& Engine(TForm& form) {
    TWinSkinForm& engine = *EngineOf(form.Handle());
    if (const int expected = ExpectedDpi()) {
      EXPECT_EQ(WindowDpi(form.Handle()), expected) << "the prefix's LogPixels did not take";
      EXPECT_EQ(engine.Dpi(), expected);
    }
    return engine;
  }

  TWinSkinMenu& Bar(TForm& form) { return *EngineOf(form.Handle())->MenuBar(); }

  // The bar's image and the menu items' image in the test's colours: caps
  // kCapWidth wide at the left and right, the rest filled; the captions
  // in kInk.
  void MarkImages() {
    if (TDataSkinObject* bar = data_->Object(ssMenuBar); bar && !bar->Bitmap.Empty()) {
      Mark(*bar, 1, kCap, kFill);
      bar->Tile = 1;
    }
    if (TDataSkinObject* item = data_->Object(ssMenuItem); item && !item->Bitmap.Empty()) {
      Mark(*item, 5, kItemCap, kItemFill);
    }
    auto& colours = const_cast<TSkinColours&>(data_->Colours());
    colours.MenuBarText = kInk;
    colours.MenuText = kInk;
    colours.HilightText = kInk;
  }
  static void Mark(TDataSkinObject& object, int frames, TColor cap, TColor fill) {
    TBitmap& b = object.Bitmap;
    const int cell = b.Width() / frames;
    for (int y = 0; y < b.Height(); ++y) {
      for (int x = 0; x < b.Width(); ++x) {
        const int in_cell = x % cell;
        b.SetPixel(x, y, in_cell < kCapWidth || in_cell >= cell - kCapWidth ? cap : fill);
      }
    }
    object.LeftWidth = object.RightWidth = kCapWidth;
    object.TopHeight = object.BottomHeight = 0;
    object.Trans = 0;
  }

  TMainMenu* menu_ = nullptr;
  TSkinData* data_ = nullptr;
};

// --- the bar ----------------------------------------------------------------

TEST_F(MenuDpiTest, BarLineImageAndButtonsFollowTheDpi) {
  for (int skin : {1, 2}) {
    SCOPED_TRACE(kSkinFiles[skin]);
    // The mouse away from the bar: no button is hot.
    input::MoveTo(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
    TForm& form = ShowWithMenu(skin);
    TWinSkinForm& engine = Engine(form);
    const int dpi = engine.Dpi();
    const std::string name = std::string(kSkinFiles[skin]) + "-" + DpiName(dpi);
    TWinSkinMenu& bar = Bar(form);
    ASSERT_EQ(bar.ButtonCount(), 3);

    // The line fits the menu font of the DPI, and is at least the system's
    // menu bar there.
    TEXTMETRICW tm{};
    TextExtent(L"File", dpi, &tm);
    EXPECT_GE(engine.MenuBarHeight(), SystemMetricsForDpi(SM_CYMENU, dpi));
    EXPECT_GE(engine.MenuBarHeight(), tm.tmHeight + 2);
    // Captions are as large as the form's own text at the least (Wine
    // names an 11-pixel menu font in which CJK captions break up).
    {
      TWindowDC screen(nullptr);
      TSelectObject select(screen.Get(),
                           reinterpret_cast<HFONT>(SendMessageW(form.Handle(), WM_GETFONT, 0, 0)));
      TEXTMETRICW own{};
      GetTextMetricsW(screen.Get(), &own);
      EXPECT_GE(tm.tmHeight - tm.tmInternalLeading, own.tmHeight - own.tmInternalLeading);
    }
    const RECT outer = WindowRect(form.Handle());
    const TFrameMetrics& m = engine.Metrics();
    EXPECT_EQ(ClientScreenRect(form.Handle()).top - outer.top, m.caption + engine.MenuBarHeight());
    // The whole window, as the skin shows it, for people to look at.
    SaveShot(form.Handle(), "menubar-" + name);

    // The bar's image in the test's colours: its caps scaled.
    MarkImages();
    bar.Repaint();
    Pump(100);
    const RECT line{outer.left + m.left, outer.top + m.caption, outer.right - m.right,
                    outer.top + m.caption + engine.MenuBarHeight()};
    const TBitmap shot = Capture(line);
    ASSERT_FALSE(shot.Empty());
    EXPECT_EQ(RunFromLeft(shot, 0, 0, kCap), SkinScale(kCapWidth, dpi)) << "the bar's left cap";

    // Each caption is drawn whole inside its button, and a click where it
    // is drawn opens that button's drop-down.
    const std::wstring captions[] = {L"&File", L"&Edit", L"&View with a longer caption"};
    for (int i = 0; i < bar.ButtonCount(); ++i) {
      SCOPED_TRACE(i);
      const TMenuBtn& button = *bar.Button(i);
      const RECT bounds{button.Bounds.left - m.left, button.Bounds.top - m.caption,
                        button.Bounds.right - m.left, button.Bounds.bottom - m.caption};
      // The ink anywhere on the line near this button: none of it outside.
      const RECT around{bounds.left - 3, 0, bounds.right + 3, shot.Height()};
      const RECT ink = InkBox(shot, around, [](TColor c) { return Near(c, kInk, 60); });
      ASSERT_GT(ink.right, ink.left) << "no caption on the screen";
      EXPECT_GE(ink.left, bounds.left);
      EXPECT_LE(ink.right, bounds.right);
      EXPECT_GT(ink.top, 0);
      EXPECT_LT(ink.bottom, shot.Height());
      const SIZE extent = TextExtent(captions[i], dpi);
      EXPECT_GE(ink.right - ink.left, extent.cx - SkinScale(3, dpi)) << "the caption is whole";
      EXPECT_GE(bounds.right - bounds.left, extent.cx + SkinScale(8, dpi));
      const POINT at{line.left + (ink.left + ink.right) / 2, line.top + (ink.top + ink.bottom) / 2};
      const HMENU submenu = button.Submenu;
      bool shown = false;
      Drive([&] {
        input::Click(at.x, at.y);
        shown = WaitShown(submenu);
        input::Key(VK_ESCAPE);
      });
      EXPECT_TRUE(shown) << "the click on the caption opens its drop-down";
    }
    App().RemoveComponent(&form);
    Pump(50);
  }
}

// --- the popup items --------------------------------------------------------

TEST_F(MenuDpiTest, PopupItemsHoldTheirTextMarksAndArrowsAtTheDpi) {
  for (int skin : {1, 2}) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TForm& form = ShowWithMenu(skin);
    TWinSkinForm& engine = Engine(form);
    const int dpi = engine.Dpi();
    const std::string name = std::string(kSkinFiles[skin]) + "-" + DpiName(dpi);
    const HMENU file = Bar(form).Button(0)->Submenu;
    ASSERT_NE(file, nullptr);

    // As the skin shows it, for people to look at.
    Drive([&] {
      input::Key(VK_F10);
      if (!WaitShown(file)) return;
      input::Pause(200);
      const RECT w = WindowRect(input::VisibleMenuWindow());
      const RECT outer = WindowRect(form.Handle());
      SaveShot(RECT{outer.left, outer.top, std::max(outer.right, w.right),
                    std::max(outer.bottom, w.bottom)},
               "popup-" + name);
      input::Key(VK_ESCAPE);
    });

    MarkImages();
    RECT items[5]{};
    TBitmap shots[5];
    bool shown = false;
    Drive([&] {
      input::Key(VK_F10);
      shown = WaitShown(file);
      if (!shown) return;
      // The first item is selected; the others show cell 1.
      input::WaitFor(
          [&] {
            const RECT r = input::ItemRect(file, 4);
            return Near(Capture(r).Pixel((r.right - r.left) / 2, 1), kItemFill, 10);
          },
          3s);
      input::Pause(100);
      for (int i = 0; i < 5; ++i) {
        items[i] = input::ItemRect(file, i);
        shots[i] = Capture(items[i]);
      }
      input::Key(VK_ESCAPE);
    });
    ASSERT_TRUE(shown);

    TEXTMETRICW tm{};
    const auto is_ink = [](TColor c) { return Near(c, kInk, 60); };
    const std::wstring captions[] = {L"&Open", L"-", L"Ticked", L"&More", L"E&xit"};
    for (int i : {0, 2, 3, 4}) {
      SCOPED_TRACE(i);
      const TBitmap& shot = shots[i];
      ASSERT_FALSE(shot.Empty());
      const SIZE extent = TextExtent(captions[i], dpi, &tm);
      // Tall enough for the text, and the cell's left cap scaled.
      EXPECT_GE(items[i].bottom - items[i].top, extent.cy + 2);
      EXPECT_EQ(RunFromLeft(shot, 0, 1, kItemCap), SkinScale(kCapWidth, dpi))
          << "the item cell's left margin";
      const RECT all{0, 0, shot.Width(), shot.Height()};
      const RECT ink = InkBox(shot, all, is_ink);
      ASSERT_GT(ink.right, ink.left);
      EXPECT_GT(ink.top, 0) << "nothing cut at the item's top";
      EXPECT_LT(ink.bottom, shot.Height()) << "nothing cut at the item's bottom";
    }
    // The caption of a plain item is whole.
    {
      const SIZE extent = TextExtent(captions[4], dpi);
      const RECT ink = InkBox(shots[4], RECT{0, 0, shots[4].Width(), shots[4].Height()}, is_ink);
      EXPECT_GE(ink.right - ink.left, extent.cx - SkinScale(3, dpi));
    }
    // The check mark: the system's mark at the DPI's size, in the glyph box
    // left of the caption.
    {
      const TBitmap& shot = shots[2];
      const int caption_left = shot.Width() - 1;
      const int box = SkinScale(kCapWidth, dpi) + 1 + SkinScale(16, dpi);
      const RECT mark =
          InkBox(shot, RECT{0, 0, std::min(box, caption_left), shot.Height()}, is_ink);
      ASSERT_GT(mark.right, mark.left) << "no check mark";
      EXPECT_GE(mark.left, SkinScale(kCapWidth, dpi));
      EXPECT_GE(mark.right - mark.left + 1,
                CheckMarkInkWidth(SystemMetricsForDpi(SM_CXMENUCHECK, dpi)) - 1);
    }
    // The submenu arrow: at the item's right end, inside it, as tall as it
    // shows at the DPI.
    {
      const TBitmap& shot = shots[3];
      const int zone = SkinScale(12, dpi);
      const RECT arrow =
          InkBox(shot, RECT{shot.Width() - zone, 0, shot.Width(), shot.Height()}, is_ink);
      ASSERT_GT(arrow.right, arrow.left) << "no arrow";
      EXPECT_LT(arrow.right, shot.Width());
      EXPECT_GT(arrow.top, 0);
      EXPECT_LT(arrow.bottom, shot.Height());
      EXPECT_GE(arrow.bottom - arrow.top, SkinScale(7, dpi));
    }
    App().RemoveComponent(&form);
    Pump(50);
  }
}

// --- images from the menu's image list --------------------------------------

TEST_F(MenuDpiTest, PopupImagesAreScaledWithTheirItems) {
  TImageList images(16, 16);
  FillGalleryImages(images);
  const int kImages[] = {ggFolder, ggDisk};
  for (int skin : {1, 0, 2, 3, 4}) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TForm& form = MakeForm(SizableStyle(L"Menu images at the DPI"));
    menu_ = &OwnedComponent<TMainMenu>(form);
    menu_->SetImages(&images);
    TMenuItem& file = menu_->Items().Add(L"&File");
    file.Add(L"&Open folder").SetImageIndex(kImages[0]);
    file.Add(L"&Save to disk").SetImageIndex(kImages[1]);
    file.Add(L"-");
    file.Add(L"E&xit");
    form.SetMenu(menu_);
    data_ = &MakeData(form, skin);
    data_->SetActive(true);
    form.Show();
    SetForegroundWindow(form.Handle());
    ASSERT_TRUE(WaitSkinned(form.Handle()));
    Pump(150);
    const int dpi = Engine(form).Dpi();
    const HMENU shown = Bar(form).Button(0)->Submenu;
    ASSERT_NE(shown, nullptr);

    // As the skin shows it, for people to look at: the drop-down, and the
    // system menu with the skin's glyphs.
    const std::string name = std::string(kSkinFiles[skin]) + "-" + DpiName(dpi);
    Drive([&] {
      input::Key(VK_F10);
      if (!WaitShown(shown)) return;
      input::Pause(200);
      SaveShot(WindowRect(input::VisibleMenuWindow()), "popup-images-" + name);
      input::Key(VK_ESCAPE);
    });
    input::TMenuDriver system_menu([&](HWND window) {
      input::Pause(200);
      SaveShot(WindowRect(window), "system-menu-" + name);
      input::Key(VK_ESCAPE);
    });
    const RECT outer = WindowRect(form.Handle());
    Engine(form).ShowSystemMenu(POINT{outer.left + 20, outer.top + 30});
    system_menu.Join();
    if (skin != 1) {
      App().RemoveComponent(&form);
      Pump(50);
      continue;
    }

    // The items in the test's colours, their captions in the fill colour:
    // what differs from the fill and the caps is the image.
    MarkImages();
    auto& colours = const_cast<TSkinColours&>(data_->Colours());
    colours.MenuText = colours.HilightText = kItemFill;
    RECT items[2]{};
    TBitmap shots[2];
    bool opened = false;
    Drive([&] {
      input::Key(VK_F10);
      opened = WaitShown(shown);
      if (!opened) return;
      input::WaitFor(
          [&] {
            const RECT r = input::ItemRect(shown, 3);
            return Near(Capture(r).Pixel((r.right - r.left) / 2, 1), kItemFill, 10);
          },
          3s);
      input::Pause(100);
      for (int i = 0; i < 2; ++i) {
        items[i] = input::ItemRect(shown, i);
        shots[i] = Capture(items[i]);
      }
      input::Key(VK_ESCAPE);
    });
    ASSERT_TRUE(opened);
    const auto is_image = [](TColor c) {
      return !Near(c, kItemFill, 12) && !Near(c, kItemCap, 12);
    };
    const double scale = dpi / 96.0;
    for (int i = 0; i < 2; ++i) {
      SCOPED_TRACE(i);
      const TBitmap& shot = shots[i];
      ASSERT_FALSE(shot.Empty());
      // Inside the caps, clear of the item's edges.
      const int cap = SkinScale(kCapWidth, dpi);
      const RECT ink = InkBox(shot, RECT{cap, 0, shot.Width() - cap, shot.Height()}, is_image);
      ASSERT_GT(ink.right, ink.left) << "no image in the item";
      EXPECT_GT(ink.top, 0) << "the image touches the item's top";
      EXPECT_LT(ink.bottom, shot.Height()) << "the image touches the item's bottom";
      // As large as the 96-DPI image's drawn pixels scaled, and in the
      // glyph box where its own pixels put it.
      const RECT own = OpaqueBox(images, kImages[i]);
      EXPECT_NEAR(ink.right - ink.left, (own.right - own.left) * scale, 1.01);
      EXPECT_NEAR(ink.bottom - ink.top, (own.bottom - own.top) * scale, 1.01);
      EXPECT_NEAR(ink.left - (cap + 1), own.left * scale, 1.01) << "left of the glyph box";
      // The item is as high as the image at the DPI with room around it.
      EXPECT_GE(shot.Height(), SkinScale(16, dpi) + 2);
    }
    App().RemoveComponent(&form);
    Pump(50);
  }
}

}  // namespace
