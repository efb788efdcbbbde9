// The gallery's check boxes and radio buttons: the area x 10-300, y 900-1180 of the scroll box.
#include "framework/CheckBox.h"
#include "framework/RadioGroup.h"
#include "tools/gallery/GalleryForm.h"
#include "tools/gallery/GalleryPlace.h"

void TGalleryForm::BuildChecks(TWinControl& box) {
  // Check boxes: the three states, greyed checked and unchecked, the
  // caption before the box, right to left, one with the keyboard focus, and
  // one over a coloured panel (Tag 5555 shows the panel through it).
  TGroupBox& checks = Group(box, 10, 900, 290, 150, L"复选框");
  struct TBox {
    int left, top;
    const wchar_t* text;
    TCheckBoxState state;
    bool enabled;
  };
  const TBox boxes[] = {{8, 18, L"未选中", cbUnchecked, true},
                        {8, 42, L"已选中", cbChecked, true},
                        {8, 66, L"不确定", cbGrayed, true},
                        {8, 90, L"禁用（选中）", cbChecked, false},
                        {8, 114, L"禁用（未选）", cbUnchecked, false}};
  for (const TBox& b : boxes) {
    TCheckBox& check = Place<TCheckBox>(*this, checks, b.left, b.top, 130, 22, b.text);
    check.SetAllowGrayed(b.state == cbGrayed);
    check.SetState(b.state);
    check.SetEnabled(b.enabled);
  }
  TCheckBox& left_text = Place<TCheckBox>(*this, checks, 146, 18, 134, 22, L"文字在左");
  left_text.SetLeftText(true);
  left_text.SetChecked(true);
  TCheckBox& rtl = Place<TCheckBox>(*this, checks, 146, 42, 134, 22, L"从右到左");
  rtl.SetRightToLeft(true);
  // The form gives the keyboard focus back to this box when it is
  // activated, as to any control that had it last: the contact sheets show
  // it focused. (The interactive gallery then moves the start-up focus to
  // the focused button; a click or Tab brings it back here.)
  TCheckBox& focused = Place<TCheckBox>(*this, checks, 146, 66, 134, 22, L"焦点");
  focused.SetChecked(true);
  ControlFocused(focused);
  // The panel keeps its own colour: the skin leaves a control with the
  // skin data's DisableTag alone.
  TPanel& coloured = Place<TPanel>(*this, checks, 146, 90, 134, 54, L"");
  coloured.SetTag(SkinData1 ? SkinData1->DisableTag() : 99);
  coloured.SetColor(RGBColour(46, 120, 128));
  TCheckBox& see_through = Place<TCheckBox>(*this, coloured, 8, 4, 118, 22, L"透明背景");
  see_through.SetTag(5555);
  see_through.SetChecked(true);
  see_through.FontObject().Color = clWhite;
  Place<TCheckBox>(*this, coloured, 8, 28, 118, 22, L"皮肤底色");

  // Radio buttons of one group box, and a radio group in two columns.
  TGroupBox& radios = Group(box, 10, 1056, 134, 120, L"单选按钮");
  const wchar_t* choices[] = {L"单声道", L"立体声", L"联合立体声"};
  for (int i = 0; i < 3; ++i) {
    TRadioButton& radio = Place<TRadioButton>(*this, radios, 8, 18 + i * 24, 118, 22, choices[i]);
    radio.SetChecked(i == 1);
  }
  TRadioButton& off = Place<TRadioButton>(*this, radios, 8, 90, 118, 22, L"禁用");
  off.SetEnabled(false);
  TRadioGroup& group = Place<TRadioGroup>(*this, box, 150, 1056, 150, 120, L"码率");
  group.SetItems({L"64k", L"96k", L"128k", L"192k", L"256k", L"320k"});
  group.SetColumns(2);
  group.SetItemIndex(2);
}
