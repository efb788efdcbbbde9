// Access-key underlines in the skinned bar's drop-downs: hidden when the
// mouse opened the drop-down (unless the user asked for underlines
// always), shown when a key opened it. What the screen shows is compared
// with the caption drawn both ways in the same font and colours.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>

#include "framework/BitmapWin32.h"
#include "framework/Dpi.h"
#include "framework/GdiObjects.h"
#include "framework/Menus.h"
#include "skin/menu/MenuFont.h"
#include "skin/menu/SkinMenuBar.h"
#include "tests/wine/framework/MenuDriver.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"
#include "tests/wine/skin_menus/MenuTestSupport.h"
#include "tests/wine/support/InputScript.h"

namespace {

using namespace std::chrono_literals;
using menu_test::ShownMenu;

constexpr TColor kCell = RGBColour(230, 230, 200);
constexpr TColor kInk = RGBColour(0, 0, 0);

bool IsInk(TColor c) {
  return std::abs(RedOf(c) - RedOf(kCell)) + std::abs(GreenOf(c) - GreenOf(kCell)) +
             std::abs(BlueOf(c) - BlueOf(kCell)) >
         150;
}

int InkCount(const TBitmap& shot) {
  int n = 0;
  for (int y = 0; y < shot.Height(); ++y) {
    for (int x = 0; x < shot.Width(); ++x) n += IsInk(shot.Pixel(x, y));
  }
  return n;
}

// How many ink pixels `caption` has in the menu font of `dpi` on the
// item's colour: with its access-key underline, or as it shows without
// (its marker taken out).
int CaptionInk(const std::wstring& caption, int dpi, bool underline) {
  const TOwnedFont font = MakeMenuFont(dpi);
  TBitmap canvas(400, 100, kCell);
  THBitmap dib = MakeDibSection(canvas);
  TBitmapDC dc(dib.Get());
  TSelectObject select(dc.Get(), font.Get());
  SetBkMode(dc.Get(), TRANSPARENT);
  SetTextColor(dc.Get(), RGB(0, 0, 0));
  RECT r{10, 10, 390, 90};
  std::wstring text = caption;
  if (!underline) text.erase(text.find(L'&'), 1);
  DrawTextW(dc.Get(), text.c_str(), -1, &r, DT_SINGLELINE | (underline ? 0 : DT_NOPREFIX));
  int n = 0;
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 400; ++x) {
      const COLORREF p = GetPixel(dc.Get(), x, y);
      n += IsInk(RGBColour(GetRValue(p), GetGValue(p), GetBValue(p)));
    }
  }
  return n;
}

class MenuCuesTest : public SkinEngineTest {
 protected:
  MenuCuesTest() {
    // The user's choice for the run: underlines only when the keyboard is
    // used. Given back afterwards.
    SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &saved_cues_, 0);
    SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<void*>(FALSE), 0);
  }
  ~MenuCuesTest() override {
    SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0,
                          reinterpret_cast<void*>(static_cast<INT_PTR>(saved_cues_)), 0);
  }

  void Drive(const std::function<void()>& script) {
    std::atomic<bool> done{false};
    {
      input::TScriptThread thread([&] {
        script();
        for (int i = 0; i < 6 && input::VisibleMenuWindow(); ++i) {
          input::Key(VK_ESCAPE);
          input::Pause(100);
        }
        done = true;
      });
      PumpUntil([&] { return done.load(); }, 30000);
    }
    Pump(50);
  }

  // The ink of the unselected "E&xit" item of the File drop-down, opened
  // by `open`.
  int ExitInk(TForm& form, HMENU file, const std::function<void()>& open, const std::string& shot) {
    int ink = -1;
    Drive([&] {
      open();
      if (!input::WaitFor([&] { return ShownMenu() == file; }, 5s)) return;
      // The first item gets selected; the second stays at rest.
      input::WaitFor([&] { return (GetMenuState(file, 0, MF_BYPOSITION) & MF_HILITE) != 0; }, 3s);
      input::Pause(200);
      const RECT item = input::ItemRect(file, 1);
      ink = InkCount(Capture(item));
      SaveShot(WindowRect(input::VisibleMenuWindow()), shot);
      input::Key(VK_ESCAPE);
    });
    (void)form;
    return ink;
  }

  BOOL saved_cues_ = FALSE;
};

TEST_F(MenuCuesTest, UnderlinesShowWhenAKeyOpenedTheDropDownOnly) {
  TForm& form = MakeForm(SizableStyle(L"Keyboard cues"));
  auto& menu = OwnedComponent<TMainMenu>(form);
  TMenuItem& file = menu.Items().Add(L"&File");
  file.Add(L"&Open");
  file.Add(L"E&xit");
  menu.Items().Add(L"&Edit").Add(L"&Copy");
  form.SetMenu(&menu);
  TSkinData& data = MakeData(form, 2);
  data.SetActive(true);
  form.Show();
  SetForegroundWindow(form.Handle());
  ASSERT_TRUE(WaitSkinned(form.Handle()));
  Pump(150);
  // Plain cells in one colour and black text, so the text's ink is told
  // from the cell's.
  if (TDataSkinObject* item = data.Object(ssMenuItem); item && !item->Bitmap.Empty()) {
    item->Bitmap.FillRect(item->Bitmap.BoundsRect(), kCell);
  }
  auto& colours = const_cast<TSkinColours&>(data.Colours());
  colours.MenuText = kInk;
  colours.HilightText = kInk;
  TWinSkinMenu& bar = *EngineOf(form.Handle())->MenuBar();
  const HMENU submenu = bar.Button(0)->Submenu;
  const int dpi = WindowDpi(form.Handle());
  const int hidden = CaptionInk(L"E&xit", dpi, false);
  const int shown = CaptionInk(L"E&xit", dpi, true);
  ASSERT_GT(shown, hidden) << "the underline adds ink";

  const TRect b = bar.Button(0)->Bounds;
  const RECT w = WindowRect(form.Handle());
  const POINT centre{w.left + (b.left + b.right) / 2, w.top + (b.top + b.bottom) / 2};
  const int by_mouse = ExitInk(
      form, submenu, [&] { input::Click(centre.x, centre.y); }, "cues-mouse");
  input::MoveTo(w.right - 20, w.bottom - 20);
  Pump(300);
  const int by_key = ExitInk(
      form, submenu, [] { input::Chord(VK_MENU, 'F'); }, "cues-key");

  // Each is nearer the caption drawn its own way than the other.
  ASSERT_GE(by_mouse, 0) << "the drop-down opened by the mouse";
  ASSERT_GE(by_key, 0) << "the drop-down opened by the key";
  EXPECT_LT(std::abs(by_mouse - hidden), std::abs(by_mouse - shown))
      << "opened by the mouse: no underline (" << by_mouse << " ink, " << hidden << " without, "
      << shown << " with)";
  EXPECT_LT(std::abs(by_key - shown), std::abs(by_key - hidden))
      << "opened by a key: the underline shows (" << by_key << " ink, " << hidden << " without, "
      << shown << " with)";

  // With underlines always, the mouse shows them too.
  SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<void*>(TRUE), 0);
  input::MoveTo(w.right - 20, w.bottom - 20);
  Pump(300);
  const int always = ExitInk(
      form, submenu, [&] { input::Click(centre.x, centre.y); }, "cues-always");
  EXPECT_LT(std::abs(always - shown), std::abs(always - hidden));
}

}  // namespace
