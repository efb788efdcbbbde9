#include "framework/GraphicControl.h"

#include <algorithm>

#include "framework/ControlProperties.h"
#include "framework/Dpi.h"
#include "framework/Unicode.h"

TGraphicControl::TGraphicControl(TComponent* owner) : TComponent(owner) {
  WindowProc = [this](TMessage& m) { WndProc(m); };
}

TGraphicControl::~TGraphicControl() {
  SetParent(nullptr);
}

void TGraphicControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) {
    Invalidate();
    auto& list = parent_->graphic_controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    if (parent_->mouse_control_ == this) parent_->mouse_control_ = nullptr;
    if (parent_->capture_control_ == this) {
      parent_->capture_control_ = nullptr;
      if (parent_->Handle() && GetCapture() == parent_->Handle()) ReleaseCapture();
    }
  }
  parent_ = parent;
  mouse_in_ = false;
  if (parent_) {
    parent_->graphic_controls_.push_back(this);
    Invalidate();
  }
}

void TGraphicControl::SetBounds(int left, int top, int width, int height) {
  Invalidate();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Invalidate();
}

TRect TGraphicControl::BoundsRect() const {
  const int dpi = parent_ ? parent_->Dpi() : kDefaultDpi;
  // Edges, not sizes, are scaled, as for windowed controls.
  return TRect{ScaleForDpi(left_, dpi), ScaleForDpi(top_, dpi), ScaleForDpi(left_ + width_, dpi),
               ScaleForDpi(top_ + height_, dpi)};
}

void TGraphicControl::SetCaption(const std::wstring& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Invalidate();
}

void TGraphicControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Perform(CM_ENABLEDCHANGED, 0, 0);
  Invalidate();
}

void TGraphicControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  // Hidden controls are not painted, so the parent erases where it was.
  if (!visible && parent_ && parent_->Handle()) {
    const TRect r = BoundsRect();
    const RECT area{r.left, r.top, r.right, r.bottom};
    InvalidateRect(parent_->Handle(), &area, TRUE);
  }
  visible_ = visible;
  Perform(CM_VISIBLECHANGED, visible ? 1 : 0, 0);
  Invalidate();
}

TFont& TGraphicControl::FontObject() {
  font_.Handle = Font();
  return font_;
}

HFONT TGraphicControl::Font() const {
  return parent_ ? parent_->Font() : nullptr;
}

void TGraphicControl::Invalidate() {
  if (!parent_ || !parent_->Handle() || !visible_) return;
  const TRect r = BoundsRect();
  const RECT area{r.left, r.top, r.right, r.bottom};
  InvalidateRect(parent_->Handle(), &area, Opaque() ? FALSE : TRUE);
}

void TGraphicControl::Repaint() {
  Invalidate();
  if (parent_ && parent_->Handle()) UpdateWindow(parent_->Handle());
}

LRESULT TGraphicControl::Perform(UINT msg, WPARAM wp, LPARAM lp) {
  TMessage m{msg, wp, lp, 0};
  WindowProc(m);
  return m.Result;
}

void TGraphicControl::Click() {
  if (OnClick) OnClick(this);
}

