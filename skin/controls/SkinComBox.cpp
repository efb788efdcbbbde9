#include "skin/controls/SkinComBox.h"

#include <oleacc.h>

#include <algorithm>

#include "framework/Dpi.h"
#include "skin/controls/SkinScrollbar.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinWindowMessages.h"
#include "skin/form/WinSkinForm.h"

namespace {
constexpr UINT_PTR kEditSubclassId = 0x5345;  // "SE"
constexpr UINT_PTR kListSubclassId = 0x534C;  // "SL"
// In 96-DPI pixels, each scaled to the combo box's DPI: how deep the frame
// the skin draws around the field is, and how far in from the combo box's
// edges the field's mark and the edit keep (the frame and one pixel).
constexpr int kFrameDepth = 2;
constexpr int kFieldInset = 3;
// Between the field's mark and its text, in 96-DPI pixels.
constexpr int kTextGap = 2;

COLORREF Rgb(TColor colour) {
  return static_cast<COLORREF>(ColorToRGB(colour) & 0xFFFFFF);
}

COMBOBOXINFO InfoOf(HWND combo) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (!GetComboBoxInfo(combo, &info)) info.cbSize = 0;
  return info;
}

// The skin's ComboButton object when it has an image, else null.
const TDataSkinObject* ComboObject(const TSkinData* data) {
  const TDataSkinObject* button = data ? data->Object(ssComboButton) : nullptr;
  return button && !button->Bitmap.Empty() ? button : nullptr;
}

int CellOf(int state, int frames) {
  return std::clamp(state, 1, std::max(frames, 1));
}
}  // namespace

TSkinComBox::~TSkinComBox() {
  // The parts go before the combo's own procedure comes back.
  edit_subclass_.Remove();
  list_subclass_.Remove();
  parent_subclass_.Remove();
  list_bar_.reset();
  drop_bar_.reset();
  retired_drop_bar_.reset();
}

void TSkinComBox::InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                              bool change_colour) {
  if (initialized_) return;
  TSkinControl::InitControl(control, form, data, change_colour);
  AttachParts();
}

void TSkinComBox::InitWindow(HWND window, TSkinData& data, TWinSkinForm& form) {
  if (initialized_) return;
  TSkinControl::InitWindow(window, data, form);
  AttachParts();
}

