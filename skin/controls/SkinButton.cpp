// Plain and drop-down push buttons drawn from the skin.
#include <windows.h>

#include <optional>

#include "framework/Application.h"
#include "framework/ButtonLayout.h"
#include "framework/Buttons.h"
#include "framework/GraphicControl.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "skin/controls/ButtonRepaints.h"
#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinProps.h"
#include "skin/data/SkinManage.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/WinSkinForm.h"
#include "skin/menu/SkinMenuOwnerDraw.h"

namespace {

constexpr int kTransparentTag = 5555;
constexpr int kArrowZone = 17;

}  // namespace

void TSkinButton::SetUp() {
  // Some foreign buttons must not get their presses handed on.
  const std::string name = AsciiLower(SkinnedClassName());
  mode_ = name.rfind("trz", 0) == 0 || name.rfind("tel", 0) == 0 ? 1 : 0;
  const TComponent* skinned = Skinned();
  transparent_ =
      (skinned && skinned->Tag() == kTransparentTag) || data_->Options().Contains(xoTransparent);
}

void TSkinButton::InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                              bool change_colour) {
  if (initialized_) return;
  TSkinControl::InitControl(control, form, data, change_colour);
  SetUp();
}

void TSkinButton::InitWindow(HWND window, TSkinData& data, TWinSkinForm& form) {
  if (initialized_) return;
  TSkinControl::InitWindow(window, data, form);
  SetUp();
}

void TSkinButton::InitGraphic(TGraphicControl& control, TWinSkinForm& form, TSkinData& data) {
  if (initialized_) return;
  TSkinControl::InitGraphic(control, form, data);
  SetUp();
}

// --- messages ---------------------------------------------------------------

bool TSkinButton::BeforeMessage(TMessage& m) {
  // A skin without push-button images cannot draw the button: it keeps its
  // own look and handles its own messages.
  if (!HasFace()) return true;
  switch (m.Msg) {
    case WM_PAINT:
      PaintMessage(m);
      return false;
    case WM_ERASEBKGND:
      m.Result = 1;
      return false;
    case WM_TIMER:
      // The system's own fading of button states would paint over the skin.
      KillTimer(handle_, 1);
      m.Result = 0;
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (GetFocus() != handle_) SetFocus(handle_);
      mouse_state_ |= kMousePressed;
      mouse_pressed_ = true;
      pressed_inside_ = true;
      // A release outside the button is seen, and gives no click.
      SetCapture(handle_);
      PaintWindow(nullptr);
      if (mode_ == 0 && control_) ForwardMouseDown(m);
      m.Result = 0;
      return false;
    default:
      break;
  }
  if (m.Msg == CN_DRAWITEM) {
    // Buttons that draw themselves are drawn by the skin instead.
    m.Result = TRUE;
    return false;
  }
  if (ButtonPaintsDirectly(m) && IsWindowVisible(handle_)) {
    // The button's own picture is kept off the screen; the skin paints
    // the new state afterwards (a key may click and end this object).
    const std::shared_ptr<bool> alive = AliveToken();
    HWND window = handle_;
    SendMessageW(window, WM_SETREDRAW, FALSE, 0);
    CallPrevious(m);
    SendMessageW(window, WM_SETREDRAW, TRUE, 0);
    if (*alive) AfterMessage(m);
    return false;
  }
  return TSkinControl::BeforeMessage(m);
}

