// Nothing the engine takes stays taken: skin switches and skinned forms
// opened and closed leave as many GDI objects, icons, menus, device
// contexts and subclass layers as they found (counted through the
// program's own owner types).
#include <windows.h>

#include "app/SkinChoice.h"
#include "framework/HandleCount.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"

namespace {

struct TLiveCounts {
  long gdi = LiveHandles(THandleKind::hkGdiObject);
  long icons = LiveHandles(THandleKind::hkIcon);
  long menus = LiveHandles(THandleKind::hkMenu);
  long dcs = LiveHandles(THandleKind::hkDeviceContext);
  long subclasses = LiveHandles(THandleKind::hkSubclass);
  friend bool operator==(const TLiveCounts&, const TLiveCounts&) = default;
};

std::ostream& operator<<(std::ostream& out, const TLiveCounts& c) {
  return out << "gdi " << c.gdi << ", icons " << c.icons << ", menus " << c.menus << ", dcs "
             << c.dcs << ", subclasses " << c.subclasses;
}

class LeakTest : public SkinEngineTest {};

TEST_F(LeakTest, TwoHundredSkinSwitchesGiveBackWhatTheyTook) {
  TForm& form = ShowSkinnedForm(2);
  const HWND window = form.Handle();
  TSkinChoice choice(form, Store(), *EngineOf(window)->SkinData(), 2);
  choice.AddMenuItems();
  form.WindowProc = [&, previous = form.WindowProc](TMessage& m) {
    if (!choice.HandleMessage(m)) previous(m);
  };
  auto choose = [&](int skin) {
    SendMessageW(window, WM_SYSCOMMAND, choice.CommandOf(skin), 0);
    UpdateWindow(window);
  };
  // Once through every choice first, so that what is made once (fonts,
  // brushes of the skin) exists before counting.
  for (int skin = -1; skin < 5; ++skin) choose(skin);
  choose(2);
  App().ProcessMessages();
  const TLiveCounts before;
  EXPECT_GT(before.subclasses, 0);
  for (int i = 0; i < 200; ++i) choose(i % 6 - 1);
  choose(2);
  App().ProcessMessages();
  ASSERT_NE(EngineOf(window), nullptr);
  EXPECT_EQ(TLiveCounts(), before);
}

TEST_F(LeakTest, TwoHundredSkinnedFormsOpenedAndClosed) {
  TSkinData& data = MakeData(App(), 0);
  data.SetActive(true);
  Flush();
  auto open_and_close = [&](int n) {
    for (int i = 0; i < n; ++i) {
      TForm& form = MakeForm(i % 2 ? SizableStyle() : MainLikeStyle());
      form.Show();
      SetForegroundWindow(form.Handle());
      ASSERT_TRUE(WaitSkinned(form.Handle()));
      App().RemoveComponent(&form);  // the form and its engine go now
      App().ProcessMessages();
    }
  };
  open_and_close(2);
  const TLiveCounts before;
  open_and_close(200);
  EXPECT_EQ(TLiveCounts(), before);
  EXPECT_TRUE(Manager().SkinForms().empty());
}

// A program that puts back a window procedure it saved before the engine
// came cuts the engine's layer off the window. The engine still ends with
// its window, while the form is whole, and goes with the form.
TEST_F(LeakTest, AnEngineCutOffItsWindowStillEndsWithTheWindow) {
  TSkinData& data = MakeData(App(), 1);
  data.SetActive(true);
  Flush();
  TForm& form = MakeForm(MainLikeStyle());
  form.Show();
  SetForegroundWindow(form.Handle());
  ASSERT_TRUE(WaitSkinned(form.Handle()));
  const HWND window = form.Handle();
  TWinSkinForm* engine = EngineOf(window);
  ASSERT_NE(engine, nullptr);
  SetWindowLongPtrW(window, GWLP_WNDPROC,
                    static_cast<LONG_PTR>(GetClassLongPtrW(window, GCLP_WNDPROC)));
  DestroyWindow(window);
  ASSERT_EQ(EngineOf(window), engine);
  EXPECT_EQ(engine->SkinState(), ksDestroyed);
  EXPECT_FALSE(engine->Hooked());
  App().RemoveComponent(&form);
  App().ProcessMessages();
  EXPECT_TRUE(Manager().SkinForms().empty());
}

}  // namespace
