#include "skin/controls/SkinTab.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

#include "framework/PageControl.h"
#include "framework/StringList.h"
#include "skin/controls/SkinIconCaption.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/data/SkinManage.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinWindowMessages.h"
#include "skin/form/WinSkinForm.h"
#include "skin/packages/ImgUtil.h"

namespace {
// Longest tab text read back from the control.
constexpr int kTabTextLength = 80;
// The close box: a square of this size, this far from the tab's top right
// corner; the caption keeps clear of it (96-DPI pixels).
constexpr int kCloseBoxSize = 7;
constexpr int kCloseBoxInset = 2;
constexpr int kCloseBoxRoom = 10;
// How far the system's page frame reaches out of its display area.
constexpr int kSystemFrameReach = 4;
// The system's padding of a tab's caption, across and along.
constexpr int kSystemPaddingX = 6;
constexpr int kSystemPaddingY = 3;
// What the system adds to the font's height in a tab's thickness besides
// that padding.
constexpr int kSystemTextRoom = 2;
// Pixels (96 DPI) a caption's ink keeps clear of the tab cell's edges.
constexpr int kCaptionClearance = 1;
// Sent to child windows after their parent moved to another DPI (newer
// than the headers' Windows version).
constexpr UINT kDpiChangedAfterParent = 0x02E3;
// Cells of the Tabs strip beyond the two every skin has.
constexpr int kTabCellHot = 3;
constexpr int kTabCellDisabled = 4;
constexpr int kTabCellFocused = 5;

COLORREF Rgb(TColor colour) {
  return static_cast<COLORREF>(ColorToRGB(colour) & 0xFFFFFF);
}

int FramesOf(const TDataSkinObject& object, int fallback) {
  return object.Frame > 0 ? object.Frame : fallback;
}

TSkinMargins MarginsOf(const TDataSkinObject& object) {
  return {object.LeftWidth, object.TopHeight, object.RightWidth, object.BottomHeight};
}

// The margins of an image turned the way the tabs' side turns it.
TSkinMargins TurnMargins(TSkinMargins m, TTabSide side) {
  switch (side) {
    case tsBottom:
      return {m.left, m.bottom, m.right, m.top};
    case tsLeft:  // a quarter turn counter-clockwise: the top edge goes left
      return {m.top, m.right, m.bottom, m.left};
    case tsRight:  // clockwise: the top edge goes right
      return {m.bottom, m.left, m.top, m.right};
    default:
      return m;
  }
}

// An "x" in a square: the square's outline and both diagonals, lines
// `thickness` pixels wide, all inside `box`.
void DrawCloseBox(HDC dc, const TRect& box, int thickness, COLORREF colour) {
  TOwnedBrush brush(CreateSolidBrush(colour));
  const int t = std::min(thickness, std::max(1, box.Width() / 3));
  const RECT edges[] = {{box.left, box.top, box.right, box.top + t},
                        {box.left, box.bottom - t, box.right, box.bottom},
                        {box.left, box.top, box.left + t, box.bottom},
                        {box.right - t, box.top, box.right, box.bottom}};
  for (const RECT& e : edges) FillRect(dc, &e, brush.Get());
  // The diagonals as runs of t x t squares, one per pixel step.
  const int n = box.Width() - t;
  for (int i = 0; i <= n; ++i) {
    const RECT down{box.left + i, box.top + i, box.left + i + t, box.top + i + t};
    const RECT up{box.right - t - i, box.top + i, box.right - i, box.top + i + t};
    FillRect(dc, &down, brush.Get());
    FillRect(dc, &up, brush.Get());
  }
}

// How deep a tab cell's edges reach across the tab (the skin's margins at
// the DPI): on the side away from the page, where the outline stands, and
// on the page's side.
struct TTabEdges {
  int outer = 0;
  int inner = 0;
};

TTabEdges EdgesOf(const TDataSkinObject& tabs, int dpi) {
  return {SkinScale(std::max(tabs.TopHeight, 0), dpi),
          SkinScale(std::max(tabs.BottomHeight, 0), dpi)};
}

TTabTextCell TextCellOf(HDC dc) {
  TEXTMETRICW tm{};
  if (!GetTextMetricsW(dc, &tm)) return {};
  return {static_cast<int>(tm.tmHeight), static_cast<int>(tm.tmInternalLeading)};
}

// How thick a tab has to be for a caption in `cell` to keep the scaled
// clearance from both edges.
int ThicknessFor(const TTabEdges& edges, const TTabTextCell& cell, int dpi) {
  return edges.outer + edges.inner + (cell.height - cell.leading) +
         2 * SkinScale(kCaptionClearance, dpi);
}

TBitmap PixelsOf(TBackBuffer& buffer) {
  TBitmap out(buffer.Width(), buffer.Height());
  const auto pixels = buffer.Pixels();
  for (int y = 0; y < buffer.Height(); ++y) {
    std::copy_n(pixels.data() + static_cast<size_t>(y) * buffer.Width(), buffer.Width(),
                out.ScanLine(y));
  }
  return out;
}
}  // namespace

