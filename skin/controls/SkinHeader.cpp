#include "skin/controls/SkinHeader.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

#include "skin/controls/SkinIconCaption.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"

namespace {
// The divider zone at either end of a section belongs to no section.
constexpr int kSectionInset = 3;
// Longest section text read back from the header.
constexpr int kTextLength = 200;
// A sort arrow's width and its gap to the section's end, at 96 DPI.
constexpr int kArrowWidth = 9;
constexpr int kArrowGap = 6;

int HeaderFrames(const TDataSkinObject& bar) {
  return bar.Frame > 0 ? bar.Frame : 5;
}

COLORREF Rgb(TColor colour) {
  return static_cast<COLORREF>(ColorToRGB(colour) & 0xFFFFFF);
}
}  // namespace

void TSkinHeader::InitWindow(HWND window, TSkinData& data, TWinSkinForm& form) {
  if (initialized_) return;
  hot_ = -1;
  pressed_ = -1;
  TSkinControl::InitWindow(window, data, form);
}

const TDataSkinObject* TSkinHeader::HeaderObject() const {
  const TDataSkinObject* bar = data_ ? data_->Object(ssHeaderbar) : nullptr;
  return bar && !bar->Bitmap.Empty() ? bar : nullptr;
}

bool TSkinHeader::BeforeMessage(TMessage& m) {
  // Without an image the header paints and erases itself as the system
  // would.
  if (const auto answer = PaintWholeOrPassOn(m, HeaderObject() != nullptr)) return *answer;
  return TSkinControl::BeforeMessage(m);
}

int TSkinHeader::SectionAt(POINT point) const {
  const int count = Header_GetItemCount(handle_);
  for (int i = 0; i < count; ++i) {
    RECT r{};
    if (!Header_GetItemRect(handle_, i, &r)) continue;
    r.left += kSectionInset;
    r.right -= kSectionInset;
    if (PtInRect(&r, point)) return i;
  }
  return -1;
}

void TSkinHeader::SetHot(int section) {
  if (section == hot_) return;
  hot_ = section;
  Repaint();
}

void TSkinHeader::AfterMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_MOUSEMOVE: {
      const POINT point{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
      SetHot(SectionAt(point));
      TrackMouseLeave();
      return;
    }
    case WM_MOUSELEAVE:
      pressed_ = -1;
      SetHot(-1);
      return;
    case WM_LBUTTONDOWN: {
      // A press on a divider resizes the column and holds no section down.
      const POINT point{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
      pressed_ = SectionAt(point);
      if (pressed_ >= 0) Repaint();
      return;
    }
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (pressed_ < 0) return;
      pressed_ = -1;
      Repaint();
      return;
    default:
      TSkinControl::AfterMessage(m);
  }
}

void TSkinHeader::DrawSection(const TDataSkinObject& bar, int index, const TRect& r) {
  if (r.Width() <= 0 || r.Height() <= 0) return;
  const int cell = index == pressed_ ? 3 : index == hot_ ? 2 : 1;
  const int dpi = Dpi();
  buffer_.Draw(r.left, r.top,
               RenderSkinCell(bar, r.Width(), r.Height(), HeaderFrames(bar), cell, dpi),
               bar.Trans == 1, clFuchsia);

  std::array<wchar_t, kTextLength + 1> text{};
  HDITEMW item{};
  item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
  item.pszText = text.data();
  item.cchTextMax = static_cast<int>(text.size());
  if (!SendMessageW(handle_, HDM_GETITEMW, index, reinterpret_cast<LPARAM>(&item))) return;
  text.back() = L'\0';

  // The icon is used only when the section asks for one.
  TIconCaption caption;
  caption.text = text.data();
  caption.icon = (item.fmt & (HDF_IMAGE | HDF_OWNERDRAW)) ? item.iImage : -1;
  caption.images = reinterpret_cast<HIMAGELIST>(SendMessageW(handle_, HDM_GETIMAGELIST, 0, 0));
  const int align = item.fmt & 0xFF;
  caption.align = align == HDF_CENTER ? caCentre : align == HDF_RIGHT ? caRight : caLeft;
  caption.colour =
      Rgb(IsWindowEnabled(handle_) ? bar.NormalColour2 : data_->Colours().ButtonShadow);
  caption.flags = TextFlags(0);
  TRect text_area = r;
  if (item.fmt & (HDF_SORTUP | HDF_SORTDOWN)) {
    // The sort arrow keeps the right end of the section; the text stops
    // short of it.
    const TRect arrow = SortArrowRect(r, dpi);
    DrawSortArrow(buffer_.DC(), arrow, (item.fmt & HDF_SORTUP) != 0, caption.colour);
    text_area.right = std::max(text_area.left, arrow.left - SkinScale(kArrowGap, dpi));
  }
  DrawIconCaption(buffer_.DC(), text_area, caption);
}

TRect SortArrowRect(const TRect& section, int dpi) {
  const int width = SkinScale(kArrowWidth, dpi);
  const int height = (width + 1) / 2;
  const int right = section.right - SkinScale(kArrowGap, dpi);
  const int top = section.top + (section.Height() - height) / 2;
  return {std::max(section.left, right - width), top, right, top + height};
}

void DrawSortArrow(HDC dc, const TRect& r, bool up, COLORREF colour) {
  if (r.Width() <= 0 || r.Height() <= 0) return;
  // A solid triangle, one row narrower by two pixels each row: its point
  // up for a rising order, down for a falling one.
  TOwnedBrush brush(CreateSolidBrush(colour));
  for (int row = 0; row < r.Height(); ++row) {
    const int inset = up ? r.Height() - 1 - row : row;
    RECT line{r.left + inset, r.top + row, r.right - inset, r.top + row + 1};
    if (line.right > line.left) FillRect(dc, &line, brush.Get());
  }
}

void TSkinHeader::DrawTo(HDC dc, const TRect& rect) {
  const TDataSkinObject* bar = HeaderObject();
  if (!bar || rect.Width() <= 0 || rect.Height() <= 0) return;
  if (!buffer_.SetSize(rect.Width(), rect.Height())) return;
  const TRect all = buffer_.BoundsRect();
  buffer_.Fill(all, data_->Colours().ButtonFace);
  HDC out = buffer_.DC();
  auto* own_font = reinterpret_cast<HFONT>(SendMessageW(handle_, WM_GETFONT, 0, 0));
  TSelectObject font(out, own_font ? own_font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(out, TRANSPARENT);

  int right = 0;
  const int count = Header_GetItemCount(handle_);
  for (int i = 0; i < count; ++i) {
    RECT r{};
    if (!Header_GetItemRect(handle_, i, &r)) continue;
    DrawSection(*bar, i, {r.left, all.top, r.right, all.bottom});
    right = std::max<int>(right, r.right);
  }
  // Sections that end before the right edge leave the rest of the bar in
  // the resting cell.
  if (right < all.right) {
    buffer_.Draw(
        right, 0,
        RenderSkinCell(*bar, all.right - right, all.Height(), HeaderFrames(*bar), 1, Dpi()),
        bar->Trans == 1, clFuchsia);
  }
  buffer_.CopyTo(dc, rect.left, rect.top);
}