void TSkinComBox::AttachParts() {
  MakeContentBrush();
  if (!control_) {
    if (HWND parent = GetParent(handle_)) {
      // One layer per combo box: the id tells them apart.
      parent_subclass_.Install(parent, &TSkinComBox::ParentProc, reinterpret_cast<UINT_PTR>(this),
                               reinterpret_cast<DWORD_PTR>(this));
    }
  }
  const COMBOBOXINFO info = InfoOf(handle_);
  if (!info.cbSize) return;
  if (info.hwndItem && info.hwndItem != handle_) {
    edit_ = info.hwndItem;
    edit_subclass_.Install(edit_, &TSkinComBox::EditProc, kEditSubclassId,
                           reinterpret_cast<DWORD_PTR>(this));
    PlaceEdit();
  }
  list_ = info.hwndList;
  if (list_) {
    list_subclass_.Install(list_, &TSkinComBox::ListProc, kListSubclassId,
                           reinterpret_cast<DWORD_PTR>(this));
    // Its border is drawn again in the skin's colour.
    RedrawWindow(list_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  }
  if ((Style() & 3) != CBS_SIMPLE) return;
  // The standing list's scroll bars are painted by the skin too, unless
  // someone skins the list already.
  if (!list_ || !form_ || SendMessageW(list_, SKM_ISSKINNED, 0, 0) == 1) return;
  if (!(GetWindowLongPtrW(list_, GWL_STYLE) & WS_CHILD)) return;
  if (!data_->SkinControls().Contains(xcScrollbar)) return;
  auto bar = std::make_unique<TSkinScrollbarH>();
  try {
    bar->InitWindow(list_, *data_, *form_);
  } catch (...) {
    return;
  }
  list_bar_ = std::move(bar);
  list_bar_->PlaceBars();
}

void TSkinComBox::ListDropped() {
  if ((Style() & 3) == CBS_SIMPLE || !list_ || !form_ || !data_ || !SkinActive()) return;
  // The bar let go at the last close has no call of its own running now.
  retired_drop_bar_.reset();
  if (!data_->SkinControls().Contains(xcScrollbar)) return;
  if (drop_bar_ && drop_bar_->LifeState() == slAttached) {
    drop_bar_->PlaceBars();
    return;
  }
  drop_bar_.reset();
  if (SendMessageW(list_, SKM_ISSKINNED, 0, 0) == 1) return;
  auto bar = std::make_unique<TSkinScrollbarH>();
  try {
    bar->InitWindow(list_, *data_, *form_);
  } catch (...) {
    return;
  }
  drop_bar_ = std::move(bar);
  drop_bar_->PlaceBars();
}

void TSkinComBox::ListClosed() {
  if (!drop_bar_) return;
  // A bar held down runs the system's scrolling inside its own call; it
  // stays (hidden with the list) until the list drops again.
  const TWScrollbar* vert = drop_bar_->VertBar();
  const TWScrollbar* horz = drop_bar_->HorzBar();
  if ((vert && vert->Pressed()) || (horz && horz->Pressed())) return;
  LetDropBarGo();
}

void TSkinComBox::LetDropBarGo() {
  if (!drop_bar_) return;
  if (drop_bar_->LifeState() != slDestroyed) drop_bar_->Restore();
  // The list's message that closed it may still be inside the bar's own
  // procedure: the object is freed at the next drop, or with this one.
  retired_drop_bar_ = std::move(drop_bar_);
}

void TSkinComBox::MakeContentBrush() {
  const TSkinColours& colours = data_->Colours();
  // A skin without content colours leaves the field and list as they are.
  content_colours_ = !(colours.Window == clWindow && colours.WindowText == clWindowText);
  content_brush_.Reset(content_colours_ ? CreateSolidBrush(static_cast<COLORREF>(
                                              ColorToRGB(colours.Window) & 0xFFFFFF))
                                        : nullptr);
}

void TSkinComBox::Restore() {
  TSkinControl::Restore();
  edit_subclass_.Remove();
  list_subclass_.Remove();
  parent_subclass_.Remove();
  if (edit_moved_ && edit_ && IsWindow(edit_)) {
    SetWindowPos(edit_, nullptr, edit_home_.left, edit_home_.top,
                 edit_home_.right - edit_home_.left, edit_home_.bottom - edit_home_.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  edit_moved_ = false;
  if (list_bar_) {
    if (list_bar_->LifeState() != slDestroyed) list_bar_->Restore();
    list_bar_.reset();
  }
  LetDropBarGo();
  content_colours_ = false;
  mouse_state_ = 0;
  // The system's colours and look come back; the brush goes once nothing
  // can ask for it any more.
  if (handle_ && IsWindow(handle_)) {
    RedrawWindow(handle_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  // A dropped list is no child of the combo box.
  if (list_ && IsWindow(list_)) {
    RedrawWindow(list_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
  }
  content_brush_.Reset(nullptr);
}

void TSkinComBox::SkinChanged() {
  MakeContentBrush();
  if (list_bar_ && list_bar_->LifeState() != slDestroyed) list_bar_->SkinChanged();
  if (drop_bar_ && drop_bar_->LifeState() != slDestroyed) drop_bar_->SkinChanged();
  if (handle_ && IsWindow(handle_)) {
    RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
  TSkinControl::SkinChanged();
}

bool TSkinComBox::RightToLeft() const {
  return (GetWindowLongPtrW(handle_, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
}

bool TSkinComBox::ButtonMoved() const {
  if (!RightToLeft() || !SkinsButton()) return false;
  const COMBOBOXINFO info = InfoOf(handle_);
  RECT client{};
  GetClientRect(handle_, &client);
  return info.cbSize && info.rcButton.left > client.right / 2;
}

int TSkinComBox::LeftButtonWidth() const {
  const TDataSkinObject* mirrored = data_->Object(ssSunkEdge);
  const TDataSkinObject* button = ComboObject(data_);
  const bool whole = button && button->Style == 2 && mirrored && !mirrored->Bitmap.Empty();
  return whole ? SkinScale(mirrored->LeftWidth, Dpi()) : ButtonWidth() + 2;
}

int TSkinComBox::ButtonWidth() const {
  // The system's button is as wide as a vertical scroll bar at the combo
  // box's DPI: ours covers the same place, so it takes the presses the
  // system's takes.
  return SystemMetricsForDpi(SM_CXVSCROLL, Dpi());
}

int TSkinComBox::DrawnButtonWidth() const {
  const TDataSkinObject* button = ComboObject(data_);
  if (!button) return 0;
  const int dpi = Dpi();
  if (button->Style == 2) return SkinScale(button->RightWidth, dpi);
  if (button->Style == 1) return SystemMetricsForDpi(SM_CYVTHUMB, dpi) + 2;
  return ButtonWidth() + 2;
}

void TSkinComBox::PlaceEdit() {
  if (!edit_ || !SkinsButton()) return;
  RECT client{}, edit{};
  GetClientRect(handle_, &client);
  GetWindowRect(edit_, &edit);
  MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&edit), 2);
  // Some systems lay the edit out in pixels meant for 96 DPI: at a higher
  // DPI it would reach into the frame the skin draws there, so it is kept
  // as far in as the frame and a pixel.
  const int inset = SkinScale(kFieldInset, Dpi());
  int left = edit.left, right = edit.right;
  int top = std::max<int>(edit.top, inset);
  int bottom = std::min<int>(edit.bottom, client.bottom - inset);
  if (ButtonMoved()) {
    left = LeftButtonWidth() + 1;
    right = client.right - SkinScale(kFrameDepth, Dpi());
  } else if (!RightToLeft()) {
    // Likewise with the button's width: at a higher DPI the edit would
    // cover part of the button the skin draws.
    left = std::max<int>(edit.left, inset);
    right = std::min<int>(edit.right, client.right - DrawnButtonWidth() - 1);
  } else {
    right = std::min<int>(edit.right, client.right - inset);
  }
  if (right <= left || bottom <= top) return;
  if (edit.left == left && edit.right == right && edit.top == top && edit.bottom == bottom) return;
  // Where the system put it last, given back with the skin.
  edit_home_ = edit;
  edit_moved_ = true;
  SetWindowPos(edit_, nullptr, left, top, right - left, bottom - top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TSkinComBox::SkinsSimpleField() const {
  return handle_ && (Style() & 3) == CBS_SIMPLE && content_colours_ && edit_ &&
         ComboObject(data_) != nullptr;
}

void TSkinComBox::DrawSimpleField(const TRect& rect) {
  // The edit of a simple combo box sits in a frame of the shadow colour on
  // the content colour, instead of the system's raised and sunken lines.
  RECT edit{};
  GetWindowRect(edit_, &edit);
  MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&edit), 2);
  const int bottom = std::min<int>(rect.bottom, edit.bottom + 2);
  if (bottom <= rect.top + 2) return;
  buffer_.Fill({rect.left, rect.top, rect.right, bottom}, ColorToRGB(data_->Colours().Window));
  const TColor shadow = ColorToRGB(data_->Colours().ButtonShadow);
  buffer_.Fill({rect.left, rect.top, rect.right, rect.top + 1}, shadow);
  buffer_.Fill({rect.left, bottom - 1, rect.right, bottom}, shadow);
  buffer_.Fill({rect.left, rect.top, rect.left + 1, bottom}, shadow);
  buffer_.Fill({rect.right - 1, rect.top, rect.right, bottom}, shadow);
}

bool TSkinComBox::SkinsButton() const {
  if (!ComboObject(data_) || !handle_) return false;
  if ((Style() & 3) == CBS_SIMPLE) return false;
  const COMBOBOXINFO info = InfoOf(handle_);
  return !info.cbSize || !(info.stateButton & STATE_SYSTEM_INVISIBLE);
}

// --- messages ---------------------------------------------------------------

LRESULT CALLBACK TSkinComBox::EditProc(HWND, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                       DWORD_PTR ref) {
  auto* self = reinterpret_cast<TSkinComBox*>(ref);
  const LRESULT result = self->edit_subclass_.PassOn(msg, wp, lp);
  try {
    // The button shows the focus the edit has.
    if ((msg == WM_SETFOCUS || msg == WM_KILLFOCUS) && self->SkinActive()) self->Repaint();
    if (msg == WM_NCDESTROY) self->edit_subclass_.Remove();
  } catch (...) {
  }
  return result;
}

LRESULT CALLBACK TSkinComBox::ParentProc(HWND, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                         DWORD_PTR ref) {
  auto* self = reinterpret_cast<TSkinComBox*>(ref);
  try {
    if (msg == WM_CTLCOLOREDIT && reinterpret_cast<HWND>(lp) == self->handle_ &&
        self->SkinActive()) {
      TMessage m{msg, wp, lp, 0};
      if (self->AnswerContentColours(m)) return m.Result;
    }
    if (msg == WM_NCDESTROY) {
      const LRESULT result = self->parent_subclass_.PassOn(msg, wp, lp);
      self->parent_subclass_.Remove();
      return result;
    }
  } catch (...) {
  }
  return self->parent_subclass_.PassOn(msg, wp, lp);
}

LRESULT CALLBACK TSkinComBox::ListProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                       DWORD_PTR ref) {
  auto* self = reinterpret_cast<TSkinComBox*>(ref);
  const bool ours = self->SkinActive() && self->content_colours_ && ListDrawsTexts(hwnd);
  try {
    if (ours && msg == WM_PAINT) {
      self->PaintList(hwnd, wp);
      return 0;
    }
    if (ours && msg == WM_ERASEBKGND) return 1;
  } catch (...) {
  }
  const LRESULT result = self->list_subclass_.PassOn(msg, wp, lp);
  try {
    switch (msg) {
      case WM_MOUSEMOVE:
      case WM_LBUTTONDOWN:
      case WM_LBUTTONUP:
      case WM_KEYDOWN:
      case WM_TIMER:
      case WM_MOUSEWHEEL:
      case LB_SETCURSEL:
      case LB_SETTOPINDEX:
        if (ours && IsWindowVisible(hwnd)) self->MarkChosenRow(hwnd);
        // The list moved its scroll bar without a scroll message.
        if (self->drop_bar_ && self->drop_bar_->LifeState() == slAttached) {
          self->drop_bar_->Repaint();
        }
        break;
      case WM_NCPAINT:
        if (ours) self->PaintListBorder(hwnd);
        break;
      case WM_WINDOWPOSCHANGED: {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lp);
        if (pos && (pos->flags & SWP_SHOWWINDOW)) self->ListDropped();
        if (pos && (pos->flags & SWP_HIDEWINDOW)) self->ListClosed();
        break;
      }
      case WM_NCDESTROY:
        self->list_subclass_.Remove();
        break;
      default:
        break;
    }
  } catch (...) {
  }
  return result;
}

void TSkinComBox::PaintListBorder(HWND list) const {
  // The list's border in the skin's shadow colour rather than the system's
  // frame colours; a sunken edge becomes one line on the content colour.
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(list, GWL_STYLE));
  const auto ex = static_cast<DWORD>(GetWindowLongPtrW(list, GWL_EXSTYLE));
  if (!(style & WS_BORDER) && !(ex & WS_EX_CLIENTEDGE)) return;
  TWindowDC dc(list, TDCArea::daWholeWindow);
  if (!dc.Get()) return;
  RECT r{};
  GetWindowRect(list, &r);
  OffsetRect(&r, -r.left, -r.top);
  TOwnedBrush shadow(CreateSolidBrush(Rgb(data_->Colours().ButtonShadow)));
  FrameRect(dc.Get(), &r, shadow.Get());
  if (!(ex & WS_EX_CLIENTEDGE)) return;
  InflateRect(&r, -1, -1);
  FrameRect(dc.Get(), &r, content_brush_.Get());
}

bool TSkinComBox::ListDrawsTexts(HWND list) {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(list, GWL_STYLE));
  return !(style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE));
}

void TSkinComBox::PaintFieldText(HDC dc, const RECT& rect, const std::wstring& text, HFONT font,
                                 TColor back, TColor ink) const {
  TOwnedBrush brush(CreateSolidBrush(Rgb(back)));
  FillRect(dc, &rect, brush.Get());
  TSelectObject text_font(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Rgb(ink));
  RECT r = rect;
  InflateRect(&r, -SkinScale(kTextGap, Dpi()), 0);
  const bool rtl = RightToLeft();
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (rtl ? DT_RIGHT | DT_RTLREADING : DT_LEFT));
}

void TSkinComBox::PaintChosen(HDC dc, const RECT& rect, const std::wstring& text,
                              HFONT font) const {
  PaintFieldText(dc, rect, text, font, data_->Colours().Hilight, data_->Colours().HilightText);
}

void TSkinComBox::PaintList(HWND list, WPARAM wp) {
  PAINTSTRUCT ps{};
  HDC dc = wp ? reinterpret_cast<HDC>(wp) : BeginPaint(list, &ps);
  RECT client{};
  GetClientRect(list, &client);
  if (client.right > 0 && client.bottom > 0 && list_buffer_.SetSize(client.right, client.bottom)) {
    list_buffer_.Fill(list_buffer_.BoundsRect(), ColorToRGB(data_->Colours().Window));
    list_subclass_.PassOn(WM_PAINT, reinterpret_cast<WPARAM>(list_buffer_.DC()), 0);
    const auto chosen = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
    RECT row{};
    if (chosen >= 0 &&
        SendMessageW(list, LB_GETITEMRECT, chosen, reinterpret_cast<LPARAM>(&row)) != LB_ERR) {
      const auto length = static_cast<int>(SendMessageW(list, LB_GETTEXTLEN, chosen, 0));
      std::wstring text(static_cast<size_t>(std::max(length, 0)) + 1, L'\0');
      SendMessageW(list, LB_GETTEXT, chosen, reinterpret_cast<LPARAM>(text.data()));
      text.resize(static_cast<size_t>(std::max(length, 0)));
      PaintChosen(list_buffer_.DC(), row, text,
                  reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
    }
    list_buffer_.CopyTo(dc, 0, 0);
  }
  if (!wp) EndPaint(list, &ps);
}

void TSkinComBox::MarkChosenRow(HWND list) {
  const auto chosen = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
  RECT row{};
  if (chosen < 0 ||
      SendMessageW(list, LB_GETITEMRECT, chosen, reinterpret_cast<LPARAM>(&row)) == LB_ERR) {
    return;
  }
  RECT client{};
  GetClientRect(list, &client);
  if (!IntersectRect(&row, &row, &client)) return;
  const auto length = static_cast<int>(SendMessageW(list, LB_GETTEXTLEN, chosen, 0));
  std::wstring text(static_cast<size_t>(std::max(length, 0)) + 1, L'\0');
  SendMessageW(list, LB_GETTEXT, chosen, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(std::max(length, 0)));
  TWindowDC dc(list);
  if (dc.Get()) {
    PaintChosen(dc.Get(), row, text, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
  }
}

bool TSkinComBox::AnswerContentColours(TMessage& m) {
  if (!content_colours_ || !content_brush_) return false;
  const TSkinColours& colours = data_->Colours();
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(colours.WindowText) & 0xFFFFFF));
  SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(colours.Window) & 0xFFFFFF));
  m.Result = reinterpret_cast<LRESULT>(content_brush_.Get());
  return true;
}

