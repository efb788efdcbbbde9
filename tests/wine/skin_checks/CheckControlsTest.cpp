// The framework's check boxes, radio buttons and radio groups on a plain
// form under real input: clicks, Space and the arrow keys change the real
// state, the published properties read it by name, and the groups keep one
// button checked.
#include <windows.h>

#include <string>

#include "framework/CheckBox.h"
#include "framework/RadioGroup.h"
#include "framework/StdCtrls.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"
#include "tests/wine/support/InputScript.h"

namespace {

class CheckControlsTest : public SkinControlsTest {
 protected:
  TForm& ShowPlain(const std::function<void(TForm&)>& build) {
    TForm& form = MakeForm(MainLikeStyle(L"Check controls"));
    build(form);
    form.Show();
    SetForegroundWindow(form.Handle());
    Pump(150);
    return form;
  }
  void ClickOn(const TWinControl& control) {
    // Left of the middle: on the box or the caption next to it.
    Click(ScreenPoint(control.Handle(), 8, control.Height() / 2));
  }
};

TEST_F(CheckControlsTest, ClicksAndSpaceStepThroughTheStatesTheWindowKeeps) {
  TCheckBox* two = nullptr;
  TCheckBox* three = nullptr;
  ShowPlain([&](TForm& f) {
    two = &Add<TCheckBox>(f, f, 20, 20, 160, 24, L"Two states");
    three = &Add<TCheckBox>(f, f, 20, 60, 160, 24, L"Three states");
  });
  three->SetAllowGrayed(true);
  int clicks = 0;
  two->OnClick = [&](TObject*) { ++clicks; };

  ClickOn(*two);
  EXPECT_EQ(two->State(), cbChecked);
  EXPECT_EQ(SendMessageW(two->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(GetEnumPropName(*two, "State"), "cbChecked");
  EXPECT_EQ(GetEnumPropName(*two, "Checked"), "True");
  ClickOn(*two);
  EXPECT_EQ(two->State(), cbUnchecked) << "two states never lead to grey";
  EXPECT_EQ(clicks, 2);
  // Space on the focused box clicks it as well.
  EXPECT_EQ(GetFocus(), two->Handle());
  input::Key(VK_SPACE);
  Pump(150);
  EXPECT_TRUE(two->Checked());
  EXPECT_EQ(clicks, 3);

  const TCheckBoxState cycle[] = {cbChecked, cbGrayed, cbUnchecked};
  for (TCheckBoxState expected : cycle) {
    ClickOn(*three);
    EXPECT_EQ(three->State(), expected);
  }
  // The grey state shows in the window, and a state set from outside is
  // what the properties read.
  SetPropText(*three, "State", "cbGrayed");
  EXPECT_EQ(SendMessageW(three->Handle(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  SendMessageW(three->Handle(), BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(GetEnumPropName(*three, "State"), "cbChecked");
  EXPECT_EQ(GetEnumPropName(*three, "Checked"), "True");
}

TEST_F(CheckControlsTest, CaptionSideAndReadingOrderReachTheWindowStyle) {
  TCheckBox* box = nullptr;
  ShowPlain([&](TForm& f) { box = &Add<TCheckBox>(f, f, 20, 20, 160, 24, L"Side"); });
  auto style = [&] { return GetWindowLongPtrW(box->Handle(), GWL_STYLE); };
  auto ex = [&] { return GetWindowLongPtrW(box->Handle(), GWL_EXSTYLE); };
  EXPECT_FALSE(style() & BS_LEFTTEXT);
  SetPropText(*box, "Alignment", "taLeftJustify");
  EXPECT_TRUE(style() & BS_LEFTTEXT);
  // Right to left mirrors the side; the caption reads right to left.
  SetPropText(*box, "BiDiMode", "bdRightToLeft");
  EXPECT_FALSE(style() & BS_LEFTTEXT);
  EXPECT_TRUE(ex() & WS_EX_RTLREADING);
  box->SetLeftText(false);
  EXPECT_TRUE(style() & BS_LEFTTEXT);
  box->SetRightToLeft(false);
  EXPECT_FALSE(style() & BS_LEFTTEXT);
  EXPECT_FALSE(ex() & WS_EX_RTLREADING);
}

TEST_F(CheckControlsTest, OneRadioButtonOfAParentIsCheckedByClicksAndArrowKeys) {
  TRadioButton* in_box[3] = {};
  TRadioButton* outside = nullptr;
  ShowPlain([&](TForm& f) {
    TGroupBox& group = Add<TGroupBox>(f, f, 20, 20, 200, 120, L"Group");
    for (int i = 0; i < 3; ++i) {
      in_box[i] = &Add<TRadioButton>(f, group, 10, 20 + i * 30, 150, 24,
                                     L"Choice " + std::to_wstring(i + 1));
    }
    outside = &Add<TRadioButton>(f, f, 20, 160, 150, 24, L"Elsewhere");
  });
  outside->SetChecked(true);
  in_box[0]->SetChecked(true);
  EXPECT_TRUE(outside->Checked()) << "another parent is another group";
  int clicks = 0;
  in_box[1]->OnClick = [&](TObject*) { ++clicks; };

  ClickOn(*in_box[1]);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(in_box[0]->Checked());
  EXPECT_TRUE(in_box[1]->Checked());
  EXPECT_TRUE(outside->Checked());
  EXPECT_EQ(GetEnumPropName(*in_box[1], "Checked"), "True");
  // Only the checked button is a tab stop.
  EXPECT_TRUE(GetWindowLongPtrW(in_box[1]->Handle(), GWL_STYLE) & WS_TABSTOP);
  EXPECT_FALSE(GetWindowLongPtrW(in_box[0]->Handle(), GWL_STYLE) & WS_TABSTOP);

  ASSERT_EQ(GetFocus(), in_box[1]->Handle());
  input::Key(VK_DOWN);
  Pump(200);
  EXPECT_EQ(GetFocus(), in_box[2]->Handle());
  EXPECT_TRUE(in_box[2]->Checked());
  EXPECT_FALSE(in_box[1]->Checked());
  input::Key(VK_UP);
  input::Key(VK_UP);
  Pump(200);
  EXPECT_TRUE(in_box[0]->Checked());
  EXPECT_FALSE(in_box[2]->Checked());
  EXPECT_TRUE(outside->Checked());
}

TEST_F(CheckControlsTest, RadioGroupMakesItsButtonsInColumnsAndFollowsTheChoice) {
  TRadioGroup* group = nullptr;
  ShowPlain([&](TForm& f) {
    group = &OwnedComponent<TRadioGroup>(f);
    group->SetBounds(20, 20, 300, 120);
    group->SetCaption(L"Quality");
    group->SetItems({L"64", L"96", L"128", L"192", L"256"});
    group->SetColumns(2);
    group->SetItemIndex(1);
    group->SetParent(&f);
  });
  ASSERT_EQ(group->ButtonCount(), 5);
  EXPECT_EQ(group->Button(3).Caption(), L"192");
  EXPECT_TRUE(group->Button(1).Checked());
  // Three rows: the first three in the first column, the rest beside them.
  EXPECT_EQ(group->Button(0).Left(), group->Button(2).Left());
  EXPECT_GT(group->Button(3).Left(), group->Button(0).Left() + 100);
  EXPECT_EQ(group->Button(3).Top(), group->Button(0).Top());
  EXPECT_GT(group->Button(2).Top(), group->Button(1).Top());

  int clicks = 0;
  group->OnClick = [&](TObject*) { ++clicks; };
  ClickOn(group->Button(3));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(group->ItemIndex(), 3);
  EXPECT_EQ(GetTextProp(*group, "ItemIndex"), "3");
  EXPECT_FALSE(group->Button(1).Checked());
  SetPropText(*group, "ItemIndex", "0");
  EXPECT_TRUE(group->Button(0).Checked());
  EXPECT_FALSE(group->Button(3).Checked());
  group->SetItemIndex(-1);
  EXPECT_EQ(group->ItemIndex(), -1);
  // New items make new buttons.
  SetPropText(*group, "Items", "Low\nHigh");
  ASSERT_EQ(group->ButtonCount(), 2);
  EXPECT_EQ(group->Button(1).Caption(), L"High");
  EXPECT_TRUE(IsWindowVisible(group->Button(1).Handle()));
}

}  // namespace
