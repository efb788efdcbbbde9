#include "app/JobListMenu.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "app/Main.h"

namespace {

constexpr wchar_t kMoveUp[] = L"上移";
constexpr wchar_t kMoveDown[] = L"下移";
constexpr wchar_t kDelete[] = L"删除";
constexpr wchar_t kClear[] = L"清空";

}  // namespace

TJobListMenu::TJobListMenu(TFrmMain& form) : form_(form) {
  menu_ = &OwnedComponent<TPopupMenu>(form);
  menu_->SetName("pmnJobList");
  up_ = &menu_->Items().Add(kMoveUp);
  down_ = &menu_->Items().Add(kMoveDown);
  menu_->Items().Add(L"-");
  delete_ = &menu_->Items().Add(kDelete);
  delete_->SetShortCutText(L"Del");
  clear_ = &menu_->Items().Add(kClear);
  up_->OnClick = [this](TObject* s) { form_.btnMoveToUpClick(s); };
  down_->OnClick = [this](TObject* s) { form_.btnMoveToDownClick(s); };
  delete_->OnClick = [this](TObject* s) { form_.btnDeleteClick(s); };
  clear_->OnClick = [this](TObject* s) { form_.btnClearClick(s); };
  menu_->OnPopup = [this](TObject*) { UpdateItems(); };
  layer_.Install(form_.lvwFiles->WindowProc, [this](TMessage& m) { ListMessage(m); });
}

TJobListMenu::~TJobListMenu() {
  layer_.Remove();
}

void TJobListMenu::UpdateItems() {
  const TJobListView& list = *form_.lvwFiles;
  const bool idle = !form_.Busy();
  const int count = std::min(list.ItemCount(), static_cast<int>(form_.JobList.size()));
  const int index = list.ItemIndex();
  up_->SetEnabled(idle && index >= 1 && index < count);
  down_->SetEnabled(idle && index >= 0 && index < count - 1);
  delete_->SetEnabled(idle && count > 0 && !list.SelectedIndexes().empty());
  clear_->SetEnabled(idle && count > 0);
}

void TJobListMenu::ListMessage(TMessage& m) {
  if (m.Msg != WM_CONTEXTMENU) {
    layer_.CallPrevious(m);
    return;
  }
  const bool from_keyboard = m.LParam == -1;
  Show(POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)}, from_keyboard);
  m.Result = 0;
}

void TJobListMenu::Show(POINT screen, bool from_keyboard) {
  const HWND list = form_.lvwFiles->Handle();
  if (from_keyboard) {
    // By the selected row, or at the list's top-left corner.
    RECT row{};
    const int index = form_.lvwFiles->ItemIndex();
    row.left = LVIR_LABEL;
    if (index >= 0 && SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(&row))) {
      screen = POINT{row.left + 8, row.bottom};
    } else {
      screen = POINT{8, 8};
    }
    ClientToScreen(list, &screen);
  }
  menu_->Popup(screen.x, screen.y);
}
