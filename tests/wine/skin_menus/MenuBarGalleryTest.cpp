// The gallery's main menu under every stored skin: the bar in the skinned
// frame and a drop-down opened with Alt and a letter while a control of the
// window has the focus.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <string>

#include "skin/menu/SkinMenuBar.h"
#include "tests/wine/framework/MenuDriver.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"
#include "tests/wine/support/InputScript.h"
#include "tools/gallery/GalleryForm.h"

namespace {

using namespace std::chrono_literals;

using MenuBarGalleryTest = SkinEngineTest;

TEST_F(MenuBarGalleryTest, TheGalleryMenuOpensWithItsAccessKeyUnderEverySkin) {
  auto& gallery = OwnedComponent<TGalleryForm>(App(), Environment(), TGalleryStart{});
  gallery.Show();
  SetForegroundWindow(gallery.Handle());
  const HWND window = gallery.Handle();
  ASSERT_TRUE(WaitSkinned(window));
  for (int skin = 0; skin < 5; ++skin) {
    const std::string name = kSkinFiles[skin];
    SCOPED_TRACE(name);
    gallery.ChooseStored(skin);
    Flush();
    ASSERT_TRUE(WaitSkinned(window));
    Pump(200);
    TWinSkinMenu* bar = EngineOf(window)->MenuBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetMenu(window), nullptr);
    // The hidden item is not in the bar.
    ASSERT_EQ(bar->ButtonCount(), 6);
    const HMENU file = bar->Button(0)->Submenu;
    ASSERT_NE(file, nullptr);
    // A control has the focus, as when a person works in the window.
    SetFocus(GetNextDlgTabItem(window, nullptr, FALSE));
    const HWND focus = GetFocus();
    ASSERT_NE(focus, window);
    ASSERT_TRUE(IsChild(window, focus));
    std::atomic<bool> shown{false}, done{false};
    {
      input::TScriptThread script([&] {
        input::Chord(VK_MENU, 'F');
        shown = input::WaitFor(
            [file] {
              HWND menu = input::VisibleMenuWindow();
              return menu && reinterpret_cast<HMENU>(SendMessageW(menu, 0x01E1, 0, 0)) == file;
            },
            5s);
        input::Pause(200);
        SaveShot(WindowRect(window), "menubar_gallery_" + name);
        for (int i = 0; i < 6 && input::VisibleMenuWindow(); ++i) {
          input::Key(VK_ESCAPE);
          input::Pause(200);
        }
        done = true;
      });
      PumpUntil([&] { return done.load(); }, 20000);
    }
    EXPECT_TRUE(shown);
  }
}

}  // namespace