TTabSide TabSideOf(DWORD style) {
  const bool bottom = (style & TCS_BOTTOM) != 0;
  const bool vertical = (style & TCS_VERTICAL) != 0;
  if (bottom && vertical) return tsRight;
  if (bottom) return tsBottom;
  if (vertical) return tsLeft;
  return tsTop;
}

// --- what both classes share -----------------------------------------------------

void TSkinTabBase::FindScroller() {
  if (scroller_window_ || !form_ || !data_ || !handle_) return;
  const HWND found = UpDownChildOf(handle_);
  if (!found) return;
  scroller_window_ = found;
  if (Scroller()) return;  // skinned already
  TSkinControl* added = form_->AddControl(std::make_unique<TSkinUpDown>());
  // Its cells are drawn at the tab control's DPI, which hears of a change
  // before the scroller's own window may show it.
  if (control_) added->FollowDpiOf(*control_);
  try {
    added->InitWindow(found, *data_, *form_);
  } catch (...) {
    // A scroller that cannot be skinned keeps its own look.
    form_->RemoveControl(added);
  }
}

TSkinUpDown* TSkinTabBase::Scroller() const {
  if (!scroller_window_ || !form_) return nullptr;
  for (const auto& object : form_->Controls()) {
    if (object->Handle() == scroller_window_ && object->LifeState() == slAttached) {
      return dynamic_cast<TSkinUpDown*>(object.get());
    }
  }
  return nullptr;
}

bool TSkinTabBase::ScrollerVisible() const {
  return scroller_window_ && IsWindow(scroller_window_) && IsWindowVisible(scroller_window_);
}

POINT TSkinTabBase::MessagePoint(const TMessage& m) {
  return {static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
}

bool TSkinTabBase::ReadTab(int index, std::wstring& text, int& image) const {
  TCITEMW item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
  image = -1;
  if (IsWindowUnicode(handle_)) {
    std::array<wchar_t, kTabTextLength + 1> buffer{};
    item.pszText = buffer.data();
    item.cchTextMax = kTabTextLength;
    if (!SendMessageW(handle_, TCM_GETITEMW, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&item))) {
      return false;
    }
    buffer.back() = L'\0';
    text = item.pszText ? item.pszText : L"";
  } else {
    std::array<char, kTabTextLength + 1> buffer{};
    TCITEMA narrow{};
    narrow.mask = item.mask;
    narrow.pszText = buffer.data();
    narrow.cchTextMax = kTabTextLength;
    if (!SendMessageA(handle_, TCM_GETITEMA, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&narrow))) {
      return false;
    }
    buffer.back() = '\0';
    const char* source = narrow.pszText ? narrow.pszText : "";
    const int n = MultiByteToWideChar(CP_ACP, 0, source, -1, nullptr, 0);
    text.assign(static_cast<size_t>(std::max(n, 1)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, source, -1, text.data(), n);
    text.resize(text.size() - 1);
    item.iImage = narrow.iImage;
  }
  image = item.iImage;
  return true;
}

