// Skinned tabs at the screen's DPI, as a person sees them: tab cells and the
// page frame read back from the screen match the skin's cells scaled to the
// DPI (turned for tabs at the bottom, left and right as the engine turns
// them), the frame's scaled edges show whole with the pages inside them,
// close boxes are drawn at that scale and a click anywhere on one closes
// its page, captions are shown whole, a click on a tab selects it, and the
// tab under the mouse lights up and goes back when the mouse leaves. The
// suite runs once per DPI (the prefix's LogPixels); TONMILL_TEST_DPI names
// the DPI a run expects.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "framework/GdiObjects.h"
#include "framework/PageControl.h"
#include "framework/TabControl.h"
#include "framework/TabSet.h"
#include "skin/controls/SkinTab.h"
#include "skin/controls/SkinTabSet.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "skin/packages/ImgUtil.h"
#include "tests/wine/skin_tabs/TabsTestSupport.h"
#include "tests/wine/support/DpiRunSupport.h"
#include "tests/wine/support/InputScript.h"

namespace {

using dpi_run::Near;
using dpi_run::TextWidth;

constexpr int kNightfall = 1, kDaylight = 2, kContrast = 3;
constexpr TTabPosition kSides[] = {tpTop, tpBottom, tpLeft, tpRight};
const char* const kSideNames[] = {"top", "bottom", "left", "right"};
// Pixels (at 96 DPI) a caption's ink keeps clear of its tab's outline at
// the least.
constexpr int kCaptionClearance = 1;

// A tab set of another kind that publishes the style of its tabs.
class TStyledTabSet : public TTabSet {
 public:
  TStyledTabSet(TComponent* owner, int style) : TTabSet(owner), style_(style) {}
  void DescribeProperties(TPropertyTable& table) override {
    TTabSet::DescribeProperties(table);
    table.Enum("Style", {"tsTabs", "tsButtons", "tsFlatButtons"}, [this] { return style_; });
  }

