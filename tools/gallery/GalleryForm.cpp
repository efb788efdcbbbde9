#include "tools/gallery/GalleryForm.h"

#include <algorithm>
#include <cwctype>

#include "framework/Dialogs.h"
#include "framework/Unicode.h"
#include "skin/data/SkinName.h"
#include "skin/data/StoredSkinResources.h"
#include "tools/gallery/GalleryGlyphs.h"

namespace {

constexpr wchar_t kTitle[] = L"Tonmill 皮肤预览";
// One row of the skin bar's buttons.
constexpr int kBarRowHeight = 32;

TFormStyle GalleryStyle() {
  TFormStyle style;
  style.caption = kTitle;
  style.client_width = 1000;
  style.client_height = 760;
  style.border_style = bsSizeable;
  style.border_icons = {biSystemMenu, biMinimize, biMaximize};
  return style;
}

}  // namespace

TGalleryStart ParseGalleryCommandLine(const std::wstring& argument) {
  TGalleryStart start;
  if (argument.empty()) return start;
  if (argument.size() == 1 && argument[0] >= L'0' && argument[0] <= L'4') {
    start.stored = argument[0] - L'0';
    return start;
  }
  start.file = argument;
  return start;
}

TGalleryForm::TGalleryForm(TComponent* owner, TSkinEnvironment& skins, const TGalleryStart& start)
    : TForm(owner, GalleryStyle()) {
  FillGalleryImages(images_);
  SkinStore1 = &OwnedComponent<TSkinStore>(*this);
  LoadStoredSkins(*SkinStore1);
  SkinData1 = &OwnedComponent<TSkinData>(*this, skins);
  SkinData1->BeginLoading();
  SkinData1->Loaded();

  BuildSkinBar();
  BuildStatusBars();
  TScrollBox& box = Make<TScrollBox>(*this, 0, 0, 100, 100, L"");
  box.SetBorderStyle(cbNone);
  box.SetAlign(alClient);
  box.SetRange(TGalleryForm::kContentWidth, TGalleryForm::kContentHeight);
  BuildButtons(box);
  BuildContainers(box);
  BuildScrolling(box);
  BuildFields(box);
  BuildCombos(box);
  BuildPickers(box);
  BuildChecks(box);
  BuildTabs(box);
  BuildMedia(box);
  BuildMdi(box);
  BuildMenus();
  BuildContextMenus();

  if (!start.file.empty()) {
    ChooseFile(start.file);
  } else if (start.no_skin) {
    ChooseNone();
  } else {
    ChooseStored(start.stored);
  }
}

TGalleryForm::~TGalleryForm() {
  DestroyHandle();
}

template <class T>
T& TGalleryForm::Make(TWinControl& parent, int left, int top, int width, int height,
                      const std::wstring& text) {
  T& control = OwnedComponent<T>(*this);
  control.SetBounds(left, top, width, height);
  control.SetCaption(text);
  control.SetParent(&parent);
  return control;
}

TGroupBox& TGalleryForm::Group(TWinControl& parent, int left, int top, int width, int height,
                               const std::wstring& caption) {
  return Make<TGroupBox>(parent, left, top, width, height, caption);
}

// --- choosing a skin --------------------------------------------------------

void TGalleryForm::BuildSkinBar() {
  TPanel& bar = Make<TPanel>(*this, 0, 0, 100, kBarRowHeight + 8, L"");
  bar.SetAlign(alTop);
  skin_bar_ = &bar;
  Make<TLabel>(bar, 10, 13, 40, 16, L"皮肤：");
  for (int i = 0; i < SkinStore1->Store().Count(); ++i) {
    const std::string name = ReadSkinName(SkinStore1->Store().Items(i).Data());
    auto& button = OwnedComponent<TSpeedButton>(*this);
    button.SetBounds(0, 0, 88, 26);
    button.SetCaption(Utf8ToWide(name.empty() ? "#" + std::to_string(i) : name));
    button.SetGroupIndex(1);
    button.SetParent(&bar);
    button.OnClick = [this, i](TObject*) { ChooseStored(i); };
    skin_buttons_.push_back(&button);
  }
  no_skin_button_ = &OwnedComponent<TSpeedButton>(*this);
  no_skin_button_->SetBounds(0, 0, 88, 26);
  no_skin_button_->SetCaption(L"无皮肤");
  no_skin_button_->SetGroupIndex(1);
  no_skin_button_->SetParent(&bar);
  no_skin_button_->OnClick = [this](TObject*) { ChooseNone(); };
  open_button_ = &Make<TButton>(bar, 0, 0, 150, 26, L"打开 .skn 文件…");
  open_button_->OnClick = [this](TObject*) { PickFile(); };
  LayOutSkinBar();
}

