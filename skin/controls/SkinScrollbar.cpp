// The painted overlay of a native scroll bar.
#include "skin/controls/SkinScrollbar.h"

#include <algorithm>
#include <optional>

#include "framework/Dpi.h"
#include "framework/ScrollBar.h"
#include "skin/controls/SkinProps.h"
#include "skin/data/SkinManage.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/WinSkinForm.h"

namespace {

constexpr wchar_t kOverlayClass[] = L"TonmillSkinScrollBar";

void RegisterOverlayClass() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), kOverlayClass, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kOverlayClass;
  RegisterClassExW(&wc);
}

// Cells of the "Scrollbar" strip (23 cells).
constexpr int kStripCells = 23;
constexpr int kLeftArrow = 1, kRightArrow = 5, kUpArrow = 9, kDownArrow = 13;
constexpr int kHorzGrip = 17, kVertGrip = 20;

}  // namespace

TWScrollbar::TWScrollbar(TSkinControl& host) : host_(host) {
  arrow_size_ = GetSystemMetrics(SM_CXHSCROLL);
}

void TWScrollbar::FollowDpi() {
  // The system draws the bar at its window's DPI: the arrows are as long as
  // the bar is thick there, and the images are scaled to the same DPI.
  dpi_ = WindowDpi(target_);
  arrow_size_ = SystemMetricsForDpi(SM_CXHSCROLL, dpi_);
}

TWScrollbar::~TWScrollbar() {
  if (window_ && IsWindow(window_)) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

void TWScrollbar::BindControl(TWinControl& control, TScrollBarKind2 kind) {
  target_control_ = &control;
  Bind(control.Handle(), kind);
}

void TWScrollbar::BindWindow(HWND window, TScrollBarKind2 kind) {
  Bind(window, kind);
}

void TWScrollbar::Bind(HWND target, TScrollBarKind2 kind) {
  target_ = target;
  FollowDpi();
  kind_ = kind;
  vertical_ = kind == skVertical;
  if (kind == skControl) {
    vertical_ = target_control_ ? AsciiLower(PropEnum(target_control_, "Kind")) != "sbhorizontal"
                                : (GetWindowLongPtrW(target, GWL_STYLE) & SBS_VERT) != 0;
  }
  if (!window_) {
    RegisterOverlayClass();
    // A tool window that takes no focus, beside the target; over a window
    // of its own (a dropped list) a popup it owns, kept above it.
    over_popup_ = kind != skControl && !(GetWindowLongPtrW(target, GWL_STYLE) & WS_CHILD);
    window_ = over_popup_
                  ? CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST,
                                    kOverlayClass, L"", WS_POPUP | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                                    target, nullptr, GetModuleHandleW(nullptr), nullptr)
                  : CreateWindowExW(WS_EX_TOOLWINDOW, kOverlayClass, L"",
                                    WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, GetParent(target),
                                    nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window_) {
      SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
      SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWScrollbar::WndProc));
    }
  }
  Place();
}

bool TWScrollbar::Info(TBarInfo& info) const {
  if (!target_ || !IsWindow(target_)) return false;
  if (kind_ != skControl) {
    if (!SkinManager) return false;
    SCROLLBARINFO sbi{};
    sbi.cbSize = sizeof sbi;
    if (!SkinManager->System().ScrollBarInfo(
            target_, kind_ == skHorizontal ? OBJID_HSCROLL : OBJID_VSCROLL, sbi)) {
      return false;
    }
    info.bar = sbi.rcScrollBar;
    info.thumb = {sbi.xyThumbTop, sbi.xyThumbBottom};
    info.state = sbi.rgstate[0];
    return true;
  }
  // A scroll-bar control: worked out from its scroll information and place.
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
  if (!GetScrollInfo(target_, SB_CTL, &si)) return false;
  RECT r{};
  GetWindowRect(target_, &r);
  MapWindowPoints(nullptr, GetParent(target_), reinterpret_cast<POINT*>(&r), 2);
  info.bar = r;
  const int length = vertical_ ? r.bottom - r.top : r.right - r.left;
  info.thumb =
      ControlThumb(length, arrow_size_, si.nMin, si.nMax, static_cast<int>(si.nPage), si.nPos);
  info.state = 0;
  if (!IsWindowEnabled(target_)) info.state |= STATE_SYSTEM_UNAVAILABLE;
  if (!IsWindowVisible(target_)) info.state |= STATE_SYSTEM_INVISIBLE;
  return true;
}

