#include "skin/controls/SkinEdit.h"

#include <algorithm>
#include <memory>
#include <string>

#include "framework/Dpi.h"
#include "framework/GdiObjects.h"
#include "framework/StringList.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/data/SkinManage.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinWindowMessages.h"
#include "skin/form/WinSkinForm.h"

namespace {
// The mark that SKM_PAINTCLIENT carries in lParam and gives back.
constexpr LPARAM kPaintClientMark = 0x41A2;
// Cells of the SunkEdge strip.
constexpr int kEdgeNormal = 1;
constexpr int kEdgeDisabled = 3;
constexpr int kEdgeFocused = 4;
// Sent to child windows after their parent moved to another DPI (newer
// than the headers' Windows version).
constexpr UINT kDpiChangedAfterParent = 0x02E3;
// A sunken edge's width and the gap between it and the text, in 96-DPI
// pixels: the text starts this far in from the edit's edge at any DPI.
constexpr int kEdgeWidth = 2;
constexpr int kTextGap = 2;
// The row the edit leaves between its text area's top and its line (with
// a sunken edge of its own).
constexpr int kLineGap = 1;

bool IsSpinClass(HWND window) {
  const std::string name = AsciiLower(WindowClassName(window));
  return name == "msctls_updown32" || name.find("spin") != std::string::npos ||
         name.find("updown") != std::string::npos;
}
}  // namespace

// --- attaching ----------------------------------------------------------------

