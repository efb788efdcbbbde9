// The gallery's main menu: drop-downs three levels deep, access keys, short
// cuts, checked, radio-like, disabled and image items, a hidden item and a
// long list, so the skinned menu bar and its drop-downs show every kind.
#include <string>

#include "tools/gallery/GalleryForm.h"
#include "tools/gallery/GalleryGlyphs.h"

void TGalleryForm::BuildMenus() {
  TMainMenu& menu = OwnedComponent<TMainMenu>(*this);
  menu.SetImages(&images_);

  TMenuItem& file = menu.Items().Add(L"文件(&F)");
  file.Add(L"新建(&N)").SetShortCut(scCtrl | 'N');
  TMenuItem& open = file.Add(L"打开(&O)…");
  open.SetShortCut(scCtrl | 'O');
  open.SetImageIndex(ggFolder);
  TMenuItem& save = file.Add(L"保存(&S)");
  save.SetShortCut(scCtrl | 'S');
  save.SetImageIndex(ggDisk);
  file.Add(L"-");
  TMenuItem& recent = file.Add(L"最近的文件(&R)");
  TMenuItem& folders = recent.Add(L"文件夹(&D)");
  folders.Add(L"C:\\Music\\专辑一").SetImageIndex(ggNote);
  folders.Add(L"D:\\Audio\\Live");
  recent.Add(L"单曲.wma");
  file.Add(L"打印(&P)").SetEnabled(false);
  file.Add(L"-");
  file.Add(L"退出(&X)").OnClick = [this](TObject*) { Close(); };

  TMenuItem& edit = menu.Items().Add(L"编辑(&E)");
  edit.Add(L"撤销(&U)").SetShortCut(scCtrl | 'Z');
  edit.Add(L"-");
  edit.Add(L"剪切(&T)").SetShortCut(scCtrl | 'X');
  edit.Add(L"复制(&C)").SetShortCut(scCtrl | 'C');
  edit.Add(L"粘贴(&P)").SetEnabled(false);

  // The view's sizes act as a group: choosing one checks it alone.
  TMenuItem& view = menu.Items().Add(L"查看(&V)");
  TMenuItem& bar = view.Add(L"状态栏(&S)");
  bar.SetChecked(true);
  bar.OnClick = [&bar](TObject*) { bar.SetChecked(!bar.Checked()); };
  view.Add(L"-");
  for (const wchar_t* size : {L"大图标(&L)", L"小图标(&M)", L"列表(&I)"}) {
    TMenuItem& item = view.Add(size);
    item.SetChecked(item.Parent()->Count() == 4);
    item.OnClick = [&view, &item](TObject*) {
      for (int i = 2; i < view.Count(); ++i) view.Items(i)->SetChecked(view.Items(i) == &item);
    };
  }

  // Many entries: the drop-down is taller than most screens allow.
  TMenuItem& list = menu.Items().Add(L"曲目(&L)");
  for (int i = 1; i <= 60; ++i) list.Add(L"曲目 " + std::to_wstring(i));

  menu.Items().Add(L"隐藏").SetVisible(false);
  menu.Items().Add(L"禁用(&D)").SetEnabled(false);
  TMenuItem& help = menu.Items().Add(L"帮助(&H)");
  help.Add(L"关于(&A)").SetImageIndex(ggNote);
  SetMenu(&menu);
}
