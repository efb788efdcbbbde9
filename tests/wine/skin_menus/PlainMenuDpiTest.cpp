// Owner-drawn menus with the skin switched off, at the screen's DPI: the
// framework's plain painter shows the images of the menu's list (drawn for
// 96 DPI) scaled to the popup's DPI, inside items as high as they need.
// The suite runs once per DPI (the prefix's LogPixels).
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "framework/Dpi.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"
#include "skin/menu/SkinMenuOwnerDraw.h"
#include "tests/wine/framework/MenuDriver.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"
#include "tests/wine/skin_menus/MenuTestSupport.h"
#include "tests/wine/support/DpiRunSupport.h"
#include "tests/wine/support/InputScript.h"
#include "tools/gallery/GalleryGlyphs.h"

namespace {

using menu_test::OpaqueBox;

// The columns of `shot` from the left up to the first column without ink
// after the first one with ink: where the glyph column's image is, clear of
// the caption further right.
RECT FirstInkRun(const TBitmap& shot, const std::function<bool(TColor)>& is_ink) {
  int first = -1, end = shot.Width();
  for (int x = 0; x < shot.Width(); ++x) {
    bool any = false;
    for (int y = 0; y < shot.Height() && !any; ++y) any = is_ink(shot.Pixel(x, y));
    if (any && first < 0) first = x;
    if (!any && first >= 0) {
      end = x;
      break;
    }
  }
  if (first < 0) return RECT{};
  return dpi_run::InkBoxOf(shot, is_ink, RECT{first, 0, end, shot.Height()});
}

class PlainMenuDpiTest : public AtScreenDpi<menu_test::MenuTest> {};

TEST_F(PlainMenuDpiTest, ImagesOfAnUnskinnedPopupAreScaledWithTheirItems) {
  TImageList images(16, 16);
  FillGalleryImages(images);
  const int kImages[] = {ggFolder, ggDisk};
  TForm& form = MakeForm(SizableStyle(L"Plain menu images at the DPI"));
  TPopupMenu& menu = OwnedComponent<TPopupMenu>(form);
  menu.SetOwnerDraw(true);
  menu.SetImages(&images);
  menu.Items().Add(L"&Open folder").SetImageIndex(kImages[0]);
  menu.Items().Add(L"&Save to disk").SetImageIndex(kImages[1]);
  menu.Items().Add(L"-");
  menu.Items().Add(L"E&xit");
  // Skinned first, then the skin switched off: the plain painter draws the
  // menu again.
  TSkinData& data = MakeData(form, 2);
  data.SetActive(true);
  form.Show();
  SetForegroundWindow(form.Handle());
  ASSERT_TRUE(WaitSkinned(form.Handle()));
  EXPECT_TRUE(HasItemPainter(menu));
  data.SetActive(false);
  Flush();
  Pump(150);
  ASSERT_FALSE(HasItemPainter(menu));
  ASSERT_TRUE(menu.OwnerDraw());
  const int dpi = dpi_;

  const HMENU handle = menu.Handle();
  RECT items[2]{};
  TBitmap shots[2];
  input::TMenuDriver driver([&](HWND window) {
    input::Pause(200);
    for (int i = 0; i < 2; ++i) {
      items[i] = input::ItemRect(handle, i);
      shots[i] = Capture(items[i]);
    }
    // As a person sees it.
    SaveShot(WindowRect(window), "plain-popup-images-" + DpiName());
    input::Key(VK_ESCAPE);
  });
  const RECT outer = WindowRect(form.Handle());
  menu.Popup(outer.left + 40, outer.top + 60);
  driver.Join();
  ASSERT_TRUE(driver.Shown());

  const TColor background = ColorToRGB(clMenu);
  const auto is_ink = [background](TColor c) { return !dpi_run::Near(c, background, 12); };
  const double scale = dpi / 96.0;
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    const TBitmap& shot = shots[i];
    ASSERT_FALSE(shot.Empty());
    const RECT ink = FirstInkRun(shot, is_ink);
    ASSERT_GT(ink.right, ink.left) << "no image in the item";
    // As large as the 96-DPI image's drawn pixels scaled, inside the item.
    const RECT own = OpaqueBox(images, kImages[i]);
    EXPECT_NEAR(ink.right - ink.left, (own.right - own.left) * scale, 1.01);
    EXPECT_NEAR(ink.bottom - ink.top, (own.bottom - own.top) * scale, 1.01);
    EXPECT_GT(ink.top, 0) << "the image touches the item's top";
    EXPECT_LT(ink.bottom, shot.Height()) << "the image touches the item's bottom";
    EXPECT_GE(shot.Height(), ScaleForDpi(16, dpi) + 2);
  }
}

}  // namespace
