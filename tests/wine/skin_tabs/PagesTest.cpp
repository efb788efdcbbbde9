// The page control, tab control and tab set as the program uses them:
// pages shown one at a time, tabs clicked with the mouse, pages refused,
// closed and renamed, tabs at each side, pages that follow the display
// area when a larger font makes the tabs taller, and a tab set that shows
// only the tabs that fit and scrolls to the others.
#include <windows.h>
#include <commctrl.h>

#include <iterator>
#include <string>
#include <vector>

#include "framework/GdiObjects.h"
#include "framework/PageControl.h"
#include "framework/TabControl.h"
#include "framework/TabSet.h"
#include "framework/UpDown.h"
#include "tests/wine/skin_tabs/TabsTestSupport.h"

namespace {

// The tag the skin data leaves a control alone by (its DisableTag).
constexpr int kLeftAlone = 99;

class PagesTest : public TabsTest {
 protected:
  // The active page, in the page control's client coordinates.
  static RECT PageRect(const TPageControl& pages) {
    RECT page{};
    GetWindowRect(pages.ActivePage()->Handle(), &page);
    MapWindowPoints(nullptr, pages.Handle(), reinterpret_cast<POINT*>(&page), 2);
    return page;
  }
  // The page fills the display area the control answers, clear of every
  // tab: below them at the top, above them at the bottom. (Pages are laid
  // out in 96-DPI units: at another DPI an edge may round a pixel away.)
  static void ExpectPageClearOfTabs(const TPageControl& pages) {
    const RECT page = PageRect(pages);
    const RECT display = pages.DisplayRect();
    const int slack = pages.Dpi() == 96 ? 0 : 1;
    EXPECT_NEAR(page.left, display.left, slack);
    EXPECT_NEAR(page.top, display.top, slack);
    EXPECT_NEAR(page.right, display.right, slack);
    EXPECT_NEAR(page.bottom, display.bottom, slack);
    for (int i = 0; i < pages.TabCount(); ++i) {
      SCOPED_TRACE(i);
      const RECT tab = pages.TabRect(i);
      if (pages.TabPosition() == tpTop) {
        EXPECT_GE(page.top, tab.bottom);
      } else {
        EXPECT_LE(page.bottom, tab.top);
      }
    }
  }
};

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

// A larger font makes the tabs taller: the page moves with the display
// area, whether the skin draws the control or leaves it alone, with the
// tabs at the top or at the bottom, and after the skin is switched off.
TEST_F(PagesTest, APageFollowsTheDisplayAreaWhenALargerFontMakesTheTabsTaller) {
  LOGFONTW face{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof face, &face);
  face.lfHeight = -30;
  const TOwnedFont large(CreateFontIndirectW(&face));
  ASSERT_TRUE(large.Get());
  TPageControl *skinned = nullptr, *plain = nullptr, *skinned_low = nullptr, *plain_low = nullptr;
  TForm& form = ShowSkinned(2, [&](TForm& f) {
    skinned = &AddPages(f, f, {20, 20, 300, 220}, 3);
    plain = &AddPages(f, f, {320, 20, 600, 220}, 3);
    plain->SetTag(kLeftAlone);
    skinned_low = &AddPages(f, f, {20, 240, 300, 440}, 3, tpBottom);
    plain_low = &AddPages(f, f, {320, 240, 600, 440}, 3, tpBottom);
    plain_low->SetTag(kLeftAlone);
  });
  TSkinData& data = DataOf(form);
  ASSERT_NE(ObjectOf(form, *skinned), nullptr);
  ASSERT_NE(ObjectOf(form, *skinned_low), nullptr);
  ASSERT_EQ(ObjectOf(form, *plain), nullptr);
  ASSERT_EQ(ObjectOf(form, *plain_low), nullptr);
  const TPageControl* all[] = {skinned, plain, skinned_low, plain_low};
  const char* const names[] = {"skinned", "left alone", "skinned, tabs below",
                               "left alone, tabs below"};
  const auto tab_height = [](const TPageControl& pages) {
    const RECT tab = pages.TabRect(0);
    return tab.bottom - tab.top;
  };
  std::vector<int> before;
  for (const TPageControl* pages : all) before.push_back(tab_height(*pages));

  for (const TPageControl* pages : all) {
    SendMessageW(pages->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(large.Get()), TRUE);
  }
  Pump(50);
  std::vector<int> taller;
  for (size_t i = 0; i < std::size(all); ++i) {
    SCOPED_TRACE(names[i]);
    taller.push_back(tab_height(*all[i]));
    ASSERT_GT(taller.back(), before[i]) << "the larger font makes taller tabs";
    ExpectPageClearOfTabs(*all[i]);
  }
  RedrawWindow(form.Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Pump(50);
  SaveShot(form.Handle(), "pages-larger-font");

  // Without the skin the system's padding comes back and the tabs are laid
  // out again; the pages follow, and follow the smaller font given back.
  SwitchSkin(form, data, false);
  for (size_t i = 0; i < std::size(all); ++i) {
    SCOPED_TRACE(std::string(names[i]) + ", skin off");
    ExpectPageClearOfTabs(*all[i]);
  }
  for (const TPageControl* pages : all) {
    SendMessageW(pages->Handle(), WM_SETFONT,
                 reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  }
  Pump(50);
  for (size_t i = 0; i < std::size(all); ++i) {
    SCOPED_TRACE(std::string(names[i]) + ", font given back");
    EXPECT_LT(tab_height(*all[i]), taller[i]);
    ExpectPageClearOfTabs(*all[i]);
  }
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
