#include "app/JobListView.h"

#include <commctrl.h>

void TJobListView::CreateParams(TCreateParams& params) {
  TListView::CreateParams(params);
  params.style &= ~static_cast<DWORD>(LVS_SINGLESEL);
}

std::vector<int> TJobListView::SelectedIndexes() const {
  std::vector<int> rows;
  if (!HandleAllocated()) return rows;
  int at = -1;
  for (;;) {
    at = static_cast<int>(SendMessageW(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(at),
                                       MAKELPARAM(LVNI_SELECTED, 0)));
    if (at < 0 || at >= ItemCount()) break;
    rows.push_back(at);
  }
  return rows;
}

void TJobListView::InvalidateRow(int row) {
  if (!HandleAllocated() || row < 0 || row >= ItemCount()) return;
  SendMessageW(Handle(), LVM_REDRAWITEMS, static_cast<WPARAM>(row), static_cast<LPARAM>(row));
}

void TJobListView::SelectIndexes(const std::vector<int>& rows) {
  SetItemIndex(-1);
  if (!HandleAllocated()) return;
  for (int row : rows) {
    if (row < 0 || row >= ItemCount()) continue;
    LVITEMW item{};
    item.state = LVIS_SELECTED;
    item.stateMask = LVIS_SELECTED;
    SendMessageW(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
  }
}

void TJobListView::WndProc(TMessage& m) {
  if (m.Msg == CN_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
    if (header->code == LVN_KEYDOWN &&
        reinterpret_cast<const NMLVKEYDOWN*>(m.LParam)->wVKey == VK_DELETE && OnDeleteKey) {
      OnDeleteKey(this);
      m.Result = 0;
      return;
    }
  }
  TListView::WndProc(m);
}