void TSkinButton::AfterMessage(TMessage& m) {
  if (!HasFace()) return;
  switch (m.Msg) {
    case WM_SETTEXT:
      PaintWindow(nullptr);
      return;
    case WM_KEYDOWN:
      if (m.WParam == VK_SPACE) {
        mouse_state_ |= kMousePressed;
        Repaint();
      }
      return;
    case WM_KEYUP:
      if (m.WParam == VK_SPACE) {
        mouse_state_ &= ~kMousePressed;
        Repaint();
      }
      return;
    case WM_MOUSEMOVE: {
      if (mouse_pressed_) {
        RECT r{};
        GetClientRect(handle_, &r);
        const POINT p{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
        const bool inside = PtInRect(&r, p) != FALSE;
        if (inside != pressed_inside_) {
          pressed_inside_ = inside;
          Repaint();
        }
      }
      if (enabled_ && IsWindowEnabled(handle_) && !(mouse_state_ & kMouseHot)) {
        mouse_state_ |= kMouseHot;
        Repaint();
      }
      TrackMouseLeave();
      return;
    }
    case WM_LBUTTONUP: {
      if (!(mouse_state_ & kMousePressed)) return;
      const bool by_mouse = mouse_pressed_;
      const bool inside = pressed_inside_;
      mouse_state_ &= ~kMousePressed;
      mouse_pressed_ = false;
      if (GetCapture() == handle_) ReleaseCapture();
      // Released elsewhere: the button is not hot any more.
      if (CursorOverWindow()) {
        TrackMouseLeave();
      } else {
        mouse_state_ &= ~kMouseHot;
      }
      Repaint();
      if (!by_mouse || inside) ClickAfterPress();
      return;
    }
    case WM_MOUSELEAVE:
      mouse_state_ &= ~kMouseHot;
      // While the press holds the mouse it is the release that decides.
      if (!mouse_pressed_) mouse_state_ &= ~kMousePressed;
      Repaint();
      return;
    case WM_CAPTURECHANGED:
      if (mouse_pressed_ && reinterpret_cast<HWND>(m.LParam) != handle_) CaptureLost();
      return;
    case WM_ENABLE:
      if (!m.WParam) mouse_state_ = 0;
      Repaint();
      return;
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case BM_SETCHECK:
    case WM_UPDATEUISTATE:
      Repaint();
      return;
    default:
      break;
  }
  TSkinControl::AfterMessage(m);
}

void TSkinButton::CaptureLost() {
  // A menu or another window took the mouse: the press is over, no click.
  mouse_pressed_ = false;
  mouse_state_ = 0;
  Repaint();
}

void TSkinButton::ClickAfterPress() {
  // A click may run a modal loop (a drop-down menu, a message box): no skin
  // command may free this object or its engine while the click runs.
  std::optional<TSkinCommandHold> hold;
  if (form_) hold.emplace(form_->Manager());
  // The click handlers are the program's: what fails there is reported,
  // not swallowed with the skinning's own failures.
  try {
    if (auto* button = dynamic_cast<TButton*>(control_)) {
      button->Click();
      return;
    }
    if (graphic_) {
      graphic_->Click();
      return;
    }
  } catch (...) {
    ReportCallbackException();
    return;
  }
  HWND parent = GetParent(handle_);
  if (!parent) return;
  const WPARAM command = AsciiLower(WindowClassName(handle_)) == "tbutton"
                             ? 0
                             : MAKEWPARAM(GetDlgCtrlID(handle_), BN_CLICKED);
  PostMessageW(parent, WM_COMMAND, command, reinterpret_cast<LPARAM>(handle_));
}

// --- drawing ----------------------------------------------------------------

TSkinButtonState TSkinButton::State() const {
  if (!enabled_) return sbDisabled;
  if ((mouse_state_ & kMousePressed) && (!mouse_pressed_ || pressed_inside_)) return sbPressed;
  if (mouse_state_ & kMouseHot) return sbHot;
  // Only the button with the focus shows the focus image: the dialog
  // manager leaves its default style on buttons the focus has left.
  if (focused_) return sbFocused;
  return sbNormal;
}

TColor TSkinButton::StateTextColour(TSkinButtonState state) const {
  const TDataSkinButton& b = data_->Buttons();
  if (state == sbNormal && b.HasNormalColour2) return b.NormalColour2;
  if (state == sbHot && b.HasMouseOverColour2) return b.MouseOverColour2;
  if (state == sbPressed && b.HasPressedColour2) return b.PressedColour2;
  if (state == sbDisabled) return clBtnShadow;
  return ControlTextColour();
}

void TSkinButton::SplitCaption() {
  caption_ = BreakCaptionLine(std::move(caption_));
}

bool TSkinButton::HasFace() const {
  return data_ && !data_->Buttons().Bitmap.Empty();
}

bool TSkinButton::Compose(int width, int height) {
  const TDataSkinButton& skin = data_->Buttons();
  if (skin.Bitmap.Empty()) return false;
  focused_ = !graphic_ && GetFocus() == handle_;
  enabled_ = EnabledInItsWindow();
  caption_ = ReadCaption();
  const TSkinButtonState state = State();
  if (!buffer_.SetSize(width, height)) return false;
  const TRect b = buffer_.BoundsRect();
  if (transparent_) {
    DrawParentBackground(buffer_.DC());
  } else {
    buffer_.Fill(b, data_->Colours().ButtonFace);
  }
  if (DrawsFrame(state)) DrawSkinState(buffer_, b, 5, state, skin, Dpi());
  HDC dc = buffer_.DC();
  TSelectObject font(dc, ControlFont());
  SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(StateTextColour(state)) & 0xFFFFFF));
  SetBkMode(dc, TRANSPARENT);
  DrawContent(state);
  return true;
}

void TSkinButton::DrawTo(HDC dc, const TRect& rect) {
  if (Compose(rect.Width(), rect.Height())) buffer_.CopyTo(dc, rect.left, rect.top);
}