 private:
  int style_;
};

// A tab set of another kind that says nothing of its style.
class TPlainTabSet : public TTabSet {
 public:
  using TTabSet::TTabSet;
};

class TabsDpiTest : public AtScreenDpi<TabsTest> {
 protected:
  std::string Name(const std::string& what, int skin) const {
    return what + "-" + kSkinFiles[skin] + "-" + DpiName();
  }
  static int Frames(const TDataSkinObject& o) { return o.Frame > 0 ? o.Frame : 5; }
  static TSkinMargins Margins(const TDataSkinObject& o) {
    return {o.LeftWidth, o.TopHeight, o.RightWidth, o.BottomHeight};
  }
  static void Redraw(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  static bool Upright(const TCustomTabControl& control) {
    return control.TabPosition() == tpTop || control.TabPosition() == tpBottom;
  }
  // Tab `index` as the screen should show it in `cell`: the skin's tab
  // cell scaled to the DPI, drawn for tabs standing on the top and turned
  // for the control's side (flipped for the bottom, a quarter turn
  // counter-clockwise for the left, clockwise for the right); its top left
  // corner in client coordinates goes to `at`.
  TBitmap ExpectedTab(const TSkinData& data, const TCustomTabControl& control, int index, int cell,
                      POINT& at) const {
    const TDataSkinObject& tabs = *data.Object(ssTabs);
    const RECT r = control.TabRect(index);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const TSkinMargins m = Margins(tabs);
    const auto render = [&](const TBitmap& image, const TSkinMargins& margins, int x, int y) {
      return RenderSkinPart(x, y, image, margins, false, tabs.Tile == 1, Frames(tabs), cell, dpi_);
    };
    switch (control.TabPosition()) {
      case tpBottom: {
        TBitmap flipped = tabs.Bitmap;
        FlipBitmap(flipped);
        at = {r.left, r.top - 1};
        return render(flipped, {m.left, m.bottom, m.right, m.top}, w, h);
      }
      case tpLeft: {
        at = {r.left, r.top};
        TBitmap turned = render(tabs.Bitmap, m, h, w);
        RotateBitmapLeft(turned);
        return turned;
      }
      case tpRight: {
        at = {r.left, r.top};
        TBitmap turned = render(tabs.Bitmap, m, h, w);
        RotateBitmapRight(turned);
        return turned;
      }
      default:
        at = {r.left, r.top + 1};
        return render(tabs.Bitmap, m, w, h);
    }
  }
  // How well the screen shows tab `index` in `cell` before and after its
  // caption (which is centred along the tab), leaving out the tab's foot
  // where the page frame lies over it.
  double TabEdgeShare(const TSkinData& data, const TCustomTabControl& control, int index,
                      int cell) const {
    POINT at{};
    const TBitmap expected = ExpectedTab(data, control, index, cell, at);
    const TBitmap shot = Capture(ClientScreenRect(control.Handle()));
    const int text = TextWidth(control.Handle(), control.TabText(index));
    const int w = expected.Width(), h = expected.Height(), foot = SkinScale(3, dpi_);
    const int length = Upright(control) ? w : h;
    const int from = (length - text) / 2 - 2, to = (length + text) / 2 + 3;
    RECT before{}, after{};
    switch (control.TabPosition()) {
      case tpTop:
        before = {0, 0, from, h - foot}, after = {to, 0, w, h - foot};
        break;
      case tpBottom:
        before = {0, foot, from, h}, after = {to, foot, w, h};
        break;
      case tpLeft:
        before = {0, 0, w - foot, from}, after = {0, to, w - foot, h};
        break;
      case tpRight:
        before = {foot, 0, w, from}, after = {foot, to, w, h};
        break;
    }
    return std::min(ShownShare(shot, at.x, at.y, expected, before),
                    ShownShare(shot, at.x, at.y, expected, after));
  }
  // The cell (1 to the strip's count) the screen shows tab `index` in: the
  // one whose scaled pixels match best over the whole tab.
  int ShownTabCell(const TSkinData& data, const TCustomTabControl& control, int index) const {
    const TDataSkinObject& tabs = *data.Object(ssTabs);
    const TBitmap shot = Capture(ClientScreenRect(control.Handle()));
    double best = 0;
    int found = 0;
    for (int cell = 1; cell <= Frames(tabs); ++cell) {
      POINT at{};
      const TBitmap expected = ExpectedTab(data, control, index, cell, at);
      const double share = ShownShare(shot, at.x, at.y, expected, {0, 0, 9999, 9999}, 6);
      if (share > best + 0.001) best = share, found = cell;
    }
    return best > 0.6 ? found : 0;
  }
  static bool ShowsSelected(int cell) { return cell == 2 || cell == 5; }
  // The mouse moved to `p` (screen), once it rests there. The screen may
  // put the mouse a pixel short of a point given in absolute input
  // coordinates, so a pixel off counts as there (waiting for the exact
  // point would only run out its time).
  void RestOn(POINT p) {
    const auto there = [&] {
      POINT now{};
      GetCursorPos(&now);
      return std::abs(now.x - p.x) <= 1 && std::abs(now.y - p.y) <= 1;
    };
    for (int attempt = 0; attempt < 10; ++attempt) {
      input::MoveTo(p.x, p.y);
      if (!PumpUntil(there, 200)) continue;
      // A jump may hand back the earlier position once more.
      Pump(40);
      if (there()) return;
    }
  }
  // A click on the middle of tab `index`.
  void ClickTab(const TCustomTabControl& control, int index) {
    const POINT p = TabPoint(control, index);
    RestOn(p);
    input::Click(p.x, p.y);
  }
  // The stretch of `area` (client coordinates of `window`) where the
  // screen shows something over `expected` placed at `at`, first and last,
  // -1 when none: columns, or rows when `down`.
  static std::pair<int, int> DrawnSpan(HWND window, const TBitmap& expected, POINT at,
                                       const RECT& area, bool down = false) {
    const TBitmap shot = Capture(ClientScreenRect(window));
    const auto differs = [&](int x, int y) {
      const int ex = x - at.x, ey = y - at.y;
      if (x < 0 || y < 0 || x >= shot.Width() || y >= shot.Height()) return false;
      if (ex < 0 || ey < 0 || ex >= expected.Width() || ey >= expected.Height()) return false;
      return expected.Pixel(ex, ey) != clFuchsia &&
             !Near(shot.Pixel(x, y), expected.Pixel(ex, ey), 40);
    };
    const int from = down ? area.top : area.left, to = down ? area.bottom : area.right;
    const int across_from = down ? area.left : area.top,
              across_to = down ? area.right : area.bottom;
    int first = -1, last = -1;
    for (int i = std::max(from, 0); i < to; ++i) {
      for (int j = std::max(across_from, 0); j < across_to; ++j) {
        if (down ? differs(j, i) : differs(i, j)) {
          if (first < 0) first = i;
          last = i;
          break;
        }
      }
    }
    return {first, last};
  }
  // Where the page frame lies (client coordinates): the display area the
  // control answers grown by the system's reach of 4 pixels scaled to the
  // DPI, one pixel off the tabs.
  RECT FrameRect(const TCustomTabControl& control) const {
    RECT d{};
    GetClientRect(control.Handle(), &d);
    SendMessageW(control.Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&d));
    const int reach = SkinScale(4, dpi_);
    InflateRect(&d, reach, reach);
    switch (control.TabPosition()) {
      case tpTop:
        d.top += 1;
        break;
      case tpBottom:
        d.bottom -= 1;
        break;
      case tpLeft:
        d.left += 1;
        break;
      case tpRight:
        d.right -= 1;
        break;
    }
    return d;
  }
  // How many pixels lie clear between the caption of tab `index`, shown in
  // `cell`, and the tab's outline, at the least: the caption is what the
  // screen shows over the cell (the foot on the page's side left out,
  // where the page frame lies), the outline every pixel of the cell in the
  // colour of its outer edge. -1 when no caption shows.
  int CaptionClearance(const TSkinData& data, const TCustomTabControl& control, int index,
                       int cell) const {
    POINT at{};
    const TBitmap expected = ExpectedTab(data, control, index, cell, at);
    const TBitmap shot = Capture(ClientScreenRect(control.Handle()));
    const int w = expected.Width(), h = expected.Height(), foot = SkinScale(3, dpi_);
    const bool upright = Upright(control);
    // The outer edge, halfway along the tab: the first pixel the cell draws
    // coming in from the side away from the page.
    TColor edge = clFuchsia;
    const int along = (upright ? w : h) / 2;
    for (int i = 0; i < (upright ? h : w) && edge == clFuchsia; ++i) {
      switch (control.TabPosition()) {
        case tpTop:
          edge = expected.Pixel(along, i);
          break;
        case tpBottom:
          edge = expected.Pixel(along, h - 1 - i);
          break;
        case tpLeft:
          edge = expected.Pixel(i, along);
          break;
        case tpRight:
          edge = expected.Pixel(w - 1 - i, along);
          break;
      }
    }
    std::vector<POINT> outline, ink;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const TColor want = expected.Pixel(x, y);
        if (want == clFuchsia) continue;
        if (Near(want, edge, 40)) outline.push_back({x, y});
        const bool in_foot = control.TabPosition() == tpTop      ? y >= h - foot
                             : control.TabPosition() == tpBottom ? y < foot
                             : control.TabPosition() == tpLeft   ? x >= w - foot
                                                                 : x < foot;
        const int sx = at.x + x, sy = at.y + y;
        if (in_foot || sx < 0 || sy < 0 || sx >= shot.Width() || sy >= shot.Height()) continue;
        if (!Near(shot.Pixel(sx, sy), want, 60)) ink.push_back({x, y});
      }
    }
    if (ink.empty()) return -1;
    int clear = 1 << 20;
    for (const POINT& a : ink) {
      for (const POINT& b : outline) {
        const LONG apart = std::max(std::abs(a.x - b.x), std::abs(a.y - b.y));
        clear = std::min(clear, static_cast<int>(apart) - 1);
      }
    }
    return clear;
  }
};

