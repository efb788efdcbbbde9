// Skinned tabs and pages read back from the screen under every skin: tabs
// drawn from the skin's Tabs cells (turned for tabs at the sides), close
// boxes that close pages unless the form keeps them, the tab scroller left
// alone by the strip, the tab set drawing whole tabs only, a page frame
// without a Tabs image, readable captions, and skinning given back and
// taken again.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "framework/Graphic.h"
#include "framework/PageControl.h"
#include "framework/StdCtrls.h"
#include "framework/TabControl.h"
#include "framework/TabSet.h"
#include "framework/UpDown.h"
#include "framework/WndMethodLayer.h"
#include "skin/controls/SkinTab.h"
#include "skin/controls/SkinTabSet.h"
#include "skin/controls/SkinTabSheet.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/data/SkinRender.h"
#include "skin/form/SkinWindowMessages.h"
#include "skin/packages/ImgUtil.h"
#include "tests/wine/skin_tabs/TabsTestSupport.h"
#include "tests/wine/support/ScreenColours.h"

namespace {

using screen_colours::ContrastRatio;

class SkinTabsTest : public TabsTest {
 protected:
  static void Redraw(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  static int TabFrames(const TDataSkinObject& tabs) { return tabs.Frame > 0 ? tabs.Frame : 5; }
  static TSkinMargins Margins(const TDataSkinObject& o) {
    return {o.LeftWidth, o.TopHeight, o.RightWidth, o.BottomHeight};
  }
  // The cell the skin shows tab `index` of `control` in, as the screen
  // should show it: drawn upright along the strip, then turned for the
  // control's side. Its top left corner lies at `at` (client coordinates).
  TBitmap ExpectedTab(const TSkinData& data, const TCustomTabControl& control, int index, int cell,
                      POINT& at) {
    const TDataSkinObject& tabs = *data.Object(ssTabs);
    const RECT r = control.TabRect(index);
    const bool upright = control.TabPosition() == tpTop || control.TabPosition() == tpBottom;
    const int along = upright ? r.right - r.left : r.bottom - r.top;
    const int across = upright ? r.bottom - r.top : r.right - r.left;
    TBitmap image = tabs.Bitmap;
    TSkinMargins m = Margins(tabs);
    if (control.TabPosition() == tpBottom) {
      FlipBitmap(image);
      std::swap(m.top, m.bottom);
    }
    TBitmap out =
        RenderSkinPart(along, across, image, m, false, tabs.Tile == 1, TabFrames(tabs), cell);
    at = {r.left, r.top};
    switch (control.TabPosition()) {
      case tpTop:
        at.y += 1;
        break;
      case tpBottom:
        at.y -= 1;
        break;
      case tpLeft:
        RotateBitmapLeft(out);
        break;
      case tpRight:
        RotateBitmapRight(out);
        break;
    }
    return out;
  }
  // The band of a tab's cell that lies along its outer edge (where no
  // caption is), in the cell's screen orientation.
  static RECT OuterBand(const TBitmap& cell, TTabPosition side, int depth = 5) {
    switch (side) {
      case tpTop:
        return {0, 0, cell.Width(), depth};
      case tpBottom:
        return {0, cell.Height() - depth, cell.Width(), cell.Height()};
      case tpLeft:
        return {0, 0, depth, cell.Height()};
      default:
        return {cell.Width() - depth, 0, cell.Width(), cell.Height()};
    }
  }
  double TabShare(const TSkinData& data, const TCustomTabControl& control, int index, int cell) {
    POINT at{};
    const TBitmap expected = ExpectedTab(data, control, index, cell, at);
    const TBitmap shot = Capture(ClientScreenRect(control.Handle()));
    return ShownShare(shot, at.x, at.y, expected, OuterBand(expected, control.TabPosition()));
  }
};

TEST_F(SkinTabsTest, TabsShowTheirCellsAtEverySideAndAClickChangesThePageUnderEverySkin) {
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TPageControl* sides[4] = {};
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      sides[0] = &AddPages(f, f, {10, 10, 260, 200}, 3, tpTop);
      sides[1] = &AddPages(f, f, {270, 10, 520, 200}, 3, tpBottom);
      sides[2] = &AddPages(f, f, {10, 210, 260, 440}, 3, tpLeft);
      sides[3] = &AddPages(f, f, {270, 210, 520, 440}, 3, tpRight);
    });
    TSkinData& data = DataOf(form);
    Park();
    for (TPageControl* pages : sides) {
      SCOPED_TRACE(static_cast<int>(pages->TabPosition()));
      auto* object = dynamic_cast<TSkinTab*>(ObjectOf(form, *pages));
      ASSERT_TRUE(object);
      EXPECT_TRUE(dynamic_cast<TSkinTabSheet*>(ObjectOf(form, *pages->Pages(0))));
      Redraw(pages->Handle());
      Pump(30);
      // The selected tab in cell 2, the others in cell 1, each turned as
      // its side asks; an upright cell would not match a side's tab.
      EXPECT_GE(TabShare(data, *pages, 0, 2), 0.9);
      EXPECT_GE(TabShare(data, *pages, 1, 1), 0.9);
      // A click on the third tab shows its page and moves the selected cell
      // there (in its focused look while the control has the focus).
      Click(TabPoint(*pages, 2));
      PumpUntil([&] { return pages->ActivePageIndex() == 2; }, 2000);
      EXPECT_EQ(pages->ActivePageIndex(), 2);
      EXPECT_TRUE(IsWindowVisible(pages->Pages(2)->Handle()));
      Park();
      Pump(30);
      const int selected_cell = GetFocus() == pages->Handle() ? 5 : 2;
      EXPECT_GE(TabShare(data, *pages, 2, selected_cell), 0.9);
      EXPECT_GE(TabShare(data, *pages, 0, 1), 0.9);
    }
    // The page frame lies around the pages: its outer line at the display
    // area's edge is the pane image's edge colour.
    SaveShot(form.Handle(), std::string("tabs-sides-") + kSkinFiles[skin]);

