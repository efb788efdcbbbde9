// The page control, tab control and tab set as the program uses them:
// pages shown one at a time, tabs clicked with the mouse, pages refused,
// closed and renamed, tabs at each side, and a tab set that shows only the
// tabs that fit and scrolls to the others.
#include <windows.h>
#include <commctrl.h>

#include "framework/PageControl.h"
#include "framework/TabControl.h"
#include "framework/TabSet.h"
#include "framework/UpDown.h"
#include "tests/wine/skin_tabs/TabsTestSupport.h"

namespace {

class PagesTest : public TabsTest {};

TEST_F(PagesTest, AClickOnATabShowsItsPageAloneUnlessTheChangeIsRefused) {
  TPageControl* pages = nullptr;
  TForm& form = ShowSkinned(1, [&](TForm& f) { pages = &AddPages(f, f, {20, 20, 420, 260}, 3); });
  ASSERT_EQ(pages->PageCount(), 3);
  EXPECT_EQ(pages->ActivePageIndex(), 0);
  EXPECT_TRUE(IsWindowVisible(pages->Pages(0)->Handle()));
  EXPECT_FALSE(IsWindowVisible(pages->Pages(1)->Handle()));
  // The page fills the area under the tabs.
  const RECT display = pages->DisplayRect();
  RECT page{};
  GetWindowRect(pages->Pages(0)->Handle(), &page);
  MapWindowPoints(nullptr, pages->Handle(), reinterpret_cast<POINT*>(&page), 2);
  EXPECT_TRUE(EqualRect(&page, &display));

  int changes = 0;
  pages->OnChange = [&](TObject*) { ++changes; };
  Click(TabPoint(*pages, 2));
  PumpUntil([&] { return changes > 0; }, 2000);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(pages->ActivePage(), pages->Pages(2));
  EXPECT_TRUE(IsWindowVisible(pages->Pages(2)->Handle()));
  EXPECT_FALSE(IsWindowVisible(pages->Pages(0)->Handle()));

  bool allow = false;
  pages->OnChanging = [&](TObject*, bool& ok) { ok = allow; };
  Click(TabPoint(*pages, 1));
  EXPECT_EQ(pages->ActivePageIndex(), 2) << "a refused change keeps the page";
  EXPECT_EQ(changes, 1);
  allow = true;
  // A second click at the same place this soon would be a double click.
  Pump(static_cast<int>(GetDoubleClickTime()) + 50);
  Click(TabPoint(*pages, 1));
  PumpUntil([&] { return changes > 1; }, 2000);
  EXPECT_EQ(pages->ActivePageIndex(), 1);
  form.Close();
  Pump(50);
}

TEST_F(PagesTest, ClosingAndRenamingPagesKeepTabsAndPagesTogether) {
  TPageControl* pages = nullptr;
  TForm& form = ShowSkinned(2, [&](TForm& f) { pages = &AddPages(f, f, {20, 20, 420, 260}, 4); });
  TTabSheet* second = pages->Pages(1);
  TTabSheet* third = pages->Pages(2);
  pages->SetActivePage(second);
  const int owned = form.ComponentCount();

  pages->ClosePage(1);
  EXPECT_EQ(pages->PageCount(), 3);
  EXPECT_EQ(pages->TabCount(), 3);
  EXPECT_EQ(form.ComponentCount(), owned - 1) << "the page is freed";
  // The page after it takes its place.
  EXPECT_EQ(pages->ActivePage(), third);
  EXPECT_EQ(TabCtrl_GetCurSel(pages->Handle()), 1);
  EXPECT_TRUE(IsWindowVisible(third->Handle()));
  EXPECT_EQ(pages->TabText(1), L"Page 3");

  // Closing the last page shows the one before it.
  pages->SetActivePageIndex(2);
  pages->ClosePage(2);
  EXPECT_EQ(pages->ActivePage(), third);

  third->SetCaption(L"Renamed");
  EXPECT_EQ(pages->TabText(1), L"Renamed");
  wchar_t text[32]{};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = 32;
  ASSERT_TRUE(TabCtrl_GetItem(pages->Handle(), 1, &item));
  EXPECT_STREQ(text, L"Renamed");

  // A page freed by its owner leaves the control too.
  form.RemoveComponent(pages->Pages(0)).reset();
  EXPECT_EQ(pages->PageCount(), 1);
  EXPECT_EQ(pages->ActivePage(), third);
  form.Close();
  Pump(50);
}

TEST_F(PagesTest, TabsStandAtTheSideTheTabPositionNames) {
  TPageControl* pages = nullptr;
  TForm& form = ShowSkinned(0, [&](TForm& f) { pages = &AddPages(f, f, {20, 20, 420, 300}, 3); });
  for (TTabPosition position : {tpTop, tpBottom, tpLeft, tpRight}) {
    SCOPED_TRACE(static_cast<int>(position));
    pages->SetTabPosition(position);
    Pump(30);
    const RECT tab = pages->TabRect(0);
    const RECT display = pages->DisplayRect();
    switch (position) {
      case tpTop:
        EXPECT_LE(tab.bottom, display.top + 2);
        break;
      case tpBottom:
        EXPECT_GE(tab.top, display.bottom - 2);
        break;
      case tpLeft:
        EXPECT_LE(tab.right, display.left + 2);
        break;
      case tpRight:
        EXPECT_GE(tab.left, display.right - 2);
        break;
    }
    // The page follows the display area.
    RECT page{};
    GetWindowRect(pages->ActivePage()->Handle(), &page);
    MapWindowPoints(nullptr, pages->Handle(), reinterpret_cast<POINT*>(&page), 2);
    EXPECT_TRUE(EqualRect(&page, &display));
    const char* const names[] = {"tpTop", "tpBottom", "tpLeft", "tpRight"};
    EXPECT_EQ(GetEnumPropName(*pages, "TabPosition"), names[position]);
  }
  EXPECT_TRUE(SetPropText(*pages, "Style", "tsButtons"));
  EXPECT_TRUE(GetWindowLongPtrW(pages->Handle(), GWL_STYLE) & TCS_BUTTONS);
  form.Close();
  Pump(50);
}

TEST_F(PagesTest, ATabSetShowsOnlyWholeTabsAndScrollsToTheOthers) {
  TTabSet* set = nullptr;
  TForm& form = ShowSkinned(2, [&](TForm& f) {
    set = &OwnedComponent<TTabSet>(f);
    set->SetBounds(20, 300, 260, 22);
    set->SetParent(&f);
    for (int i = 0; i < 12; ++i) set->AddTab(L"Sheet " + std::to_wstring(i + 1));
  });
  const auto shown = set->VisibleTabs();
  ASSERT_FALSE(shown.empty());
  ASSERT_LT(static_cast<int>(shown.size()), set->TabCount());
  EXPECT_TRUE(set->ScrollerShown());
  EXPECT_TRUE(IsWindowVisible(set->Scroller().Handle()));
  // Whole tabs only, and none under the scroller.
  RECT arrows{};
  GetWindowRect(set->Scroller().Handle(), &arrows);
  MapWindowPoints(nullptr, set->Handle(), reinterpret_cast<POINT*>(&arrows), 2);
  EXPECT_LE(shown.back().rect.right, arrows.left);
  EXPECT_EQ(shown.back().rect.right - shown.back().rect.left,
            set->TabWidth(set->Tabs()[shown.back().index]));

  int changes = 0;
  set->OnChange = [&](TObject*) { ++changes; };
  const RECT second = shown[1].rect;
  Click(ScreenPoint(set->Handle(), (second.left + second.right) / 2, 10));
  EXPECT_EQ(set->TabIndex(), 1);
  EXPECT_EQ(changes, 1);

  // The right arrow brings the next tab in at the left.
  Click(ScreenPoint(set->Scroller().Handle(), set->Scroller().Width() * 3 / 4,
                    set->Scroller().Height() / 2));
  PumpUntil([&] { return set->FirstIndex() == 1; }, 2000);
  EXPECT_EQ(set->FirstIndex(), 1);
  EXPECT_EQ(set->VisibleTabs().front().index, 1);
  // Selecting a tab out of sight scrolls to it.
  set->SetTabIndex(11);
  const auto now = set->VisibleTabs();
  EXPECT_EQ(now.back().index, 11);
  // Few enough for all: no scroller.
  set->SetTabs({L"One", L"Two", L"Three"});
  Pump(30);
  EXPECT_FALSE(set->ScrollerShown());
  EXPECT_FALSE(IsWindowVisible(set->Scroller().Handle()));
  EXPECT_EQ(static_cast<int>(set->VisibleTabs().size()), set->TabCount());
  form.Close();
  Pump(50);
}

}  // namespace
