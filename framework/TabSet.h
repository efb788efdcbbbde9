#pragma once
// TTabSet: an old-style strip of tabs that hang below a page above it,
// drawn by the control itself. Tabs are laid out from FirstIndex on,
// StartMargin pixels from the left; only tabs that fit whole before the
// last EndMargin pixels are shown. When some tabs are out of sight, a pair
// of arrows (the scroller, the first component the tab set owns) moves
// FirstIndex; a click on a tab selects it and raises OnChange.
#include <string>
#include <vector>

#include "framework/Control.h"

class TUpDown;

class TTabSet : public TWinControl {
 public:
  explicit TTabSet(TComponent* owner);
  ~TTabSet() override;

  int TabCount() const { return static_cast<int>(tabs_.size()); }
  const std::vector<std::wstring>& Tabs() const { return tabs_; }
  void SetTabs(const std::vector<std::wstring>& tabs);
  void AddTab(const std::wstring& text);
  // The selected tab, -1 none; setting it raises no event and brings the
  // tab into sight.
  int TabIndex() const { return tab_index_; }
  void SetTabIndex(int index);
  int FirstIndex() const { return first_index_; }
  void SetFirstIndex(int index);
  int StartMargin() const { return start_margin_; }
  void SetStartMargin(int margin);
  int EndMargin() const { return end_margin_; }
  void SetEndMargin(int margin);

  // The width a tab of `text` takes (its text and 9 pixels), with the
  // control's font.
  int TabWidth(const std::wstring& text) const;
  // The tabs shown now, from FirstIndex, and where each starts.
  struct TPlacedTab {
    int index;
    RECT rect;
  };
  std::vector<TPlacedTab> VisibleTabs() const;
  // The tab under client point `p`, -1 none.
  int TabAt(POINT p) const;
  TUpDown& Scroller() const { return *scroller_; }
  bool ScrollerShown() const;

  TNotifyEvent OnChange;

  void DescribeProperties(TPropertyTable& table) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;

 private:
  // The tabs that fit from FirstIndex, with or without room kept for the
  // scroller.
  std::vector<TPlacedTab> Layout(bool scroller_shown) const;
  void Arrange();
  void Paint(HDC dc);

  std::vector<std::wstring> tabs_;
  int tab_index_ = -1;
  int first_index_ = 0;
  int start_margin_ = 5;
  int end_margin_ = 15;
  TUpDown* scroller_ = nullptr;  // owned by this component, the first it owns
};
