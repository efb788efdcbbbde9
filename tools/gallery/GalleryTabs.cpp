// The gallery's tabs and pages: the area x 310-972, y 900-1180 of the scroll box.
#include <string>

#include "framework/Buttons.h"
#include "framework/PageControl.h"
#include "framework/StdCtrls.h"
#include "framework/TabControl.h"
#include "framework/TabSet.h"
#include "tools/gallery/GalleryForm.h"
#include "tools/gallery/GalleryPlace.h"

namespace {
// A page control of `captions.size()` pages, a button and a label on each.
TPageControl& Pages(TComponent& owner, TWinControl& parent, int left, int top, int width,
                    int height, TTabPosition position,
                    std::initializer_list<const wchar_t*> captions) {
  TPageControl& pages = Place<TPageControl>(owner, parent, left, top, width, height);
  pages.SetTabPosition(position);
  int n = 0;
  for (const wchar_t* caption : captions) {
    TTabSheet& page = OwnedComponent<TTabSheet>(owner);
    page.SetCaption(caption);
    page.SetPageControl(&pages);
    ++n;
    TButton& button = Place<TButton>(owner, page, 6, 6, 72, 24);
    button.SetCaption(L"按钮 " + std::to_wstring(n));
    TLabel& label = Place<TLabel>(owner, page, 6, 36, 80, 16);
    label.SetCaption(std::wstring(caption) + L" 页");
  }
  return pages;
}
}  // namespace

void TGalleryForm::BuildTabs(TWinControl& box) {
  // Tabs at each side.
  Pages(*this, box, 310, 900, 160, 130, tpTop, {L"常规", L"输出", L"高级"});
  Pages(*this, box, 475, 900, 160, 130, tpBottom, {L"常规", L"输出", L"高级"});
  // Side tabs read along their length.
  TPageControl& left = Pages(*this, box, 640, 900, 160, 130, tpLeft, {L"常规", L"输出", L"高级"});
  left.SetActivePageIndex(1);
  Pages(*this, box, 805, 900, 167, 130, tpRight, {L"常规", L"输出", L"高级"});

  // Close boxes in each tab.
  TPageControl& closing =
      Pages(*this, box, 310, 1038, 160, 112, tpTop, {L"文件一  ", L"文件二  ", L"文件三  "});
  closing.SetTag(7777);
  // More tabs than fit: the scroller shows.
  Pages(*this, box, 475, 1038, 160, 112, tpTop,
        {L"一月", L"二月", L"三月", L"四月", L"五月", L"六月", L"七月", L"八月"});
  // Tabs as buttons.
  TPageControl& buttons =
      Pages(*this, box, 640, 1038, 160, 112, tpTop, {L"列表", L"图标", L"详细"});
  buttons.SetStyle(tsButtons);

  // A tab control holding a label of its own, and a tab set below it.
  TTabControl& tabs = Place<TTabControl>(*this, box, 805, 1038, 167, 100);
  tabs.SetTabs({L"队列", L"完成", L"失败"});
  TLabel& queue = Place<TLabel>(*this, tabs, 10, 34, 140, 16);
  queue.SetCaption(L"三个文件等待转换");
  TTabSet& set = Place<TTabSet>(*this, box, 805, 1150, 167, 22);
  set.SetTabs({L"第一页", L"第二页", L"第三页", L"第四页", L"第五页"});
  set.SetTabIndex(1);
}