void TSkinEdit::InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                            bool change_colour) {
  if (initialized_) return;
  TSkinControl::InitControl(control, form, data, change_colour);
  FindSpin();
  FitMargins();
  Reframe();
  // The border is drawn with the frame: have it drawn again now.
  RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void TSkinEdit::InitWindow(HWND window, TSkinData& data, TWinSkinForm& form) {
  if (initialized_) return;
  TSkinControl::InitWindow(window, data, form);
  FindSpin();
  FitMargins();
  Reframe();
  RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void TSkinEdit::Restore() {
  if (handle_ && IsWindow(handle_) && life_ != slDestroyed) GiveMarginsBack();
  const bool framed = framed_;
  framed_ = false;
  // Restore comes while this object still sees the edit's messages: the
  // text area worked out below is the system's.
  given_back_ = true;
  TSkinControl::Restore();
  // The system's own text area, now that no one sets it in.
  if (framed && handle_ && IsWindow(handle_) && life_ != slDestroyed) FrameChanged();
  // The system's border and colours come back with the next paint, which
  // no longer reaches this object.
  if (handle_ && IsWindow(handle_) && life_ != slDestroyed) {
    RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  }
}

void TSkinEdit::SkinChanged() {
  TSkinControl::SkinChanged();
  // A skin without the edge image leaves the border, and the margins, to
  // the system.
  FitMargins();
  Reframe();
}

// --- text margins ---------------------------------------------------------------

void TSkinEdit::FitMargins() {
  if (!handle_ || !IsWindow(handle_)) return;
  if (!SkinsBorder()) {
    GiveMarginsBack();
    return;
  }
  const auto read = [this] {
    const auto m = static_cast<DWORD>(SendMessageW(handle_, EM_GETMARGINS, 0, 0));
    return TMargins{LOWORD(m), HIWORD(m)};
  };
  if (!set_margins_) own_margins_ = read();
  // The system sets margins for 96 DPI, or for a border thinner than the
  // one the skin draws: the text would touch the border.
  const int edge = static_cast<int>(EdgeSize().cx);
  const int want = std::max(0, ScaleForDpi(kEdgeWidth + kTextGap, Dpi()) - edge);
  const TMargins fit{std::max(own_margins_.left, want), std::max(own_margins_.right, want)};
  set_margins_ = fit;
  if (read() == fit) return;
  setting_margins_ = true;
  SendMessageW(handle_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
               MAKELPARAM(fit.left, fit.right));
  setting_margins_ = false;
}

void TSkinEdit::GiveMarginsBack() {
  if (!set_margins_) return;
  const TMargins set = *set_margins_;
  set_margins_.reset();
  const auto m = static_cast<DWORD>(SendMessageW(handle_, EM_GETMARGINS, 0, 0));
  const TMargins now{LOWORD(m), HIWORD(m)};
  // A side someone else has set since is left as they set it.
  const TMargins back{now.left == set.left ? own_margins_.left : now.left,
                      now.right == set.right ? own_margins_.right : now.right};
  if (back == now) return;
  setting_margins_ = true;
  SendMessageW(handle_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
               MAKELPARAM(back.left, back.right));
  setting_margins_ = false;
}

// --- the line's place ------------------------------------------------------------

void TSkinEdit::FrameChanged() {
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TSkinEdit::Reframe() {
  if (!handle_ || !IsWindow(handle_)) return;
  // At 96 DPI the system's text area is the one the skin's border wants.
  if (Dpi() > kDefaultDpi || framed_) FrameChanged();
}

void TSkinEdit::SetLineInset(const RECT& window, RECT& client) {
  // Only single lines: a memo's lines run from its top at any DPI. (A spin
  // edit's buttons sit in the text area, and stay inside it.)
  if (given_back_ || !data_ || !EdgeObject() || (Style() & ES_MULTILINE)) return;
  const int top = client.top - window.top, bottom = window.bottom - client.bottom;
  // No border: the edit keeps its look.
  if (top <= 0 || bottom <= 0) return;
  // The system puts the line a pixel below the top of the text area, and
  // the area inside its own edge, which stays 2 pixels at every DPI: the
  // area is set in so that the line starts as far down as at 96 DPI,
  // scaled, and the bottom likewise.
  const int want = ScaleForDpi(kEdgeWidth + kLineGap, Dpi()) - kLineGap;
  const int grow_top = std::max(0, want - top), grow_bottom = std::max(0, want - bottom);
  if (!grow_top && !grow_bottom) return;
  TEXTMETRICW metrics{};
  {
    TOwnedMemoryDC dc;  // not the edit's: see TGroupBox::AdjustClientRect
    if (!dc.Get()) return;
    TSelectObject font(dc.Get(), ControlFont());
    if (!GetTextMetricsW(dc.Get(), &metrics)) return;
  }
  // Never so far that the line no longer fits.
  const int left = client.bottom - client.top - grow_top - grow_bottom;
  if (left < metrics.tmHeight + 2 * kLineGap) return;
  client.top += grow_top;
  client.bottom -= grow_bottom;
  framed_ = true;
}

void TSkinEdit::FindSpin() {
  if (spin_ || !form_ || !data_ || !data_->SkinControls().Contains(xcSpin)) return;
  HWND found = nullptr;
  for (HWND child = GetTopWindow(handle_); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (IsSpinClass(child)) {
      found = child;
      break;
    }
  }
  if (!found) return;
  spin_ = found;
  // Already skinned (the walk reached it first): it only learns where it is.
  for (const auto& object : form_->Controls()) {
    if (object->Handle() != found) continue;
    if (auto* spin = dynamic_cast<TSkinUpDown*>(object.get())) {
      spin->SetEmbedded(true);
      InvalidateRect(found, nullptr, TRUE);
    }
    return;
  }
  auto made = std::make_unique<TSkinUpDown>();
  made->SetEmbedded(true);
  TSkinControl* added = form_->AddControl(std::move(made));
  try {
    if (TWinControl* control = TWinControl::FindControl(found)) {
      added->InitControl(*control, *form_, *data_, false);
    } else {
      added->InitWindow(found, *data_, *form_);
    }
  } catch (...) {
    // A spin button that cannot be skinned keeps its own look.
    form_->RemoveControl(added);
  }
}

// --- colours ------------------------------------------------------------------

TContentState TSkinEdit::ContentState() const {
  return EditContentState(handle_);
}

LRESULT TSkinEdit::AnswerColour(HDC dc) {
  return brushes_.Answer(dc, handle_, data_->Colours());
}

bool AnswerEditColour(const TWinSkinForm& form, TMessage& m) {
  if (m.Msg != WM_CTLCOLOREDIT && m.Msg != WM_CTLCOLORSTATIC) return false;
  const auto asking = reinterpret_cast<HWND>(m.LParam);
  if (!asking) return false;
  for (const auto& object : form.Controls()) {
    if (object->Handle() != asking) continue;
    auto* edit = dynamic_cast<TSkinEdit*>(object.get());
    if (!edit || !edit->SkinActive() || edit->LifeState() != slAttached) return false;
    m.Result = edit->AnswerColour(reinterpret_cast<HDC>(m.WParam));
    return true;
  }
  return false;
}

// --- messages -----------------------------------------------------------------

bool TSkinEdit::BeforeMessage(TMessage& m) {
  // The text area takes the content colours with a border or without one;
  // only the border itself is left to the system where there is nothing of
  // the skin to draw.
  switch (m.Msg) {
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
      m.Result = AnswerColour(reinterpret_cast<HDC>(m.WParam));
      return false;
    case WM_ERASEBKGND:
      EraseContent(reinterpret_cast<HDC>(m.WParam));
      m.Result = 1;
      return false;
    case WM_NCCALCSIZE: {
      auto* area = m.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam)->rgrc[0]
                            : reinterpret_cast<RECT*>(m.LParam);
      if (!area) break;
      const RECT window = *area;
      const auto alive = AliveToken();
      CallPrevious(m);
      if (!*alive) return false;
      framed_ = false;
      SetLineInset(window, *area);
      return false;
    }
    case WM_NCHITTEST: {
      if (!framed_) break;
      // The band the text area is set in by is the field to a person: a
      // press there reaches the edit as one in its text area.
      const auto alive = AliveToken();
      CallPrevious(m);
      if (!*alive) return false;
      // (The system answers the edge with HTBORDER, or nowhere.)
      if (m.Result == HTBORDER || m.Result == HTNOWHERE) {
        RECT inside{};
        GetWindowRect(handle_, &inside);
        const int edge = static_cast<int>(EdgeSize().cx);
        InflateRect(&inside, -edge, -edge);
        const POINT at{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
        if (PtInRect(&inside, at)) m.Result = HTCLIENT;
      }
      return false;
    }
    case WM_NCPAINT: {
      if (!SkinsBorder()) return true;
      // Scroll bars are the system's (or their overlays'); only the border
      // is ours, drawn without the system's one first.
      if (Style() & (WS_HSCROLL | WS_VSCROLL)) {
        const auto alive = AliveToken();
        CallPrevious(m);
        if (!*alive) return false;
      }
      PaintWindow(nullptr);
      m.Result = 0;
      return false;
    }
    case WM_PAINT:
      if (ContentState() != csDisabled) break;
      PaintDisabled(m);
      if (SkinsBorder()) PaintWindow(nullptr);
      return false;
    case SKM_PAINTCLIENT:
      if (m.LParam != kPaintClientMark) break;
      if (m.WParam) {
        TMessage paint{WM_PAINT, m.WParam, 0, 0};
        CallPrevious(paint);
      }
      m.Result = kPaintClientMark;
      return false;
    default:
      break;
  }
  return TSkinControl::BeforeMessage(m);
}

void TSkinEdit::AfterMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_SETFONT:
      // A new font gives the edit the system's margins for it: those are
      // its own now, widened again.
      if (set_margins_) {
        set_margins_.reset();
        FitMargins();
      }
      // Another line height: the text area is set in for it.
      Reframe();
      break;
    case EM_SETMARGINS:
      if (!setting_margins_ && set_margins_) {
        // The edit's owner set a side: that is the edit's own margin now.
        const auto got = static_cast<DWORD>(SendMessageW(handle_, EM_GETMARGINS, 0, 0));
        if (m.WParam & EC_LEFTMARGIN) own_margins_.left = LOWORD(got);
        if (m.WParam & EC_RIGHTMARGIN) own_margins_.right = HIWORD(got);
        FitMargins();
      }
      return;
    case kDpiChangedAfterParent:
      FitMargins();
      Reframe();
      break;
    default:
      break;
  }
  if (m.Msg == WM_PRINTCLIENT) {
    if (SkinsBorder()) PaintWindow(reinterpret_cast<HDC>(m.WParam));
    return;
  }
  if (m.Msg == WM_PAINT) {
    // The edit paints its text area only; the border is painted over the
    // whole window after it.
    if (SkinsBorder()) PaintWindow(nullptr);
    return;
  }
  TSkinControl::AfterMessage(m);
}

// --- painting -----------------------------------------------------------------

const TDataSkinObject* SunkenEdgeCells(const TSkinData& data, TDataSkinObject& made) {
  const TDataSkinObject* edge = data.Object(ssSunkEdge);
  if (!edge || edge->Bitmap.Empty()) return nullptr;
  const TDataSkinBorder* combo = data.BorderObject(ssComboButton);
  const int frames = edge->Frame;
  // The drop-down boxes are the combo button's strip mirrored.
  const bool boxes = combo && combo->Style == 2 && frames > 0 &&
                     combo->Bitmap.Width() == edge->Bitmap.Width() &&
                     combo->Bitmap.Height() == edge->Bitmap.Height();
  if (!boxes) return edge;
  const int cell_width = edge->Bitmap.Width() / frames;
  // The button fills the left of each mirrored box, as wide as the edge's
  // left margin, and that width follows the scroll arrow of the screen's
  // DPI: at 144 DPI it reaches past the middle of a box. The edge is cut
  // from the part beside it only, or pieces of the button's frame show as
  // steps in every edit's border.
  const int half = std::min(cell_width / 2, cell_width - std::max(edge->LeftWidth, 0));
  const int height = edge->Bitmap.Height();
  if (half <= 0) return nullptr;
  TBitmap cells(2 * half * frames, height, clFuchsia);
  for (int cell = 1; cell <= frames; ++cell) {
    // Mirroring reversed the order of the boxes and put each button at the
    // left; the right half of a box is the edge alone.
    const int box_left = (frames - cell) * cell_width;
    const int at = (cell - 1) * 2 * half;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < half; ++x) {
        const TColor colour = edge->Bitmap.Pixel(box_left + cell_width - half + x, y);
        cells.SetPixel(at + half + x, y, colour);
        cells.SetPixel(at + half - 1 - x, y, colour);
      }
    }
  }
  made = TDataSkinObject("SunkEdgeCells");
  made.Bitmap = std::move(cells);
  made.Frame = frames;
  made.Trans = edge->Trans;
  made.Tile = edge->Tile;
  // The build kept the edge's own top and bottom margins.
  const int margin = std::clamp(edge->TopHeight, 0, half - 1);
  made.LeftWidth = made.RightWidth = margin;
  made.TopHeight = edge->TopHeight;
  made.BottomHeight = edge->BottomHeight;
  return &made;
}

