#include "framework/Control.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "framework/Application.h"
#include "framework/ControlProperties.h"
#include "framework/Dpi.h"
#include "framework/GraphicControl.h"
#include "framework/Unicode.h"

namespace {
constexpr wchar_t kOwnClass[] = L"TonmillControl";
constexpr wchar_t kControlProp[] = L"TonmillControlObject";
constexpr UINT_PTR kSubclassId = 0x746D;  // "tm"

void RegisterOwnClass(WNDPROC proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (GetClassInfoExW(GetModuleHandleW(nullptr), kOwnClass, &wc)) return;
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kOwnClass;
  RegisterClassExW(&wc);
}

// Moves child window `window` to `r` (its parent's client coordinates)
// unless it is there already: a move costs a round of messages for the
// window and, when its size changes, a new layout of everything inside.
void PlaceChild(HWND window, const RECT& r) {
  RECT now{};
  GetWindowRect(window, &now);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&now), 2);
  if (EqualRect(&now, &r)) return;
  // What the move uncovers is painted with the next paint, not at once for
  // each window moved.
  SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_DEFERERASE);
}
}  // namespace

TWinControl::TWinControl(TComponent* owner) : TComponent(owner) {
  WindowProc = [this](TMessage& m) { WndProc(m); };
}

TWinControl::~TWinControl() {
  // Children are owned by the component owner, which may free them after
  // us; they forget their parent here.
  for (TWinControl* child : children_) child->parent_ = nullptr;
  children_.clear();
  for (TGraphicControl* child : graphic_controls_) child->parent_ = nullptr;
  graphic_controls_.clear();
  if (parent_) {
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  DestroyHandle();
}

void TWinControl::DestroyHandle() {
  if (!hwnd_) return;
  HWND hwnd = hwnd_;
  // Stop dispatching to this object first, then let the window go.
  RemovePropW(hwnd, kControlProp);
  if (subclassed_) {
    subclass_.Remove();
  } else {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  }
  hwnd_ = nullptr;
  if (IsWindow(hwnd)) DestroyWindow(hwnd);
}

TWinControl* TWinControl::FindControl(HWND hwnd) {
  if (!hwnd) return nullptr;
  return static_cast<TWinControl*>(GetPropW(hwnd, kControlProp));
}

void TWinControl::CreateParams(TCreateParams&) {}

void TWinControl::CreateHandle() {
  if (hwnd_) return;
  TCreateParams params;
  CreateParams(params);
  if (!visible_) params.style &= ~WS_VISIBLE;
  if (!enabled_) params.style |= WS_DISABLED;
  HWND parent_hwnd = parent_ ? parent_->hwnd_ : params.parent_window;
  // A control is shown at its form's DPI.
  if (parent_) dpi_ = parent_->dpi_;
  const RECT r = ScaledBounds();
  const int x = r.left, y = r.top, w = r.right - r.left, h = r.bottom - r.top;
  if (params.class_name.empty()) {
    RegisterOwnClass(&TWinControl::OwnClassProc);
    hwnd_ = CreateWindowExW(params.ex_style, kOwnClass, caption_.c_str(), params.style, x, y, w, h,
                            parent_hwnd, nullptr, GetModuleHandleW(nullptr), this);
  } else {
    hwnd_ =
        CreateWindowExW(params.ex_style, params.class_name.c_str(), caption_.c_str(), params.style,
                        x, y, w, h, parent_hwnd, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (hwnd_) {
      subclass_.Install(hwnd_, &TWinControl::SubclassProc, kSubclassId,
                        reinterpret_cast<DWORD_PTR>(this));
      subclassed_ = true;
    }
  }
  if (!hwnd_) throw std::runtime_error("Cannot create a control window");
  SetPropW(hwnd_, kControlProp, this);
  if (parent_hwnd) {
    SendMessageW(hwnd_, WM_SETFONT,
                 static_cast<WPARAM>(SendMessageW(parent_hwnd, WM_GETFONT, 0, 0)), FALSE);
  }
  CreateWnd();
  for (TWinControl* child : children_) child->CreateHandle();
  Realign();
}

void TWinControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) {
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  parent_ = parent;
  if (parent_) {
    parent_->children_.push_back(this);
    if (parent_->hwnd_) {
      if (hwnd_) {
        ::SetParent(hwnd_, parent_->hwnd_);
        if (dpi_ != parent_->dpi_) {
          ChangeDpi(parent_->dpi_);
        } else if (ScalesBounds()) {
          const RECT r = ScaledBounds();
          MoveWindow(hwnd_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
        }
      } else {
        CreateHandle();
      }
      parent_->Realign();
    }
  }
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (hwnd_ && (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_CHILD)) PlaceChild(hwnd_, ScaledBounds());
  Realign();
}

RECT TWinControl::ScaledBounds() const {
  if (!ScalesBounds() || dpi_ == kDefaultDpi) {
    return RECT{left_, top_, left_ + width_, top_ + height_};
  }
  // Edges, not sizes, are scaled: a block that ends where the next begins
  // still does so in pixels.
  return RECT{ScaleForDpi(left_, dpi_), ScaleForDpi(top_, dpi_), ScaleForDpi(left_ + width_, dpi_),
              ScaleForDpi(top_ + height_, dpi_)};
}

void TWinControl::ChangeDpi(int dpi) {
  if (dpi <= 0) return;
  // The whole tree takes the new DPI before any window moves: a control
  // whose size changes then lays out its children in the new units at
  // once, and each window moves once rather than at every level above it.
  PlaceAtDpi(dpi, TakeDpi(dpi));
}

std::vector<int> TWinControl::TakeDpi(int dpi) {
  std::vector<int> old_dpis;  // in the order of the walk in PlaceAtDpi
  auto take = [&](auto& self, TWinControl& control) -> void {
    old_dpis.push_back(control.dpi_);
    control.dpi_ = dpi;
    for (TWinControl* child : control.children_) self(self, *child);
  };
  take(take, *this);
  return old_dpis;
}

void TWinControl::PlaceAtDpi(int dpi, const std::vector<int>& old_dpis) {
  size_t next = 0;
  auto place = [&](auto& self, TWinControl& control) -> void {
    const int old_dpi = next < old_dpis.size() ? old_dpis[next++] : dpi;
    HWND window = control.hwnd_;
    if (window && control.ScalesBounds() && (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)) {
      PlaceChild(window, control.ScaledBounds());
    }
    // The aligned children take their final bounds before they are
    // visited, so each moves once; what DpiChanged resizes (a tool bar's
    // height, say) is laid out again afterwards.
    control.Realign();
    for (TWinControl* child : control.children_) self(self, *child);
    if (old_dpi != dpi && window) {
      control.DpiChanged(old_dpi, dpi);
      control.Realign();
    }
  };
  place(place, *this);
}

void TWinControl::SetAlign(TAlign align) {
  align_ = align;
  if (parent_) parent_->Realign();
}

RECT TWinControl::ClientRect() const {
  RECT r{0, 0, width_, height_};
  if (hwnd_) GetClientRect(hwnd_, &r);
  return r;
}

void TWinControl::Realign() {
  if (!hwnd_ || realign_pauses_ > 0) return;
  RECT area = ClientRect();
  AdjustClientRect(area);
  // The children's bounds are in 96-DPI units; so is the area they share.
  area = RECT{UnscaleForDpi(area.left, dpi_), UnscaleForDpi(area.top, dpi_),
              UnscaleForDpi(area.right, dpi_), UnscaleForDpi(area.bottom, dpi_)};
  // Top and bottom blocks take their height in creation order, then left and
  // right, then the client block fills what remains.
  for (TWinControl* c : children_) {
    if (!c->visible_) continue;
    const int w = area.right - area.left;
    const int h = area.bottom - area.top;
    switch (c->align_) {
      case alTop:
        c->SetBounds(area.left, area.top, w, c->height_);
        area.top += c->height_;
        break;
      case alBottom:
        c->SetBounds(area.left, area.bottom - c->height_, w, c->height_);
        area.bottom -= c->height_;
        break;
      case alLeft:
        c->SetBounds(area.left, area.top, c->width_, h);
        area.left += c->width_;
        break;
      case alRight:
        c->SetBounds(area.right - c->width_, area.top, c->width_, h);
        area.right -= c->width_;
        break;
      default:
        break;
    }
  }
  for (TWinControl* c : children_) {
    if (c->visible_ && c->align_ == alClient) {
      c->SetBounds(area.left, area.top, std::max(0L, area.right - area.left),
                   std::max(0L, area.bottom - area.top));
    }
  }
}

std::wstring TWinControl::Caption() const {
  if (!hwnd_) return caption_;
  const int n = GetWindowTextLengthW(hwnd_);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  GetWindowTextW(hwnd_, text.data(), n + 1);
  text.resize(static_cast<size_t>(n));
  return text;
}

void TWinControl::SetCaption(const std::wstring& caption) {
  caption_ = caption;
  if (hwnd_) SetWindowTextW(hwnd_, caption.c_str());
}

void TWinControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (hwnd_) EnableWindow(hwnd_, enabled ? TRUE : FALSE);
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TWinControl::SetVisible(bool visible) {
  visible_ = visible;
  if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
  if (parent_) parent_->Realign();
  Perform(CM_VISIBLECHANGED, visible ? 1 : 0, 0);
}

HFONT TWinControl::Font() const {
  return hwnd_ ? reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)) : nullptr;
}

