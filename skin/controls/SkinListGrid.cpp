// The parts of a skinned list view that follow the list after it was
// skinned: grid lines drawn in a colour of the skin's content (the list's
// own are drawn in a system colour that glares on a dark skin), and a
// header the list makes later (switched to the report view, or its first
// column inserted) that is skinned as it appears.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinScrollbar.h"
#include "skin/data/WinSkinData.h"

namespace {
// How far from the content background toward the content text the grid
// lines lie: plain to see, quieter than the text.
constexpr int kGridShare = 25;

TColor Between(TColor a, TColor b, int percent_of_b) {
  a = ColorToRGB(a);
  b = ColorToRGB(b);
  auto mix = [&](int x, int y) { return x + (y - x) * percent_of_b / 100; };
  return RGBColour(mix(RedOf(a), RedOf(b)), mix(GreenOf(a), GreenOf(b)), mix(BlueOf(a), BlueOf(b)));
}

bool IsHeader(HWND window) {
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  return lstrcmpiW(name, WC_HEADERW) == 0;
}
}  // namespace

TColor SkinGridColour(const TSkinColours& colours) {
  return Between(colours.Window, colours.WindowText, kGridShare);
}

bool TSkinListView::BeforeMessage(TMessage& m) {
  if (m.Msg == CN_NOTIFY && grid_taken_) {
    auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(m.LParam);
    if (draw && draw->hdr.hwndFrom == handle_ &&
        draw->hdr.code == static_cast<UINT>(NM_CUSTOMDRAW)) {
      if (draw->dwDrawStage == CDDS_PREPAINT) {
        CallPrevious(m);
        m.Result |= CDRF_NOTIFYPOSTPAINT;
        return false;
      }
      if (draw->dwDrawStage == CDDS_POSTPAINT) {
        CallPrevious(m);
        DrawGridLines(draw->hdc);
        return false;
      }
    }
  }
  return TSkinScrollbar::BeforeMessage(m);
}

void TSkinListView::AfterMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_PARENTNOTIFY:
      // The list made a child window: its header, when it is one.
      if (LOWORD(m.WParam) == WM_CREATE && IsHeader(reinterpret_cast<HWND>(m.LParam))) {
        AdoptHeader(reinterpret_cast<HWND>(m.LParam));
      }
      break;
    case LVM_INSERTCOLUMNW:
    case LVM_INSERTCOLUMNA:
    case LVM_SETVIEW:
    case WM_STYLECHANGED:
    case WM_PAINT:
      AdoptHeader(ListView_GetHeader(handle_));
      break;
    default:
      break;
  }
  TSkinScrollbar::AfterMessage(m);
}

void TSkinListView::AdoptHeader(HWND header) {
  if (!header || !data_ || !form_ || !IsWindow(header)) return;
  // A header whose window went (the list made a new one) is let go; the
  // list's message we are in is not one of its own.
  if (header_ && header_->LifeState() == slDestroyed) header_.reset();
  if (header_) return;
  auto object = std::make_unique<TSkinHeader>();
  try {
    object->InitWindow(header, *data_, *form_);
  } catch (...) {
    // A header that cannot be skinned keeps the system look.
    return;
  }
  header_ = std::move(object);
}

void TSkinListView::TakeGridLines() {
  if (!handle_ || !IsWindow(handle_) || !data_) return;
  const TSkinColours& colours = data_->Colours();
  const bool content = colours.Window != clWindow || colours.WindowText != clWindowText;
  if (!content) {
    GiveGridLinesBack();
    return;
  }
  if (grid_taken_) {
    InvalidateRect(handle_, nullptr, TRUE);
    return;
  }
  const auto extended = static_cast<DWORD>(ListView_GetExtendedListViewStyle(handle_));
  if (!(extended & LVS_EX_GRIDLINES)) return;
  // The list stops drawing its own lines; ours are drawn after each paint.
  grid_taken_ = true;
  ListView_SetExtendedListViewStyleEx(handle_, LVS_EX_GRIDLINES, 0);
  InvalidateRect(handle_, nullptr, TRUE);
}

void TSkinListView::GiveGridLinesBack() {
  if (!grid_taken_) return;
  grid_taken_ = false;
  if (!handle_ || !IsWindow(handle_)) return;
  ListView_SetExtendedListViewStyleEx(handle_, LVS_EX_GRIDLINES, LVS_EX_GRIDLINES);
  InvalidateRect(handle_, nullptr, TRUE);
}

void TSkinListView::DrawGridLines(HDC dc) const {
  if (!dc || !data_) return;
  if ((GetWindowLongPtrW(handle_, GWL_STYLE) & LVS_TYPEMASK) != LVS_REPORT) return;
  RECT client{};
  GetClientRect(handle_, &client);
  // Rows start below the header.
  int top = client.top;
  HWND header = ListView_GetHeader(handle_);
  if (header && IsWindowVisible(header)) {
    RECT h{};
    GetWindowRect(header, &h);
    MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&h), 2);
    top = std::max<int>(top, h.bottom);
  }
  TOwnedPen pen(CreatePen(
      PS_SOLID, 1, static_cast<COLORREF>(ColorToRGB(SkinGridColour(data_->Colours())) & 0xFFFFFF)));
  TSelectObject use(dc, pen.Get());
  // A line under each row, down to the bottom of the list (rows not yet
  // there are ruled too).
  int first_bottom = 0, height = 0;
  RECT row{};
  if (ListView_GetItemCount(handle_) > 0 &&
      ListView_GetItemRect(handle_, ListView_GetTopIndex(handle_), &row, LVIR_BOUNDS)) {
    first_bottom = row.bottom;
    height = row.bottom - row.top;
  } else {
    // No row to measure: a row is as high as the list's font, or its small
    // icons when they are higher, and a pixel.
    TEXTMETRICW metrics{};
    {
      auto* font = reinterpret_cast<HFONT>(SendMessageW(handle_, WM_GETFONT, 0, 0));
      TSelectObject use_font(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
      GetTextMetricsW(dc, &metrics);
    }
    int icon_width = 0, icon_height = 0;
    if (HIMAGELIST icons = ListView_GetImageList(handle_, LVSIL_SMALL)) {
      ImageList_GetIconSize(icons, &icon_width, &icon_height);
    }
    height = std::max<int>(metrics.tmHeight, icon_height) + 1;
    first_bottom = top + height;
  }
  for (int y = first_bottom - 1; height > 0 && y < client.bottom; y += height) {
    if (y < top) continue;
    MoveToEx(dc, client.left, y, nullptr);
    LineTo(dc, client.right, y);
  }
  // A line at the right end of each column.
  if (!header) return;
  const int columns = Header_GetItemCount(header);
  for (int i = 0; i < columns; ++i) {
    RECT column{};
    if (!Header_GetItemRect(header, i, &column)) continue;
    MapWindowPoints(header, handle_, reinterpret_cast<POINT*>(&column), 2);
    const int x = column.right;
    if (x < client.left || x >= client.right) continue;
    MoveToEx(dc, x, top, nullptr);
    LineTo(dc, x, client.bottom);
  }
}
