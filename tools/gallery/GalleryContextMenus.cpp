// The gallery's context menus: a right click on the list or the memo, or
// the button below the rows, opens a popup menu with checked, radio,
// disabled and image items, short cuts and a submenu, so that the skinned
// item painter shows every kind of item.
#include <string>

#include "tools/gallery/GalleryForm.h"
#include "tools/gallery/GalleryGlyphs.h"

namespace {

// The items every context menu of the gallery shows.
void FillContextMenu(TPopupMenu& menu) {
  TMenuItem& open = menu.Items().Add(L"打开(&O)");
  open.SetShortCutText(L"Enter");
  open.SetImageIndex(ggFolder);
  TMenuItem& save = menu.Items().Add(L"另存为(&A)…");
  save.SetImageIndex(ggDisk);
  save.SetChecked(true);
  menu.Items().Add(L"-");
  TMenuItem& wrap = menu.Items().Add(L"自动换行(&W)");
  wrap.SetChecked(true);
  wrap.OnClick = [&wrap](TObject*) { wrap.SetChecked(!wrap.Checked()); };
  // Three sizes that act as a group: choosing one marks it alone.
  TMenuItem* sizes[3] = {&menu.Items().Add(L"小"), &menu.Items().Add(L"中"),
                         &menu.Items().Add(L"大")};
  for (TMenuItem* size : sizes) {
    size->SetRadioItem(true);
    size->OnClick = [sizes, size](TObject*) {
      for (TMenuItem* other : sizes) other->SetChecked(other == size);
    };
  }
  sizes[1]->SetChecked(true);
  menu.Items().Add(L"-");
  TMenuItem& more = menu.Items().Add(L"更多(&M)");
  more.Add(L"属性(&P)").SetShortCutText(L"Alt+Enter");
  more.Add(L"锁定").SetImageIndex(ggPin);
  TMenuItem& deeper = more.Add(L"子菜单");
  deeper.Add(L"第一项");
  deeper.Add(L"第二项").SetEnabled(false);
  menu.Items().Add(L"删除(&D)").SetEnabled(false);
  menu.Items().Add(L"刷新").SetShortCutText(L"F5");
}

}  // namespace

void TGalleryForm::BuildContextMenus() {
  // Owned by the window, as a form's popup menus are: the skin finds them
  // among its components.
  TPopupMenu& list_menu = OwnedComponent<TPopupMenu>(*this);
  list_menu.SetName("pmnGalleryList");
  list_menu.SetImages(&images_);
  FillContextMenu(list_menu);
  TPopupMenu& memo_menu = OwnedComponent<TPopupMenu>(*this);
  memo_menu.SetName("pmnGalleryMemo");
  memo_menu.SetImages(&images_);
  FillContextMenu(memo_menu);

  // A right click (or the menu key) in the list or the memo opens its menu
  // in place of the control's own.
  const auto hand_menu = [](TWinControl& control, TPopupMenu& menu) {
    control.WindowProc = [&control, &menu, previous = control.WindowProc](TMessage& m) {
      if (m.Msg != WM_CONTEXTMENU) {
        previous(m);
        return;
      }
      POINT p{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
      if (m.LParam == -1) {
        RECT r{};
        GetWindowRect(control.Handle(), &r);
        p = POINT{r.left + 8, r.top + 8};
      }
      menu.Popup(p.x, p.y);
      m.Result = 0;
    };
  };
  if (List) hand_menu(*List, list_menu);
  if (Memo) hand_menu(*Memo, memo_menu);

  // A button below the rows opens the list's menu under itself.
  TScrollBox* box = nullptr;
  for (int i = 0; i < ComponentCount() && !box; ++i) box = dynamic_cast<TScrollBox*>(Components(i));
  if (!box) return;
  TGroupBox& group = Group(*box, 8, 652, 300, 62, L"上下文菜单");
  TButton& opener = Make<TButton>(group, 14, 22, 132, 28, L"打开菜单");
  opener.OnClick = [&opener, &list_menu](TObject*) {
    RECT r{};
    GetWindowRect(opener.Handle(), &r);
    list_menu.Popup(r.left, r.bottom);
  };
}