void TWinControl::Invalidate() {
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void TWinControl::Repaint() {
  if (hwnd_) {
    InvalidateRect(hwnd_, nullptr, TRUE);
    UpdateWindow(hwnd_);
  }
}

void TWinControl::MouseDown(TMouseButton button, WPARAM keys, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, keys, x, y);
}

LRESULT TWinControl::Perform(UINT msg, WPARAM wp, LPARAM lp) {
  TMessage m{msg, wp, lp, 0};
  WindowProc(m);
  return m.Result;
}

bool TWinControl::ReflectToChild(TMessage& m) {
  HWND child = nullptr;
  switch (m.Msg) {
    case WM_COMMAND:
      child = reinterpret_cast<HWND>(m.LParam);
      break;
    case WM_NOTIFY:
      child = reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom;
      break;
    case WM_DRAWITEM:
      child = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam)->hwndItem;
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      child = reinterpret_cast<HWND>(m.LParam);
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      // Scroll-bar controls name themselves; window scroll bars do not.
      child = reinterpret_cast<HWND>(m.LParam);
      if (!child) return false;
      break;
    default:
      return false;
  }
  // Mostly one of this control's own children: found without asking the
  // window for its property (a round trip to the window server under Wine,
  // and a child's paint asks its parent for colours).
  const auto own = std::find_if(children_.begin(), children_.end(),
                                [child](const TWinControl* c) { return c->hwnd_ == child; });
  TWinControl* target = own != children_.end() ? *own : FindControl(child);
  if (!target || target == this) return false;
  m.Result = target->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
  return true;
}