void TGalleryForm::LayOutSkinBar() {
  if (!skin_bar_ || !open_button_) return;
  // The buttons flow in rows after the label, as many to a row as the
  // window's width holds (in 96-DPI units, like every bound): a narrow
  // window, or one at a high DPI on a small screen, wraps them instead of
  // cutting the last ones off.
  constexpr int kFirst = 52, kRight = 8;
  const int width = std::max(skin_bar_->Width(), kFirst + 150 + kRight);
  int x = kFirst, row = 0;
  const auto place = [&](auto& button, int gap) {
    if (x > kFirst && x + gap + button.Width() > width - kRight) {
      x = kFirst;
      ++row;
      gap = 0;
    }
    x += gap;
    button.SetBounds(x, 7 + row * kBarRowHeight, button.Width(), button.Height());
    x += button.Width();
  };
  for (TSpeedButton* button : skin_buttons_) place(*button, x > kFirst ? 4 : 0);
  place(*no_skin_button_, 4);
  place(*open_button_, 12);
  const int height = (row + 1) * kBarRowHeight + 8;
  if (skin_bar_->Height() != height) {
    skin_bar_->SetBounds(skin_bar_->Left(), skin_bar_->Top(), skin_bar_->Width(), height);
    // The box below starts under the bar's new height.
    Realign();
  }
}

void TGalleryForm::WndProc(TMessage& m) {
  TForm::WndProc(m);
  // The bar gets the window's new width when the form aligns its blocks.
  if (m.Msg == WM_SIZE) LayOutSkinBar();
}

void TGalleryForm::ShowSkinName(const std::wstring& name) {
  SetCaption(name.empty() ? std::wstring(kTitle) : std::wstring(kTitle) + L" — " + name);
}

void TGalleryForm::ChooseStored(int index) {
  if (index < 0 || index >= SkinStore1->Store().Count()) return;
  // The manager carries the change out after its short delay, outside the
  // click that asked for it.
  SkinData1->LoadFromSkinStore(SkinStore1, index);
  SkinData1->SetActive(true);
  if (index < static_cast<int>(skin_buttons_.size())) {
    skin_buttons_[static_cast<size_t>(index)]->SetDown(true);
    ShowSkinName(skin_buttons_[static_cast<size_t>(index)]->Caption());
  }
}

void TGalleryForm::ChooseFile(const std::wstring& path) {
  SkinData1->SetSkinFile(WideToUtf8(path));
  SkinData1->SetActive(true);
  for (TSpeedButton* b : skin_buttons_) b->SetDown(false);
  no_skin_button_->SetDown(false);
  const size_t slash = path.find_last_of(L"\\/");
  ShowSkinName(slash == std::wstring::npos ? path : path.substr(slash + 1));
}

void TGalleryForm::ChooseNone() {
  SkinData1->SetActive(false);
  no_skin_button_->SetDown(true);
  ShowSkinName(L"无皮肤");
}

void TGalleryForm::PickFile() {
  TOpenDialog dialog(nullptr);
  dialog.Filter = L"皮肤文件 (*.skn)|*.skn";
  dialog.Title = L"打开皮肤文件";
  if (dialog.Execute(Handle())) ChooseFile(dialog.FileName);
}

// --- the controls -----------------------------------------------------------