void TWScrollbar::Place() {
  TBarInfo info;
  if (!window_ || !Info(info)) {
    shown_ = false;
    return;
  }
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(target_, GWL_STYLE));
  if (!(style & WS_VISIBLE) || (info.state & STATE_SYSTEM_INVISIBLE)) {
    HideBar();
    return;
  }
  POINT position{info.bar.left, info.bar.top};
  const int w = info.bar.right - info.bar.left, h = info.bar.bottom - info.bar.top;
  if (kind_ == skControl) {
    bar_in_target_ = {0, 0, w, h};
    bar_origin_ = position;
  } else {
    bar_in_target_ = info.bar;
    MapWindowPoints(nullptr, target_, reinterpret_cast<POINT*>(&bar_in_target_), 2);
    bar_origin_ = position;
    if (!over_popup_) ScreenToClient(GetParent(target_), &position);
  }
  bar_length_ = vertical_ ? h : w;
  shown_ = true;
  FollowDpi();
  // Just above the target in the z-order.
  HWND above = over_popup_ ? HWND_TOPMOST : GetWindow(target_, GW_HWNDPREV);
  UINT flags = SWP_NOACTIVATE | SWP_SHOWWINDOW;
  if (above == window_) flags |= SWP_NOZORDER;
  SetWindowPos(window_, above ? above : HWND_TOP, position.x, position.y, w, h, flags);
  MoveWindow(window_, position.x, position.y, w, h, TRUE);
}

void TWScrollbar::HideBar() {
  if (window_) ShowWindow(window_, SW_HIDE);
  shown_ = false;
}

void TWScrollbar::Repaint() {
  if (!window_ || !shown_) return;
  InvalidateRect(window_, nullptr, FALSE);
  UpdateWindow(window_);
}

void TWScrollbar::SetEnabled(bool enabled) {
  if (window_) EnableWindow(window_, enabled ? TRUE : FALSE);
  Repaint();
}

void TWScrollbar::SetHotPart(int part) {
  if (part == hot_part_) return;
  hot_part_ = part;
  Repaint();
}

TScrollPart TWScrollbar::HitTest(POINT point) const {
  return ScrollHitTest(vertical_ ? point.y : point.x, arrow_size_, thumb_, bar_length_);
}

TThumbExtent TWScrollbar::ShownThumb(const TThumbExtent& reported) const {
  if (pressed_ && hot_part_ == spThumb && kind_ != skControl) {
    POINT cursor{};
    GetCursorPos(&cursor);
    return DragThumb(reported, vertical_ ? cursor.y : cursor.x,
                     vertical_ ? press_cursor_.y : press_cursor_.x, press_thumb_start_, arrow_size_,
                     bar_length_);
  }
  return reported;
}

// --- painting ---------------------------------------------------------------

void TWScrollbar::Paint(HDC dc) {
  TSkinData* data = host_.Data();
  if (!data) return;
  const TDataSkinObject* strip = data->Object(ssScrollbar);
  if (!strip || strip->Bitmap.Empty()) return;
  TBarInfo info;
  if (!Info(info) || (info.state & STATE_SYSTEM_INVISIBLE)) return;
  const bool enabled = !(info.state & STATE_SYSTEM_UNAVAILABLE) && IsWindowEnabled(window_);
  RECT client{};
  GetClientRect(window_, &client);
  TRect rect{0, 0, info.bar.right - info.bar.left, info.bar.bottom - info.bar.top};
  if (rect.right < 0 || rect.bottom < 0 || rect.right > client.right ||
      rect.bottom > client.bottom) {
    return;
  }
  bar_length_ = vertical_ ? rect.bottom : rect.right;
  int breadth = SkinScale(strip->Bitmap.Height(), dpi_);
  if (std::abs(breadth - arrow_size_) > 2) breadth = arrow_size_;
  if (kind_ == skControl) {
    if (vertical_)
      rect.right = breadth;
    else
      rect.bottom = breadth;
  }
  if (!buffer_.SetSize(rect.Width(), rect.Height())) return;
  if (kind_ != skControl) {
    if (vertical_)
      rect.right = breadth;
    else
      rect.bottom = breadth;
  }
  buffer_.Fill(buffer_.BoundsRect(), data->Colours().ButtonFace);
  const int length = bar_length_;
  auto along = [&](int from, int to) {
    return vertical_ ? TRect{0, from, rect.right, to} : TRect{from, 0, to, rect.bottom};
  };

  // The track between the arrows.
  if (const TDataSkinObject* track = data->Object(vertical_ ? ssVertScroll : ssHorzScroll)) {
    DrawSkinState(buffer_, along(arrow_size_, length - arrow_size_), 4, enabled ? 1 : 3, *track,
                  dpi_);
  }
  // The arrows.
  const int a = ArrowLength(length, arrow_size_);
  const int first = vertical_ ? kUpArrow : kLeftArrow;
  const int second = vertical_ ? kDownArrow : kRightArrow;
  auto arrow_cell = [&](int base, int part) {
    if (!enabled) return base + 2;
    if (hot_part_ == part) return base + (pressed_ ? 1 : 3);
    return base;
  };
  DrawStripFrame(buffer_, along(0, a), kStripCells, arrow_cell(first, spFirstArrow), strip->Bitmap,
                 dpi_);
  DrawStripFrame(buffer_, along(length - a, length), kStripCells, arrow_cell(second, spSecondArrow),
                 strip->Bitmap, dpi_);
  // The thumb, with its grip when it is long enough.
  thumb_ = ShownThumb(info.thumb);
  const int thumb_length = thumb_.end - thumb_.start;
  const bool thumb_hot = hot_part_ == spThumb;
  const TDataSkinObject* thumb = data->Object(vertical_ ? ssVertScrollThumb : ssHorzScrollThumb);
  const int limit = vertical_ ? buffer_.Height() : buffer_.Width();
  if (enabled && thumb && thumb_.start >= 0 && thumb_.end <= limit && thumb_length > 0) {
    const int cell = thumb_hot ? (pressed_ ? 2 : 3) : 1;
    DrawSkinState(buffer_, along(thumb_.start, thumb_.end), std::max(thumb->Frame, 1), cell, *thumb,
                  dpi_);
    const int g = SkinScale(strip->Bitmap.Height(), dpi_);
    if (g < thumb_length + 2) {
      const int grip = (vertical_ ? kVertGrip : kHorzGrip) + (thumb_hot ? (pressed_ ? 1 : 2) : 0);
      const int from = thumb_.start + (thumb_length - g) / 2;
      if (from >= 0 && from + g <= limit) {
        DrawStripFrame(buffer_, along(from, from + g), kStripCells, grip, strip->Bitmap, dpi_);
      }
    }
  }
  buffer_.CopyTo(dc, 0, 0);
}