    // Captions read on their tabs: 7:1 under the high-contrast skin, 4.5:1
    // under the others.
    const double need = std::string(kSkinFiles[skin]) == "contrast" ? 7.0 : 4.5;
    const TBitmap shot = Capture(ClientScreenRect(sides[0]->Handle()));
    for (int index : {0, 2}) {
      const RECT r = sides[0]->TabRect(index);
      const TColor under = shot.Pixel(r.left + 4, (r.top + r.bottom) / 2 + 1);
      double best = 1.0;
      for (int y = r.top + 3; y < r.bottom - 1; ++y) {
        for (int x = r.left + 4; x < r.right - 4; ++x) {
          best = std::max(best, ContrastRatio(shot.Pixel(x, y), under));
        }
      }
      EXPECT_GE(best, need) << "caption of tab " << index;
    }
    form.Close();
    Pump(50);
  }
}

TEST_F(SkinTabsTest, CloseBoxesClosePagesUnlessTheFormKeepsThem) {
  TPageControl* pages = nullptr;
  TPageControl* plain = nullptr;
  TForm& form = ShowSkinned(1, [&](TForm& f) {
    pages = &AddPages(f, f, {20, 20, 460, 220}, 3);
    pages->SetTag(kCloseBoxTag);
    plain = &AddPages(f, f, {20, 240, 460, 420}, 2);
  });
  auto* object = dynamic_cast<TSkinTab*>(ObjectOf(form, *pages));
  ASSERT_TRUE(object);
  ASSERT_TRUE(object->CloseBoxes());
  EXPECT_FALSE(dynamic_cast<TSkinTab*>(ObjectOf(form, *plain))->CloseBoxes());
  Park();
  Redraw(pages->Handle());
  Pump(30);
  ASSERT_EQ(object->CloseRects().size(), 3u);
  SaveShot(form.Handle(), "tabs-close-boxes");

  // Each box shows its "x" in the caption's colour.
  const TColor ink = ColorToRGB(DataOf(form).Object(ssTabs)->NormalColour2);
  const TBitmap shot = Capture(ClientScreenRect(pages->Handle()));
  const RECT box = object->CloseRects()[1];
  int inked = 0;
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      const TColor c = shot.Pixel(x, y);
      if (std::abs(RedOf(c) - RedOf(ink)) < 40 && std::abs(GreenOf(c) - GreenOf(ink)) < 40 &&
          std::abs(BlueOf(c) - BlueOf(ink)) < 40) {
        ++inked;
      }
    }
  }
  EXPECT_GE(inked, 20);

  LRESULT answer = 1;
  int asked = 0;
  WPARAM asked_for = 0;
  LPARAM asked_index = -1;
  TWndMethodLayer watch;
  watch.Install(form.WindowProc, [&](TMessage& m) {
    if (m.Msg == SKM_CLOSETAB) {
      ++asked;
      asked_for = m.WParam;
      asked_index = m.LParam;
      m.Result = answer;
      return;
    }
    watch.CallPrevious(m);
  });
  const auto box_point = [&](int index) {
    const RECT r = object->CloseRects()[static_cast<size_t>(index)];
    return ScreenPoint(pages->Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  };
  TTabSheet* second = pages->Pages(1);
  // The form keeps the page: nothing closes, and the click does not even
  // select the tab.
  Click(box_point(1));
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(asked_for, reinterpret_cast<WPARAM>(pages->Handle()));
  EXPECT_EQ(asked_index, 1);
  EXPECT_EQ(pages->PageCount(), 3);
  EXPECT_EQ(pages->ActivePageIndex(), 0);
  // The form lets it go: the page closes.
  answer = 0;
  Click(box_point(1));
  EXPECT_EQ(asked, 2);
  ASSERT_EQ(pages->PageCount(), 2);
  EXPECT_NE(pages->Pages(1), second);
  EXPECT_EQ(pages->TabText(1), L"Page 3");
  // A click on a tab beside its box still selects it.
  Redraw(pages->Handle());
  Pump(30);
  const RECT tab = pages->TabRect(1);
  Click(ScreenPoint(pages->Handle(), tab.left + 6, (tab.top + tab.bottom) / 2 + 2));
  PumpUntil([&] { return pages->ActivePageIndex() == 1; }, 2000);
  EXPECT_EQ(pages->ActivePageIndex(), 1);
  EXPECT_EQ(asked, 2);
  watch.Remove();
  form.Close();
  Pump(50);
}