TEST_F(TabsDpiTest, TabCellsAndThePageFrameAreTheSkinsCellsScaled) {
  for (int skin : {1, 2, 3}) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TTabControl* tabs = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      tabs = &Add<TTabControl>(f, f, 20, 20, 420, 200);
      tabs->AddTab(L"Source files");
      tabs->AddTab(L"Output");
      tabs->AddTab(L"Encoder");
    });
    ASSERT_EQ(EngineOf(form.Handle())->Dpi(), dpi_);
    auto* object = dynamic_cast<TSkinTab*>(ObjectOf(form, *tabs));
    ASSERT_TRUE(object);
    const TSkinData& data = DataOf(form);
    Park();
    Redraw(tabs->Handle());
    Pump(50);
    // The selected tab: cell 2, or 5 while the control has the focus.
    EXPECT_GE(std::max(TabEdgeShare(data, *tabs, 0, 2), TabEdgeShare(data, *tabs, 0, 5)), 0.9)
        << "the selected tab";
    EXPECT_GE(TabEdgeShare(data, *tabs, 1, 1), 0.9) << "a tab at rest";
    EXPECT_GE(TabEdgeShare(data, *tabs, 2, 1), 0.9) << "the last tab";

    // The page frame: the skin's frame image scaled into the display area
    // grown by the frame's reach, its edges as deep as its scaled margins.
    ASSERT_FALSE(object->PaneImage().Empty());
    const RECT d = FrameRect(*tabs);
    const TSkinMargins m = object->PaneMargins();
    const TBitmap pane = RenderSkinPart(d.right - d.left, d.bottom - d.top, object->PaneImage(), m,
                                        false, false, 1, 1, dpi_);
    const TBitmap shot = Capture(ClientScreenRect(tabs->Handle()));
    const int across = SkinScale(std::max(m.left, 2), dpi_);
    const int down = SkinScale(std::max(m.bottom, 2), dpi_);
    EXPECT_GE(ShownShare(shot, d.left, d.top, pane, {0, 0, across, pane.Height()}), 0.9) << "left";
    EXPECT_GE(ShownShare(shot, d.left, d.top, pane,
                         {0, pane.Height() - down, pane.Width(), pane.Height()}),
              0.9)
        << "bottom";
    SaveShot(form.Handle(), Name("tabs", skin));
    form.SetVisible(false);
  }
}

