// The user's choice of skin from the system menu: every stored skin by its
// own name, no skin and back, the client area unchanged throughout, and the
// pin button keeping the window on top.
#include <windows.h>

#include "app/SkinChoice.h"
#include "skin/form/SkinWindowMessages.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"
#include "tests/wine/support/InputScript.h"

namespace {

class SkinChoiceTest : public SkinEngineTest {
 protected:
  // The client area keeps its size and the window its place.
  void ExpectClient(HWND window, const RECT& place) {
    const RECT client = ClientScreenRect(window);
    EXPECT_EQ(client.right - client.left, 533);
    EXPECT_EQ(client.bottom - client.top, 456);
    const RECT outer = WindowRect(window);
    EXPECT_EQ(outer.left, place.left);
    EXPECT_EQ(outer.top, place.top);
  }
  // What a click on the item does: the command arrives as a system command.
  void Choose(HWND window, const TSkinChoice& choice, int index) {
    SendMessageW(window, WM_SYSCOMMAND, choice.CommandOf(index), 0);
    Pump(50);
  }
};

TEST_F(SkinChoiceTest, EveryStoredSkinAndNoSkinKeepTheClientArea) {
  TForm& form = ShowSkinnedForm(2);
  const HWND window = form.Handle();
  TSkinData& data = *EngineOf(window)->SkinData();
  TSkinChoice choice(form, Store(), data, 2);
  choice.AddMenuItems();
  form.WindowProc = [&, previous = form.WindowProc](TMessage& m) {
    if (!choice.HandleMessage(m)) previous(m);
  };
  const std::vector<std::wstring> names = {L"Meadow", L"Nightfall", L"Daylight", L"Contrast",
                                           L"Ember"};
  EXPECT_EQ(choice.Names(), names);
  // The menu lists them below a separator, the one in use checked, and
  // "no skin" last.
  const HMENU menu = GetSystemMenu(window, FALSE);
  const int count = GetMenuItemCount(menu);
  ASSERT_GE(count, 7);
  EXPECT_EQ(GetMenuItemID(menu, count - 7), 0u) << "separator";
  EXPECT_EQ(GetMenuItemID(menu, count - 1), choice.CommandOf(-1));
  EXPECT_TRUE(GetMenuState(menu, choice.CommandOf(2), MF_BYCOMMAND) & MF_CHECKED);

  const RECT place = WindowRect(window);
  for (int skin : {0, 1, 3, 4, 2}) {
    SCOPED_TRACE(skin);
    Choose(window, choice, skin);
    TWinSkinForm* engine = EngineOf(window);
    ASSERT_NE(engine, nullptr);
    const TDataSkinBorder& top = data.FrameBorder(fbTop);
    EXPECT_EQ(engine->Metrics().caption, top.Bitmap.Height() / std::max(top.Frame, 1));
    EXPECT_TRUE(GetMenuState(menu, choice.CommandOf(skin), MF_BYCOMMAND) & MF_CHECKED);
    ExpectClient(window, place);
  }
  Choose(window, choice, -1);
  EXPECT_EQ(EngineOf(window), nullptr);
  EXPECT_EQ(SendMessageW(window, SKM_ISSKINNED, 0, 0), 0);
  EXPECT_TRUE(GetMenuState(menu, choice.CommandOf(-1), MF_BYCOMMAND) & MF_CHECKED);
  ExpectClient(window, place);
  Choose(window, choice, 3);
  ASSERT_TRUE(WaitSkinned(window));
  EXPECT_EQ(choice.Current(), 3);
  ExpectClient(window, place);
}

TEST_F(SkinChoiceTest, PinButtonShowsOnlyWhereAnsweredAndKeepsTheWindowOnTop) {
  TForm& form = ShowSkinnedForm(2);
  const HWND window = form.Handle();
  TWinSkinForm& engine = *EngineOf(window);
  EXPECT_EQ(VisibleButton(engine, 30), -1) << "a window that does not answer shows no pin";
  TSkinChoice choice(form, Store(), *engine.SkinData(), 2);
  form.WindowProc = [&, previous = form.WindowProc](TMessage& m) {
    if (!choice.HandleMessage(m)) previous(m);
  };
  RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  const int pin = VisibleButton(engine, 30);
  ASSERT_GE(pin, 0);
  const POINT at = HoverCaptionButton(engine, pin);
  input::Click(at.x, at.y);
  EXPECT_TRUE(
      PumpUntil([&] { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }));
  // Past the double-click time, so the next press is a click of its own.
  Pump(static_cast<int>(GetDoubleClickTime()) + 100);
  input::Click(at.x, at.y);
  EXPECT_TRUE(
      PumpUntil([&] { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0; }));
}

}  // namespace
