// The combo box on a real window with real input: choosing from the dropped
// list, typing into the edit, the simple style's standing list, the dropped
// list's length, a greyed combo box, right to left and a style changed on a
// live window.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/Application.h"
#include "framework/ComboBox.h"
#include "framework/Form.h"
#include "tests/wine/framework/InputSupport.h"
#include "tests/wine/support/InputScript.h"
#include "tests/wine/support/SettledMouse.h"
#include "tests/wine/support/WineTestSupport.h"

namespace {

using namespace std::chrono_literals;

COMBOBOXINFO InfoOf(HWND combo) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  GetComboBoxInfo(combo, &info);
  return info;
}

class ComboBoxTest : public ::testing::Test {
 protected:
  ComboBoxTest() {
    app_.Initialize();
    TFormStyle style;
    style.caption = L"Combo box test";
    style.client_width = 420;
    style.client_height = 360;
    form_ = &OwnedComponent<TForm>(app_, style);
  }
  TComboBox& Make(TComboBoxStyle kind, int items) {
    TComboBox& combo = OwnedComponent<TComboBox>(*form_);
    combo.SetComboStyle(kind);
    for (int i = 0; i < items; ++i) combo.AddItem(L"Item " + std::to_wstring(i + 1));
    combo.SetBounds(20, 20, 200, kind == csSimple ? 150 : 24);
    combo.OnChange = [this](TObject*) { ++changes_; };
    combo.OnSelect = [this](TObject*) { ++selects_; };
    combo.SetParent(form_);
    return combo;
  }
  void Show() {
    input::ShowOnTop(app_, *form_);
    PumpFor(200);
  }
  void PumpFor(int ms) { input::PumpFor(app_, std::chrono::milliseconds(ms)); }
  bool PumpUntil(const std::function<bool()>& done) { return ::PumpUntil(app_, done, 4000ms); }
  void ClickAt(POINT p) {
    MoveAndSettle(app_, p);
    input::Click(p.x, p.y);
    PumpFor(150);
  }
  // The middle of the combo's button, on the screen.
  static POINT ButtonCentre(HWND combo) {
    const COMBOBOXINFO info = InfoOf(combo);
    POINT p{(info.rcButton.left + info.rcButton.right) / 2,
            (info.rcButton.top + info.rcButton.bottom) / 2};
    ClientToScreen(combo, &p);
    return p;
  }
  // The middle of row `row` of the combo's list, on the screen.
  static POINT RowCentre(HWND combo, int row) {
    HWND list = InfoOf(combo).hwndList;
    const auto height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    const auto top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    RECT r{};
    GetClientRect(list, &r);
    POINT p{r.right / 2, (row - top) * height + height / 2};
    ClientToScreen(list, &p);
    return p;
  }

  TApplication app_{nullptr};
  TForm* form_ = nullptr;
  int changes_ = 0;
  int selects_ = 0;
};

TEST_F(ComboBoxTest, ChoiceFromTheDroppedListLandsInTheFieldAndIsAnnouncedOnce) {
  TComboBox& list = Make(csDropDownList, 6);
  list.SetItemIndex(1);
  TComboBox& edit = Make(csDropDown, 4);
  edit.SetBounds(20, 80, 200, 24);
  Show();
  // Set by the program: shown, but no event.
  EXPECT_EQ(list.Text(), L"Item 2");
  EXPECT_EQ(changes_ + selects_, 0);

  ClickAt(ButtonCentre(list.Handle()));
  ASSERT_TRUE(PumpUntil([&] { return list.DroppedDown(); }));
  ClickAt(RowCentre(list.Handle(), 4));
  ASSERT_TRUE(PumpUntil([&] { return !list.DroppedDown(); }));
  EXPECT_EQ(list.ItemIndex(), 4);
  EXPECT_EQ(list.Text(), L"Item 5");
  EXPECT_EQ(selects_, 1);
  EXPECT_EQ(changes_, 1);

  // An editable combo box shows the choice in its edit as the event runs.
  std::wstring seen;
  edit.OnChange = [&](TObject*) { seen = edit.Text(); };
  ClickAt(ButtonCentre(edit.Handle()));
  ASSERT_TRUE(PumpUntil([&] { return edit.DroppedDown(); }));
  ClickAt(RowCentre(edit.Handle(), 2));
  ASSERT_TRUE(PumpUntil([&] { return !edit.DroppedDown(); }));
  EXPECT_EQ(edit.ItemIndex(), 2);
  EXPECT_EQ(seen, L"Item 3");
  EXPECT_EQ(edit.Text(), L"Item 3");
}