RECT TSkinTabBase::DisplayArea(const TRect& rect, int reach) const {
  RECT d{rect.left, rect.top, rect.right, rect.bottom};
  SendMessageW(handle_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&d));
  InflateRect(&d, reach, reach);
  return d;
}

void TSkinTabBase::CopyAroundScroller(HDC dc, const TRect& rect) {
  const int saved = SaveDC(dc);
  if (ScrollerVisible()) {
    RECT r{};
    GetWindowRect(scroller_window_, &r);
    MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&r), 2);
    ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
  }
  buffer_.CopyTo(dc, rect.left, rect.top);
  RestoreDC(dc, saved);
}

void TSkinTabBase::DrawFocusFrame(HDC dc, const RECT& r, COLORREF colour) {
  if (r.right - r.left < 2 || r.bottom - r.top < 2) return;
  // Every other pixel in the caption's own colour, so it reads wherever
  // the caption does.
  for (LONG x = r.left; x < r.right; x += 2) {
    SetPixel(dc, x, r.top, colour);
    SetPixel(dc, x, r.bottom - 1, colour);
  }
  for (LONG y = r.top; y < r.bottom; y += 2) {
    SetPixel(dc, r.left, y, colour);
    SetPixel(dc, r.right - 1, y, colour);
  }
}

bool TSkinTabBase::ShowsFocus() const {
  return GetFocus() == handle_ && ShowFocusCues();
}

// --- tabs -------------------------------------------------------------------------

void TSkinTab::InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                           bool change_colour) {
  if (initialized_) return;
  TSkinControl::InitControl(control, form, data, change_colour);
  // Close boxes sit in tabs along the top of a page control that asks for
  // them (in the other positions the tabs are turned and the boxes would
  // be too).
  auto* pages = dynamic_cast<TPageControl*>(&control);
  close_boxes_ = pages && control.Tag() == kCloseBoxTag && pages->TabPosition() == tpTop;
  Prepare();
}

void TSkinTab::PadTabs(bool font_changed) {
  if (!handle_) return;
  const int dpi = Dpi();
  // The system pads each side of a caption by a fixed count of pixels: at
  // higher DPIs by the scaled count, and with close boxes by enough more
  // that the caption still fits beside the box.
  int across = SkinScale(kSystemPaddingX, dpi);
  if (close_boxes_) across = std::max(across, (SkinScale(kCloseBoxRoom, dpi) + 3) / 2);
  // Across the tab the system adds fixed pixels to the font's height, too
  // few at higher DPIs and for a skin with deep edges: the tab is made as
  // thick as the 96-DPI one scaled, and at least as thick as the skin's
  // edges and the caption's ink with the clearance on both sides.
  const int thickness = NeededThickness();
  const TTabTextCell cell = FontCell();
  int down = SkinScale(kSystemPaddingY + kSystemTextRoom, dpi) - kSystemTextRoom;
  down = std::max(down, thickness - cell.height - kSystemTextRoom);
  const POINT want{across, down};
  const POINT system{kSystemPaddingX, kSystemPaddingY};
  if (!padded_ && want.x == system.x && want.y == system.y) return;
  // A new font is measured afresh: what the system adds to its height may
  // differ from what it added to the old one's.
  if (padded_ && !font_changed && want.x == asked_.x && want.y == asked_.y) return;
  padded_ = true;
  asked_ = want;
  SetPadding(want.x, want.y);
  // Another system may add other pixels to the font's height: what the
  // first tab measures now is made up once.
  const int short_by = thickness - TabThickness();
  if (short_by > 0 && short_by < thickness) SetPadding(want.x, want.y + short_by);
}

int TSkinTab::NeededThickness() const {
  const TDataSkinObject* tabs = TabsObject();
  if (!tabs) return 0;
  return ThicknessFor(EdgesOf(*tabs, Dpi()), FontCell(), Dpi());
}