TEST_F(TabsDpiTest, PageFramesShowTheirScaledEdgesWholeWithThePagesInside) {
  for (int skin : {kNightfall, kDaylight, kContrast}) {
    for (const TTabPosition side : kSides) {
      SCOPED_TRACE(std::string(kSkinFiles[skin]) + ", tabs at the " + kSideNames[side]);
      TPageControl* pages = nullptr;
      TForm& form = ShowSkinned(skin, [&](TForm& f) {
        pages = &AddPages(f, f, {20, 20, 340, 220}, 3, side);
      });
      auto* object = dynamic_cast<TSkinTab*>(ObjectOf(form, *pages));
      ASSERT_TRUE(object);
      ASSERT_FALSE(object->PaneImage().Empty());
      Park();
      Redraw(pages->Handle());
      Pump(50);
      // The frame's outer edge stays where the system puts its own frame,
      // at the client's edge away from the tabs.
      const RECT d = FrameRect(*pages);
      RECT client{};
      GetClientRect(pages->Handle(), &client);
      if (side != tpLeft) {
        EXPECT_EQ(d.left, client.left);
      }
      if (side != tpTop) {
        EXPECT_EQ(d.top, client.top);
      }
      if (side != tpRight) {
        EXPECT_EQ(d.right, client.right);
      }
      if (side != tpBottom) {
        EXPECT_EQ(d.bottom, client.bottom);
      }

      // Its edges away from the tabs show the frame image's margins scaled
      // to the DPI, all of their depth.
      const TSkinMargins m = object->PaneMargins();
      const TBitmap pane = RenderSkinPart(d.right - d.left, d.bottom - d.top, object->PaneImage(),
                                          m, false, false, 1, 1, dpi_);
      const int w = pane.Width(), h = pane.Height();
      const int left = SkinScale(m.left, dpi_), top = SkinScale(m.top, dpi_);
      const int right = SkinScale(m.right, dpi_), bottom = SkinScale(m.bottom, dpi_);
      const TBitmap shot = Capture(ClientScreenRect(pages->Handle()));
      const auto band = [&](const RECT& r) { return ShownShare(shot, d.left, d.top, pane, r); };
      if (side != tpLeft) {
        EXPECT_GE(band({0, top, left, h - bottom}), 0.95) << "left edge";
      }
      if (side != tpTop) {
        EXPECT_GE(band({left, 0, w - right, top}), 0.95) << "top edge";
      }
      if (side != tpRight) {
        EXPECT_GE(band({w - right, top, w, h - bottom}), 0.95) << "right edge";
      }
      if (side != tpBottom) {
        EXPECT_GE(band({left, h - bottom, w - right, h}), 0.95) << "bottom edge";
      }

      // The page shown lies inside those edges, taking all the room
      // within them.
      RECT page{};
      GetWindowRect(pages->ActivePage()->Handle(), &page);
      MapWindowPoints(nullptr, pages->Handle(), reinterpret_cast<POINT*>(&page), 2);
      const int reach = SkinScale(4, dpi_), slack = dpi_ % 96 ? 1 : 0;
      if (side != tpLeft) {
        EXPECT_GE(page.left, d.left + left);
        EXPECT_LE(page.left, d.left + reach + slack);
      }
      if (side != tpTop) {
        EXPECT_GE(page.top, d.top + top);
        EXPECT_LE(page.top, d.top + reach + slack);
      }
      if (side != tpRight) {
        EXPECT_LE(page.right, d.right - right);
        EXPECT_GE(page.right, d.right - reach - slack);
      }
      if (side != tpBottom) {
        EXPECT_LE(page.bottom, d.bottom - bottom);
        EXPECT_GE(page.bottom, d.bottom - reach - slack);
      }
      SaveShot(form.Handle(), Name(std::string("pages-") + kSideNames[side], skin));
      if (skin == kNightfall) {
        // Switched off, the page fills the system's display area again
        // (away from the tabs, whose row the system may lay out anew).
        SwitchSkin(form, DataOf(form), false);
        RECT display{};
        GetClientRect(pages->Handle(), &display);
        SendMessageW(pages->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
        GetWindowRect(pages->ActivePage()->Handle(), &page);
        MapWindowPoints(nullptr, pages->Handle(), reinterpret_cast<POINT*>(&page), 2);
        if (side != tpLeft) {
          EXPECT_NEAR(page.left, display.left, slack);
        }
        if (side != tpTop) {
          EXPECT_NEAR(page.top, display.top, slack);
        }
        if (side != tpRight) {
          EXPECT_NEAR(page.right, display.right, slack);
        }
        if (side != tpBottom) {
          EXPECT_NEAR(page.bottom, display.bottom, slack);
        }
      }
      form.Close();
      Pump(30);
    }
  }
}

TEST_F(TabsDpiTest, TabsAtEverySideShowTheirTurnedCellsAndWholeCaptionsAndSelectOnAClick) {
  for (int skin : {kNightfall, kDaylight, kContrast}) {
    for (const TTabPosition side : kSides) {
      SCOPED_TRACE(std::string(kSkinFiles[skin]) + ", tabs at the " + kSideNames[side]);
      TPageControl* pages = nullptr;
      TForm& form = ShowSkinned(skin, [&](TForm& f) {
        pages = &AddPages(f, f, {20, 20, 360, 240}, 3, side);
        pages->Pages(1)->SetCaption(L"Converted files");
      });
      ASSERT_TRUE(dynamic_cast<TSkinTab*>(ObjectOf(form, *pages)));
      const TSkinData& data = DataOf(form);
      Park();
      Redraw(pages->Handle());
      Pump(50);
      // The selected tab in its own cell, the others at rest; each turned
      // as the tabs' side turns the strip.
      EXPECT_TRUE(PumpUntil([&] { return ShowsSelected(ShownTabCell(data, *pages, 0)); }, 3000))
          << "the selected tab shows cell " << ShownTabCell(data, *pages, 0);
      EXPECT_EQ(ShownTabCell(data, *pages, 1), 1);
      EXPECT_EQ(ShownTabCell(data, *pages, 2), 1);
      EXPECT_GE(std::max(TabEdgeShare(data, *pages, 0, 2), TabEdgeShare(data, *pages, 0, 5)), 0.9);
      EXPECT_GE(TabEdgeShare(data, *pages, 1, 1), 0.9);
      EXPECT_GE(TabEdgeShare(data, *pages, 2, 1), 0.9);

      // Captions are whole: the screen departs from the tab's cell along
      // as much of the tab as the caption is wide, and within the tab.
      for (int i : {1, 2}) {
        const RECT r = pages->TabRect(i);
        POINT at{};
        const TBitmap cell = ExpectedTab(data, *pages, i, 1, at);
        const auto [first, last] =
            DrawnSpan(pages->Handle(), cell, at, r, /*down=*/!Upright(*pages));
        ASSERT_GE(first, 0) << "no caption on tab " << i;
        EXPECT_GE(last - first + 1, TextWidth(pages->Handle(), pages->TabText(i)) - 2 - dpi_ / 96)
            << "the caption of tab " << i << " is cut";
        EXPECT_GT(first, Upright(*pages) ? r.left : r.top);
        EXPECT_LT(last, Upright(*pages) ? r.right - 1 : r.bottom - 1);
      }
      SaveShot(form.Handle(), Name(std::string("tabs-") + kSideNames[side], skin));

      // A click on each tab selects it, and the screen shows it selected.
      for (int i : {2, 1, 0}) {
        ClickTab(*pages, i);
        EXPECT_TRUE(PumpUntil([&] { return pages->ActivePageIndex() == i; }, 3000))
            << "a click on tab " << i;
        EXPECT_TRUE(PumpUntil([&] { return ShowsSelected(ShownTabCell(data, *pages, i)); }, 3000))
            << "tab " << i << " shows cell " << ShownTabCell(data, *pages, i);
        EXPECT_TRUE(pages->Pages(i)->Visible());
      }
      Park();
      EXPECT_TRUE(PumpUntil([&] { return ShownTabCell(data, *pages, 2) == 1; }, 3000));
      form.Close();
      Pump(30);
    }
  }
}

// Captions keep clear of their tab's outline at every DPI: turned along
// side tabs, and standing in tabs at the top and bottom, each caption's
// ink stays the scaled clearance away from the outline on every side,
// under the skin with the heaviest lines and a dark one.
TEST_F(TabsDpiTest, CaptionsKeepClearOfTheTabsOutlineOnEverySide) {
  for (int skin : {kContrast, kNightfall}) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TPageControl* sides[4] = {};
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      sides[0] = &AddPages(f, f, {20, 20, 250, 200}, 3, tpLeft);
      sides[1] = &AddPages(f, f, {270, 20, 500, 200}, 3, tpRight);
      sides[2] = &AddPages(f, f, {20, 220, 250, 330}, 3, tpTop);
      sides[3] = &AddPages(f, f, {270, 220, 500, 330}, 3, tpBottom);
      for (TPageControl* pages : sides) pages->Pages(1)->SetCaption(L"Converted files");
    });
    const TSkinData& data = DataOf(form);
    Park();
    // The focus off the tabs, so no focus frame stands round a caption.
    SetFocus(form.Handle());
    Redraw(form.Handle());
    Pump(50);
    for (TPageControl* pages : sides) {
      SCOPED_TRACE(std::string("tabs at the ") + kSideNames[pages->TabPosition()]);
      for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const int cell = ShownTabCell(data, *pages, i);
        ASSERT_GT(cell, 0);
        const int clear = CaptionClearance(data, *pages, i, cell);
        EXPECT_GE(clear, SkinScale(kCaptionClearance, dpi_)) << "the caption touches the outline";
      }
    }
    SaveShot(form.Handle(), Name("tabs-clearance", skin));
    form.Close();
    Pump(30);
  }
}

