// Skinned list-view headers read back from the screen under real mouse
// input: one section lit under the mouse and none after it leaves, the bar
// after the last section at rest, readable section texts, clicks still
// reaching the list view, a skin without the Headerbar image, and the
// system look coming back when the skin goes.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "framework/ComCtrls.h"
#include "framework/HeaderControl.h"
#include "framework/WndMethodLayer.h"
#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinScrollbar.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinWindowMessages.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"
#include "tests/wine/support/InputScript.h"
#include "tests/wine/support/ScreenColours.h"

namespace {

bool Near(TColor a, TColor b, int tolerance = 4) {
  return std::abs(RedOf(a) - RedOf(b)) <= tolerance &&
         std::abs(GreenOf(a) - GreenOf(b)) <= tolerance &&
         std::abs(BlueOf(a) - BlueOf(b)) <= tolerance;
}

using screen_colours::ContrastRatio;

constexpr int kWidths[] = {120, 90, 70};  // the sections end at 280

class HeaderTest : public SkinControlsTest {
 protected:
  TListView& List(TForm& form, int top) {
    TListView& list = OwnedComponent<TListView>(form);
    list.AddColumn(L"File name", kWidths[0]);
    list.AddColumn(L"Length", kWidths[1]);
    list.AddColumn(L"State", kWidths[2]);
    list.SetBounds(20, top, 400, 120);
    list.SetParent(&form);
    return list;
  }
  static HWND HeaderOf(const TListView& list) { return ListView_GetHeader(list.Handle()); }
  static RECT Section(HWND header, int index) {
    RECT r{};
    Header_GetItemRect(header, index, &r);
    return r;
  }
  static void Redraw(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }

  // Which cell of the Headerbar strip the screen shows in section `index`,
  // judged on a text-free spot near its right end; 0 when none matches.
  int SectionCell(const TSkinData& data, HWND header, int index) {
    const TDataSkinObject& bar = *data.Object(ssHeaderbar);
    const RECT r = Section(header, index);
    const int w = r.right - r.left;
    RECT client{};
    GetClientRect(header, &client);
    const int h = client.bottom;
    const TBitmap shot = Capture(ClientScreenRect(header));
    const int x = w - 8, y = 4;  // the cells differ most near the top
    const TColor seen = shot.Pixel(r.left + x, y);
    for (int cell : {1, 2, 3}) {
      if (Near(seen, RenderSkinCell(bar, w, h, frames_, cell).Pixel(x, y))) return cell;
    }
    return 0;
  }
  // The cells must differ where SectionCell looks, or nothing is proven.
  bool LearnCells(const TSkinData& data) {
    const TDataSkinObject& bar = *data.Object(ssHeaderbar);
    frames_ = bar.Frame > 0 ? bar.Frame : 5;
    const TColor rest = RenderSkinCell(bar, 90, 20, frames_, 1).Pixel(82, 4);
    const TColor hot = RenderSkinCell(bar, 90, 20, frames_, 2).Pixel(82, 4);
    const TColor pressed = RenderSkinCell(bar, 90, 20, frames_, 3).Pixel(82, 4);
    const bool apart = !Near(rest, hot, 10) && !Near(rest, pressed, 10) && !Near(hot, pressed, 10);
    EXPECT_TRUE(apart) << "resting, lit and pressed sections look alike";
    return apart;
  }