TTabTextCell TSkinTab::FontCell() const {
  TWindowDC dc(handle_);
  if (!dc.Get()) return {};
  auto* own_font = reinterpret_cast<HFONT>(SendMessageW(handle_, WM_GETFONT, 0, 0));
  TSelectObject font(dc.Get(), own_font ? own_font : GetStockObject(DEFAULT_GUI_FONT));
  return TextCellOf(dc.Get());
}

int TSkinTab::TabThickness() const {
  RECT r{};
  if (SendMessageW(handle_, TCM_GETITEMCOUNT, 0, 0) <= 0 ||
      !SendMessageW(handle_, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r))) {
    return 0;
  }
  return side_ == tsTop || side_ == tsBottom ? r.bottom - r.top : r.right - r.left;
}

void TSkinTab::SetPadding(int across, int down) {
  SendMessageW(handle_, TCM_SETPADDING, 0, MAKELPARAM(across, down));
  // The control lays its tabs out again when told its font; that telling
  // is ours, not a program's change of font.
  const LRESULT font = SendMessageW(handle_, WM_GETFONT, 0, 0);
  const bool was_padding = padding_;
  padding_ = true;
  // Tabs of another thickness leave another display area: the framework's
  // tab control places its pages there again after every font it is told.
  SendMessageW(handle_, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
  padding_ = was_padding;
}

void TSkinTab::Restore() {
  if (padded_ && handle_ && IsWindow(handle_)) {
    padded_ = false;
    SetPadding(kSystemPaddingX, kSystemPaddingY);
  }
  // The pages go back to the system's display area.
  reach_on_ = false;
  FollowReach();
  hot_ = -1;
  TSkinControl::Restore();
}

void TSkinTab::InitWindow(HWND window, TSkinData& data, TWinSkinForm& form) {
  if (initialized_) return;
  TSkinControl::InitWindow(window, data, form);
  focused_ = GetFocus() == window;
  Prepare();
}

void TSkinTab::Prepare() {
  enabled_ = !(Style() & WS_DISABLED);
  PrepareImages();
  PadTabs();
  reach_on_ = true;
  FollowReach();
  FindScroller();
  Repaint();
}

void TSkinTab::SkinChanged() {
  TSkinControl::SkinChanged();
  PrepareImages();
  PadTabs();
  FollowReach();
  Repaint();
}

int TSkinTab::ExtraReach() const {
  if (!reach_on_ || pane_image_.Empty() || !handle_) return 0;
  return std::max(0, SkinScale(kSystemFrameReach, Dpi()) - kSystemFrameReach);
}

int TSkinTab::FrameReach() const {
  return kSystemFrameReach + ExtraReach();
}

void TSkinTab::FollowReach() {
  const int extra = ExtraReach();
  if (extra == laid_out_extra_) return;
  laid_out_extra_ = extra;
  LayOutPages();
}

void TSkinTab::LayOutPages() {
  if (!handle_ || !IsWindow(handle_)) return;
  // Controls place their pages and aligned children from the display area
  // they answer when they are sized: the same size again has them placed
  // anew.
  RECT client{};
  GetClientRect(handle_, &client);
  SendMessageW(handle_, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

const TDataSkinObject* TSkinTab::TabsObject() const {
  const TDataSkinObject* tabs = data_ ? data_->Object(ssTabs) : nullptr;
  return tabs && !tabs->Bitmap.Empty() ? tabs : nullptr;
}

void TSkinTab::PrepareImages() {
  side_ = TabSideOf(Style());
  cells_.Clear();
  tab_image_.Clear();
  pane_image_.Clear();
  if (!data_) return;
  const TDataSkinObject* tabs = data_->Object(ssTabs);
  if (tabs && !tabs->Bitmap.Empty()) tab_image_ = tabs->Bitmap;
  const auto* border = dynamic_cast<const TDataSkinBorder*>(tabs);
  if (tabs && tabs->Style == 0) {
    if (border && !border->Bitmap2.Empty()) pane_image_ = border->Bitmap2;
  } else if (const TDataSkinObject* pane = data_->Object(ssTabPane)) {
    pane_image_ = pane->Bitmap;
  }
  tab_image_.SetBitCount(24);
  pane_image_.SetBitCount(24);
  if (side_ == tsBottom) {
    if (!tab_image_.Empty()) FlipBitmap(tab_image_);
    if (!pane_image_.Empty()) FlipBitmap(pane_image_);
  } else if (side_ == tsLeft && !pane_image_.Empty()) {
    RotateBitmapLeft(pane_image_);
  } else if (side_ == tsRight && !pane_image_.Empty()) {
    RotateBitmapRight(pane_image_);
  }
}

TSkinMargins TSkinTab::PaneMargins() const {
  const TDataSkinObject* tabs = data_ ? data_->Object(ssTabs) : nullptr;
  TSkinMargins m{4, 5, 4, 4};
  if (!tabs || tabs->Style != 0) {
    if (const TDataSkinObject* pane = data_ ? data_->Object(ssTabPane) : nullptr) {
      m = MarginsOf(*pane);
    }
  }
  return TurnMargins(m, side_);
}

bool TSkinTab::BeforeMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      // Without a Tabs image the control draws its own tabs, and the page
      // frame is drawn over afterwards.
      if (tab_image_.Empty()) return true;
      PaintMessage(m);
      return false;
    case WM_ERASEBKGND:
      if (tab_image_.Empty()) return true;
      m.Result = 1;
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // a second quick click on a box is a click too
      if (close_boxes_ && CloseBoxClick(MessagePoint(m))) {
        m.Result = 0;
        return false;
      }
      break;
    default:
      break;
  }
  return TSkinControl::BeforeMessage(m);
}

void TSkinTab::AfterMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_MOUSEMOVE:
      FollowMouse(m);
      break;
    case WM_MOUSELEAVE:
      if (hot_ != -1) {
        hot_ = -1;
        Repaint();
      }
      break;
    case TCM_SETCURSEL:
    case TCM_DELETEITEM:
    case TCM_DELETEALLITEMS:
    case TCM_INSERTITEMW:
    case TCM_INSERTITEMA:
      // The tabs moved or the selection did: the lit tab is found again
      // when the mouse next moves.
      hot_ = -1;
      break;
    case TCM_ADJUSTRECT:
      // The display area set in (or, asked the other way, the window grown)
      // by what the scaled frame needs beyond the system's band. Whoever
      // lays the pages out asks this, so it is what they were placed by.
      if (m.LParam) {
        const int extra = ExtraReach();
        laid_out_extra_ = extra;
        const int by = m.WParam ? extra : -extra;
        InflateRect(reinterpret_cast<RECT*>(m.LParam), by, by);
      }
      break;
    case kDpiChangedAfterParent:
      PadTabs();
      FollowReach();
      break;
    case WM_SETFONT:
      // A program gave the control another font: the tabs are padded for
      // its caption (the control has placed its pages for the font itself,
      // and does again after the padding's own font message).
      if (!padding_) PadTabs(true);
      break;
    default:
      break;
  }
  TSkinControl::AfterMessage(m);
}