bool TSkinComBox::BeforeMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
      // Asked by the combo's own list and edit (a disabled edit asks for
      // static colours and keeps the greyed look).
      return !AnswerContentColours(m);
    case WM_ERASEBKGND:
      if (!SkinsButton() && !SkinsSimpleField()) return true;
      m.Result = 1;
      return false;
    case WM_PAINT:
      if (!SkinsButton() && !SkinsSimpleField()) return true;
      PaintBuffered(m);
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (SkinsButton()) {
        // A press anywhere on the skin's button is a press on the system's
        // (which lies elsewhere when the skin moved the button to the left,
        // and is narrower than a skin's whole-image button may draw it).
        const POINT p{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
        const RECT b{button_rect_.left, button_rect_.top, button_rect_.right, button_rect_.bottom};
        const RECT system = InfoOf(handle_).rcButton;
        if (PtInRect(&b, p) && !PtInRect(&system, p) && system.right > system.left) {
          m.LParam = MAKELPARAM((system.left + system.right) / 2, (system.top + system.bottom) / 2);
        }
      }
      return true;
    default:
      break;
  }
  // The field of a drop-down list asks the parent; a framework parent
  // hands the question back here.
  if (m.Msg == CN_CTLCOLOREDIT || m.Msg == CN_CTLCOLORLISTBOX) {
    if (AnswerContentColours(m)) return false;
  }
  return TSkinControl::BeforeMessage(m);
}