  int frames_ = 5;
};

TEST_F(HeaderTest, OneSectionIsLitUnderTheMouseAndNoneAfterItLeavesUnderEverySkin) {
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TListView* list = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) { list = &List(f, 20); });
    TSkinData& data = DataOf(form);
    if (!LearnCells(data)) return;
    const HWND header = HeaderOf(*list);
    ASSERT_TRUE(header);
    ASSERT_EQ(SendMessageW(header, SKM_ISSKINNED, 0, 0), 1);
    Park();
    Redraw(header);
    Pump(50);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(SectionCell(data, header, i), 1) << "section " << i;

    for (int lit = 0; lit < 3; ++lit) {
      const RECT r = Section(header, lit);
      MoveTo(ScreenPoint(header, (r.left + r.right) / 2, 8));
      Pump(80);
      for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(SectionCell(data, header, i), i == lit ? 2 : 1)
            << "mouse over " << lit << ", section " << i;
      }
      if (lit == 1) SaveShot(form.Handle(), std::string("header-hot-") + kSkinFiles[skin]);
    }
    // The mouse leaves for the rows below: nothing stays lit.
    MoveTo(ScreenPoint(list->Handle(), 200, 80));
    PumpUntil([&] { return SectionCell(data, header, 2) == 1; }, 1000);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(SectionCell(data, header, i), 1) << "after leaving";

    // The bar after the last section is the resting cell, stretched over
    // the rest of the header.
    RECT client{};
    GetClientRect(header, &client);
    const int rest_width = client.right - 280;
    const TBitmap rest = Capture(ClientScreenRect(header));
    const TBitmap cell =
        RenderSkinCell(*data.Object(ssHeaderbar), rest_width, client.bottom, frames_, 1);
    for (int x : {4, rest_width / 2, rest_width - 4}) {
      for (int y : {1, static_cast<int>(client.bottom / 2), static_cast<int>(client.bottom - 2)}) {
        EXPECT_TRUE(Near(rest.Pixel(280 + x, y), cell.Pixel(x, y)))
            << "bar at " << 280 + x << "," << y;
      }
    }

    // The section texts read on their cells: 7:1 under the high-contrast
    // skin, 4.5:1 under the others.
    const double need = std::string(kSkinFiles[skin]) == "contrast" ? 7.0 : 4.5;
    const RECT first = Section(header, 0);
    const TBitmap text = Capture(ClientScreenRect(header));
    const TColor under = text.Pixel(first.right - 8, client.bottom / 2);
    double best = 1.0;
    for (int y = 2; y < client.bottom - 2; ++y) {
      for (int x = first.left + 3; x < first.left + 70; ++x) {
        best = std::max(best, ContrastRatio(text.Pixel(x, y), under));
      }
    }
    EXPECT_GE(best, need) << "section text against its cell";
    form.Close();
    Pump(50);
  }
}

TEST_F(HeaderTest, ASectionHeldDownIsPressedAndItsClickStillReachesTheListView) {
  TListView* list = nullptr;
  TForm& form = ShowSkinned(1, [&](TForm& f) { list = &List(f, 20); });
  int clicked = -1;
  TWndMethodLayer watch;
  watch.Install(list->WindowProc, [&](TMessage& m) {
    if (m.Msg == CN_NOTIFY && reinterpret_cast<NMHDR*>(m.LParam)->code == LVN_COLUMNCLICK) {
      clicked = reinterpret_cast<NMLISTVIEW*>(m.LParam)->iSubItem;
    }
    watch.CallPrevious(m);
  });
  const HWND header = HeaderOf(*list);
  ASSERT_EQ(SendMessageW(header, SKM_ISSKINNED, 0, 0), 1);
  ASSERT_TRUE(LearnCells(DataOf(form)));
  const RECT r = Section(header, 1);
  const POINT p = ScreenPoint(header, (r.left + r.right) / 2, 8);
  MoveTo(p);
  input::Press(p.x, p.y);
  Pump(150);
  EXPECT_EQ(SectionCell(DataOf(form), header, 1), 3) << "held down";
  EXPECT_EQ(SectionCell(DataOf(form), header, 0), 1);
  input::Release(p.x, p.y);
  EXPECT_TRUE(PumpUntil([&] { return clicked >= 0; }, 2000));
  EXPECT_EQ(clicked, 1);
  Pump(100);
  EXPECT_EQ(SectionCell(DataOf(form), header, 1), 2) << "let go, the mouse still over it";
  Park();
  watch.Remove();
  form.Close();
  Pump(50);
}

