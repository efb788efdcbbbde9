#include "tools/gallery/GalleryMdiWindow.h"

#include <vector>

#include "framework/ComCtrls.h"
#include "framework/Memo.h"
#include "framework/StdCtrls.h"
#include "framework/TrackBar.h"

namespace {

TFormStyle FrameStyle() {
  TFormStyle style;
  style.caption = L"MDI 窗口";
  style.client_width = 720;
  style.client_height = 480;
  style.border_style = bsSizeable;
  style.border_icons = {biSystemMenu, biMinimize, biMaximize};
  return style;
}

// A control owned by the child form, in `parent` (the form or a group).
template <class T>
T& Put(TWinControl& parent, int left, int top, int width, int height, const std::wstring& text) {
  TWinControl* form = &parent;
  while (form->Parent()) form = form->Parent();
  T& control = OwnedComponent<T>(*form);
  control.SetBounds(left, top, width, height);
  control.SetCaption(text);
  control.SetParent(&parent);
  return control;
}

}  // namespace

TGalleryMdiWindow::TGalleryMdiWindow(TComponent* owner) : TMdiFrameForm(owner, FrameStyle()) {
  MainMenu = &OwnedComponent<TMainMenu>(*this);
  TMenuItem& file = MainMenu->Items().Add(L"文件(&F)");
  file.Add(L"新建子窗口(&N)").OnClick = [this](TObject*) { NewChild().Show(); };
  file.Add(L"-");
  file.Add(L"关闭 MDI 窗口(&X)").OnClick = [this](TObject*) { Close(); };
  WindowItem = &MainMenu->Items().Add(L"窗口(&W)");
  WindowItem->Add(L"新建窗口(&N)").OnClick = [this](TObject*) { NewChild().Show(); };
  WindowItem->Add(L"平铺(&T)").OnClick = [this](TObject*) { Tile(); };
  WindowItem->Add(L"层叠(&C)").OnClick = [this](TObject*) { Cascade(); };
  WindowItem->Add(L"排列图标(&A)").OnClick = [this](TObject*) { ArrangeIcons(); };
  WindowItem->Add(L"关闭(&L)").OnClick = [this](TObject*) {
    if (TForm* child = ActiveMDIChild()) child->Close();
  };
  SetMenu(MainMenu);
  SetWindowMenu(WindowItem);
  for (int i = 0; i < 4; ++i) NewChild().Show();
}

TGalleryMdiWindow::~TGalleryMdiWindow() {
  // The frame's window takes the client and the children's windows along;
  // the child forms, freed afterwards, find theirs gone.
  DestroyHandle();
}

TForm& TGalleryMdiWindow::NewChild() {
  const int kind = made_++ % 4;
  static const wchar_t* const kTitles[] = {L"文本", L"表单", L"列表", L"进度"};
  TForm& child = OwnedComponent<TForm>(
      *this, ChildStyle(std::wstring(kTitles[kind]) + L" " + std::to_wstring(made_), 300, 190));
  switch (kind) {
    case 0:
      FillText(child);
      break;
    case 1:
      FillFields(child);
      break;
    case 2:
      FillList(child);
      break;
    default:
      FillBars(child);
      break;
  }
  return child;
}

void TGalleryMdiWindow::FillText(TForm& child) {
  TMemo& memo = OwnedComponent<TMemo>(child);
  memo.SetScrollBars(ssVertical);
  memo.SetParent(&child);
  memo.SetAlign(alClient);
  std::vector<std::wstring> lines;
  for (int i = 1; i <= 30; ++i) {
    lines.push_back(L"第 " + std::to_wstring(i) + L" 行：子窗口里的多行文本");
  }
  memo.SetLines(lines);
}

void TGalleryMdiWindow::FillFields(TForm& child) {
  Put<TLabel>(child, 12, 16, 60, 16, L"文件名：");
  Put<TEdit>(child, 76, 12, 200, 22, L"第一首.wma");
  Put<TLabel>(child, 12, 48, 60, 16, L"输出到：");
  Put<TEdit>(child, 76, 44, 200, 22, L"D:\\音乐\\MP3");
  TGroupBox& group = Put<TGroupBox>(child, 12, 76, 264, 60, L"操作");
  Put<TButton>(group, 12, 22, 76, 26, L"转换");
  Put<TButton>(group, 94, 22, 76, 26, L"停止").SetEnabled(false);
  Put<TButton>(group, 176, 22, 76, 26, L"关闭").OnClick = [&child](TObject*) { child.Close(); };
}

void TGalleryMdiWindow::FillList(TForm& child) {
  TListView& list = OwnedComponent<TListView>(child);
  list.BorderNone = false;
  list.AddColumn(L"文件", 150);
  list.AddColumn(L"时长", 70);
  list.SetParent(&child);
  list.SetAlign(alClient);
  list.OnData = [](TObject*, TListItem& item) {
    item.Caption = L"曲目 " + std::to_wstring(item.Index + 1) + L".wma";
    item.SubItems = {std::to_wstring(2 + item.Index % 4) + L":" +
                     std::to_wstring(10 + item.Index % 50)};
  };
  list.SetItemCount(40);
}

void TGalleryMdiWindow::FillBars(TForm& child) {
  Put<TLabel>(child, 12, 14, 200, 16, L"当前文件");
  Put<TProgressBar>(child, 12, 34, 264, 18, L"").SetPosition(40);
  Put<TLabel>(child, 12, 64, 200, 16, L"整批");
  Put<TProgressBar>(child, 12, 84, 264, 18, L"").SetPosition(75);
  Put<TLabel>(child, 12, 114, 200, 16, L"音量");
  TTrackBar& volume = Put<TTrackBar>(child, 12, 132, 264, 30, L"");
  volume.SetPosition(6);
}