void TSkinComBox::SetHot(bool hot) {
  if (hot == Hot()) return;
  if (hot) {
    mouse_state_ |= kMouseHot;
  } else {
    mouse_state_ &= ~kMouseHot;
  }
  Repaint();
}

void TSkinComBox::AfterMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Repaint();
      return;
    case WM_MOUSEMOVE: {
      TrackMouseLeave();
      const POINT p{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
      const RECT r{button_rect_.left, button_rect_.top, button_rect_.right, button_rect_.bottom};
      SetHot(IsWindowEnabled(handle_) && PtInRect(&r, p));
      return;
    }
    case WM_MOUSELEAVE:
      SetHot(false);
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      mouse_state_ |= kMousePressed;
      Repaint();
      return;
    case WM_LBUTTONUP:
      mouse_state_ &= ~kMousePressed;
      Repaint();
      return;
    case WM_DRAWITEM:
      Repaint();
      return;
    case WM_NCPAINT:
      // The skin draws in the client area: after the frame the whole client
      // is painted again, once: by the paint running now (BeginPaint sends
      // WM_NCPAINT), by the one that is due, or else here.
      if (in_begin_paint_) return;
      if (GetUpdateRect(handle_, nullptr, FALSE)) {
        InvalidateRect(handle_, nullptr, FALSE);
      } else {
        Repaint();
      }
      return;
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
      PlaceEdit();
      break;
    case WM_ENABLE:
      if (!m.WParam) mouse_state_ = 0;
      break;
    default:
      break;
  }
  if (m.Msg == CN_COMMAND && (HIWORD(m.WParam) == CBN_CLOSEUP)) {
    mouse_state_ &= ~kMousePressed;
    Repaint();
    return;
  }
  if (m.Msg == WM_PAINT) return;  // painted whole in BeforeMessage
  TSkinControl::AfterMessage(m);
}