void TGalleryForm::BuildButtons(TWinControl& box) {
  TGroupBox& buttons = Group(box, 8, 8, 300, 150, L"按钮");
  Make<TButton>(buttons, 14, 24, 84, 26, L"普通");
  Make<TButton>(buttons, 106, 24, 84, 26, L"禁用").SetEnabled(false);
  FocusedButton = &Make<TButton>(buttons, 198, 24, 84, 26, L"焦点");
  Make<TButton>(buttons, 14, 60, 84, 40, L"两行||标题");
  Make<TLabel>(buttons, 106, 64, 180, 40, L"按住鼠标看按下状态，移过看热点状态");

  TGroupBox& glyphs = Group(box, 8, 166, 300, 174, L"图形按钮");
  const struct {
    int left, top, width, height;
    const wchar_t* text;
    TButtonLayout layout;
    TGalleryGlyph glyph;
  } bits[] = {{14, 22, 132, 30, L"左图标", blGlyphLeft, ggNote},
              {154, 22, 132, 30, L"右图标", blGlyphRight, ggFolder},
              {14, 58, 132, 46, L"上图标", blGlyphTop, ggDisk},
              {154, 58, 132, 46, L"下图标", blGlyphBottom, ggPin}};
  for (const auto& b : bits) {
    TBitBtn& button = Make<TBitBtn>(glyphs, b.left, b.top, b.width, b.height, b.text);
    button.Glyph.Bitmap = GalleryGlyph(b.glyph);
    button.Layout = b.layout;
  }
  TBitBtn& disabled = Make<TBitBtn>(glyphs, 14, 110, 132, 30, L"禁用");
  disabled.Glyph.Bitmap = GalleryGlyph(ggNote);
  disabled.SetEnabled(false);
  TBitBtn& listed = Make<TBitBtn>(glyphs, 154, 110, 132, 30, L"图像列表");
  listed.Images = &images_;
  listed.ImageIndex = 2;

  TGroupBox& menus = Group(box, 8, 348, 300, 62, L"菜单按钮");
  menu_ = MakeComponent<TPopupMenu>();
  menu_->Items().Add(L"第一项");
  menu_->Items().Add(L"第二项");
  menu_->Items().Add(L"-");
  menu_->Items().Add(L"第三项");
  TMenuButton& more = Make<TMenuButton>(menus, 14, 22, 132, 28, L"更多操作");
  more.DropdownMenu = menu_.get();
  Make<TMenuButton>(menus, 154, 22, 132, 28, L"禁用").SetEnabled(false);

  TGroupBox& speed = Group(box, 316, 8, 300, 150, L"快捷按钮");
  const struct {
    int left, top;
    const wchar_t* text;
    int group;
    bool down, flat, enabled, glyph;
  } speeds[] = {{14, 22, L"普通", 0, false, false, true, false},
                {104, 22, L"按下", 2, true, false, true, false},
                {194, 22, L"禁用", 0, false, false, false, true},
                {14, 56, L"平面", 0, false, true, true, false},
                {104, 56, L"平面图标", 0, false, true, true, true},
                {194, 56, L"图标", 0, false, false, true, true},
                {14, 98, L"左", 3, true, false, true, false},
                {64, 98, L"中", 3, false, false, true, false},
                {114, 98, L"右", 3, false, false, true, false}};
  for (const auto& s : speeds) {
    TSpeedButton& button = OwnedComponent<TSpeedButton>(*this);
    const int width = s.group == 3 ? 48 : 84;
    button.SetBounds(s.left, s.top, width, 28);
    button.SetCaption(s.text);
    button.SetGroupIndex(s.group);
    button.AllowAllUp = s.group == 2;
    button.SetDown(s.down);
    button.SetFlat(s.flat);
    button.SetEnabled(s.enabled);
    if (s.glyph) button.Glyph.Bitmap = GalleryGlyph(ggPin);
    button.SetParent(&speed);
  }
}

void TGalleryForm::BuildContainers(TWinControl& box) {
  TGroupBox& groups = Group(box, 316, 166, 300, 174, L"分组框");
  Make<TLabel>(Group(groups, 10, 20, 136, 66, L"普通分组框"), 10, 26, 110, 16, L"里面的标签");
  Group(groups, 154, 20, 136, 66, L"");
  TGroupBox& right = Group(groups, 10, 94, 136, 66, L"右对齐标题");
  const auto ex = GetWindowLongPtrW(right.Handle(), GWL_EXSTYLE);
  SetWindowLongPtrW(right.Handle(), GWL_EXSTYLE, ex | WS_EX_RIGHT);
  // A greyed group greys the button inside it as well.
  TGroupBox& greyed = Group(groups, 154, 94, 136, 66, L"禁用分组框");
  Make<TButton>(greyed, 10, 26, 84, 26, L"组内按钮");
  greyed.SetEnabled(false);

  TGroupBox& panels = Group(box, 316, 348, 300, 62, L"面板");
  TPanel& panel = Make<TPanel>(panels, 10, 20, 136, 34, L"");
  Make<TLabel>(panel, 8, 9, 120, 16, L"面板上的标签");
  TPanel& through = Make<TPanel>(panels, 154, 20, 136, 34, L"");
  through.SetParentBackground(true);
  Make<TLabel>(through, 8, 9, 120, 16, L"透明背景的面板");

  TGroupBox& tools = Group(box, 8, 418, 608, 70, L"工具栏");
  TToolBar& bar = Make<TToolBar>(tools, 10, 20, 588, 40, L"");
  bar.SetAlign(alNone);
  bar.SetImages(&images_);
  bar.AddButton(L"新建", 0);
  bar.AddButton(L"打开", 1);
  bar.AddButton(L"保存", 2);
  bar.AddButton(L"", -1, tbsSeparator);
  bar.AddButton(L"置顶", 3, tbsCheck).SetDown(true);
  bar.AddButton(L"禁用", -1).SetEnabled(false);
}