void TSkinTab::FollowMouse(const TMessage& m) {
  if (tab_image_.Empty() || !handle_) return;
  TCHITTESTINFO hit{};
  hit.pt = MessagePoint(m);
  int index =
      static_cast<int>(SendMessageW(handle_, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (!IsWindowEnabled(handle_)) index = -1;
  if (index != -1) TrackMouseLeave();
  if (index == hot_) return;
  hot_ = index;
  Repaint();
}

bool TSkinTab::CloseBoxClick(POINT p) {
  const auto hit = std::find_if(close_rects_.begin(), close_rects_.end(),
                                [&](const RECT& r) { return PtInRect(&r, p) != FALSE; });
  if (hit == close_rects_.end()) return false;
  const int index = static_cast<int>(hit - close_rects_.begin());
  const auto alive = AliveToken();
  HWND form_window = form_ && form_->Handle() ? form_->Handle() : GetAncestor(handle_, GA_ROOT);
  // The form may keep the page (a non-zero answer), or end this very
  // control while it decides: then nothing of us is touched any more.
  const LRESULT keep = SendMessageW(form_window, SKM_CLOSETAB, reinterpret_cast<WPARAM>(handle_),
                                    static_cast<LPARAM>(index));
  if (!*alive) return true;
  if (keep == 0) {
    if (auto* pages = dynamic_cast<TPageControl*>(control_)) pages->ClosePage(index);
  }
  return true;
}

void TSkinTab::DrawTab(int index, const RECT& r, int selected, bool focused, HIMAGELIST images) {
  const TDataSkinObject& tabs = *TabsObject();
  const int frames = FramesOf(tabs, 5);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
  const int dpi = Dpi();
  int cell = index == selected ? 2 : 1;
  if (cell == 2 && focused && frames >= kTabCellFocused) cell = kTabCellFocused;
  if (cell == 1 && !enabled_ && frames >= kTabCellDisabled) cell = kTabCellDisabled;
  if (cell == 1 && index == hot_ && frames >= kTabCellHot) cell = kTabCellHot;
  const TSkinMargins margins = TurnMargins(MarginsOf(tabs), side_ == tsBottom ? tsBottom : tsTop);
  strip_.Draw(r.left, r.top,
              cells_.Cell(tab_image_, margins, tabs.Tile == 1, frames, cell, w, h, dpi),
              tabs.Trans == 1, clFuchsia);

  TIconCaption caption;
  int image = -1;
  if (!ReadTab(index, caption.text, image)) return;
  caption.images = images;
  caption.icon = image;
  caption.colour = Rgb(!enabled_           ? data_->Colours().ButtonShadow
                       : index == selected ? tabs.MouseOverColour2
                                           : tabs.NormalColour2);
  caption.flags = TextFlags(ShowAccelerators() ? 0 : DT_HIDEPREFIX);
  caption.dpi = dpi;
  HDC dc = strip_.DC();
  TRect text_area{r.left, r.top, r.right, r.bottom};
  // Across the tab the caption's ink (the text cell below its leading) is
  // centred between the cell's edges, which differ in depth: the outline
  // side lies away from the page, below the tab for tabs at the bottom
  // (their cell is flipped) and above it in the strip for all others.
  const TTabEdges edges = EdgesOf(tabs, dpi);
  const TTabTextCell cell_text = TextCellOf(dc);
  const int above = side_ == tsBottom ? edges.inner : edges.outer;
  const int below = side_ == tsBottom ? edges.outer : edges.inner;
  if (h - above - below >= cell_text.height - cell_text.leading) {
    text_area.top = r.top + above - cell_text.leading;
    text_area.bottom = r.bottom - below;
  }
  if (close_boxes_) {
    // An "x" in a box near the tab's top right corner, in the caption's
    // colour; the box is where a click closes the page.
    const int size = SkinScale(kCloseBoxSize, dpi), inset = SkinScale(kCloseBoxInset, dpi);
    const TRect box{r.right - inset - size, r.top + inset, r.right - inset, r.top + inset + size};
    DrawCloseBox(dc, box, std::max(1, SkinScale(1, dpi)), caption.colour);
    if (index < static_cast<int>(close_rects_.size())) {
      close_rects_[static_cast<size_t>(index)] = RECT{box.left, box.top, box.right, box.bottom};
    }
    text_area.right = std::max(text_area.left, text_area.right - SkinScale(kCloseBoxRoom, dpi));
  }
  RECT placed = DrawIconCaption(dc, text_area, caption);
  if (index == selected && focused && ShowFocusCues() && placed.right > placed.left) {
    InflateRect(&placed, SkinScale(2, dpi), SkinScale(1, dpi));
    IntersectRect(&placed, &placed, &r);
    DrawFocusFrame(dc, placed, caption.colour);
  }
}

void TSkinTab::DrawStrip(const TRect& area, const RECT& display, const TRect& rect) {
  const bool upright = side_ == tsTop || side_ == tsBottom;
  const int length = upright ? area.Width() : area.Height();
  const int thickness = upright ? area.Height() : area.Width();
  if (length <= 0 || thickness <= 0 || !strip_.SetSize(length, thickness)) return;
  FillParentColor(strip_.DC(), strip_.BoundsRect());
  HDC dc = strip_.DC();
  auto* own_font = reinterpret_cast<HFONT>(SendMessageW(handle_, WM_GETFONT, 0, 0));
  TSelectObject font(dc, own_font ? own_font : GetStockObject(DEFAULT_GUI_FONT));

  const int count = static_cast<int>(SendMessageW(handle_, TCM_GETITEMCOUNT, 0, 0));
  const int selected = static_cast<int>(SendMessageW(handle_, TCM_GETCURSEL, 0, 0));
  auto* images = reinterpret_cast<HIMAGELIST>(SendMessageW(handle_, TCM_GETIMAGELIST, 0, 0));
  const bool focused = GetFocus() == handle_;
  // The selected tab last, so it lies over its neighbours.
  std::vector<int> order;
  for (int i = 0; i < count; ++i) {
    if (i != selected) order.push_back(i);
  }
  if (selected >= 0 && selected < count) order.push_back(selected);
  for (const int i : order) {
    RECT item{};
    if (!SendMessageW(handle_, TCM_GETITEMRECT, static_cast<WPARAM>(i),
                      reinterpret_cast<LPARAM>(&item))) {
      continue;
    }
    RECT r = item;
    switch (side_) {
      case tsTop:
        OffsetRect(&r, 0, 1);
        break;
      case tsBottom:
        OffsetRect(&r, 0, -(display.bottom + 1));
        break;
      case tsLeft:
        r = {length - item.bottom, item.left, length - item.top, item.right};
        break;
      case tsRight:
        r = {item.top, rect.right - item.right, item.bottom, rect.right - item.left};
        break;
    }
    DrawTab(i, r, selected, focused, images);
  }
  TBitmap turned = PixelsOf(strip_);
  if (side_ == tsLeft) RotateBitmapLeft(turned);
  if (side_ == tsRight) RotateBitmapRight(turned);
  buffer_.Draw(area.left, area.top, turned);
}

void TSkinTab::DrawTo(HDC dc, const TRect& rect) {
  if (!data_ || rect.Width() <= 0 || rect.Height() <= 0) return;
  FindScroller();
  enabled_ = !(Style() & WS_DISABLED);
  RECT d = DisplayArea(rect, FrameReach());
  switch (side_) {
    case tsTop:
      d.top += 1;
      break;
    case tsBottom:
      d.bottom -= 1;
      break;
    case tsLeft:
      d.left += 1;
      break;
    case tsRight:
      d.right -= 1;
      break;
  }
  const int count = static_cast<int>(SendMessageW(handle_, TCM_GETITEMCOUNT, 0, 0));
  close_rects_.assign(static_cast<size_t>(std::max(count, 0)), RECT{});
  const TRect frame{d.left, d.top, d.right, d.bottom};

  const TBitmap* pane = nullptr;
  if (!pane_image_.Empty() && frame.Width() > 0 && frame.Height() > 0) {
    pane =
        &cells_.Cell(pane_image_, PaneMargins(), false, 1, 1, frame.Width(), frame.Height(), Dpi());
  }
  if (tab_image_.Empty()) {
    // The control drew its own tabs: only the page frame goes over.
    if (!pane || pane->Empty() || !buffer_.SetSize(pane->Width(), pane->Height())) return;
    buffer_.Draw(0, 0, *pane);
    buffer_.CopyTo(dc, frame.left, frame.top);
    return;
  }
  if (!buffer_.SetSize(rect.Width(), rect.Height())) return;
  FillParentColor(buffer_.DC(), buffer_.BoundsRect());
  TRect strip;
  switch (side_) {
    case tsTop:
      strip = {rect.left, rect.top, rect.right, d.top};
      break;
    case tsBottom:
      strip = {rect.left, d.bottom, rect.right, rect.bottom};
      break;
    case tsLeft:
      strip = {rect.left, rect.top, d.left, rect.bottom};
      break;
    case tsRight:
      strip = {d.right, rect.top, rect.right, rect.bottom};
      break;
  }
  DrawStrip(strip, d, rect);
  if (pane && !pane->Empty()) buffer_.Draw(frame.left, frame.top, *pane);
  CopyAroundScroller(dc, rect);
  // A tab control's windowless children go over its frame.
  if (mode_ == 2 && control_) control_->PaintControls(dc);
}

// --- button tabs ----------------------------------------------------------------

void TSkinTabBtn::InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                              bool change_colour) {
  if (initialized_) return;
  TSkinControl::InitControl(control, form, data, change_colour);
  FindScroller();
  Repaint();
}

void TSkinTabBtn::InitWindow(HWND window, TSkinData& data, TWinSkinForm& form) {
  if (initialized_) return;
  TSkinControl::InitWindow(window, data, form);
  FindScroller();
  Repaint();
}

bool TSkinTabBtn::BeforeMessage(TMessage& m) {
  if (const auto answer = PaintWholeOrPassOn(m, data_ && !data_->Buttons().Bitmap.Empty())) {
    return *answer;
  }
  return TSkinControl::BeforeMessage(m);
}

void TSkinTabBtn::DrawTo(HDC dc, const TRect& rect) {
  if (!data_ || data_->Buttons().Bitmap.Empty() || rect.Width() <= 0 || rect.Height() <= 0) return;
  const TDataSkinButton* buttons = &data_->Buttons();
  FindScroller();
  enabled_ = !(Style() & WS_DISABLED);
  if (!buffer_.SetSize(rect.Width(), rect.Height())) return;
  FillSkinColor(buffer_.DC(), buffer_.BoundsRect());
  HDC out = buffer_.DC();
  auto* own_font = reinterpret_cast<HFONT>(SendMessageW(handle_, WM_GETFONT, 0, 0));
  TSelectObject font(out, own_font ? own_font : GetStockObject(DEFAULT_GUI_FONT));
  const int frames = FramesOf(*buttons, 5);
  const int dpi = Dpi();
  const int count = static_cast<int>(SendMessageW(handle_, TCM_GETITEMCOUNT, 0, 0));
  const int selected = static_cast<int>(SendMessageW(handle_, TCM_GETCURSEL, 0, 0));
  auto* images = reinterpret_cast<HIMAGELIST>(SendMessageW(handle_, TCM_GETIMAGELIST, 0, 0));
  for (int i = 0; i < count; ++i) {
    RECT r{};
    if (!SendMessageW(handle_, TCM_GETITEMRECT, static_cast<WPARAM>(i),
                      reinterpret_cast<LPARAM>(&r))) {
      continue;
    }
    OffsetRect(&r, 0, 1);
    const TRect cell_rect{r.left, r.top, r.right, r.bottom};
    const int cell = i == selected ? 2 : 1;
    DrawSkinState(buffer_, cell_rect, frames, cell, *buttons, dpi);
    TIconCaption caption;
    int image = -1;
    if (!ReadTab(i, caption.text, image)) continue;
    caption.images = images;
    caption.icon = image;
    TColor colour = data_->Colours().ButtonText;
    if (cell == 1 && buttons->HasNormalColour2) colour = buttons->NormalColour2;
    if (cell == 2 && buttons->HasPressedColour2) colour = buttons->PressedColour2;
    if (!enabled_) colour = data_->Colours().ButtonShadow;
    caption.colour = Rgb(colour);
    caption.flags = TextFlags(ShowAccelerators() ? 0 : DT_HIDEPREFIX);
    caption.dpi = dpi;
    RECT placed = DrawIconCaption(out, cell_rect, caption);
    if (i == selected && ShowsFocus() && placed.right > placed.left) {
      InflateRect(&placed, SkinScale(2, dpi), SkinScale(1, dpi));
      IntersectRect(&placed, &placed, &r);
      DrawFocusFrame(out, placed, caption.colour);
    }
  }
  CopyAroundScroller(dc, rect);
  if (mode_ == 2 && control_) control_->PaintControls(dc);
}