// --- painting ---------------------------------------------------------------

int TSkinComBox::ButtonState() const {
  if (!IsWindowEnabled(handle_)) return 3;
  const bool dropped = SendMessageW(handle_, CB_GETDROPPEDSTATE, 0, 0) != 0;
  const bool held = (mouse_state_ & kMousePressed) && GetKeyState(VK_LBUTTON) < 0;
  if (dropped || held) return 2;
  HWND focus = GetFocus();
  const bool focused = focus && (focus == handle_ || (edit_ && focus == edit_));
  if (focused || Hot()) return 4;
  return 1;
}

void TSkinComBox::PaintBuffered(TMessage& m) {
  PAINTSTRUCT ps{};
  auto dc = reinterpret_cast<HDC>(m.WParam);
  if (!dc) {
    in_begin_paint_ = true;
    dc = BeginPaint(handle_, &ps);
    in_begin_paint_ = false;
  }
  RECT client{};
  GetClientRect(handle_, &client);
  try {
    if (client.right > 0 && client.bottom > 0 && buffer_.SetSize(client.right, client.bottom)) {
      buffer_.Fill(buffer_.BoundsRect(), FaceColour());
      // The system draws its field (and, where there is no edit, the text)
      // into the buffer; the skin goes over it.
      TMessage inner{WM_PAINT, reinterpret_cast<WPARAM>(buffer_.DC()), 0, 0};
      CallPrevious(inner);
      // The skin's image may leave its corners open: the parent shows
      // there, not the system's frame.
      const TColor around = control_ && control_->Parent() ? control_->Parent()->EffectiveColor()
                                                           : data_->Colours().ButtonFace;
      const TColor behind = ColorToRGB(around);
      const int frame = SkinScale(kFrameDepth, Dpi());
      buffer_.Fill({0, 0, client.right, frame}, behind);
      buffer_.Fill({0, client.bottom - frame, client.right, client.bottom}, behind);
      buffer_.Fill({0, 0, frame, client.bottom}, behind);
      buffer_.Fill({client.right - frame, 0, client.right, client.bottom}, behind);
      // Around an edit some systems leave a ring in their own window
      // colour: the field is the content colour up to the skin's frame.
      if (edit_ && content_colours_ && client.right > 2 * frame && client.bottom > 2 * frame) {
        buffer_.Fill({frame, frame, client.right - frame, client.bottom - frame},
                     ColorToRGB(data_->Colours().Window));
      }
      MarkChosenField();
      DrawTo(buffer_.DC(), {0, 0, client.right, client.bottom});
      // The edit and the list paint themselves: the copy leaves them alone.
      const int saved = SaveDC(dc);
      for (HWND child = GetWindow(handle_, GW_CHILD); child;
           child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&r), 2);
        ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
      }
      buffer_.CopyTo(dc, 0, 0);
      RestoreDC(dc, saved);
    }
  } catch (...) {
  }
  if (!m.WParam) EndPaint(handle_, &ps);
  m.Result = 0;
}