TEST_F(HeaderTest, EmptyZeroWidthAndOverlongSectionsDrawWhatThereIs) {
  TListView *bare = nullptr, *odd = nullptr;
  TForm& form = ShowSkinned(1, [&](TForm& f) {
    // No columns at all; then a zero-width column between two, the last of
    // which runs past the list's right edge.
    bare = &OwnedComponent<TListView>(f);
    bare->AddColumn(L"", 0);
    bare->SetBounds(20, 20, 400, 100);
    bare->SetParent(&f);
    odd = &OwnedComponent<TListView>(f);
    odd->AddColumn(L"File name", 120);
    odd->AddColumn(L"Gone", 0);
    odd->AddColumn(L"Very long section", 600);
    odd->SetBounds(20, 140, 400, 100);
    odd->SetParent(&f);
  });
  TSkinData& data = DataOf(form);
  ASSERT_TRUE(LearnCells(data));
  const TDataSkinObject& bar = *data.Object(ssHeaderbar);
  Park();

  // Without sections the whole bar rests.
  const HWND empty = HeaderOf(*bare);
  ASSERT_TRUE(empty);
  ListView_DeleteColumn(bare->Handle(), 0);
  ASSERT_EQ(Header_GetItemCount(empty), 0);
  Redraw(empty);
  Pump(50);
  RECT client{};
  GetClientRect(empty, &client);
  if (client.bottom > 0) {
    const TBitmap shot = Capture(ClientScreenRect(empty));
    const TBitmap rest = RenderSkinCell(bar, client.right, client.bottom, frames_, 1);
    EXPECT_TRUE(Near(shot.Pixel(client.right / 2, 4), rest.Pixel(client.right / 2, 4)));
  }

  // The zero-width section draws nothing; the sections around it keep
  // their cells, the overlong one cut off at the edge, lit under the mouse.
  const HWND header = HeaderOf(*odd);
  Redraw(header);
  Pump(50);
  EXPECT_EQ(SectionCell(data, header, 0), 1);
  const RECT r = Section(header, 2);
  MoveTo(ScreenPoint(header, 300, 8));
  Pump(80);
  ASSERT_GT(r.right, 400);
  EXPECT_EQ(SectionCell(data, header, 0), 1);
  const TBitmap shot = Capture(ClientScreenRect(header));
  GetClientRect(header, &client);
  const TBitmap lit = RenderSkinCell(bar, r.right - r.left, client.bottom, frames_, 2);
  EXPECT_TRUE(Near(shot.Pixel(client.right - 40, 4), lit.Pixel(client.right - 40 - r.left, 4)))
      << "the long section lit as far as the header shows it";
  SaveShot(form.Handle(), "header-odd-sections");
  Park();
  form.Close();
  Pump(50);
}