bool HasNonClientArea(HWND window) {
  RECT outer{}, inner{};
  if (!window || !GetWindowRect(window, &outer) || !GetClientRect(window, &inner)) return true;
  return outer.right - outer.left != inner.right || outer.bottom - outer.top != inner.bottom;
}

void TWinControl::WndProc(TMessage& m) {
  if (!graphic_controls_.empty() && RouteToGraphicControl(m)) return;
  switch (m.Msg) {
    case WM_NCPAINT:
      // Nothing lies outside the client area: the system's frame painting
      // would take a window DC only to draw nothing (under Wine, each DC the
      // system keeps for a window costs a round trip to let go whenever the
      // window moves or shows).
      if (!HasNonClientArea(hwnd_)) {
        m.Result = 0;
        return;
      }
      break;
    case WM_SETFONT:
      if (!subclassed_) {
        // Our own windows keep their font here, as standard controls do.
        font_ = reinterpret_cast<HFONT>(m.WParam);
        if (LOWORD(m.LParam)) Invalidate();
        m.Result = 0;
        return;
      }
      break;
    case WM_GETFONT:
      if (!subclassed_) {
        m.Result = reinterpret_cast<LRESULT>(font_);
        return;
      }
      break;
    case WM_SETFOCUS:
      if (TWinControl* top = FindControl(GetAncestor(hwnd_, GA_ROOT)); top && top != this) {
        top->ControlFocused(*this);
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      MouseDown(m.Msg == WM_LBUTTONDOWN   ? mbLeft
                : m.Msg == WM_RBUTTONDOWN ? mbRight
                                          : mbMiddle,
                m.WParam, static_cast<short>(LOWORD(m.LParam)),
                static_cast<short>(HIWORD(m.LParam)));
      break;
    case WM_ERASEBKGND:
      if (!subclassed_) {
        EraseWithColour(reinterpret_cast<HDC>(m.WParam));
        m.Result = 1;
        return;
      }
      break;
    case WM_PAINT:
      if (!subclassed_ && !graphic_controls_.empty()) {
        // Our own windows have nothing to paint but their windowless children.
        PAINTSTRUCT ps;
        HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : BeginPaint(hwnd_, &ps);
        PaintControls(dc);
        if (!m.WParam) EndPaint(hwnd_, &ps);
        m.Result = 0;
        return;
      }
      break;
    case WM_SIZE:
      DefaultHandler(m);
      if (hwnd_) {
        RECT r;
        GetWindowRect(hwnd_, &r);
        const int w = r.right - r.left, h = r.bottom - r.top;
        // A size the window was given in pixels by someone else is taken
        // back in units; the scaled bounds' own size keeps the units as set.
        const RECT scaled = ScaledBounds();
        if (w != scaled.right - scaled.left) width_ = ScalesBounds() ? UnscaleForDpi(w, dpi_) : w;
        if (h != scaled.bottom - scaled.top) height_ = ScalesBounds() ? UnscaleForDpi(h, dpi_) : h;
      }
      Realign();
      return;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (ReflectToChild(m)) return;
      break;
    default:
      break;
  }
  // Reflected messages nobody handled get the standard answer.
  if (AnswerCtlColor(m)) return;
  if (m.Msg >= CN_BASE + WM_CTLCOLORMSGBOX && m.Msg <= CN_BASE + WM_CTLCOLORSTATIC) {
    m.Result = DefWindowProcW(GetParent(hwnd_), m.Msg - CN_BASE, m.WParam, m.LParam);
    return;
  }
  if (m.Msg >= CN_BASE && m.Msg < CN_BASE + 0x400) {
    m.Result = 0;
    return;
  }
  DefaultHandler(m);
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (!hwnd_) {
    m.Result = 0;
  } else if (subclassed_) {
    m.Result = subclass_.PassOn(m.Msg, m.WParam, m.LParam);
  } else {
    m.Result = DefWindowProcW(hwnd_, m.Msg, m.WParam, m.LParam);
  }
}

LRESULT TWinControl::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  TMessage m{msg, wp, lp, 0};
  // Every message of a control arrives here from the system: a failure of a
  // handler is reported and goes no further. A paint that failed is taken as
  // done, or the window would ask again at once.
  try {
    WindowProc(m);
  } catch (...) {
    if (msg == WM_PAINT && hwnd_) ValidateRect(hwnd_, nullptr);
    ReportCallbackException();
    return 0;
  }
  return m.Result;
}

