#pragma once
// TRadioGroup: a group box holding one radio button per item, laid out in
// columns. The group makes and owns the buttons; ItemIndex is the checked
// one (-1 for none).
#include <string>
#include <vector>

#include "framework/CheckBox.h"
#include "framework/StdCtrls.h"

class TRadioGroup : public TGroupBox {
 public:
  explicit TRadioGroup(TComponent* owner);
  ~TRadioGroup() override;

  const std::vector<std::wstring>& Items() const { return items_; }
  void SetItems(const std::vector<std::wstring>& items);
  int ItemIndex() const;
  void SetItemIndex(int index);
  int Columns() const { return columns_; }
  void SetColumns(int columns);
  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  TRadioButton& Button(int index) const { return *buttons_.at(static_cast<size_t>(index)); }

  // A button was clicked (ItemIndex already follows).
  TNotifyEvent OnClick;

  void DescribeProperties(TPropertyTable& table) override;

 protected:
  void CreateWnd() override;
  void WndProc(TMessage& message) override;

 private:
  void MakeButtons();
  void ArrangeButtons();

  std::vector<std::wstring> items_;
  std::vector<TRadioButton*> buttons_;  // owned by the group as components
  int item_index_ = -1;
  int columns_ = 1;
};
