// Skinned scroll bars driven by real input: the painted overlay hands its
// presses to the system's scroll bar underneath, so arrow clicks, track
// clicks and thumb drags scroll the control for real; the thumb is where
// the system says, the overlays follow the control when it hides and
// shows, and the border is the skin's unless the control has none.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "framework/ComCtrls.h"
#include "framework/Memo.h"
#include "framework/ScrollBar.h"
#include "skin/controls/SkinScrollbar.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinWindowMessages.h"
#include "skin/form/WinSkinForm.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"
#include "tests/wine/support/InputScript.h"

namespace {

class ScrollTest : public SkinControlsTest {
 protected:
  int TopIndex(const TListView& list) {
    return static_cast<int>(SendMessageW(list.Handle(), LVM_GETTOPINDEX, 0, 0));
  }
  // A press on the overlay at `p`, held while the script moves the mouse to
  // `to`, then released; this thread runs the system's tracking meanwhile.
  void Drag(POINT p, POINT to) {
    MoveTo(p);
    input::TScriptThread script([p, to] {
      input::Press(p.x, p.y);
      input::Pause(300);
      for (int step = 1; step <= 10; ++step) {
        input::MoveTo(p.x + (to.x - p.x) * step / 10, p.y + (to.y - p.y) * step / 10);
        input::Pause(40);
      }
      input::Pause(200);
      input::Release(to.x, to.y);
    });
    Pump(1400);
  }
};

TListView& AddList(TForm& form, int rows) {
  TListView& list = OwnedComponent<TListView>(form);
  list.AddColumn(L"Row", 300);
  list.SetBounds(20, 20, 400, 300);
  list.SetParent(&form);
  list.OnData = [](TObject*, TListItem& item) {
    item.Caption = L"Row " + std::to_wstring(item.Index);
  };
  list.SetItemCount(rows);
  return list;
}

TEST_F(ScrollTest, ListViewScrollsByArrowTrackAndThumbOfTheSkinnedBar) {
  TListView* list = nullptr;
  TForm& form = ShowSkinned(2, [&](TForm& f) { list = &AddList(f, 500); });
  auto* object = dynamic_cast<TSkinListView*>(ObjectOf(form, *list));
  ASSERT_NE(object, nullptr);
  TWScrollbar* bar = object->VertBar();
  ASSERT_NE(bar, nullptr);
  ASSERT_TRUE(bar->Shown());
  EXPECT_TRUE(IsWindowVisible(bar->Handle()));
  const RECT r = WindowRect(bar->Handle());
  const int arrow = bar->ArrowSize();
  // The overlay covers the system's bar exactly.
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetScrollBarInfo(list->Handle(), OBJID_VSCROLL, &info));
  EXPECT_EQ(r.left, info.rcScrollBar.left);
  EXPECT_EQ(r.top, info.rcScrollBar.top);
  EXPECT_EQ(r.bottom, info.rcScrollBar.bottom);
  // The thumb drawn where the system keeps it.
  EXPECT_EQ(bar->Thumb().start, info.xyThumbTop);

  // The down arrow: one row.
  Click({(r.left + r.right) / 2, r.bottom - arrow / 2});
  EXPECT_TRUE(PumpUntil([&] { return TopIndex(*list) == 1; }, 2000)) << TopIndex(*list);
  // The track below the thumb: a page.
  const int page = static_cast<int>(SendMessageW(list->Handle(), LVM_GETCOUNTPERPAGE, 0, 0));
  Click({(r.left + r.right) / 2, r.bottom - arrow - 10});
  EXPECT_TRUE(PumpUntil([&] { return TopIndex(*list) == 1 + page; }, 2000)) << TopIndex(*list);
  // The thumb dragged a third of the way down.
  const int before = TopIndex(*list);
  const TThumbExtent thumb = bar->Thumb();
  const POINT grab{(r.left + r.right) / 2, r.top + (thumb.start + thumb.end) / 2};
  Drag(grab, {grab.x, grab.y + (r.bottom - r.top) / 3});
  EXPECT_GT(TopIndex(*list), before + 100);
  EXPECT_EQ(bar->HotPart() == spThumb && bar->Pressed(), false);
  Park();
  Pump(200);
  // The overlay shows the skin's thumb image at the new place.
  GetScrollBarInfo(list->Handle(), OBJID_VSCROLL, &info);
  EXPECT_EQ(bar->Thumb().start, info.xyThumbTop);
  EXPECT_EQ(bar->Thumb().end, info.xyThumbBottom);
}