// A program that gives a skinned page control a larger font gets tabs as
// thick as a page control made with that font before the skin came: the
// tabs are padded again for the new caption, at every side.
TEST_F(TabsDpiTest, ALargerFontAfterSkinningGivesTabsAsThickAsMadeWithIt) {
  LOGFONTW face{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof face, &face);
  face.lfHeight = -ScaleForDpi(24, dpi_);
  const TOwnedFont large(CreateFontIndirectW(&face));
  ASSERT_TRUE(large.Get());
  const auto thickness = [](const TPageControl& pages) {
    const RECT r = pages.TabRect(0);
    return pages.TabPosition() == tpTop || pages.TabPosition() == tpBottom ? r.bottom - r.top
                                                                           : r.right - r.left;
  };
  for (const TTabPosition side : {tpTop, tpLeft}) {
    SCOPED_TRACE(kSideNames[side]);
    TPageControl *changed = nullptr, *made = nullptr;
    TForm& form = ShowSkinned(kDaylight, [&](TForm& f) {
      changed = &AddPages(f, f, {20, 20, 300, 220}, 3, side);
      made = &AddPages(f, f, {320, 20, 600, 220}, 3, side);
      SendMessageW(made->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(large.Get()), TRUE);
      // Placed at its size afresh, as a control made with the font is.
      made->SetBounds(320, 20, 280, 201);
      made->SetBounds(320, 20, 280, 200);
    });
    ASSERT_NE(dynamic_cast<TSkinTab*>(ObjectOf(form, *changed)), nullptr);
    ASSERT_NE(dynamic_cast<TSkinTab*>(ObjectOf(form, *made)), nullptr);
    const int before = thickness(*changed);
    ASSERT_GT(thickness(*made), before) << "the larger font makes thicker tabs";

    SendMessageW(changed->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(large.Get()), TRUE);
    Pump(30);
    EXPECT_EQ(thickness(*changed), thickness(*made));
    // The pages sit below the thicker tabs, as they do in the other.
    RECT page_changed{}, page_made{};
    GetWindowRect(changed->Pages(0)->Handle(), &page_changed);
    GetWindowRect(made->Pages(0)->Handle(), &page_made);
    EXPECT_EQ(page_changed.top - WindowRect(changed->Handle()).top,
              page_made.top - WindowRect(made->Handle()).top);
    EXPECT_EQ(page_changed.left - WindowRect(changed->Handle()).left,
              page_made.left - WindowRect(made->Handle()).left);
    Redraw(form.Handle());
    Pump(30);
    SaveShot(form.Handle(), Name(std::string("tabs-font-") + kSideNames[side], kDaylight));
    // The test's font goes before the windows that borrow it.
    for (TPageControl* pages : {changed, made}) {
      SendMessageW(pages->Handle(), WM_SETFONT, 0, FALSE);
    }
    form.Close();
    Pump(30);
  }
}