void TSkinComBox::MarkChosenField() {
  // The field of a drop-down list is drawn again where the skin has more to
  // say than the system: a focused one shows its choice in the skin's
  // highlight, one whose button the skin moved to the left shows its text
  // at the right, over the system's button, and one the system laid out too
  // near the skin's frame is drawn inside it. The field of an owner-drawn
  // one is its owner's.
  const DWORD style = Style();
  if ((style & 3) != CBS_DROPDOWNLIST || (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE))) {
    return;
  }
  const bool moved = ButtonMoved();
  const bool lit =
      content_colours_ && GetFocus() == handle_ && !SendMessageW(handle_, CB_GETDROPPEDSTATE, 0, 0);
  const COMBOBOXINFO info = InfoOf(handle_);
  if (!info.cbSize) return;
  // The field as the skin's frame leaves it: some systems place it in
  // pixels meant for 96 DPI, and at a higher DPI their field and text
  // would reach into the frame, which grows with the DPI.
  RECT client{};
  GetClientRect(handle_, &client);
  const int inset = SkinScale(kFieldInset, Dpi());
  RECT field = info.rcItem;
  InflateRect(&field, -1, -1);
  const bool cramped =
      field.left < inset || field.top < inset || client.bottom - field.bottom < inset;
  if (!moved && !lit && !cramped) return;
  field.top = std::max<LONG>(field.top, inset);
  field.bottom = std::min<LONG>(field.bottom, client.bottom - inset);
  if (!RightToLeft()) field.left = std::max<LONG>(field.left, inset);
  if (RightToLeft() && !moved) field.right = std::min<LONG>(field.right, client.right - inset);
  if (field.right <= field.left || field.bottom <= field.top) return;
  const auto chosen = static_cast<int>(SendMessageW(handle_, CB_GETCURSEL, 0, 0));
  std::wstring text;
  if (chosen >= 0) {
    const auto length = static_cast<int>(SendMessageW(handle_, CB_GETLBTEXTLEN, chosen, 0));
    text.assign(static_cast<size_t>(std::max(length, 0)) + 1, L'\0');
    SendMessageW(handle_, CB_GETLBTEXT, chosen, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::max(length, 0)));
  }
  // The skin's button goes over the left of it afterwards; the text keeps
  // clear of that.
  RECT text_area = field;
  if (moved) {
    field.right = std::max<LONG>(field.right, client.right - inset);
    text_area = field;
    text_area.left = std::max(field.left, LeftButtonWidth() + 1L);
  }
  const TSkinColours& colours = data_->Colours();
  const bool enabled = IsWindowEnabled(handle_) != FALSE;
  TColor back = content_colours_ ? ColorToRGB(colours.Window)
                                 : static_cast<TColor>(GetSysColor(COLOR_WINDOW));
  TColor ink = content_colours_ ? ColorToRGB(colours.WindowText)
                                : static_cast<TColor>(GetSysColor(COLOR_WINDOWTEXT));
  const TColor plain_back = back;
  if (!enabled) {
    back = FaceColour();
    ink = static_cast<TColor>(GetSysColor(COLOR_GRAYTEXT));
  } else if (lit && chosen >= 0) {
    back = ColorToRGB(colours.Hilight);
    ink = ColorToRGB(colours.HilightText);
  }
  if (cramped || moved) {
    // What the system drew of its field (and of its button, where the
    // skin's lies at the other end) between the frame and ours goes.
    RECT system = info.rcItem;
    if (moved) system.right = std::max(system.right, info.rcButton.right);
    TOwnedBrush plain(CreateSolidBrush(Rgb(enabled ? plain_back : back)));
    FillRect(buffer_.DC(), &system, plain.Get());
  }
  TOwnedBrush brush(CreateSolidBrush(Rgb(back)));
  FillRect(buffer_.DC(), &field, brush.Get());
  PaintFieldText(buffer_.DC(), text_area, text,
                 reinterpret_cast<HFONT>(SendMessageW(handle_, WM_GETFONT, 0, 0)), back, ink);
}