void TGalleryForm::BuildScrolling(TWinControl& box) {
  TGroupBox& bars = Group(box, 624, 8, 348, 150, L"滚动条");
  Make<TLabel>(bars, 12, 22, 220, 16, L"翻页大小 20，位置 30");
  TScrollBar& paged = Make<TScrollBar>(bars, 12, 40, 280, 17, L"");
  paged.SetParams(30, 0, 100);
  paged.SetPageSize(20);
  paged.LargeChange = 20;
  Make<TLabel>(bars, 12, 64, 220, 16, L"没有翻页大小");
  Make<TScrollBar>(bars, 12, 82, 280, 17, L"").SetParams(60, 0, 100);
  Make<TLabel>(bars, 12, 106, 220, 16, L"禁用");
  TScrollBar& off = Make<TScrollBar>(bars, 12, 124, 280, 17, L"");
  off.SetParams(50, 0, 100);
  off.SetEnabled(false);
  TScrollBar& upright = Make<TScrollBar>(bars, 310, 22, 17, 120, L"");
  upright.SetKind(sbVertical);
  upright.SetParams(0, 0, 100);
  upright.SetPageSize(30);

  TGroupBox& list = Group(box, 624, 166, 348, 174, L"列表（500 行）");
  List = &OwnedComponent<TListView>(*this);
  List->BorderNone = false;
  List->AddColumn(L"文件", 200);
  List->AddColumn(L"状态", 160);
  List->SetBounds(10, 20, 328, 144);
  List->SetParent(&list);
  List->OnData = [](TObject*, TListItem& item) {
    item.Caption = L"第 " + std::to_wstring(item.Index + 1) + L" 个文件.wma";
    item.SubItems = {item.Index % 3 == 0 ? L"完成" : L"等待"};
  };
  List->SetItemCount(500);

  TGroupBox& memos = Group(box, 624, 348, 348, 140, L"多行文本");
  Memo = &OwnedComponent<TMemo>(*this);
  Memo->SetScrollBars(ssBoth);
  Memo->SetBounds(10, 20, 200, 110);
  Memo->SetParent(&memos);
  std::vector<std::wstring> lines;
  for (int i = 1; i <= 80; ++i) {
    lines.push_back(L"第 " + std::to_wstring(i) +
                    L" 行：皮肤画出的滚动条，拖动滑块看看它跟不跟得上");
  }
  Memo->SetLines(lines);
  TMemo& plain = OwnedComponent<TMemo>(*this);
  plain.SetBorderStyle(cbNone);
  plain.SetBounds(218, 20, 120, 110);
  plain.SetParent(&memos);
  plain.SetLines({L"没有边框", L"的多行文本"});

  TGroupBox& scrolled = Group(box, 8, 496, 300, 140, L"滚动框");
  TScrollBox& inner = Make<TScrollBox>(scrolled, 10, 20, 280, 110, L"");
  for (int i = 0; i < 6; ++i) {
    Make<TButton>(inner, 10 + (i % 2) * 200, 10 + i * 40, 120, 26,
                  L"按钮 " + std::to_wstring(i + 1));
  }
  inner.SetRange(340, 250);

  TGroupBox& progress = Group(box, 316, 496, 300, 140, L"进度条");
  TProgressBar& across = Make<TProgressBar>(progress, 10, 24, 240, 18, L"");
  across.SetPosition(60);
  TProgressBar& greyed = Make<TProgressBar>(progress, 10, 56, 240, 18, L"");
  greyed.SetPosition(35);
  greyed.SetEnabled(false);
  TProgressBar& standing = OwnedComponent<TProgressBar>(*this);
  standing.SetVertical(true);
  standing.SetBounds(266, 20, 18, 110);
  standing.SetParent(&progress);
  standing.SetPosition(50);

  // A header laid out by the form itself, wider than its sections, so the
  // bar after the last section shows too.
  TGroupBox& headers = Group(box, 624, 496, 348, 140, L"标题栏");
  THeaderControl& header = Make<THeaderControl>(headers, 10, 24, 328, 24, L"");
  header.AddSection(L"名称", 120);
  header.AddSection(L"时长", 70);
  header.AddSection(L"状态", 70);
  Make<TLabel>(headers, 10, 60, 320, 16, L"鼠标移过时亮起的一节，点住时按下");
}

void TGalleryForm::BuildStatusBars() {
  Status = &OwnedComponent<TStatusBar>(*this);
  Status->AddPanel(L"左对齐的面板", 160);
  Status->AddPanel(L"居中", 120).SetAlignment(taCenter);
  Status->AddPanel(L"凸起", 100).SetBevel(pbRaised);
  Status->AddPanel(L"最后一个面板伸到右边", 100);
  Status->SetParent(this);
  TStatusBar& simple = OwnedComponent<TStatusBar>(*this);
  simple.SetSizeGrip(false);
  simple.SetSimplePanel(true);
  simple.SetSimpleText(L"简单模式的状态栏，没有大小手柄");
  simple.SetParent(this);
}