TEST_F(SkinTabsTest, TheTabScrollerIsSkinnedAndTheStripLeavesItAlone) {
  TPageControl* pages = nullptr;
  TForm& form = ShowSkinned(3, [&](TForm& f) { pages = &AddPages(f, f, {20, 20, 300, 200}, 12); });
  HWND scroller = FindWindowExW(pages->Handle(), nullptr, UPDOWN_CLASSW, nullptr);
  ASSERT_TRUE(scroller) << "twelve tabs do not fit in one row";
  ASSERT_TRUE(IsWindowVisible(scroller));
  Redraw(pages->Handle());
  Pump(50);
  auto* object = dynamic_cast<TSkinTab*>(ObjectOf(form, *pages));
  ASSERT_TRUE(object);
  ASSERT_TRUE(object->Scroller()) << "the scroller has its skinning object";
  EXPECT_EQ(SendMessageW(scroller, SKM_ISSKINNED, 0, 0), 1);
  SaveShot(form.Handle(), "tabs-scroller");

  // Even where the control would paint over its children, the strip
  // leaves the scroller as the scroller drew itself.
  const LONG_PTR style = GetWindowLongPtrW(pages->Handle(), GWL_STYLE);
  SetWindowLongPtrW(pages->Handle(), GWL_STYLE, style & ~WS_CLIPCHILDREN);
  const TBitmap before = Capture(WindowRect(scroller));
  RedrawWindow(pages->Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_NOCHILDREN);
  Pump(30);
  const TBitmap after = Capture(WindowRect(scroller));
  EXPECT_GE(MatchingShare(before, after, 0), 0.999);
  SetWindowLongPtrW(pages->Handle(), GWL_STYLE, style);

  // The scroller still scrolls the tabs.
  const RECT first = pages->TabRect(0);
  RECT arrows{};
  GetWindowRect(scroller, &arrows);
  Click({arrows.right - 4, (arrows.top + arrows.bottom) / 2});
  PumpUntil([&] { return pages->TabRect(0).left != first.left; }, 2000);
  EXPECT_LT(pages->TabRect(0).left, first.left);
  form.Close();
  Pump(50);
}

