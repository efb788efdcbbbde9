// Skinned list views read back from the screen: grid lines ruled where the
// list rules its own, in a colour of the skin's content rather than the
// glaring system one, given back with the skin; and a header the list makes
// after it was skinned is skinned too.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/ComCtrls.h"
#include "skin/controls/SkinScrollbar.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinWindowMessages.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"
#include "tests/wine/skin_pickers/PickerTestSupport.h"

namespace {

class ListGridTest : public SkinControlsTest {
 protected:
  TListView& List(TForm& form, int rows) {
    TListView& list = OwnedComponent<TListView>(form);
    list.AddColumn(L"File", 150);
    list.AddColumn(L"State", 90);
    list.SetBounds(20, 20, 320, 240);
    list.SetParent(&form);
    list.OnData = [](TObject*, TListItem& item) {
      item.Caption = L"W" + std::to_wstring(item.Index + 1);
      item.SubItems = {L"M"};
    };
    list.SetItemCount(rows);
    return list;
  }
  static void Redraw(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  // The list's client area below its rows: only background and grid lines.
  static TBitmap Below(const TListView& list, int rows) {
    // Below the header when there are no rows.
    RECT row{0, 0, 0, 30};
    if (rows > 0) ListView_GetItemRect(list.Handle(), rows - 1, &row, LVIR_BOUNDS);
    const RECT client = ClientScreenRect(list.Handle());
    return Capture(
        {client.left, client.top + row.bottom + 2, client.right - 20, client.bottom - 20});
  }
  // Columns and rows of `shot` that hold pixels away from `back`.
  static std::vector<int> LineColumns(const TBitmap& shot, TColor back) {
    std::vector<int> columns;
    for (int x = 0; x < shot.Width(); ++x) {
      int off = 0;
      for (int y = 0; y < shot.Height(); ++y) off += !Near(shot.Pixel(x, y), back, 6);
      if (off > shot.Height() * 8 / 10) columns.push_back(x);
    }
    return columns;
  }
  static std::vector<int> LineRows(const TBitmap& shot, TColor back) {
    std::vector<int> rows;
    for (int y = 0; y < shot.Height(); ++y) {
      int off = 0;
      for (int x = 0; x < shot.Width(); ++x) off += !Near(shot.Pixel(x, y), back, 6);
      if (off > shot.Width() * 8 / 10) rows.push_back(y);
    }
    return rows;
  }
};

TEST_F(ListGridTest, GridLinesAreRuledInTheSkinsContentColoursWhereTheListRulesThem) {
  // Dark, high-contrast and light skins; the last list has no rows yet.
  const struct { int skin, rows; } cases[] = {{1, 3}, {3, 3}, {2, 3}, {1, 0}};
  for (const auto& c : cases) {
    const int skin = c.skin;
    SCOPED_TRACE(std::string(kSkinFiles[skin]) + ", rows " + std::to_string(c.rows));
    TListView* list = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) { list = &List(f, c.rows); });
    TSkinData& data = DataOf(form);
    const TColor back = data.Colours().Window;
    const TColor grid = SkinGridColour(data.Colours());
    ASSERT_FALSE(Near(grid, back, 10)) << "grid lines would not show";
    Redraw(list->Handle());
    Pump(80);
    const TBitmap skinned = Below(*list, c.rows);
    SaveShot(form.Handle(), std::string("list-grid-") + kSkinFiles[skin]);

    // Where the list rules its own lines, without the skin.
    SwitchSkin(form, data, false);
    Redraw(list->Handle());
    Pump(80);
    const COLORREF own_back = ListView_GetBkColor(list->Handle());
    const TColor system_back =
        RGBColour(GetRValue(own_back), GetGValue(own_back), GetBValue(own_back));
    const TBitmap plain = Below(*list, c.rows);
    const std::vector<int> columns = LineColumns(plain, system_back);
    const std::vector<int> rows = LineRows(plain, system_back);
    ASSERT_FALSE(columns.empty()) << "the list rules no columns of its own";
    ASSERT_FALSE(rows.empty()) << "the list rules no rows of its own";

    // The skinned list ruled the same lines in the grid colour, and
    // nothing else.
    EXPECT_EQ(LineColumns(skinned, back), columns);
    for (int x : columns) EXPECT_TRUE(Near(skinned.Pixel(x, 1), grid, 8)) << "column " << x;
    const std::vector<int> ruled = LineRows(skinned, back);
    if (c.rows > 0) {
      EXPECT_EQ(ruled, rows);
    } else {
      // Without rows, lines a row's height apart (where the system starts
      // them is its own affair).
      ASSERT_GE(ruled.size(), 2u);
      EXPECT_NEAR(static_cast<double>(ruled.size()), static_cast<double>(rows.size()), 1.0);
      EXPECT_EQ(ruled[1] - ruled[0], rows[1] - rows[0]);
    }
    for (int y : ruled) EXPECT_TRUE(Near(skinned.Pixel(2, y), grid, 8)) << "row " << y;

    // On again: the skin's lines again.
    SwitchSkin(form, data, true);
    Redraw(list->Handle());
    Pump(80);
    const TBitmap again = Below(*list, c.rows);
    EXPECT_EQ(LineColumns(again, back), columns);
    form.Close();
    Pump(50);
  }
}

TEST_F(ListGridTest, AHeaderMadeAfterTheListWasSkinnedIsSkinned) {
  TListView* list = nullptr;
  TForm& form = ShowSkinned(1, [&](TForm& f) { list = &List(f, 3); });
  TSkinData& data = DataOf(form);
  // Some systems make a list's header only when the list first turns to
  // the report view: here the list's first header goes and a new one is
  // made in the list, as such a system makes it.
  DestroyWindow(ListView_GetHeader(list->Handle()));
  Pump(50);
  RECT client{};
  GetClientRect(list->Handle(), &client);
  const HWND header =
      CreateWindowExW(0, WC_HEADERW, L"", WS_CHILD | WS_VISIBLE | HDS_HORZ, 0, 0, client.right, 24,
                      list->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(header);
  HDITEMW item{};
  item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
  item.cxy = 150;
  item.fmt = HDF_LEFT | HDF_STRING;
  wchar_t text[] = L"File";
  item.pszText = text;
  SendMessageW(header, HDM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  Pump(50);
  EXPECT_EQ(SendMessageW(header, SKM_ISSKINNED, 0, 0), 1);
  Redraw(header);
  Pump(80);
  // Its section shows the Headerbar's resting cell.
  const TDataSkinObject& bar = *data.Object(ssHeaderbar);
  RECT section{};
  Header_GetItemRect(header, 0, &section);
  RECT own{};
  GetClientRect(header, &own);
  const TBitmap shot = Capture(ClientScreenRect(header));
  const TBitmap cell = RenderSkinCell(bar, section.right - section.left, own.bottom,
                                      bar.Frame > 0 ? bar.Frame : 5, 1);
  EXPECT_TRUE(Near(shot.Pixel(section.right - 8, 4), cell.Pixel(section.right - 8, 4), 6));
  SaveShot(form.Handle(), "list-late-header");
  DestroyWindow(header);
}

}  // namespace
