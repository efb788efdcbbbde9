#include "framework/ComCtrls.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/Dpi.h"

TListView::TListView(TComponent* owner) : TWinControl(owner) {}

void TListView::AddColumn(const std::wstring& caption, int width) {
  columns_.push_back(TListColumn{caption, width});
  if (!HandleAllocated()) return;
  LVCOLUMNW col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH;
  col.pszText = columns_.back().caption.data();
  col.cx = ScaleForDpi(width, Dpi());
  SendMessageW(Handle(), LVM_INSERTCOLUMNW, columns_.size() - 1, reinterpret_cast<LPARAM>(&col));
}

void TListView::CreateParams(TCreateParams& params) {
  params.class_name = WC_LISTVIEWW;
  params.style |= WS_TABSTOP | LVS_SHOWSELALWAYS | LVS_SINGLESEL;
  switch (ViewStyle) {
    case vsIcon:
      params.style |= LVS_ICON;
      break;
    case vsSmallIcon:
      params.style |= LVS_SMALLICON;
      break;
    case vsList:
      params.style |= LVS_LIST;
      break;
    case vsReport:
      params.style |= LVS_REPORT;
      break;
  }
  if (OwnerData) params.style |= LVS_OWNERDATA;
  if (!ReadOnly) params.style |= LVS_EDITLABELS;
  if (!BorderNone) params.ex_style |= WS_EX_CLIENTEDGE;
}

void TListView::CreateWnd() {
  DWORD ex = 0;
  if (RowSelect) ex |= LVS_EX_FULLROWSELECT;
  if (GridLines) ex |= LVS_EX_GRIDLINES;
  SendMessageW(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, ex, ex);
  for (size_t i = 0; i < columns_.size(); ++i) {
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.pszText = columns_[i].caption.data();
    col.cx = ScaleForDpi(columns_[i].width, Dpi());
    SendMessageW(Handle(), LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&col));
  }
  SetItemCount(item_count_);
}

void TListView::DpiChanged(int old_dpi, int new_dpi) {
  // From the widths the columns have now: the user may have dragged them.
  for (size_t i = 0; i < columns_.size(); ++i) {
    const auto width = static_cast<int>(SendMessageW(Handle(), LVM_GETCOLUMNWIDTH, i, 0));
    SendMessageW(Handle(), LVM_SETCOLUMNWIDTH, i, MulDiv(width, new_dpi, old_dpi));
  }
}

int TListView::ItemCount() const {
  return item_count_;
}

void TListView::SetItemCount(int count) {
  item_count_ = std::max(0, count);
  if (HandleAllocated()) {
    // The view repaints the rows that changed itself; callers that want the
    // whole view redrawn (delete, clear) ask for it.
    SendMessageW(Handle(), LVM_SETITEMCOUNT, static_cast<WPARAM>(item_count_),
                 LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  }
}

int TListView::ItemIndex() const {
  if (!HandleAllocated()) return -1;
  return static_cast<int>(
      SendMessageW(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void TListView::SetItemIndex(int index) {
  if (!HandleAllocated()) return;
  LVITEMW clear{};
  clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
               reinterpret_cast<LPARAM>(&clear));
  if (index < 0 || index >= item_count_) return;
  LVITEMW item{};
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(&item));
  SendMessageW(Handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

void TListView::Clear() {
  item_count_ = 0;
  if (HandleAllocated()) SendMessageW(Handle(), LVM_DELETEALLITEMS, 0, 0);
}

TListItem TListView::RequestItem(int index) {
  TListItem item;
  item.Index = index;
  if (OnData) OnData(this, item);
  return item;
}

void TListView::WndProc(TMessage& m) {
  if (m.Msg == CN_NOTIFY) {
    auto* header = reinterpret_cast<NMHDR*>(m.LParam);
    if (header->code == LVN_GETDISPINFOW) {
      auto* info = reinterpret_cast<NMLVDISPINFOW*>(m.LParam);
      if ((info->item.mask & LVIF_TEXT) && info->item.pszText && info->item.cchTextMax > 0) {
        const TListItem item = RequestItem(info->item.iItem);
        const int sub = info->item.iSubItem;
        if (sub == 0) {
          text_buffer_ = item.Caption;
        } else if (sub - 1 < static_cast<int>(item.SubItems.size())) {
          text_buffer_ = item.SubItems[static_cast<size_t>(sub - 1)];
        } else {
          text_buffer_.clear();
        }
        lstrcpynW(info->item.pszText, text_buffer_.c_str(), info->item.cchTextMax);
      }
      m.Result = 0;
      return;
    }
  }
  TWinControl::WndProc(m);
}

void TListView::DescribeProperties(TPropertyTable& table) {
  TWinControl::DescribeProperties(table);
  // The border the view is made with.
  table.Enum("BorderStyle", {"bsNone", "bsSingle"}, [this] { return BorderNone ? 0 : 1; });
}

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {}

void TProgressBar::CreateParams(TCreateParams& params) {
  params.class_name = PROGRESS_CLASSW;
  if (vertical_) params.style |= PBS_VERTICAL;
}

void TProgressBar::CreateWnd() {
  SendMessageW(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
  SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

int TProgressBar::Position() const {
  return position_;
}

void TProgressBar::SetMin(int min) {
  min_ = min;
  if (HandleAllocated()) {
    SendMessageW(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
  }
  SetPosition(position_);
}

void TProgressBar::SetMax(int max) {
  max_ = max;
  if (HandleAllocated()) {
    SendMessageW(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
  }
  SetPosition(position_);
}

void TProgressBar::SetPosition(int position) {
  // The bar keeps its position inside its range, as the control does.
  position_ = std::clamp(position, std::min(min_, max_), std::max(min_, max_));
  if (HandleAllocated()) SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}