TEST_F(TabsDpiTest, CloseBoxesAreDrawnAtTheDpiAndTheirWholeBoxCloses) {
  TPageControl* pages = nullptr;
  TForm& form = ShowSkinned(1, [&](TForm& f) {
    pages = &AddPages(f, f, {20, 20, 460, 220}, 3);
    pages->SetTag(kCloseBoxTag);
  });
  auto* object = dynamic_cast<TSkinTab*>(ObjectOf(form, *pages));
  ASSERT_TRUE(object);
  ASSERT_TRUE(object->CloseBoxes());
  Park();
  Redraw(pages->Handle());
  Pump(50);
  ASSERT_EQ(object->CloseRects().size(), 3u);
  SaveShot(form.Handle(), Name("tabs-close", 1));
  const int size = SkinScale(7, dpi_);
  for (int i = 1; i < 3; ++i) {
    SCOPED_TRACE(i);
    const RECT tab = pages->TabRect(i);
    // The box is its scaled size near the tab's top right corner, and the
    // drawn "x" fills the very rectangle a click closes.
    const RECT box = object->CloseRects()[static_cast<size_t>(i)];
    EXPECT_EQ(box.right - box.left, size);
    EXPECT_EQ(box.bottom - box.top, size);
    EXPECT_LE(box.right, tab.right);
    POINT at{};
    const TBitmap cell = ExpectedTab(DataOf(form), *pages, i, 1, at);
    const RECT corner{box.left - 1, tab.top, tab.right, box.bottom + 2};
    const auto [first, last] = DrawnSpan(pages->Handle(), cell, at, corner);
    EXPECT_EQ(first, box.left);
    EXPECT_EQ(last, box.right - 1);
    // The caption, left of the box, is whole.
    const std::wstring text = pages->TabText(i);
    const auto caption =
        DrawnSpan(pages->Handle(), cell, at, {tab.left, tab.top, box.left - 1, tab.bottom});
    EXPECT_GE(caption.second - caption.first + 1, TextWidth(pages->Handle(), text) - 2 - dpi_ / 96)
        << "the caption is cut";
  }
  // A click near the box's lower left corner (inside the box at this DPI)
  // closes the page.
  const RECT box = object->CloseRects()[1];
  Click(ScreenPoint(pages->Handle(), box.left + 1, box.bottom - 2));
  EXPECT_TRUE(PumpUntil([&] { return pages->PageCount() == 2; }, 3000));
  EXPECT_EQ(pages->TabText(1), L"Page 3");
  form.Close();
  Pump(50);
}