TEST_F(ComboBoxTest, TypingIntoTheEditChangesTheTextAndRaisesOnChange) {
  TComboBox& combo = Make(csDropDown, 3);
  Show();
  const COMBOBOXINFO info = InfoOf(combo.Handle());
  POINT in_edit{info.rcItem.left + 10, (info.rcItem.top + info.rcItem.bottom) / 2};
  ClientToScreen(combo.Handle(), &in_edit);
  ClickAt(in_edit);
  input::Key('A');
  input::Key('B');
  ASSERT_TRUE(PumpUntil([&] { return combo.Text() == L"ab"; }));
  EXPECT_EQ(changes_, 2);
  EXPECT_EQ(selects_, 0);
  EXPECT_EQ(combo.ItemIndex(), -1);

  // Text and index set by the program.
  combo.SetItemIndex(2);
  EXPECT_EQ(combo.Text(), L"Item 3");
  combo.SetItemIndex(7);
  EXPECT_EQ(combo.ItemIndex(), -1);
  EXPECT_EQ(combo.Text(), L"");
  EXPECT_EQ(changes_, 2);
}

TEST_F(ComboBoxTest, SimpleComboShowsItsListBeneathAndTakesAClick) {
  TComboBox& combo = Make(csSimple, 20);
  Show();
  HWND list = InfoOf(combo.Handle()).hwndList;
  ASSERT_TRUE(list);
  EXPECT_TRUE(IsWindowVisible(list));
  EXPECT_EQ(GetParent(list), combo.Handle());
  // The list fills the window below the edit.
  RECT list_rect{}, combo_rect{};
  GetWindowRect(list, &list_rect);
  GetWindowRect(combo.Handle(), &combo_rect);
  EXPECT_GE(list_rect.bottom, combo_rect.bottom - 1);
  ClickAt(RowCentre(combo.Handle(), 1));
  ASSERT_TRUE(PumpUntil([&] { return combo.ItemIndex() == 1; }));
  EXPECT_EQ(combo.Text(), L"Item 2");
  EXPECT_EQ(selects_, 1);
}

TEST_F(ComboBoxTest, DroppedListShowsDropDownCountItems) {
  TComboBox& many = Make(csDropDownList, 30);
  many.SetDropDownCount(5);
  TComboBox& few = Make(csDropDownList, 2);
  few.SetBounds(20, 80, 200, 24);
  few.SetDropDownCount(5);
  Show();
  for (TComboBox* combo : {&many, &few}) {
    ClickAt(ButtonCentre(combo->Handle()));
    ASSERT_TRUE(PumpUntil([&] { return combo->DroppedDown(); }));
    PumpFor(100);
    HWND list = InfoOf(combo->Handle()).hwndList;
    const auto height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    RECT r{};
    GetClientRect(list, &r);
    const int rows = combo == &many ? 5 : 2;
    EXPECT_NEAR(r.bottom, rows * height, height / 2) << "items " << combo->ItemCount();
    combo->SetDroppedDown(false);
    ASSERT_TRUE(PumpUntil([&] { return !combo->DroppedDown(); }));
  }
}

TEST_F(ComboBoxTest, GreyedComboTakesNoInput) {
  TComboBox& combo = Make(csDropDownList, 4);
  combo.SetItemIndex(0);
  combo.SetEnabled(false);
  Show();
  ClickAt(ButtonCentre(combo.Handle()));
  PumpFor(300);
  EXPECT_FALSE(combo.DroppedDown());
  EXPECT_FALSE(IsWindowEnabled(combo.Handle()));
  combo.SetEnabled(true);
  ClickAt(ButtonCentre(combo.Handle()));
  EXPECT_TRUE(PumpUntil([&] { return combo.DroppedDown(); }));
  combo.SetDroppedDown(false);
}

TEST_F(ComboBoxTest, StyleAndReadingOrderChangedOnALiveWindowKeepItemsAndChoice) {
  TComboBox& combo = Make(csDropDown, 5);
  combo.SetItemIndex(3);
  Show();
  HWND before = combo.Handle();
  combo.SetComboStyle(csDropDownList);
  EXPECT_NE(combo.Handle(), before);
  EXPECT_EQ(GetWindowLongPtrW(combo.Handle(), GWL_STYLE) & 3, CBS_DROPDOWNLIST);
  EXPECT_EQ(SendMessageW(combo.Handle(), CB_GETCOUNT, 0, 0), 5);
  EXPECT_EQ(combo.ItemIndex(), 3);
  EXPECT_EQ(combo.Text(), L"Item 4");

  combo.SetRightToLeft(true);
  const auto ex = static_cast<DWORD>(GetWindowLongPtrW(combo.Handle(), GWL_EXSTYLE));
  EXPECT_TRUE(ex & WS_EX_LEFTSCROLLBAR);
  EXPECT_TRUE(ex & WS_EX_RTLREADING);
  EXPECT_EQ(combo.ItemIndex(), 3);
  EXPECT_EQ(combo.Text(), L"Item 4");
  // A text that no item has does not reach a drop-down list.
  combo.SetText(L"Item 2");
  EXPECT_EQ(combo.ItemIndex(), 1);
  combo.SetText(L"none of them");
  EXPECT_EQ(combo.ItemIndex(), 1);
}

}  // namespace