// --- mouse ------------------------------------------------------------------

void TWScrollbar::Press(LPARAM lp) {
  GetCursorPos(&press_cursor_);
  TBarInfo info;
  if (Info(info)) {
    press_thumb_start_ = info.thumb.start;
    if (kind_ == skControl && target_control_) {
      // The control's own values say where its thumb starts.
      if (auto* bar = dynamic_cast<TScrollBar*>(target_control_)) {
        press_thumb_start_ = PressThumbStart(bar_length_, arrow_size_, bar->Min(), bar->Max(),
                                             bar->Position(), bar->PageSize());
      }
    }
  }
  POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  hot_part_ = HitTest(p);
  if (kind_ != skControl) {
    bar_origin_ = {info.bar.left, info.bar.top};
    p.x += bar_origin_.x;
    p.y += bar_origin_.y;
  }
  pressed_ = true;
  Repaint();
  ReleaseCapture();
  // The system's own tracking of the native bar runs inside this call; no
  // skin command may free the overlay under it.
  const HWND target = target_;
  {
    std::optional<TSkinCommandHold> hold;
    if (host_.Form()) hold.emplace(host_.Form()->Manager());
    if (kind_ == skControl) {
      SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    } else {
      SendMessageW(target, WM_NCLBUTTONDOWN, kind_ == skHorizontal ? HTHSCROLL : HTVSCROLL,
                   MAKELPARAM(p.x, p.y));
    }
  }
  pressed_ = false;
  ReleaseCapture();
  if (kind_ == skControl) {
    hot_part_ = spNone;
    Repaint();
  }
}

void TWScrollbar::Release(LPARAM lp) {
  POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  if (kind_ != skControl) {
    p.x += bar_origin_.x;
    p.y += bar_origin_.y;
  }
  pressed_ = false;
  ReleaseCapture();
  if (kind_ == skControl) {
    PostMessageW(target_, WM_LBUTTONUP, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    Repaint();
  } else {
    PostMessageW(target_, WM_NCLBUTTONUP, kind_ == skHorizontal ? HTHSCROLL : HTVSCROLL,
                 MAKELPARAM(p.x, p.y));
  }
}

LRESULT CALLBACK TWScrollbar::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<TWScrollbar*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  try {
    return self->Handle(msg, wp, lp);
  } catch (...) {
    // A failure of the skinning never reaches the system: the overlay
    // answers as a plain window would.
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

LRESULT TWScrollbar::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window_, &ps);
      Paint(dc);
      EndPaint(window_, &ps);
      return 0;
    }
    case WM_MOUSEMOVE: {
      const POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      SetHotPart(HitTest(p));
      TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_, 0};
      TrackMouseEvent(&track);
      return 0;
    }
    case WM_MOUSELEAVE:
      if (!pressed_) SetHotPart(spNone);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Press(lp);
      return 0;
    case WM_LBUTTONUP:
      Release(lp);
      return 0;
    default:
      return DefWindowProcW(window_, msg, wp, lp);
  }
}
