// List views in the skin's content colours, read back from the screen: the
// dark skin's rows on its dark content background in its light text, and the
// list's own colours back when the skin goes.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/ComCtrls.h"
#include "skin/data/WinSkinData.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"

namespace {

class ListColoursTest : public SkinControlsTest {};

TEST_F(ListColoursTest, ListRowsTakeTheSkinsContentColoursUntilTheSkinGoes) {
  TListView* list = nullptr;
  TForm& form = ShowSkinned(1, [&](TForm& f) {
    list = &OwnedComponent<TListView>(f);
    list->AddColumn(L"File", 200);
    list->AddColumn(L"State", 100);
    list->SetBounds(20, 20, 320, 200);
    list->SetParent(&f);
    list->OnData = [](TObject*, TListItem& item) {
      item.Caption = L"WWWWWWWW " + std::to_wstring(item.Index + 1);
      item.SubItems = {L"MMMM"};
    };
    list->SetItemCount(3);
  });
  TSkinData& data = DataOf(form);
  const TColor back = ColorToRGB(data.Colours().Window);
  const TColor ink = ColorToRGB(data.Colours().WindowText);
  const TColor system_back = ColorToRGB(clWindow);
  // Nightfall's content is dark, far from the system's white.
  ASSERT_LT(RedOf(back) + GreenOf(back) + BlueOf(back), 200);
  RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  Pump(100);
  SaveShot(form.Handle(), "list-colours-nightfall");

  const RECT client = ClientScreenRect(list->Handle());
  // Below the three rows: the content background between the grid lines.
  const TBitmap empty =
      Capture({client.left + 10, client.bottom - 60, client.right - 30, client.bottom - 30});
  EXPECT_GT(CountColour(empty, back, 4), empty.Width() * empty.Height() * 8 / 10);
  // The rows: text in WindowText on the content background.
  RECT row{};
  ListView_GetItemRect(list->Handle(), 0, &row, LVIR_BOUNDS);
  const TBitmap first = Capture({client.left + row.left, client.top + row.top,
                                 client.left + row.right, client.top + row.bottom});
  EXPECT_GT(CountColour(first, ink, 40), 15) << "row text in the skin's text colour";
  EXPECT_GT(CountColour(first, back, 4), first.Width() * first.Height() / 2);
  EXPECT_EQ(CountColour(first, system_back, 4), 0);

  // The skin goes: the list's own colours again.
  SwitchSkin(form, data, false);
  RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  Pump(100);
  const TBitmap plain =
      Capture({client.left + 10, client.bottom - 60, client.right - 30, client.bottom - 30});
  EXPECT_GT(CountColour(plain, system_back, 4), plain.Width() * plain.Height() * 8 / 10);
  EXPECT_EQ(CountColour(plain, back, 4), 0);
  // And it comes back.
  SwitchSkin(form, data, true);
  RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  Pump(100);
  const TBitmap again =
      Capture({client.left + 10, client.bottom - 60, client.right - 30, client.bottom - 30});
  EXPECT_GT(CountColour(again, back, 4), again.Width() * again.Height() * 8 / 10);
}

}  // namespace