TEST_F(ScrollTest, OverlaysFollowTheControlHiddenAndShownAndTheBorderIsTheSkins) {
  TMemo* memo = nullptr;
  TMemo* bare = nullptr;
  TForm& form = ShowSkinned(1, [&](TForm& f) {
    memo = &OwnedComponent<TMemo>(f);
    memo->SetScrollBars(ssBoth);
    memo->SetBounds(20, 20, 240, 160);
    memo->SetParent(&f);
    std::vector<std::wstring> lines(80, std::wstring(120, L'x'));
    memo->SetLines(lines);
    bare = &OwnedComponent<TMemo>(f);
    bare->SetBorderStyle(cbNone);
    bare->SetBounds(280, 20, 200, 160);
    bare->SetParent(&f);
  });
  TSkinData& data = DataOf(form);
  auto* object = dynamic_cast<TSkinScrollbar*>(ObjectOf(form, *memo));
  ASSERT_NE(object, nullptr);
  EXPECT_TRUE(object->DrawBorder());
  EXPECT_FALSE(dynamic_cast<TSkinScrollbar*>(ObjectOf(form, *bare))->DrawBorder());
  // The skin's border: shadow outside, face inside.
  const TBitmap edge = Capture(WindowRect(memo->Handle()));
  EXPECT_EQ(edge.Pixel(100, 0), ColorToRGB(data.Colours().ButtonShadow));
  EXPECT_EQ(edge.Pixel(100, 1), ColorToRGB(data.Colours().ButtonFace));

  // The down arrow scrolls the memo.
  TWScrollbar* vert = object->VertBar();
  const RECT r = WindowRect(vert->Handle());
  Click({(r.left + r.right) / 2, r.bottom - vert->ArrowSize() / 2});
  EXPECT_TRUE(PumpUntil([&] { return memo->TopLine() == 1; }, 2000));
  // Hidden with the memo, placed again when it shows.
  memo->SetVisible(false);
  Pump(100);
  EXPECT_FALSE(IsWindowVisible(vert->Handle()));
  EXPECT_FALSE(IsWindowVisible(object->HorzBar()->Handle()));
  memo->SetVisible(true);
  Pump(150);
  EXPECT_TRUE(IsWindowVisible(vert->Handle()));
  EXPECT_TRUE(vert->Shown());
  // The corner between the two bars is the face.
  const RECT h = WindowRect(object->HorzBar()->Handle());
  EXPECT_EQ(Capture({r.left + 2, h.top + 2, r.left + 3, h.top + 3}).Pixel(0, 0),
            ColorToRGB(data.Colours().ButtonFace));

  // Skin off: the overlays go and the system's bars show again.
  const HWND overlay = vert->Handle();
  SwitchSkin(form, data, false);
  EXPECT_FALSE(IsWindow(overlay));
  EXPECT_NE(Capture(WindowRect(memo->Handle())).Pixel(100, 0),
            ColorToRGB(data.Colours().ButtonShadow));
}