void TSkinButton::DrawContent(TSkinButtonState) {
  HDC dc = buffer_.DC();
  SplitCaption();
  const UINT prefix = ShowAccelerators() ? 0 : DT_HIDEPREFIX;
  const TRect b = buffer_.BoundsRect();
  RECT t{b.left + 2, b.top + 2, b.right - 2, b.bottom - 2};
  DrawTextW(dc, caption_.c_str(), -1, &t,
            DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK | DT_CENTER | prefix);
  OffsetRect(&t, -t.left, -t.top);
  OffsetRect(&t, (b.Width() - t.right) / 2, (b.Height() - t.bottom) / 2 - 1);
  // Drawn unclipped: a letter's ink may stand out of the measured extent.
  DrawTextW(dc, caption_.c_str(), -1, &t,
            TextFlags(DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK | DT_CENTER | prefix));
  if (focused_ && !data_->Options().Contains(xoNoFocusRect) && ShowFocusCues()) {
    InflateRect(&t, 2, 2);
    DrawFocusRect(dc, &t);
  }
}

// --- TSkinMenuButton --------------------------------------------------------

void TSkinMenuButton::InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                                  bool change_colour) {
  TSkinButton::InitControl(control, form, data, change_colour);
  auto* button = dynamic_cast<TMenuButton*>(&control);
  TPopupMenu* menu = button ? button->DropdownMenu : nullptr;
  if (!menu || drop_down_ || menu->Tag() == data.DisableTag() ||
      !data.SkinControls().Contains(xcPopupMenu) || HasItemPainter(*menu)) {
    return;
  }
  SetItemPainter(*menu, data, true);
  drop_down_ = menu;
  drop_down_alive_ = menu->Alive();
}

void TSkinMenuButton::Restore() {
  // The menu is only touched while it exists and the button still shows
  // it: a menu the button let go of, or one the program freed, is left.
  auto* button = dynamic_cast<TMenuButton*>(Control());
  const bool alive = drop_down_alive_ && *drop_down_alive_;
  if (drop_down_ && alive && button && button->DropdownMenu == drop_down_ && Data()) {
    SetItemPainter(*drop_down_, *Data(), false);
  }
  drop_down_ = nullptr;
  drop_down_alive_.reset();
  TSkinButton::Restore();
}

TSkinButtonState TSkinMenuButton::State() const {
  if (!enabled_) return sbDisabled;
  if ((mouse_state_ & kMousePressed) && (!mouse_pressed_ || pressed_inside_)) return sbPressed;
  if ((mouse_state_ & kMouseHot) || focused_) return sbHot;
  return sbNormal;
}

void TSkinMenuButton::DrawContent(TSkinButtonState state) {
  HDC dc = buffer_.DC();
  SplitCaption();
  const UINT prefix = ShowAccelerators() ? 0 : DT_HIDEPREFIX;
  const TPoint c{buffer_.Width(), buffer_.Height()};
  TPoint s;
  if (!caption_.empty()) {
    RECT t{2, 2, c.x - kArrowZone - 2, c.y - 2};
    DrawTextW(dc, caption_.c_str(), -1, &t, DT_CALCRECT | DT_WORDBREAK | prefix);
    s = {static_cast<int>(t.right - t.left), static_cast<int>(t.bottom - t.top)};
  }
  const int ty = (c.y - s.y + 1) / 2;
  const int tx = (c.x - kArrowZone - s.x) / 2 + 2;
  RECT text{tx, ty, tx + s.x, ty + s.y};
  DrawTextW(dc, caption_.c_str(), -1, &text, TextFlags(DT_WORDBREAK | DT_NOCLIP | prefix));
  if (!caption_.empty() && focused_ && !data_->Options().Contains(xoNoFocusRect) &&
      ShowFocusCues()) {
    InflateRect(&text, 2, 2);
    DrawFocusRect(dc, &text);
  }
  // The arrow in the skin's text colour (grey while disabled).
  const int ay = c.y / 2 + 2;
  const POINT arrow[3] = {{c.x - 12, ay}, {c.x - 15, ay - 3}, {c.x - 9, ay - 3}};
  const TColor ink = state == sbDisabled ? clBtnShadow : data_->Colours().WindowText;
  const auto rgb = static_cast<COLORREF>(ColorToRGB(ink) & 0xFFFFFF);
  TOwnedPen pen(CreatePen(PS_SOLID, 1, rgb));
  TOwnedBrush brush(CreateSolidBrush(rgb));
  TSelectObject select_pen(dc, pen.Get());
  TSelectObject select_brush(dc, brush.Get());
  Polygon(dc, arrow, 3);
}