TEST_F(SkinTabsTest, TheTabSetDrawsWholeTabsOnlyUnderEverySkin) {
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TTabSet* set = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      set = &OwnedComponent<TTabSet>(f);
      set->SetBounds(20, 40, 300, 22);
      set->SetParent(&f);
      for (int i = 0; i < 12; ++i) set->AddTab(L"Sheet " + std::to_wstring(i + 1));
    });
    TSkinData& data = DataOf(form);
    auto* object = dynamic_cast<TSkinTab31*>(ObjectOf(form, *set));
    ASSERT_TRUE(object);
    EXPECT_TRUE(object->Scroller()) << "the scroller is skinned as a side-by-side pair";
    Park();
    Redraw(set->Handle());
    Pump(50);
    SaveShot(WindowRect(set->Handle()), std::string("tabs-tabset-") + kSkinFiles[skin]);
    const auto shown = set->VisibleTabs();
    ASSERT_FALSE(shown.empty());
    const TBitmap shot = Capture(ClientScreenRect(set->Handle()));
    // Every tab shown whole, in its upside-down cell.
    const TDataSkinObject& tabs = *data.Object(ssTabs);
    TBitmap flipped = tabs.Bitmap;
    FlipBitmap(flipped);
    const TSkinMargins m{tabs.LeftWidth, tabs.BottomHeight, tabs.RightWidth, tabs.TopHeight};
    for (const auto& tab : shown) {
      const RECT& r = tab.rect;
      const TBitmap cell =
          RenderSkinPart(r.right - r.left, r.bottom - r.top, flipped, m, false, tabs.Tile == 1,
                         TabFrames(tabs), tab.index == set->TabIndex() ? 2 : 1);
      EXPECT_GE(
          ShownShare(shot, r.left, 0, cell, {0, cell.Height() - 4, cell.Width(), cell.Height()}),
          0.9)
          << "tab " << tab.index;
    }
    // After the last whole tab, up to the scroller, only the face colour:
    // no part of the next tab.
    RECT arrows{};
    GetWindowRect(set->Scroller().Handle(), &arrows);
    MapWindowPoints(nullptr, set->Handle(), reinterpret_cast<POINT*>(&arrows), 2);
    const TColor face = ColorToRGB(data.Colours().ButtonFace);
    int other = 0;
    for (int y = 0; y < shot.Height(); ++y) {
      for (int x = shown.back().rect.right; x < arrows.left; ++x) {
        const TColor c = shot.Pixel(x, y);
        if (std::abs(RedOf(c) - RedOf(face)) > 6 || std::abs(GreenOf(c) - GreenOf(face)) > 6 ||
            std::abs(BlueOf(c) - BlueOf(face)) > 6) {
          ++other;
        }
      }
    }
    EXPECT_EQ(other, 0);
    form.Close();
    Pump(50);
  }
}

TEST_F(SkinTabsTest, WithoutATabsImageThePageFrameIsStillDrawn) {
  TTabControl* tabs = nullptr;
  TForm& form = ShowSkinned(4, [&](TForm& f) {
    tabs = &OwnedComponent<TTabControl>(f);
    tabs->SetBounds(20, 20, 300, 200);
    tabs->SetParent(&f);
    tabs->SetTabs({L"First", L"Second"});
  });
  TSkinData& data = DataOf(form);
  auto* object = dynamic_cast<TSkinTab*>(ObjectOf(form, *tabs));
  ASSERT_TRUE(object);
  EXPECT_EQ(object->Mode(), 2) << "a tab control that is not a page control";
  data.Object(ssTabs)->Bitmap.Clear();
  object->SkinChanged();
  Park();
  Redraw(tabs->Handle());
  Pump(50);
  SaveShot(form.Handle(), "tabs-pane-only");
  ASSERT_TRUE(object->TabImage().Empty());
  ASSERT_FALSE(object->PaneImage().Empty());
  // The frame: the pane image over the display area, grown by 4 and moved
  // a pixel toward the tabs.
  RECT d = tabs->DisplayRect();
  InflateRect(&d, 4, 4);
  d.top += 1;
  const TBitmap pane = RenderSkinPart(d.right - d.left, d.bottom - d.top, object->PaneImage(),
                                      object->PaneMargins(), false, false, 1, 1);
  const TBitmap shot = Capture(ClientScreenRect(tabs->Handle()));
  EXPECT_GE(ShownShare(shot, d.left, d.top, pane, {0, 0, pane.Width(), pane.Height()}), 0.95);
  // The tabs are the control's own: still there to click.
  Click(TabPoint(*tabs, 1));
  PumpUntil([&] { return tabs->TabIndex() == 1; }, 2000);
  EXPECT_EQ(tabs->TabIndex(), 1);
  form.Close();
  Pump(50);
}

