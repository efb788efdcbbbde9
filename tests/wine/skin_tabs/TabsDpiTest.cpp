// Skinned tabs at the screen's DPI, as a person sees them: tab cells and the
// page frame read back from the screen match the skin's cells scaled to the
// DPI, close boxes are drawn at that scale and a click anywhere on one
// closes its page, captions are shown whole, and the tab under the mouse
// lights up and goes back when the mouse leaves. The suite runs once per
// DPI (the prefix's LogPixels); TONMILL_TEST_DPI names the DPI a run
// expects.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

#include "framework/Dpi.h"
#include "framework/PageControl.h"
#include "framework/TabControl.h"
#include "framework/TabSet.h"
#include "skin/controls/SkinTab.h"
#include "skin/controls/SkinTabSet.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "skin/packages/ImgUtil.h"
#include "tests/wine/skin_tabs/TabsTestSupport.h"

namespace {

int ExpectedDpi() {
  const char* text = std::getenv("TONMILL_TEST_DPI");
  return text ? std::atoi(text) : 0;
}

bool Near(TColor a, TColor b, int tolerance) {
  return std::abs(RedOf(a) - RedOf(b)) <= tolerance &&
         std::abs(GreenOf(a) - GreenOf(b)) <= tolerance &&
         std::abs(BlueOf(a) - BlueOf(b)) <= tolerance;
}

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

class TabsDpiTest : public TabsTest {
 protected:
  void SetUp() override {
    TabsTest::SetUp();
    dpi_ = WindowDpi(nullptr);
    if (const int expected = ExpectedDpi()) {
      ASSERT_EQ(dpi_, expected) << "the prefix's LogPixels did not take";
    }
  }
  std::string Name(const std::string& what, int skin) const {
    return what + "-" + kSkinFiles[skin] + "-" + std::to_string(dpi_) + "dpi";
  }
  static int Frames(const TDataSkinObject& o) { return o.Frame > 0 ? o.Frame : 5; }
  static TSkinMargins Margins(const TDataSkinObject& o) {
    return {o.LeftWidth, o.TopHeight, o.RightWidth, o.BottomHeight};
  }
  static void Redraw(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  // Tab `index` of a control with tabs at the top as the screen should
  // show it in `cell`, scaled to the DPI; its top left corner in client
  // coordinates goes to `at`.
  TBitmap ExpectedTab(const TSkinData& data, const TCustomTabControl& control, int index, int cell,
                      POINT& at) const {
    const TDataSkinObject& tabs = *data.Object(ssTabs);
    const RECT r = control.TabRect(index);
    at = {r.left, r.top + 1};
    return RenderSkinPart(r.right - r.left, r.bottom - r.top, tabs.Bitmap, Margins(tabs), false,
                          tabs.Tile == 1, Frames(tabs), cell, dpi_);
  }
  // How well the screen shows tab `index` in `cell` left and right of its
  // caption (which is centred in the tab), down to where the page frame
  // lies over the tab's foot.
  double TabEdgeShare(const TSkinData& data, const TCustomTabControl& control, int index,
                      int cell) const {
    POINT at{};
    const TBitmap expected = ExpectedTab(data, control, index, cell, at);
    const TBitmap shot = Capture(ClientScreenRect(control.Handle()));
    const int text = TextWidth(control.Handle(), control.TabText(index));
    const int w = expected.Width(), h = expected.Height() - SkinScale(3, dpi_);
    const int from = (w - text) / 2 - 2, to = (w + text) / 2 + 3;
    const double left = ShownShare(shot, at.x, at.y, expected, {0, 0, from, h});
    const double right = ShownShare(shot, at.x, at.y, expected, {to, 0, w, h});
    return std::min(left, right);
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
  // The columns of `area` (client coordinates of `window`) where the
  // screen shows something over `expected` placed at `at`: first and last,
  // -1 when none.
  static std::pair<int, int> DrawnSpan(HWND window, const TBitmap& expected, POINT at,
                                       const RECT& area) {
    const TBitmap shot = Capture(ClientScreenRect(window));
    int first = -1, last = -1;
    for (int x = std::max<int>(area.left, 0); x < area.right && x < shot.Width(); ++x) {
      for (int y = std::max<int>(area.top, 0); y < area.bottom && y < shot.Height(); ++y) {
        const int ex = x - at.x, ey = y - at.y;
        if (ex < 0 || ey < 0 || ex >= expected.Width() || ey >= expected.Height()) continue;
        if (expected.Pixel(ex, ey) == clFuchsia) continue;
        if (!Near(shot.Pixel(x, y), expected.Pixel(ex, ey), 40)) {
          if (first < 0) first = x;
          last = x;
          break;
        }
      }
    }
    return {first, last};
  }
  static int TextWidth(HWND window, const std::wstring& text) {
    HDC dc = GetDC(window);
    auto* font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return extent.cx;
  }

  int dpi_ = kSkinDpi;
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
    RECT d{};
    GetClientRect(tabs->Handle(), &d);
    SendMessageW(tabs->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&d));
    InflateRect(&d, 4, 4);
    d.top += 1;
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
    MoveTo(TabPoint(*tabs, 1));
    EXPECT_TRUE(PumpUntil([&] { return ShownTabCell(data, *tabs, 1) == 3; }, 3000)) << "lit";
    EXPECT_EQ(ShownTabCell(data, *tabs, 2), 1);
    SaveShot(form.Handle(), Name("tabs-hot", skin));
    // From one tab to the next: the light follows.
    MoveTo(TabPoint(*tabs, 2));
    EXPECT_TRUE(PumpUntil([&] { return ShownTabCell(data, *tabs, 2) == 3; }, 3000));
    EXPECT_TRUE(PumpUntil([&] { return ShownTabCell(data, *tabs, 1) == 1; }, 3000));
    // The selected tab keeps its own look under the mouse.
    MoveTo(TabPoint(*tabs, 0));
    EXPECT_TRUE(PumpUntil([&] { return ShownTabCell(data, *tabs, 2) == 1; }, 3000));
    const int selected = ShownTabCell(data, *tabs, 0);
    EXPECT_TRUE(selected == 2 || selected == 5) << selected;
    MoveTo(TabPoint(*tabs, 1));
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