LRESULT CALLBACK TWinControl::OwnClassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    const auto* create = reinterpret_cast<CREATESTRUCTW*>(lp);
    void* params = create->lpCreateParams;
    // An MDI child's creation data comes wrapped in the client's record.
    if ((create->dwExStyle & WS_EX_MDICHILD) && params) {
      params = reinterpret_cast<void*>(static_cast<MDICREATESTRUCTW*>(params)->lParam);
    }
    auto* self = static_cast<TWinControl*>(params);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TWinControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  const LRESULT result = self->Dispatch(msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    // The window is gone (destroyed with its parent, say): forget it.
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    RemovePropW(hwnd, kControlProp);
    self->hwnd_ = nullptr;
  }
  return result;
}

LRESULT CALLBACK TWinControl::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                           DWORD_PTR ref) {
  auto* self = reinterpret_cast<TWinControl*>(ref);
  if (msg == WM_NCDESTROY) {
    // Whoever replaced WindowProc sees the end of the window as well.
    const LRESULT result = self->Dispatch(msg, wp, lp);
    self->subclass_.Remove();
    RemovePropW(hwnd, kControlProp);
    self->hwnd_ = nullptr;
    return result;
  }
  return self->Dispatch(msg, wp, lp);
}

void TWinControl::DescribeProperties(TPropertyTable& table) {
  TComponent::DescribeProperties(table);
  DescribeCommonControlProperties(table, *this);
  table.Int(
      "Color", [this] { return Color(); },
      [this](std::int64_t v) { SetColor(static_cast<TColor>(v)); });
}