TEST_F(HeaderTest, WithoutTheImageOrTheSkinTheHeaderKeepsTheSystemLook) {
  TListView *skinned = nullptr, *plain = nullptr;
  TForm& form = ShowSkinned(2, [&](TForm& f) {
    skinned = &List(f, 20);
    // The skin data's DisableTag keeps this one as the system draws it.
    plain = &List(f, 160);
    plain->SetTag(99);
  });
  TSkinData& data = DataOf(form);
  ASSERT_TRUE(dynamic_cast<TSkinListView*>(ObjectOf(form, *skinned)));
  ASSERT_FALSE(ObjectOf(form, *plain));
  Park();
  const auto system_look = [&] {
    Redraw(HeaderOf(*skinned));
    Redraw(HeaderOf(*plain));
    Pump(50);
    return MatchingShare(Capture(ClientScreenRect(HeaderOf(*skinned))),
                         Capture(ClientScreenRect(HeaderOf(*plain))), 0);
  };
  EXPECT_LT(system_look(), 0.9) << "the skinned header looks like the system's";

  // The skin goes and comes back: the header with it.
  SwitchSkin(form, data, false);
  EXPECT_EQ(SendMessageW(HeaderOf(*skinned), SKM_ISSKINNED, 0, 0), 0);
  EXPECT_EQ(system_look(), 1.0);
  SwitchSkin(form, data, true);
  EXPECT_EQ(SendMessageW(HeaderOf(*skinned), SKM_ISSKINNED, 0, 0), 1);
  EXPECT_LT(system_look(), 0.9);

  // Switched off for the header alone, then on again.
  SendMessageW(HeaderOf(*skinned), SKM_SKINSWITCH, 0, 0);
  EXPECT_EQ(system_look(), 1.0);
  SendMessageW(HeaderOf(*skinned), SKM_SKINSWITCH, 1, 0);
  EXPECT_LT(system_look(), 0.9);

  // The list view's skinning made anew (as when its window is remade): one
  // skinned header, still lit under the mouse.
  PostMessageW(form.Handle(), SKM_USESCROLLBAR, reinterpret_cast<WPARAM>(skinned->Handle()), 0);
  Pump(100);
  ASSERT_TRUE(dynamic_cast<TSkinListView*>(ObjectOf(form, *skinned)));
  ASSERT_TRUE(LearnCells(data));
  const HWND header = HeaderOf(*skinned);
  const RECT r = Section(header, 0);
  MoveTo(ScreenPoint(header, (r.left + r.right) / 2, 8));
  Pump(80);
  EXPECT_EQ(SectionCell(data, header, 0), 2);
  EXPECT_EQ(SectionCell(data, header, 1), 1);
  Park();
  Pump(200);

  // A skin without the Headerbar image: the header paints itself.
  data.Object(ssHeaderbar)->Bitmap.Clear();
  EXPECT_EQ(system_look(), 1.0);
  form.Close();
  Pump(50);
}

// A header control laid out by the form itself (no list view above it) is
// skinned by the walk like a list's header, keeps its sections through the
// skin and hands a click on a section to OnSectionClick.
TEST_F(HeaderTest, AStandAloneHeaderControlIsSkinnedAndReportsSectionClicks) {
  THeaderControl* bar = nullptr;
  TForm& form = ShowSkinned(3, [&](TForm& f) {
    bar = &OwnedComponent<THeaderControl>(f);
    bar->SetBounds(20, 20, 400, 24);
    for (int i = 0; i < 3; ++i) bar->AddSection(L"Section " + std::to_wstring(i + 1), kWidths[i]);
    bar->SetParent(&f);
  });
  TSkinData& data = DataOf(form);
  ASSERT_TRUE(dynamic_cast<TSkinHeader*>(ObjectOf(form, *bar)));
  ASSERT_TRUE(LearnCells(data));
  const HWND header = bar->Handle();
  EXPECT_EQ(Header_GetItemCount(header), 3);
  EXPECT_EQ(bar->SectionWidth(1), kWidths[1]);
  Park();
  Redraw(header);
  Pump(50);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(SectionCell(data, header, i), 1) << "section " << i;

  int clicked = -1;
  bar->OnSectionClick = [&](TObject*, int section) { clicked = section; };
  const RECT r = Section(header, 2);
  const POINT p = ScreenPoint(header, (r.left + r.right) / 2, 8);
  MoveTo(p);
  Pump(80);
  EXPECT_EQ(SectionCell(data, header, 2), 2) << "lit under the mouse";
  EXPECT_EQ(SectionCell(data, header, 0), 1);
  Click(p);
  EXPECT_TRUE(PumpUntil([&] { return clicked >= 0; }, 2000));
  EXPECT_EQ(clicked, 2);

  // Without the skin the sections are the system's again, all three kept.
  Park();
  SwitchSkin(form, data, false);
  EXPECT_EQ(SendMessageW(header, SKM_ISSKINNED, 0, 0), 0);
  EXPECT_EQ(Header_GetItemCount(header), 3);
  SwitchSkin(form, data, true);
  EXPECT_EQ(SendMessageW(header, SKM_ISSKINNED, 0, 0), 1);
  form.Close();
  Pump(50);
}

}  // namespace