TEST_F(SkinTabsTest, SkinningIsGivenBackAndTakenAgain) {
  TPageControl* pages = nullptr;
  TTabSet* set = nullptr;
  TForm& form = ShowSkinned(2, [&](TForm& f) {
    pages = &AddPages(f, f, {20, 20, 300, 200}, 12);
    set = &OwnedComponent<TTabSet>(f);
    set->SetBounds(20, 260, 300, 22);
    set->SetParent(&f);
    for (int i = 0; i < 12; ++i) set->AddTab(L"Sheet " + std::to_wstring(i + 1));
  });
  TSkinData& data = DataOf(form);
  HWND scroller = FindWindowExW(pages->Handle(), nullptr, UPDOWN_CLASSW, nullptr);
  ASSERT_TRUE(scroller);
  const HWND windows[] = {pages->Handle(), pages->Pages(0)->Handle(), scroller, set->Handle(),
                          set->Scroller().Handle()};
  for (HWND w : windows) EXPECT_EQ(SendMessageW(w, SKM_ISSKINNED, 0, 0), 1);
  Park();
  Redraw(pages->Handle());
  Pump(30);
  const double skinned = TabShare(data, *pages, 0, 2);
  EXPECT_GE(skinned, 0.9);

  // The page control and its pages wear the skin's face colour meanwhile.
  EXPECT_EQ(pages->Pages(0)->Color(), data.Colours().ButtonFace);
  EXPECT_EQ(pages->Color(), data.Colours().ButtonFace);

  SwitchSkin(form, data, false);
  for (HWND w : windows) EXPECT_EQ(SendMessageW(w, SKM_ISSKINNED, 0, 0), 0);
  EXPECT_EQ(pages->Pages(0)->Color(), clDefault) << "the page's colour is given back";
  EXPECT_EQ(pages->Color(), clDefault);
  EXPECT_EQ(EngineOf(form.Handle()), nullptr);
  Redraw(form.Handle());
  Pump(50);
  SaveShot(form.Handle(), "tabs-unskinned");
  EXPECT_LT(TabShare(data, *pages, 0, 2), 0.5) << "the system draws the tabs again";

  SwitchSkin(form, data, true);
  for (HWND w : windows) EXPECT_EQ(SendMessageW(w, SKM_ISSKINNED, 0, 0), 1);
  Redraw(form.Handle());
  Pump(50);
  EXPECT_GE(TabShare(data, *pages, 0, 2), 0.9);
  // The page control still works under the skin taken again.
  Click(TabPoint(*pages, 1));
  PumpUntil([&] { return pages->ActivePageIndex() == 1; }, 2000);
  EXPECT_EQ(pages->ActivePageIndex(), 1);
  form.Close();
  Pump(50);
}

}  // namespace

