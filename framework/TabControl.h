#pragma once
// TCustomTabControl: a row (or rows) of tabs in a "SysTabControl32" window,
// with the part of the control under them, the display area, left to what
// the control holds. Tabs can stand at any of the four sides and look like
// tabs or like (flat) buttons. OnChanging may refuse a change of tab made
// with the mouse or the keys; OnChange follows every change made there.
//
// TTabControl: a tab control whose tabs are a list of texts.
#include <functional>
#include <string>
#include <vector>

#include "framework/Control.h"

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };
using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TCustomTabControl : public TWinControl {
 public:
  explicit TCustomTabControl(TComponent* owner);

  // These shape the window; changing them lays the tabs out anew.
  TTabPosition TabPosition() const { return tab_position_; }
  void SetTabPosition(TTabPosition position);
  TTabStyle Style() const { return style_; }
  void SetStyle(TTabStyle style);
  // Tabs that do not fit in one row wrap to further rows (tabs at the left
  // or right always do); otherwise a pair of arrows scrolls the row.
  bool MultiLine() const { return multi_line_; }
  void SetMultiLine(bool multi_line);

  int TabCount() const { return static_cast<int>(texts_.size()); }
  std::wstring TabText(int index) const;
  // The rectangle of tab `index` in client coordinates (empty when it has
  // none, or the window does not exist).
  RECT TabRect(int index) const;
  // The client area left for the control's contents.
  RECT DisplayRect() const;

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;

  void DescribeProperties(TPropertyTable& table) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;
  void AdjustClientRect(RECT& rect) override;

  // --- the tab list, for the derived classes
  void InsertTab(int index, const std::wstring& text);
  void DeleteTab(int index);
  void SetTabText(int index, const std::wstring& text);
  void ClearTabs();
  // The selected tab (-1 none) as the window shows it; selecting one here
  // raises no events.
  int SelectedTab() const;
  void SelectTab(int index);
  // The user moved to another tab (after OnChanging allowed it).
  virtual void Changed();
  // Whether the user may leave the selected tab.
  virtual bool CanChange();

 private:
  void Restyle();
  void PutItem(int index, UINT message);

  TTabPosition tab_position_ = tpTop;
  TTabStyle style_ = tsTabs;
  bool multi_line_ = false;
  std::vector<std::wstring> texts_;
  int selected_ = -1;  // kept for a window made again
};

class TTabControl : public TCustomTabControl {
 public:
  explicit TTabControl(TComponent* owner);

  // The texts of the tabs; the first tab added is selected.
  void AddTab(const std::wstring& text);
  void SetTabs(const std::vector<std::wstring>& texts);
  void RemoveTab(int index);
  int TabIndex() const { return SelectedTab(); }
  // Selects a tab (-1 none); raises no events.
  void SetTabIndex(int index) { SelectTab(index); }

  void DescribeProperties(TPropertyTable& table) override;
};
