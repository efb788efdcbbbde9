#pragma once
// TComboBox: a field with a list of choices. csDropDown is an edit with a
// list dropped under it, csDropDownList a field that only takes a choice of
// the list, csSimple an edit with its list always shown beneath.
//
// The items live in the object and are given to the window when it is made,
// so a combo box can be filled before it has a parent. OnChange and OnSelect
// come from the user: a choice of the list raises OnSelect, then OnChange;
// typing into the edit raises OnChange. Setting ItemIndex or Text from the
// program raises neither.
#include <string>
#include <vector>

#include "framework/Control.h"

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

// The published names of TComboBoxStyle, in order.
std::vector<std::string> ComboBoxStyleNames();

class TComboBox : public TWinControl {
 public:
  explicit TComboBox(TComponent* owner);

  // The style is part of the window: changing it on a live combo box makes
  // its window anew, with the same items, choice and text.
  TComboBoxStyle ComboStyle() const { return style_; }
  void SetComboStyle(TComboBoxStyle style);

  void AddItem(const std::wstring& item);
  void ClearItems();
  void SetItems(const std::vector<std::wstring>& items);
  int ItemCount() const { return static_cast<int>(items_.size()); }
  // The item at `index`; empty text outside the list.
  std::wstring Item(int index) const;

  // The chosen item, -1 for none. An index outside the list chooses none.
  int ItemIndex() const;
  void SetItemIndex(int index);
  // The text in the field: the edit's text, or the chosen item of a
  // drop-down list.
  std::wstring Text() const;
  // A drop-down list shows `text` only when an item has it (that item is
  // chosen); an editable combo box takes any text.
  void SetText(const std::wstring& text);

  // How many items the dropped list shows before it scrolls (at least 1).
  int DropDownCount() const { return drop_down_count_; }
  void SetDropDownCount(int count);
  bool DroppedDown() const;
  void SetDroppedDown(bool down);

  // Reading right to left: the text at the right, the button at the left.
  bool RightToLeft() const { return right_to_left_; }
  void SetRightToLeft(bool on);

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;

  void DescribeProperties(TPropertyTable& table) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;

 private:
  // The list's height fits DropDownCount items (the window's height below
  // the field is the dropped list's).
  void SizeDroppedList();
  void Recreate();

  TComboBoxStyle style_ = csDropDown;
  std::vector<std::wstring> items_;
  int item_index_ = -1;  // while there is no window
  int drop_down_count_ = 8;
  bool right_to_left_ = false;
};