namespace {

// A page control of a foreign kind that draws its tabs from two pictures
// it publishes, with a spin-button child of its own.
class TForeignPages : public TWinControl {
 public:
  using TWinControl::TWinControl;
  TGraphic TabBackGround;
  TGraphic TabBackGroundActive;
  void DescribeProperties(TPropertyTable& table) override {
    TWinControl::DescribeProperties(table);
    table.Object("TabBackGround", [this]() -> TPersistent* { return &TabBackGround; });
    table.Object("TabBackGroundActive", [this]() -> TPersistent* { return &TabBackGroundActive; });
  }
};

TEST_F(SkinTabsTest, AForeignPageControlGetsItsTabPicturesFromTheSkinAndLosesThemAfter) {
  TForm& form = MakeForm(MainLikeStyle());
  auto& pages = Add<TForeignPages>(form, form, 20, 20, 300, 200);
  auto& spin = Add<TUpDown>(form, pages, 250, 4, 30, 20);
  spin.SetHorizontal(true);
  TSkinData& data = MakeData(form, 1);
  TStringList lines = data.Skin3rd();
  lines.Insert(0, "TForeignPages=advpagecontrol");
  data.SetSkin3rd(lines);
  data.SetActive(true);
  form.Show();
  SetForegroundWindow(form.Handle());
  ASSERT_TRUE(WaitSkinned(form.Handle()));
  Redraw(pages.Handle());
  Pump(50);
  auto* object = dynamic_cast<TSkinAdvPage*>(ObjectOf(form, pages));
  ASSERT_TRUE(object);
  EXPECT_EQ(object->Kind(), 4);
  const TDataSkinObject& tabs = *data.Object(ssTabs);
  const TSkinMargins m{tabs.LeftWidth, tabs.TopHeight, tabs.RightWidth, tabs.BottomHeight};
  ASSERT_EQ(pages.TabBackGround.Width(), kAdvTabWidth);
  ASSERT_EQ(pages.TabBackGround.Height(), kAdvTabHeight);
  EXPECT_TRUE(pages.TabBackGround.Bitmap.SamePixels(RenderSkinPart(
      kAdvTabWidth, kAdvTabHeight, tabs.Bitmap, m, false, tabs.Trans == 1, TabFrames(tabs), 1)));
  EXPECT_TRUE(pages.TabBackGroundActive.Bitmap.SamePixels(RenderSkinPart(
      kAdvTabWidth, kAdvTabHeight, tabs.Bitmap, m, false, tabs.Trans == 1, TabFrames(tabs), 2)));
  EXPECT_EQ(SendMessageW(spin.Handle(), SKM_ISSKINNED, 0, 0), 1) << "its spin buttons";

  SwitchSkin(form, data, false);
  EXPECT_TRUE(pages.TabBackGround.Empty());
  EXPECT_TRUE(pages.TabBackGroundActive.Empty());
  form.Close();
  Pump(50);
}

}  // namespace

namespace {

// The best contrast between the pixels of `r` (client coordinates of
// `window`) and the colour at its top left corner.
double LabelContrast(HWND window, const RECT& r) {
  const TBitmap shot = Capture(ClientScreenRect(window));
  const TColor under = shot.Pixel(r.left, r.top);
  double best = 1.0;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      best = std::max(best, screen_colours::ContrastRatio(shot.Pixel(x, y), under));
    }
  }
  return best;
}

TEST_F(SkinTabsTest, LabelsOnPagesAndTabControlsReadUnderTheDarkSkins) {
  for (int skin : {1, 3}) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TPageControl* pages = nullptr;
    TTabControl* tabs = nullptr;
    TLabel* on_page = nullptr;
    TLabel* on_tabs = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      pages = &AddPages(f, f, {20, 20, 300, 200}, 2);
      on_page = &Add<TLabel>(f, *pages->Pages(0), 10, 50, 160, 16, L"A label on a page");
      tabs = &OwnedComponent<TTabControl>(f);
      tabs->SetBounds(20, 220, 300, 150);
      tabs->SetParent(&f);
      tabs->SetTabs({L"One", L"Two"});
      on_tabs = &Add<TLabel>(f, *tabs, 10, 40, 160, 16, L"A label on the tabs");
    });
    Park();
    Redraw(form.Handle());
    Pump(50);
    const double need = skin == 3 ? 7.0 : 4.5;
    RECT r{};
    GetWindowRect(on_page->Handle(), &r);
    MapWindowPoints(nullptr, on_page->Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_GE(LabelContrast(on_page->Handle(), r), need) << "on a page";
    GetWindowRect(on_tabs->Handle(), &r);
    MapWindowPoints(nullptr, on_tabs->Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_GE(LabelContrast(on_tabs->Handle(), r), need) << "on a tab control";
    SaveShot(form.Handle(), std::string("tabs-labels-") + kSkinFiles[skin]);
    form.Close();
    Pump(50);
  }
}

}  // namespace