// The tab scroller's left button as the skin draws it at `dpi`: the
// sideways spin strip's cell at rest with its arrow, over the face colour.
TBitmap ExpectedScrollerButton(const TSkinData& data, int w, int h, int dpi) {
  const TDataSkinBorder& strip = *data.BorderObject(ssUpDownHorz);
  const int frames = strip.Frame > 0 ? strip.Frame : 8;
  TBitmap expected(w, h, ColorToRGB(data.Colours().ButtonFace));
  expected.Draw(0, 0, RenderSkinCell(strip, w, h, frames, 1, dpi), strip.Trans == 1, clFuchsia);
  const TBitmap& glyphs = strip.Bitmap2;
  const int gw = std::min(SkinScale(glyphs.Width() / frames, dpi), w);
  const int gh = std::min(SkinScale(glyphs.Height(), dpi), h);
  expected.Draw((w - gw) / 2, (h - gh) / 2, ScaleSkinCell(glyphs, frames, 1, gw, gh), true,
                clFuchsia);
  return expected;
}

// A move to a monitor of twice the DPI (sent by hand, before the system
// may show it in the scroller's own window) reaches the tab scroller: its
// buttons show the skin's cells at the new DPI, not at the old one.
TEST_F(TabsDpiTest, TheTabScrollerDrawsItsCellsAtTheDpiOfAChange) {
  TPageControl* pages = nullptr;
  TForm& form = ShowSkinned(2, [&](TForm& f) { pages = &AddPages(f, f, {20, 20, 300, 200}, 12); });
  const HWND window = form.Handle();
  const HWND scroller = FindWindowExW(pages->Handle(), nullptr, UPDOWN_CLASSW, nullptr);
  ASSERT_TRUE(scroller) << "twelve tabs do not fit in one row";
  const TSkinData& data = DataOf(form);
  ASSERT_NE(data.BorderObject(ssUpDownHorz), nullptr);
  Park();
  const auto shares = [&](int dpi) {
    RedrawWindow(scroller, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump(50);
    RECT left = WindowRect(scroller);
    left.right = left.left + (left.right - left.left) / 2;
    const int w = left.right - left.left, h = left.bottom - left.top;
    const TBitmap shot = Capture(left);
    return std::pair{MatchingShare(shot, ExpectedScrollerButton(data, w, h, dpi), 8),
                     MatchingShare(shot, ExpectedScrollerButton(data, w, h, dpi_), 8)};
  };
  EXPECT_GT(shares(dpi_).first, 0.9) << "the scroller's cells at the first DPI";
  const RECT before = WindowRect(window);
  const int twice = 2 * dpi_;
  ASSERT_TRUE(dpi_run::SendDpiChange(window, twice));
  Pump(200);
  ASSERT_EQ(form.Dpi(), twice);
  ASSERT_TRUE(IsWindowVisible(scroller));
  const auto [at_twice, at_first] = shares(twice);
  EXPECT_GT(at_twice, 0.9) << "the cells at twice the DPI";
  EXPECT_GT(at_twice, at_first + 0.05) << "drawn at the new DPI, not the old one";
  SaveShot(window, Name("tabs-scroller-twice", 2));
  SendMessageW(window, kWmDpiChanged, MAKEWPARAM(dpi_, dpi_), reinterpret_cast<LPARAM>(&before));
  Pump(200);
  EXPECT_GT(shares(dpi_).first, 0.9) << "back at the first DPI";
  form.Close();
  Pump(50);
}

TEST_F(TabsDpiTest, CaptionsOfTabsAndButtonTabsAreShownWhole) {
  TTabControl* tabs = nullptr;
  TTabControl* buttons = nullptr;
  const std::wstring long_text = L"Converted files (MP3)";
  TForm& form = ShowSkinned(2, [&](TForm& f) {
    tabs = &Add<TTabControl>(f, f, 20, 20, 440, 120);
    tabs->AddTab(L"Wait");
    tabs->AddTab(long_text);
    buttons = &Add<TTabControl>(f, f, 20, 160, 440, 120);
    buttons->SetStyle(tsButtons);
    buttons->AddTab(L"Wait");
    buttons->AddTab(long_text);
  });
  const TSkinData& data = DataOf(form);
  ASSERT_TRUE(dynamic_cast<TSkinTabBtn*>(ObjectOf(form, *buttons)));
  Park();
  for (TTabControl* control : {tabs, buttons}) {
    SCOPED_TRACE(control == tabs ? "tabs" : "buttons");
    Redraw(control->Handle());
    Pump(50);
    // The long caption is on the second tab, at rest: the screen differs
    // from the tab's cell exactly where the caption is.
    const RECT r = control->TabRect(1);
    const TDataSkinObject& object = control == tabs
                                        ? *data.Object(ssTabs)
                                        : static_cast<const TDataSkinObject&>(data.Buttons());
    const TBitmap cell =
        RenderSkinCell(object, r.right - r.left, r.bottom - r.top, Frames(object), 1, dpi_);
    const auto [first, last] = DrawnSpan(control->Handle(), cell, {r.left, r.top + 1}, r);
    ASSERT_GE(first, 0);
    EXPECT_GE(last - first + 1, TextWidth(control->Handle(), long_text) - 2 - dpi_ / 96);
    EXPECT_LT(last, r.right);
  }
  SaveShot(form.Handle(), Name("tabs-captions", 2));
  form.SetVisible(false);
}

TEST_F(TabsDpiTest, TheTabUnderTheMouseLightsUpAndGoesBackWhenItLeaves) {
  for (int skin : {1, 2}) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TTabControl* tabs = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      tabs = &Add<TTabControl>(f, f, 20, 20, 420, 160);
      tabs->AddTab(L"First");
      tabs->AddTab(L"Second");
      tabs->AddTab(L"Third");
    });
    const TSkinData& data = DataOf(form);
    ASSERT_GE(Frames(*data.Object(ssTabs)), 3);
    Park();
    Redraw(tabs->Handle());
    EXPECT_TRUE(PumpUntil([&] { return ShownTabCell(data, *tabs, 1) == 1; }, 3000));
    RestOn(TabPoint(*tabs, 1));
    EXPECT_TRUE(PumpUntil([&] { return ShownTabCell(data, *tabs, 1) == 3; }, 3000)) << "lit";
    EXPECT_EQ(ShownTabCell(data, *tabs, 2), 1);
    SaveShot(form.Handle(), Name("tabs-hot", skin));
    // From one tab to the next: the light follows.
    RestOn(TabPoint(*tabs, 2));
    EXPECT_TRUE(PumpUntil([&] { return ShownTabCell(data, *tabs, 2) == 3; }, 3000));
    EXPECT_TRUE(PumpUntil([&] { return ShownTabCell(data, *tabs, 1) == 1; }, 3000));
    // The selected tab keeps its own look under the mouse.
    RestOn(TabPoint(*tabs, 0));
    EXPECT_TRUE(PumpUntil([&] { return ShownTabCell(data, *tabs, 2) == 1; }, 3000));
    const int selected = ShownTabCell(data, *tabs, 0);
    EXPECT_TRUE(selected == 2 || selected == 5) << selected;
    RestOn(TabPoint(*tabs, 1));
    EXPECT_TRUE(PumpUntil([&] { return ShownTabCell(data, *tabs, 1) == 3; }, 3000));
    // Leaving the control puts the tab back at rest.
    Park();
    EXPECT_TRUE(PumpUntil([&] { return ShownTabCell(data, *tabs, 1) == 1; }, 3000)) << "left";
    form.SetVisible(false);
  }
}