void TSkinComBox::DrawTo(HDC, const TRect& rect) {
  const TDataSkinObject* button = ComboObject(data_);
  if (!button || rect.Empty() || buffer_.Width() < rect.Width() ||
      buffer_.Height() < rect.Height()) {
    return;
  }
  if ((Style() & 3) == CBS_SIMPLE) {
    if (SkinsSimpleField()) DrawSimpleField(rect);
    return;
  }
  const int state = ButtonState();
  if (button->Style == 2) {
    DrawStyleWhole(rect, state);
  } else if (button->Style == 1) {
    DrawStyleFlat(rect, state);
  } else {
    DrawStyleParts(rect, state);
  }
}

// The whole combo box is one image of the skin (its field left magenta);
// the mirrored one, kept as the sunken edge, for right to left.
void TSkinComBox::DrawStyleWhole(const TRect& r, int state) {
  const TDataSkinObject* button = ComboObject(data_);
  const TDataSkinObject* mirrored = data_->Object(ssSunkEdge);
  const bool rtl = RightToLeft() && mirrored && !mirrored->Bitmap.Empty();
  const TDataSkinObject& image = rtl ? *mirrored : *button;
  const int frames = std::max(1, mirrored ? mirrored->Frame : 4);
  const int dpi = Dpi();
  // The mirrored strip holds its boxes in the opposite order.
  const int cell = rtl ? frames + 1 - CellOf(state, frames) : CellOf(state, frames);
  buffer_.Draw(r.left, r.top, RenderSkinCell(image, r.Width(), r.Height(), frames, cell, dpi),
               true);
  button_rect_ = rtl ? TRect{r.left, r.top,
                             std::min(r.right, r.left + SkinScale(image.LeftWidth, dpi)), r.bottom}
                     : TRect{std::max(r.left, r.right - SkinScale(image.RightWidth, dpi)), r.top,
                             r.right, r.bottom};
  // The image's end may hold some field as well as the button; what the
  // edit covers of it is field, and no press there reaches the button.
  if (edit_ && IsWindowVisible(edit_)) {
    RECT edit{};
    GetWindowRect(edit_, &edit);
    MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&edit), 2);
    if (rtl) {
      button_rect_.right =
          std::max<int>(button_rect_.left, std::min<int>(button_rect_.right, edit.left));
    } else {
      button_rect_.left =
          std::min<int>(button_rect_.right, std::max<int>(button_rect_.left, edit.right));
    }
  }
}