void TGraphicControl::WndProc(TMessage& m) {
  const POINT p{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
  switch (m.Msg) {
    case WM_PAINT:
      if (m.WParam) Paint(reinterpret_cast<HDC>(m.WParam));
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      MouseDown(p, m.WParam);
      break;
    case WM_MOUSEMOVE:
      MouseMove(p, m.WParam);
      break;
    case WM_LBUTTONUP:
      MouseUp(p, m.WParam);
      break;
    case CM_MOUSEENTER:
      mouse_in_ = true;
      MouseEnter();
      break;
    case CM_MOUSELEAVE:
      mouse_in_ = false;
      MouseLeave();
      break;
    default:
      break;
  }
  m.Result = 0;
}

void TGraphicControl::DescribeProperties(TPropertyTable& table) {
  TComponent::DescribeProperties(table);
  DescribeCommonControlProperties(table, *this);
}

// --- the parent's side ------------------------------------------------------

TGraphicControl* TWinControl::GraphicControlAt(POINT point) const {
  // The last one added lies on top.
  for (auto it = graphic_controls_.rbegin(); it != graphic_controls_.rend(); ++it) {
    TGraphicControl* c = *it;
    if (c->visible_ && c->enabled_ && c->BoundsRect().Contains(point.x, point.y)) return c;
  }
  return nullptr;
}

void TWinControl::PaintControls(HDC dc) {
  // A copy: a control may leave the list while it paints.
  const std::vector<TGraphicControl*> controls = graphic_controls_;
  for (TGraphicControl* c : controls) {
    const TRect r = c->BoundsRect();
    if (!c->visible_ || r.Width() <= 0 || r.Height() <= 0) continue;
    const int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, r.left, r.top, nullptr);
    IntersectClipRect(dc, 0, 0, r.Width(), r.Height());
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
  }
}

// Some systems report a leave when the mouse capture ends over the window;
// the control keeps the mouse when the cursor is still on it.
bool TWinControl::MouseStillOver(const TGraphicControl& control) {
  POINT cursor{};
  GetCursorPos(&cursor);
  if (WindowFromPoint(cursor) != hwnd_) return false;
  ScreenToClient(hwnd_, &cursor);
  if (!control.BoundsRect().Contains(cursor.x, cursor.y)) return false;
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
  TrackMouseEvent(&track);
  return true;
}

void TWinControl::SetMouseControl(TGraphicControl* under) {
  if (under != mouse_control_) {
    TGraphicControl* left = mouse_control_;
    mouse_control_ = under;
    if (left) left->Perform(CM_MOUSELEAVE, 0, 0);
    if (under) under->Perform(CM_MOUSEENTER, 0, 0);
  }
  if (mouse_control_) {
    // The window tells us when the mouse leaves it, so the control hears it
    // however the mouse goes.
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
    TrackMouseEvent(&track);
  }
}

bool TWinControl::RouteToGraphicControl(TMessage& m) {
  switch (m.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
      break;
    case WM_MOUSELEAVE:
      if (mouse_control_ && !capture_control_ && !MouseStillOver(*mouse_control_)) {
        TGraphicControl* left = mouse_control_;
        mouse_control_ = nullptr;
        left->Perform(CM_MOUSELEAVE, 0, 0);
      }
      return false;
    case WM_CAPTURECHANGED:
      // A menu or another window took the mouse while a button was down.
      if (capture_control_ && reinterpret_cast<HWND>(m.LParam) != hwnd_) {
        TGraphicControl* lost = capture_control_;
        capture_control_ = nullptr;
        lost->Perform(WM_CAPTURECHANGED, 0, m.LParam);
        if (mouse_control_ == lost) {
          mouse_control_ = nullptr;
          lost->Perform(CM_MOUSELEAVE, 0, 0);
        }
      }
      return false;
    default:
      return false;
  }
  const POINT point{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
  TGraphicControl* under = GraphicControlAt(point);
  if (m.Msg == WM_MOUSEMOVE) SetMouseControl(under);
  TGraphicControl* target = capture_control_ ? capture_control_ : under;
  if (!target) return false;
  const TRect bounds = target->BoundsRect();
  const LPARAM local = MAKELPARAM(point.x - bounds.left, point.y - bounds.top);
  if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) {
    capture_control_ = target;
    SetCapture(hwnd_);
  }
  if (m.Msg == WM_LBUTTONUP && capture_control_) {
    capture_control_ = nullptr;
    if (GetCapture() == hwnd_) ReleaseCapture();
  }
  target->Perform(m.Msg, m.WParam, local);
  // A button that came up elsewhere leaves the mouse where it is now.
  if (m.Msg == WM_LBUTTONUP) SetMouseControl(under);
  m.Result = 0;
  return true;
}
