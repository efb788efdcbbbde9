// The dropped list of a drop-down combo box with more items than fit shows
// the skin's scroll bar while it is down: read back from the screen over
// the list's own bar, moved by the real wheel and by dragging its thumb
// with the real mouse, given back when the list closes or the skin goes,
// and nothing left behind after many drops.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/ComboBox.h"
#include "framework/HandleCount.h"
#include "framework/StdCtrls.h"
#include "skin/controls/SkinComBox.h"
#include "skin/controls/SkinScrollbar.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "tests/wine/skin_combos/ComboTestSupport.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"
#include "tests/wine/support/InputScript.h"

namespace {

using namespace combo_test;

constexpr int kScrollCells = 23;
constexpr int kDownArrowCell = 13;

class DroppedListScrollTest : public SkinControlsTest {
 protected:
  TComboBox& Combo(TForm& form, TComboBoxStyle style, int top) {
    TComboBox& combo = OwnedComponent<TComboBox>(form);
    combo.SetComboStyle(style);
    std::vector<std::wstring> items;
    for (int i = 0; i < 40; ++i) items.push_back(L"Choice " + std::to_wstring(i + 1));
    combo.SetItems(items);
    combo.SetBounds(20, top, 200, 24);
    combo.SetParent(&form);
    return combo;
  }
  TSkinComBox* SkinOf(TForm& form, const TComboBox& combo) {
    return dynamic_cast<TSkinComBox*>(ObjectOf(form, combo));
  }
  // Drops the list with a click on the skinned button; the list's bar
  // overlay once it shows.
  TWScrollbar* Drop(TComboBox& combo, TSkinComBox& object) {
    const TRect b = object.ButtonRect();
    Click(ScreenPoint(combo.Handle(), (b.left + b.right) / 2, (b.top + b.bottom) / 2));
    if (!PumpUntil([&] { return combo.DroppedDown(); }, 3000)) return nullptr;
    TWScrollbar* bar = nullptr;
    PumpUntil(
        [&] {
          bar = object.DroppedScrollbar() ? object.DroppedScrollbar()->VertBar() : nullptr;
          return bar && bar->Shown() && IsWindowVisible(bar->Handle());
        },
        3000);
    Pump(60);
    return bar;
  }
  void Close(TComboBox& combo) {
    SendMessageW(combo.Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    PumpUntil([&] { return !combo.DroppedDown(); }, 3000);
    Pump(30);
  }
  static LRESULT TopIndex(HWND list) { return SendMessageW(list, LB_GETTOPINDEX, 0, 0); }
  static void Wheel(int clicks) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_WHEEL;
    in.mi.mouseData = static_cast<DWORD>(-WHEEL_DELTA * clicks);
    SendInput(1, &in, sizeof in);
  }
};

TEST_F(DroppedListScrollTest, DroppedListShowsTheSkinsScrollBarOverItsOwnUnderEverySkin) {
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TComboBox* list = nullptr;
    TComboBox* edit = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      list = &Combo(f, csDropDownList, 20);
      edit = &Combo(f, csDropDown, 300);
    });
    const TDataSkinObject* strip = DataOf(form).Object(ssScrollbar);
    ASSERT_TRUE(strip && !strip->Bitmap.Empty());
    for (TComboBox* combo : {list, edit}) {
      TSkinComBox* object = SkinOf(form, *combo);
      ASSERT_TRUE(object);
      EXPECT_FALSE(object->DroppedScrollbar()) << "bars before the list is down";
      TWScrollbar* bar = Drop(*combo, *object);
      ASSERT_TRUE(bar) << "no skinned bar on the dropped list";
      HWND dropped = object->ListHandle();
      // The overlay lies over the list's own bar, inside its right edge,
      // above the list.
      const RECT over = WindowRect(bar->Handle());
      const RECT list_rect = WindowRect(dropped);
      EXPECT_GE(over.left, list_rect.left);
      EXPECT_LE(over.right, list_rect.right);
      EXPECT_LE(list_rect.right - over.right, 3);
      EXPECT_GE(over.bottom - over.top, (list_rect.bottom - list_rect.top) * 3 / 4);
      // What the screen shows at its bottom: the skin's down arrow.
      const int arrow = bar->ArrowSize();
      const TBitmap shot = Capture(RECT{over.left, over.bottom - arrow, over.right, over.bottom});
      const TBitmap want = RenderSkinPart(shot.Width(), shot.Height(), strip->Bitmap, {}, false,
                                          false, kScrollCells, kDownArrowCell);
      int drawn = 0, same = 0;
      for (int y = 0; y < want.Height(); ++y) {
        for (int x = 0; x < want.Width(); ++x) {
          if (want.Pixel(x, y) == clFuchsia) continue;
          ++drawn;
          if (Near(shot.Pixel(x, y), want.Pixel(x, y), 12)) ++same;
        }
      }
      ASSERT_GT(drawn, 0);
      EXPECT_GT(static_cast<double>(same) / drawn, 0.85) << "not the skin's arrow";
      if (combo == list) SaveShot(list_rect, std::string("dropped-list-") + kSkinFiles[skin]);
      // Closing the list gives the bar back.
      HWND overlay = bar->Handle();
      Close(*combo);
      EXPECT_FALSE(object->DroppedScrollbar());
      EXPECT_FALSE(IsWindow(overlay) && IsWindowVisible(overlay)) << "the overlay stays shown";
    }
    form.Close();
    Pump(30);
  }
}

