// What the framework's main menu gives the menu bar: short cuts that click
// their items from whichever control has the focus (only where the item
// can be reached), their texts, and hidden items left out of the menu.
#include <windows.h>

#include <initializer_list>
#include <vector>

#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "skin/menu/SkinMenuBar.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"
#include "tests/wine/support/InputScript.h"

namespace {

// The keys go down in order and come up in reverse.
void Press(std::initializer_list<WORD> keys) {
  std::vector<INPUT> in;
  for (WORD key : keys) in.push_back(input::KeyInput(key, false));
  for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) {
    in.push_back(input::KeyInput(*it, true));
  }
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof in[0]);
}

class MainMenuTest : public SkinEngineTest {
 protected:
  // A form with an edit that has the focus and a menu whose items count
  // their clicks.
  TForm& MakeMenuForm(bool skinned) {
    TForm& form = MakeForm(SizableStyle(L"Main menu test"));
    TEdit& edit = OwnedComponent<TEdit>(form);
    edit.SetBounds(10, 10, 200, 24);
    edit.SetParent(&form);
    menu_ = &OwnedComponent<TMainMenu>(form);
    TMenuItem& file = menu_->Items().Add(L"&File");
    open_ = &file.Add(L"&Open");
    open_->SetShortCut(scCtrl | 'O');
    save_ = &file.Add(L"&Save");
    save_->SetShortCut(scCtrl | scShift | 'S');
    save_->SetEnabled(false);
    hidden_ = &file.Add(L"&Refresh");
    hidden_->SetShortCut(VK_F5);
    hidden_->SetVisible(false);
    TMenuItem& edit_menu = menu_->Items().Add(L"&Edit");
    paste_ = &edit_menu.Add(L"&Paste");
    paste_->SetShortCut(scCtrl | 'V');
    edit_menu.SetEnabled(false);
    for (TMenuItem* item : {open_, save_, hidden_, paste_}) {
      item->OnClick = [this, item](TObject*) { clicked_.push_back(item); };
    }
    form.SetMenu(menu_);
    if (skinned) MakeData(form, 1).SetActive(true);
    form.Show();
    SetForegroundWindow(form.Handle());
    if (skinned) {
      EXPECT_TRUE(WaitSkinned(form.Handle()));
    }
    SetFocus(edit.Handle());
    Pump(100);
    EXPECT_EQ(GetFocus(), edit.Handle());
    return form;
  }

  TMainMenu* menu_ = nullptr;
  TMenuItem *open_ = nullptr, *save_ = nullptr, *hidden_ = nullptr, *paste_ = nullptr;
  std::vector<TMenuItem*> clicked_;
};

TEST_F(MainMenuTest, ShortCutsClickReachableItemsFromAnyControl) {
  for (bool skinned : {false, true}) {
    SCOPED_TRACE(skinned ? "skinned" : "plain");
    clicked_.clear();
    TForm& form = MakeMenuForm(skinned);
    EXPECT_EQ(open_->ShortCutText(), L"Ctrl+O");
    EXPECT_EQ(save_->ShortCutText(), L"Ctrl+Shift+S");
    EXPECT_EQ(hidden_->ShortCutText(), L"F5");
    Press({VK_CONTROL, 'O'});
    ASSERT_TRUE(PumpUntil([&] { return clicked_.size() == 1; }, 2000));
    EXPECT_EQ(clicked_[0], open_);
    // A disabled item, a hidden one and one in a disabled branch are out
    // of reach; the keys go on to the edit.
    Press({VK_CONTROL, VK_SHIFT, 'S'});
    Press({VK_F5});
    Press({VK_CONTROL, 'V'});
    Press({'Q'});
    Pump(300);
    EXPECT_EQ(clicked_.size(), 1u);
    wchar_t text[16] = {};
    GetWindowTextW(GetFocus(), text, 16);
    EXPECT_STREQ(text, L"q");
    // The item once enabled answers its keys.
    save_->SetEnabled(true);
    Press({VK_CONTROL, VK_SHIFT, 'S'});
    ASSERT_TRUE(PumpUntil([&] { return clicked_.size() == 2; }, 2000));
    EXPECT_EQ(clicked_[1], save_);
    App().RemoveComponent(&form);
    Pump(50);
  }
}

TEST_F(MainMenuTest, HiddenItemsAreLeftOutOfTheMenuAndTheBar) {
  TForm& form = MakeMenuForm(true);
  TWinSkinMenu* bar = EngineOf(form.Handle())->MenuBar();
  ASSERT_NE(bar, nullptr);
  const HMENU file = bar->Button(0)->Submenu;
  EXPECT_EQ(GetMenuItemCount(file), 2);
  hidden_->SetVisible(true);
  Pump(100);
  EXPECT_EQ(GetMenuItemCount(bar->Button(0)->Submenu), 3);
  // A top-level item hidden leaves the bar; shown again it comes back.
  menu_->Items().Items(1)->SetVisible(false);
  Pump(100);
  EXPECT_EQ(bar->ButtonCount(), 1);
  menu_->Items().Items(1)->SetVisible(true);
  Pump(100);
  ASSERT_EQ(bar->ButtonCount(), 2);
  EXPECT_EQ(bar->Button(1)->Caption, L"&Edit");
  EXPECT_FALSE(bar->Button(1)->Enabled);
}

}  // namespace