TEST_F(ScrollTest, ScrollBarControlsShowTheirThumbByTheRulesAndScrollByClicks) {
  TScrollBar* plain = nullptr;
  TScrollBar* paged = nullptr;
  TForm& form = ShowSkinned(4, [&](TForm& f) {
    plain = &OwnedComponent<TScrollBar>(f);
    plain->SetBounds(20, 20, 300, 17);
    plain->SetParams(0, 0, 100);
    plain->SetParent(&f);
    paged = &OwnedComponent<TScrollBar>(f);
    paged->SetBounds(20, 60, 300, 17);
    paged->SetParams(0, 0, 1000);
    paged->SetPageSize(10);
    paged->SetParent(&f);
  });
  auto* object = dynamic_cast<TSkinScControl*>(ObjectOf(form, *plain));
  ASSERT_NE(object, nullptr);
  TWScrollbar* bar = object->Bar();
  Pump(100);
  // Page 0: the thumb is an arrow long; a tiny page still gives 8 pixels.
  EXPECT_EQ(bar->Thumb().end - bar->Thumb().start, bar->ArrowSize());
  TWScrollbar* small = dynamic_cast<TSkinScControl*>(ObjectOf(form, *paged))->Bar();
  EXPECT_EQ(small->Thumb().end - small->Thumb().start, 8);
  // The thumb is painted from the skin, with its grip in the middle.
  TSkinData& data = DataOf(form);
  const TDataSkinObject& thumb = *data.Object(ssHorzScrollThumb);
  const TDataSkinObject& strip = *data.Object(ssScrollbar);
  const RECT r = WindowRect(bar->Handle());
  const int length = bar->Thumb().end - bar->Thumb().start;
  const int breadth = r.bottom - r.top;
  TBitmap expected =
      RenderSkinPart(length, breadth, thumb.Bitmap,
                     {thumb.LeftWidth, thumb.TopHeight, thumb.RightWidth, thumb.BottomHeight},
                     false, thumb.Tile == 1, std::max(thumb.Frame, 1), 1);
  const int g = strip.Bitmap.Height();
  if (g < length + 2) {
    const int cell_width = strip.Bitmap.Width() / 23;
    TBitmap grip(g, breadth);
    grip.CopyRect(grip.BoundsRect(), strip.Bitmap,
                  Bounds(16 * cell_width, 0, cell_width, strip.Bitmap.Height()));
    expected.Draw((length - g) / 2, 0, grip, true, clFuchsia);
  }
  const TBitmap shot =
      Capture({r.left + bar->Thumb().start, r.top, r.left + bar->Thumb().end, r.bottom});
  int drawn = 0, same = 0;
  for (int y = 0; y < expected.Height(); ++y) {
    for (int x = 0; x < expected.Width(); ++x) {
      if (expected.Pixel(x, y) == clFuchsia) continue;
      ++drawn;
      same += shot.Pixel(x, y) == expected.Pixel(x, y);
    }
  }
  EXPECT_GT(drawn, 50);
  EXPECT_GT(same, drawn * 9 / 10);
  // Clicks scroll the control.
  Click({r.right - bar->ArrowSize() / 2, (r.top + r.bottom) / 2});
  EXPECT_TRUE(PumpUntil([&] { return plain->Position() == 1; }, 2000));
  Pump(100);
  EXPECT_GT(bar->Thumb().start, bar->ArrowSize());
}

TEST_F(ScrollTest, ScrollObjectsAreMadeAnewOnRequestAndSizeGripsAsTheyAreMade) {
  TMemo* memo = nullptr;
  TForm& form = ShowSkinned(0, [&](TForm& f) {
    memo = &OwnedComponent<TMemo>(f);
    memo->SetBounds(20, 20, 200, 120);
    memo->SetParent(&f);
    memo->SetLines(std::vector<std::wstring>(50, L"line"));
  });
  TSkinControl* before = ObjectOf(form, *memo);
  ASSERT_NE(dynamic_cast<TSkinScrollbar*>(before), nullptr);
  PostMessageW(form.Handle(), SKM_USESCROLLBAR, reinterpret_cast<WPARAM>(memo->Handle()), 0);
  Pump(150);
  auto* after = dynamic_cast<TSkinScrollbar*>(ObjectOf(form, *memo));
  ASSERT_NE(after, nullptr);
  EXPECT_TRUE(after->VertBar()->Shown());
  EXPECT_EQ(SendMessageW(memo->Handle(), SKM_ISSKINNED, 0, 0), 1);

  // A size grip made in the skinned window gets its object as it is made.
  HWND grip = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 300, 200,
                              20, 20, form.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(grip, nullptr);
  Pump(150);
  TWinSkinForm& engine = *EngineOf(form.Handle());
  const bool listed = std::any_of(engine.Controls().begin(), engine.Controls().end(),
                                  [&](const auto& object) { return object->Handle() == grip; });
  EXPECT_TRUE(listed);
  InvalidateRect(grip, nullptr, TRUE);
  Pump(100);
  const TBitmap shot = Capture(WindowRect(grip));
  EXPECT_EQ(CountColour(shot, DataOf(form).Colours().ButtonFace, 0), shot.Width() * shot.Height())
      << "the grip is covered by the skin's face";
  DestroyWindow(grip);
}

}  // namespace
