// The gallery's context menus and its menu button's drop-down under every
// stored skin: opened with the real mouse, drawn by the skinned painter on
// the skin's menu background, and saved for people to look at.
#include <windows.h>

#include <chrono>
#include <string>

#include "framework/Buttons.h"
#include "skin/menu/SkinMenuOwnerDraw.h"
#include "tests/wine/framework/MenuDriver.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"
#include "tests/wine/support/InputScript.h"
#include "tools/gallery/GalleryForm.h"

namespace {

using namespace std::chrono_literals;

using GalleryPopupTest = SkinEngineTest;

// The union of the window's and the open menus' rectangles.
RECT WithMenus(HWND window, HWND menu) {
  RECT r = WindowRect(window);
  RECT m = WindowRect(menu);
  UnionRect(&r, &r, &m);
  return r;
}

TEST_F(GalleryPopupTest, ContextMenusAndTheDropDownAreTheSkinsUnderEverySkin) {
  auto& gallery = OwnedComponent<TGalleryForm>(App(), Environment(), TGalleryStart{});
  gallery.Show();
  SetForegroundWindow(gallery.Handle());
  const HWND window = gallery.Handle();
  ASSERT_TRUE(WaitSkinned(window));
  TMenuButton* more = nullptr;
  for (int i = 0; i < gallery.ComponentCount() && !more; ++i) {
    auto* button = dynamic_cast<TMenuButton*>(gallery.Components(i));
    if (button && button->DropdownMenu) more = button;
  }
  ASSERT_NE(more, nullptr);
  ASSERT_NE(gallery.List, nullptr);
  for (int skin = 0; skin < 5; ++skin) {
    const std::string name = kSkinFiles[skin];
    SCOPED_TRACE(name);
    gallery.ChooseStored(skin);
    Flush();
    ASSERT_TRUE(WaitSkinned(window));
    Pump(200);
    EXPECT_TRUE(HasItemPainter(*more->DropdownMenu)) << "the menu button's drop-down";

    // The list's context menu, its submenu opened.
    RECT list = WindowRect(gallery.List->Handle());
    int skinned = 0;
    {
      input::TMenuDriver driver([&](HWND menu) {
        input::Pause(200);
        skinned = Manager().PopupCount();
        const auto handle = reinterpret_cast<HMENU>(SendMessageW(menu, 0x01E1, 0, 0));
        // "更多" opens its submenu under the mouse.
        const RECT item = input::ItemRect(handle, 8);
        input::MoveTo((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        input::WaitFor([&] { return Manager().PopupCount() >= 2; }, 3s);
        input::Pause(300);
        SaveShot(WithMenus(window, menu), "gallery_context_" + name);
        for (int i = 0; i < 4 && input::VisibleMenuWindow(); ++i) {
          input::Key(VK_ESCAPE);
          input::Pause(100);
        }
      });
      input::Click((list.left + list.right) / 2, (list.top + list.bottom) / 2, true);
      PumpUntil([&] { return driver.Shown() && !input::VisibleMenuWindow(); }, 8000);
      driver.Join();
      EXPECT_TRUE(driver.Shown());
    }
    EXPECT_GE(skinned, 1) << "the context menu's window is the skin's";

    // The menu button's drop-down.
    const RECT button = WindowRect(more->Handle());
    {
      input::TMenuDriver driver([&](HWND menu) {
        input::Pause(300);
        SaveShot(WithMenus(window, menu), "gallery_dropdown_" + name);
        input::Key(VK_ESCAPE);
      });
      input::Click((button.left + button.right) / 2, (button.top + button.bottom) / 2);
      PumpUntil([&] { return driver.Shown() && !input::VisibleMenuWindow(); }, 8000);
      driver.Join();
      EXPECT_TRUE(driver.Shown());
    }
    Pump(100);
  }
}

}  // namespace
