#pragma once
// Common controls: the owner-data list view and the progress bar.
#include <functional>
#include <string>
#include <vector>

#include "framework/Control.h"

// One item as the list view asks for it: the caption and the sub-items.
struct TListItem {
  int Index = 0;
  std::wstring Caption;
  std::vector<std::wstring> SubItems;
};
using TLVOwnerDataEvent = std::function<void(TObject* Sender, TListItem& Item)>;

struct TListColumn {
  std::wstring caption;
  int width = 50;
};

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

class TListView : public TWinControl {
 public:
  explicit TListView(TComponent* owner);

  // Settings taken when the window is made.
  TViewStyle ViewStyle = vsReport;
  bool OwnerData = true;
  bool ReadOnly = true;
  bool RowSelect = true;
  bool GridLines = true;
  bool BorderNone = true;
  void AddColumn(const std::wstring& caption, int width);

  // Owner data: the view holds no items, it asks OnData for each row it shows.
  TLVOwnerDataEvent OnData;
  int ItemCount() const;
  void SetItemCount(int count);
  // Index of the selected row, -1 when none.
  int ItemIndex() const;
  void SetItemIndex(int index);
  void Clear();
  // Asks for row `index` the way the view does when it paints it.
  TListItem RequestItem(int index);

  void DescribeProperties(TPropertyTable& table) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;
  // Column widths are 96-DPI units; the window's follow its DPI.
  void DpiChanged(int old_dpi, int new_dpi) override;

 private:
  std::vector<TListColumn> columns_;
  int item_count_ = 0;
  std::wstring text_buffer_;  // keeps the text handed to the view alive
};

class TProgressBar : public TWinControl {
 public:
  explicit TProgressBar(TComponent* owner);
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const;
  void SetMin(int min);
  void SetMax(int max);
  void SetPosition(int position);
  // A vertical bar grows from the bottom up; set before the window is made.
  bool Vertical() const { return vertical_; }
  void SetVertical(bool vertical) { vertical_ = vertical; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;

 private:
  int min_ = 0, max_ = 100, position_ = 0;
  bool vertical_ = false;
};