TEST_F(TabsDpiTest, TabSetsOfOtherKindsAreSkinnedByTheStyleTheyPublish) {
  TTabSet* own = nullptr;
  TStyledTabSet* plain_tabs = nullptr;
  TStyledTabSet* buttons = nullptr;
  TStyledTabSet* flat = nullptr;
  TPlainTabSet* silent = nullptr;
  TForm& form = ShowSkinned(2, [&](TForm& f) {
    own = &Add<TTabSet>(f, f, 20, 20, 300, 24);
    const auto styled = [&](int style, int top) {
      auto* set = &OwnedComponent<TStyledTabSet>(f, style);
      set->SetBounds(20, top, 300, 24);
      set->SetParent(&f);
      return set;
    };
    plain_tabs = styled(0, 60);
    buttons = styled(1, 100);
    flat = styled(2, 140);
    silent = &Add<TPlainTabSet>(f, f, 20, 180, 300, 24);
  });
  // The program's own tab set keeps its own skinning; of the others, plain
  // tabs are drawn as tabs, every other style as buttons, and a set that
  // does not say is left as it is.
  EXPECT_TRUE(dynamic_cast<TSkinTab31*>(ObjectOf(form, *own)));
  auto* as_tabs = ObjectOf(form, *plain_tabs);
  EXPECT_TRUE(as_tabs && dynamic_cast<TSkinTab*>(as_tabs));
  EXPECT_TRUE(dynamic_cast<TSkinTabBtn*>(ObjectOf(form, *buttons)));
  EXPECT_TRUE(dynamic_cast<TSkinTabBtn*>(ObjectOf(form, *flat)));
  EXPECT_EQ(ObjectOf(form, *silent), nullptr);
  form.SetVisible(false);
}

}  // namespace
