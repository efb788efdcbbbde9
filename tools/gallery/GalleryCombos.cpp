// The gallery's combo boxes: the area x 316-616, y 644-890 of the scroll box.
#include <string>

#include "framework/ComboBox.h"
#include "tools/gallery/GalleryForm.h"
#include "tools/gallery/GalleryPlace.h"

namespace {

void Label(TComponent& owner, TWinControl& parent, int left, int top, const std::wstring& text) {
  Place<TLabel>(owner, parent, left, top, 130, 16).SetCaption(text);
}

// A combo box of `style` with `count` numbered items, item `chosen` chosen.
TComboBox& Combo(TComponent& owner, TWinControl& parent, int left, int top, int height,
                 TComboBoxStyle style, int count, int chosen) {
  TComboBox& combo = OwnedComponent<TComboBox>(owner);
  combo.SetComboStyle(style);
  std::vector<std::wstring> items;
  for (int i = 1; i <= count; ++i) items.push_back(L"第 " + std::to_wstring(i) + L" 项");
  combo.SetItems(items);
  combo.SetItemIndex(chosen);
  combo.SetBounds(left, top, 135, height);
  combo.SetParent(&parent);
  return combo;
}

}  // namespace

void TGalleryForm::BuildCombos(TWinControl& box) {
  TGroupBox& group = Place<TGroupBox>(*this, box, 316, 644, 300, 240);
  group.SetCaption(L"组合框");
  Label(*this, group, 10, 20, L"可编辑");
  Combo(*this, group, 10, 36, 24, csDropDown, 12, 0);
  Label(*this, group, 10, 66, L"只能选择");
  Combo(*this, group, 10, 82, 24, csDropDownList, 12, 2);
  Label(*this, group, 10, 112, L"禁用");
  Combo(*this, group, 10, 128, 24, csDropDownList, 4, 1).SetEnabled(false);
  Label(*this, group, 10, 158, L"从右到左");
  Combo(*this, group, 10, 174, 24, csDropDownList, 6, 0).SetRightToLeft(true);
  Label(*this, group, 155, 20, L"简单");
  Combo(*this, group, 155, 36, 112, csSimple, 30, 3);
  Label(*this, group, 155, 158, L"两千项");
  TComboBox& many = Combo(*this, group, 155, 174, 24, csDropDownList, 2000, 1500);
  many.SetDropDownCount(12);
}