TEST_F(DroppedListScrollTest, WheelAndThumbDragScrollTheDroppedListAndTheSkinnedThumbFollows) {
  TComboBox* combo = nullptr;
  TForm& form = ShowSkinned(1, [&](TForm& f) { combo = &Combo(f, csDropDownList, 20); });
  TSkinComBox* object = SkinOf(form, *combo);
  ASSERT_TRUE(object);
  TWScrollbar* bar = Drop(*combo, *object);
  ASSERT_TRUE(bar);
  HWND dropped = object->ListHandle();
  const int first_thumb = bar->Thumb().start;
  EXPECT_EQ(TopIndex(dropped), 0);
  // The wheel over the list.
  MoveTo(Centre(WindowRect(dropped)));
  Wheel(2);
  ASSERT_TRUE(PumpUntil([&] { return TopIndex(dropped) > 0; }, 3000)) << "the wheel did nothing";
  EXPECT_TRUE(combo->DroppedDown());
  EXPECT_TRUE(PumpUntil([&] { return bar->Thumb().start > first_thumb; }, 2000))
      << "the skinned thumb stayed at the top";
  const LRESULT after_wheel = TopIndex(dropped);
  // Dragging the thumb down with the real mouse.
  const RECT over = WindowRect(bar->Handle());
  const TThumbExtent thumb = bar->Thumb();
  const int x = (over.left + over.right) / 2;
  const int y = over.top + (thumb.start + thumb.end) / 2;
  MoveTo(POINT{x, y});
  {
    // The press starts the system's tracking, which this thread runs; the
    // rest of the drag comes from a script thread.
    input::TScriptThread script([x, y] {
      input::Press(x, y);
      input::Pause(300);
      for (int step = 1; step <= 6; ++step) {
        input::MoveTo(x, y + step * 10);
        input::Pause(40);
      }
      input::Pause(200);
      input::Release(x, y + 60);
    });
    Pump(1400);
  }
  EXPECT_TRUE(PumpUntil([&] { return TopIndex(dropped) > after_wheel; }, 3000))
      << "the drag did not scroll the list";
  const LRESULT top = TopIndex(dropped);
  Pump(100);
  // The skinned thumb shows where the list is.
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(dropped, SB_VERT, &si);
  EXPECT_EQ(si.nPos, top);
  EXPECT_GT(bar->Thumb().start, thumb.start);
  SaveShot(WindowRect(dropped), "dropped-list-dragged-nightfall");
  Close(*combo);
  form.Close();
  Pump(30);
}

TEST_F(DroppedListScrollTest, SkinGoingWhileTheListIsDownGivesTheBarBack) {
  TComboBox* combo = nullptr;
  TForm& form = ShowSkinned(2, [&](TForm& f) { combo = &Combo(f, csDropDown, 20); });
  TSkinData& data = DataOf(form);
  TSkinComBox* object = SkinOf(form, *combo);
  ASSERT_TRUE(object);
  TWScrollbar* bar = Drop(*combo, *object);
  ASSERT_TRUE(bar);
  HWND overlay = bar->Handle();
  HWND dropped = object->ListHandle();
  SwitchSkin(form, data, false);
  EXPECT_FALSE(IsWindow(overlay) && IsWindowVisible(overlay));
  if (combo->DroppedDown()) Close(*combo);
  // Skinned again: the next drop has the bar again.
  SwitchSkin(form, data, true);
  object = SkinOf(form, *combo);
  ASSERT_TRUE(object);
  EXPECT_TRUE(Drop(*combo, *object));
  EXPECT_EQ(object->ListHandle(), dropped);
  Close(*combo);
  form.Close();
  Pump(30);
}

TEST_F(DroppedListScrollTest, FiftyDropsLeaveNothingBehind) {
  TComboBox* combo = nullptr;
  TForm& form = ShowSkinned(3, [&](TForm& f) { combo = &Combo(f, csDropDownList, 20); });
  TSkinComBox* object = SkinOf(form, *combo);
  ASSERT_TRUE(object);
  // One round first, so whatever is made once (the overlay's class, the
  // renderer's caches) is made.
  ASSERT_TRUE(Drop(*combo, *object));
  Close(*combo);
  const long layers = LiveHandles(THandleKind::hkSubclass);
  const long gdi = LiveHandles(THandleKind::hkGdiObject);
  const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  const DWORD gdi_system = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  for (int i = 0; i < 50; ++i) {
    SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(PumpUntil([&] { return object->DroppedScrollbar() != nullptr; }, 3000)) << i;
    Pump(10);
    Close(*combo);
  }
  EXPECT_EQ(LiveHandles(THandleKind::hkSubclass), layers);
  EXPECT_EQ(LiveHandles(THandleKind::hkGdiObject), gdi);
  // The system's count moves a little with what it caches itself.
  EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), user + 3);
  EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi_system + 5);
  form.Close();
  Pump(30);
}

}  // namespace