const TDataSkinObject* TSkinEdit::EdgeObject() const {
  return data_ ? SunkenEdgeCells(*data_, edge_) : nullptr;
}

SIZE TSkinEdit::EdgeSize() const {
  RECT window{}, client{};
  if (!handle_ || !GetWindowRect(handle_, &window) || !GetClientRect(handle_, &client)) {
    return {0, 0};
  }
  const int width = window.right - window.left, height = window.bottom - window.top;
  // No border: the client area is as wide or as high as the window.
  if (client.right >= width || client.bottom >= height) return {0, 0};
  POINT origin{0, 0};
  ClientToScreen(handle_, &origin);
  const int left = origin.x - window.left, top = origin.y - window.top;
  const int right = width - left - client.right, bottom = height - top - client.bottom;
  // A scroll bar widens one side only; the border is the narrower one.
  return {std::max(0, std::min(left, right)), std::max(0, std::min(top, bottom))};
}

bool TSkinEdit::HasBorder() const {
  const SIZE edge = EdgeSize();
  return edge.cx > 0 && edge.cy > 0;
}

bool TSkinEdit::SkinsBorder() const {
  return EdgeObject() && HasBorder();
}

void TSkinEdit::DrawTo(HDC dc, const TRect& rect) {
  const TDataSkinObject* edge = EdgeObject();
  const SIZE size = EdgeSize();
  if (!edge || size.cx <= 0 || size.cy <= 0 || rect.Empty()) return;
  if (!buffer_.SetSize(rect.Width(), rect.Height())) return;
  const int frames = edge->Frame > 0 ? edge->Frame : 4;
  int cell = kEdgeNormal;
  if (!IsWindowEnabled(handle_)) {
    cell = kEdgeDisabled;
  } else if (GetFocus() == handle_) {
    cell = kEdgeFocused;
  }
  // The parent's face shows where the image leaves its corners out; the
  // field's colour inside the border, where the text area is set in from
  // it.
  buffer_.Fill(buffer_.BoundsRect(), FaceColour());
  const int inside = ScaleForDpi(kEdgeWidth, Dpi());
  const TContentState state = ContentState();
  buffer_.Fill({inside, inside, rect.Width() - inside, rect.Height() - inside},
               ContentLook(data_->Colours(), state).back);
  DrawSkinState(buffer_, buffer_.BoundsRect(), frames, std::min(cell, frames), *edge, Dpi());
  // Only the border: the text area and scroll bars inside are the edit's.
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, rect.left + size.cx, rect.top + size.cy, rect.right - size.cx,
                  rect.bottom - size.cy);
  buffer_.CopyTo(dc, rect.left, rect.top);
  RestoreDC(dc, saved);
}