// A sunken edge around the field and a button strip beside it, with the
// arrow of the extra images over the button.
void TSkinComBox::DrawStyleParts(const TRect& r, int state) {
  const auto* button = static_cast<const TDataSkinBorder*>(ComboObject(data_));
  const int b = ButtonWidth();
  const int dpi = Dpi();
  const bool rtl = RightToLeft();
  TRect glyph;
  if (rtl) {
    button_rect_ = {r.left, r.top, std::min(r.right, r.left + b + 2), r.bottom};
    glyph = {r.left + 2, r.top, button_rect_.right, r.bottom};
  } else {
    button_rect_ = {std::max(r.left, r.right - b - 2), r.top, r.right, r.bottom};
    glyph = {button_rect_.left, r.top, r.right - 2, r.bottom};
  }
  // Only the frame and the button: the field keeps what the system drew.
  const int f = SkinScale(kFrameDepth, dpi);
  const TRect field = rtl ? TRect{r.left + b + 2 + f, r.top + f, r.right - f, r.bottom - f}
                          : TRect{r.left + f, r.top + f, r.right - b - 2 - f, r.bottom - f};
  TBackBuffer& out = buffer_;
  if (const TDataSkinObject* edge = data_->Object(ssSunkEdge); edge && !edge->Bitmap.Empty()) {
    const int frames = std::max(1, edge->Frame);
    TBitmap frame =
        RenderSkinCell(*edge, r.Width(), r.Height(), frames, CellOf(state, frames), dpi);
    frame.FillRect(field, clFuchsia);
    out.Draw(r.left, r.top, frame, true);
  }
  const TBitmap& strip = rtl && !button->Bitmap2.Empty() ? button->Bitmap2 : button->Bitmap;
  const int frames = std::max(1, button->Frame);
  DrawStripFrame(out, button_rect_, frames, CellOf(state, frames), strip, dpi);
  const TDataSkinObject* extra = data_->Object(ssExtraImages);
  if (extra && !extra->Bitmap.Empty()) {
    // The arrow glyph at its size for the DPI, centred on the button.
    const int n = std::max(1, extra->Frame);
    const int cw = SkinScale(extra->Bitmap.Width() / n, dpi);
    const int ch = SkinScale(extra->Bitmap.Height(), dpi);
    const TRect at = Bounds(glyph.left + (glyph.Width() - cw) / 2,
                            glyph.top + (glyph.Height() - ch) / 2, cw, ch);
    DrawStripFrame(out, at, n, CellOf(state, n), extra->Bitmap, dpi);
  }
}

// A flat frame in the shadow colour and the button image inside it.
void TSkinComBox::DrawStyleFlat(const TRect& r, int state) {
  const TDataSkinObject* button = ComboObject(data_);
  const int dpi = Dpi();
  const int b = SystemMetricsForDpi(SM_CYVTHUMB, dpi);
  const bool rtl = RightToLeft();
  const TRect inner{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
  const TColor shadow = ColorToRGB(data_->Colours().ButtonShadow);
  buffer_.Fill({r.left, r.top, r.right, r.top + 1}, shadow);
  buffer_.Fill({r.left, r.bottom - 1, r.right, r.bottom}, shadow);
  buffer_.Fill({r.left, r.top, r.left + 1, r.bottom}, shadow);
  buffer_.Fill({r.right - 1, r.top, r.right, r.bottom}, shadow);
  const int frames = std::max(1, button->Frame);
  const int height = std::min(inner.Height(), SkinScale(button->Bitmap.Height(), dpi));
  button_rect_ =
      rtl ? TRect{inner.left, inner.top, std::min(inner.right, inner.left + b), inner.top + height}
          : TRect{std::max(inner.left, inner.right - b), inner.top, inner.right,
                  inner.top + height};
  DrawStripFrame(buffer_, button_rect_, frames, CellOf(state, frames), button->Bitmap, dpi);
}