void TSkinEdit::EraseContent(HDC dc) {
  RECT client{};
  GetClientRect(handle_, &client);
  const TContentState state = ContentState();
  FillRect(dc, &client, brushes_.Brush(state, ContentLook(data_->Colours(), state).back));
}

void TSkinEdit::PaintDisabled(TMessage& m) {
  PAINTSTRUCT ps{};
  HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : BeginPaint(handle_, &ps);
  RECT client{};
  GetClientRect(handle_, &client);
  if (client.right > 0 && client.bottom > 0 && content_.SetSize(client.right, client.bottom)) {
    const TContentLook look = ContentLook(data_->Colours(), csDisabled);
    content_.Fill(content_.BoundsRect(), look.back);
    HDC back = content_.DC();
    const DWORD style = Style();
    std::wstring text = WindowText();
    if (style & ES_PASSWORD) {
      const auto mask = static_cast<wchar_t>(SendMessageW(handle_, EM_GETPASSWORDCHAR, 0, 0));
      if (mask) text.assign(text.size(), mask);
    }
    RECT format{};
    SendMessageW(handle_, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    if (IsRectEmpty(&format)) format = client;
    UINT flags = DT_NOPREFIX | DT_EDITCONTROL | DT_EXPANDTABS;
    const auto first = static_cast<int>(SendMessageW(handle_, EM_GETFIRSTVISIBLELINE, 0, 0));
    if (style & ES_MULTILINE) {
      flags |= DT_WORDBREAK;
      // Lines scrolled out above are drawn above the area, out of sight.
      TEXTMETRICW metrics{};
      const HGDIOBJ old = SelectObject(back, ControlFont());
      GetTextMetricsW(back, &metrics);
      SelectObject(back, old);
      format.top -= first * metrics.tmHeight;
    } else {
      flags |= DT_SINGLELINE;
      // A single line shows from its first visible letter.
      if (first > 0 && first < static_cast<int>(text.size())) text.erase(0, first);
    }
    if (style & ES_RIGHT) flags |= DT_RIGHT;
    if (style & ES_CENTER) flags |= DT_CENTER;
    const HGDIOBJ old_font = SelectObject(back, ControlFont());
    SetBkMode(back, TRANSPARENT);
    SetTextColor(back, static_cast<COLORREF>(look.ink));
    DrawTextW(back, text.c_str(), static_cast<int>(text.size()), &format, TextFlags(flags));
    SelectObject(back, old_font);
    content_.CopyTo(dc, 0, 0);
  }
  if (!m.WParam) EndPaint(handle_, &ps);
  m.Result = 0;
}
