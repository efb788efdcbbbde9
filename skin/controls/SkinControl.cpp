#include "skin/controls/SkinControl.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/ClassName.h"
#include "framework/Dpi.h"
#include "framework/GraphicControl.h"
#include "skin/controls/SkinProps.h"
#include "skin/data/SkinManage.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinWindowMessages.h"
#include "skin/form/WinSkinForm.h"

namespace {
constexpr UINT_PTR kControlSubclassId = 0x534D;  // "SM"
// While a control shows the mouse over it, this timer looks whether the
// mouse is still there: the system's leave notice does not come on every
// path (a window that opens under the mouse, say).
constexpr UINT_PTR kHotWatchTimer = 0x534E;
constexpr UINT kHotWatchInterval = 150;
}  // namespace

TSkinControl::TSkinControl(TComponent* owner) : TComponent(owner) {}

TSkinControl::~TSkinControl() {
  *alive_ = false;
  GiveProcedureBack();
}

std::string TSkinControl::SkinnedClassName() const {
  if (const TComponent* skinned = Skinned()) return ClassNameOf(*skinned);
  return WindowClassName(handle_);
}

TComponent* TSkinControl::Skinned() const {
  if (control_) return control_;
  return graphic_;
}

int TSkinControl::Dpi() const {
  // A framework control is told of every DPI change of its form, also one
  // the system does not show in the window's own DPI (a window moved to
  // another monitor before the window manager reports it, or a test's
  // hand-sent change): its cells are drawn at the DPI it is laid out at.
  if (control_ && control_->Dpi() > 0) return control_->Dpi();
  if (dpi_host_ && dpi_host_->Dpi() > 0) return dpi_host_->Dpi();
  if (graphic_ && graphic_->Parent() && graphic_->Parent()->Dpi() > 0) {
    return graphic_->Parent()->Dpi();
  }
  if (handle_) return WindowDpi(handle_);
  return form_ ? form_->Dpi() : WindowDpi(nullptr);
}

void TSkinControl::FollowDpiOf(TWinControl& host) {
  dpi_host_ = &host;
  FreeNotification(&host);
}

// --- attaching and giving back ----------------------------------------------

void TSkinControl::Adopt(TWinControl& control, TWinSkinForm& form, TSkinData& data) {
  data_ = &data;
  form_ = &form;
  control_ = &control;
  FreeNotification(&control);
  handle_ = control.Handle();
}

void TSkinControl::InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                               bool change_colour) {
  if (initialized_) return;
  change_colour_ = change_colour;
  Adopt(control, form, data);
  layer_.Install(control.WindowProc, [this](TMessage& m) { SkinWindowProc(m); });
  if (change_colour_) TakeColours();
  if (parent_background_cleared_) mode_ = 1;
  control.Invalidate();
  initialized_ = true;
  life_ = slAttached;
}

void TSkinControl::InitWindow(HWND window, TSkinData& data, TWinSkinForm& form) {
  if (initialized_) return;
  data_ = &data;
  form_ = &form;
  handle_ = window;
  enabled_ = true;
  mode_ = 0;
  caption_ = SkinManager ? SkinManager->System().WindowText(window) : std::wstring();
  subclass_.Install(window, &TSkinControl::SubclassProc, kControlSubclassId,
                    reinterpret_cast<DWORD_PTR>(this));
  InvalidateRect(window, nullptr, TRUE);
  initialized_ = true;
  life_ = slAttached;
}

void TSkinControl::InitGraphic(TGraphicControl& control, TWinSkinForm& form, TSkinData& data) {
  if (initialized_) return;
  data_ = &data;
  form_ = &form;
  graphic_ = &control;
  FreeNotification(&control);
  layer_.Install(control.WindowProc, [this](TMessage& m) { SkinWindowProc(m); });
  control.Invalidate();
  initialized_ = true;
  life_ = slAttached;
}

void TSkinControl::GiveProcedureBack() {
  if (handle_ && IsWindow(handle_)) KillTimer(handle_, kHotWatchTimer);
  layer_.Remove();
  subclass_.Remove();
}

void TSkinControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == dpi_host_) dpi_host_ = nullptr;
  if (component == control_ || component == graphic_) {
    // The control is going: nothing of it may be touched any more.
    control_ = nullptr;
    graphic_ = nullptr;
    layer_.Orphan();
    skin_active_ = false;
    life_ = slDestroyed;
  }
}

void TSkinControl::Restore() {
  if (change_colour_ && control_) GiveColoursBack();
}

void TSkinControl::SkinChanged() {
  if (change_colour_ && control_) {
    control_->FontObject().Color = data_->Colours().ButtonText;
    control_->SetColor(data_->Colours().ButtonFace);
    // Labels inside take the new colours too.
    RedrawWindow(control_->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
  Repaint();
}

void TSkinControl::TakeColours() {
  if (!control_) return;
  ParentBackgroundStep(true);
  old_colour_ = control_->Color();
  old_font_colour_ = control_->FontObject().Color;
  // Texts on the skin's face are written in the skin's text colour.
  control_->FontObject().Color = data_->Colours().ButtonText;
  control_->SetColor(data_->Colours().ButtonFace);
}

void TSkinControl::GiveColoursBack() {
  if (!control_) return;
  ParentBackgroundStep(false);
  control_->FontObject().Color = old_font_colour_;
  control_->SetColor(old_colour_);
}

void TSkinControl::ParentBackgroundStep(bool attaching) {
  if (data_->Options().Contains(xoParentBackGround) || !control_ ||
      !HasProp(control_, "ParentBackground")) {
    return;
  }
  if (attaching) {
    parent_background_cleared_ = PropTrue(control_, "ParentBackground");
    if (parent_background_cleared_) WriteProp(control_, "ParentBackground", "False");
  } else if (parent_background_cleared_) {
    WriteProp(control_, "ParentBackground", "True");
  }
}

// --- message dispatch -------------------------------------------------------

LRESULT CALLBACK TSkinControl::SubclassProc(HWND, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                            DWORD_PTR ref) {
  auto* self = reinterpret_cast<TSkinControl*>(ref);
  TMessage m{msg, wp, lp, 0};
  self->SkinWindowProc(m);
  if (msg == WM_NCDESTROY) self->subclass_.Remove();
  return m.Result;
}

void TSkinControl::CallPrevious(TMessage& m) {
  if (passed_on_) *passed_on_ = true;
  // What fails in the control's own procedure is the program's failure: it
  // is reported there, while the skinning's own failures are swallowed.
  try {
    if (layer_.Installed()) {
      layer_.CallPrevious(m);
    } else if (subclass_.Installed()) {
      m.Result = subclass_.PassOn(m.Msg, m.WParam, m.LParam);
    }
  } catch (...) {
    ReportCallbackException();
  }
}

void TSkinControl::SkinWindowProc(TMessage& m) {
  const std::shared_ptr<bool> alive = alive_;
  bool passed = false;
  bool* outer = passed_on_;
  passed_on_ = &passed;
  try {
    if (m.Msg == WM_TIMER && m.WParam == kHotWatchTimer) {
      if (!CursorOverWindow()) {
        KillTimer(handle_, kHotWatchTimer);
        TMessage leave{WM_MOUSELEAVE, 0, 0, 0};
        SkinWindowProc(leave);
      }
      m.Result = 0;
    } else if (m.Msg == SKM_SKINSWITCH) {
      skin_active_ = m.WParam > 0;
      if (skin_active_) Repaint();
      m.Result = 0;
    } else if (!skin_active_) {
      CallPrevious(m);
    } else if (BeforeMessage(m)) {
      CallPrevious(m);
      if (*alive) AfterMessage(m);
    }
  } catch (...) {
    // A fault of the skinning never reaches the message loop; the control
    // goes on with its own procedure.
    if (*alive && !passed) {
      try {
        CallPrevious(m);
      } catch (...) {
      }
    }
  }
  if (*alive) passed_on_ = outer;
}

bool TSkinControl::BeforeMessage(TMessage& m) {
  if (m.Msg == WM_MOUSELEAVE) KillTimer(handle_, kHotWatchTimer);
  if (m.Msg == WM_NCDESTROY) {
    CallPrevious(m);
    skin_active_ = false;
    life_ = slDestroyed;
    Restore();
    return false;
  }
  if (m.Msg == SKM_ISSKINNED) {
    m.Result = 1;
    return false;
  }
  if (m.Msg == WM_NCPAINT && !HasNonClientArea(handle_)) {
    // Nothing lies outside the client area (a window the framework did not
    // make may be skinned too): see TWinControl::WndProc.
    m.Result = 0;
    return false;
  }
  return true;
}

void TSkinControl::AfterMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_ENABLE:
      // The controls inside take their greyed look from this one too, but
      // hear nothing of its change.
      if (handle_ && GetWindow(handle_, GW_CHILD)) {
        RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      }
      Repaint();
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_SETTEXT:
      Repaint();
      return;
    case WM_PAINT:
      PaintWindow(reinterpret_cast<HDC>(m.WParam));
      return;
    default:
      break;
  }
  if (m.Msg == CM_ENABLEDCHANGED) Repaint();
}

// --- painting ---------------------------------------------------------------

void TSkinControl::Repaint() {
  if (graphic_) {
    graphic_->Invalidate();
    return;
  }
  if (!handle_ || !IsWindow(handle_)) return;
  InvalidateRect(handle_, nullptr, TRUE);
  UpdateWindow(handle_);
}

void TSkinControl::PaintWindow(HDC dc) {
  RECT r{};
  if (!handle_ || !GetWindowRect(handle_, &r)) return;
  window_rect_ = {r.left, r.top, r.right, r.bottom};
  const TRect rect{0, 0, r.right - r.left, r.bottom - r.top};
  try {
    if (dc) {
      DrawTo(dc, rect);
    } else {
      TWindowDC window_dc(handle_, TDCArea::daWholeWindow);
      if (window_dc.Get()) DrawTo(window_dc.Get(), rect);
    }
  } catch (...) {
  }
}

std::optional<bool> TSkinControl::PaintWholeOrPassOn(TMessage& m, bool skinned) {
  if (m.Msg != WM_PAINT && m.Msg != WM_ERASEBKGND) return std::nullopt;
  if (!skinned) return true;
  if (m.Msg == WM_PAINT) {
    PaintMessage(m);
  } else {
    m.Result = 1;
  }
  return false;
}

void TSkinControl::PaintMessage(TMessage& m) {
  PAINTSTRUCT ps{};
  HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : BeginPaint(handle_, &ps);
  RECT r{};
  GetWindowRect(handle_, &r);
  window_rect_ = {r.left, r.top, r.right, r.bottom};
  try {
    DrawTo(dc, {0, 0, r.right - r.left, r.bottom - r.top});
  } catch (...) {
  }
  if (!m.WParam) EndPaint(handle_, &ps);
  m.Result = 0;
}

void TSkinControl::EraseMessage(TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  if (control_) {
    DrawParentBackground(dc);
  } else {
    RECT r{};
    GetClientRect(handle_, &r);
    FillParentColor(dc, {r.left, r.top, r.right, r.bottom});
  }
  m.Result = 1;
}

void TSkinControl::DrawParentBackground(HDC dc) {
  HWND parent = nullptr;
  TRect bounds;
  if (control_ && control_->Parent()) {
    parent = control_->Parent()->Handle();
    RECT r{};
    GetWindowRect(handle_, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    bounds = {r.left, r.top, r.right, r.bottom};
  } else if (graphic_ && graphic_->Parent()) {
    parent = graphic_->Parent()->Handle();
    bounds = graphic_->BoundsRect();
  }
  if (!parent) return;
  const int saved = SaveDC(dc);
  OffsetViewportOrgEx(dc, -bounds.left, -bounds.top, nullptr);
  IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
  SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SendMessageW(parent, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  RestoreDC(dc, saved);
}

void TSkinControl::FillColour(HDC dc, const TRect& rect, TColor colour) {
  TOwnedBrush brush(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(colour) & 0xFFFFFF)));
  const RECT r{rect.left, rect.top, rect.right, rect.bottom};
  FillRect(dc, &r, brush.Get());
}

void TSkinControl::FillSkinColor(HDC dc, const TRect& rect) const {
  FillColour(dc, rect, data_->Colours().ButtonFace);
}

void TSkinControl::FillParentColor(HDC dc, const TRect& rect) const {
  TWinControl* parent = control_ ? control_->Parent() : graphic_ ? graphic_->Parent() : nullptr;
  const int colour = PropInt(parent, "Color");
  FillColour(dc, rect,
             parent && colour != -1 ? parent->EffectiveColor() : data_->Colours().ButtonFace);
}

TColor TSkinControl::FaceColour() const {
  return ColorToRGB(data_->Colours().ButtonFace);
}

UINT TSkinControl::TextFlags(UINT flags) const {
  HWND window = handle_;
  if (!window && graphic_ && graphic_->Parent()) window = graphic_->Parent()->Handle();
  const auto ex = window ? static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)) : 0;
  return (ex & WS_EX_RTLREADING) ? flags | DT_RTLREADING : flags;
}

void TSkinControl::DrawFocusAroundText(HDC dc, UINT flags, const TRect& rect) {
  RECT text{rect.left, rect.top, rect.right, rect.bottom};
  DrawTextW(dc, caption_.c_str(), -1, &text, flags | DT_CALCRECT | DT_NOCLIP);
  const int tw = text.right - text.left, th = text.bottom - text.top;
  if (flags & DT_CENTER) {
    OffsetRect(&text, (rect.Width() - tw) / 2, (rect.Height() - th) / 2 - 1);
  } else if (flags & DT_RIGHT) {
    OffsetRect(&text, rect.Width() - tw, 0);
  }
  InflateRect(&text, 2, 1);
  RECT clip{rect.left, rect.top, rect.right, rect.bottom};
  IntersectRect(&text, &text, &clip);
  DrawFocusRect(dc, &text);
}

void TSkinControl::ForwardMouseDown(const TMessage& m) {
  if (!control_) return;
  POINT p{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
  // Packed coordinates do not reach beyond 32767 pixels.
  if (control_->Width() > 0x8000 || control_->Height() > 0x8000) {
    GetCursorPos(&p);
    ScreenToClient(handle_, &p);
  }
  control_->MouseDown(mbLeft, m.WParam, p.x, p.y);
}

void TSkinControl::TrackMouseLeave() const {
  if (!handle_) return;
  if (SkinManager) SkinManager->System().TrackMouseLeave(handle_);
  SetTimer(handle_, kHotWatchTimer, kHotWatchInterval, nullptr);
}

bool TSkinControl::CursorOverWindow() const {
  POINT cursor{};
  if (!handle_ || !GetCursorPos(&cursor)) return false;
  return WindowFromPoint(cursor) == handle_;
}

std::wstring TSkinControl::ReadCaption() const {
  if (TComponent* skinned = Skinned()) return PropText(skinned, "Caption");
  return WindowText();
}

std::wstring TSkinControl::WindowText() const {
  if (!handle_) return {};
  return SkinManager ? SkinManager->System().WindowText(handle_) : std::wstring();
}

HFONT TSkinControl::ControlFont() const {
  if (control_) return control_->FontObject().Handle;
  if (graphic_) return graphic_->FontObject().Handle;
  return reinterpret_cast<HFONT>(SendMessageW(handle_, WM_GETFONT, 0, 0));
}

TColor TSkinControl::ControlTextColour() const {
  TColor colour = clDefault;
  if (control_) colour = control_->FontObject().Color;
  if (graphic_) colour = graphic_->FontObject().Color;
  if (colour == clDefault && graphic_ && graphic_->Parent()) {
    colour = graphic_->Parent()->EffectiveFontColor();
    if (colour == clWindowText) colour = clDefault;
  }
  return colour == clDefault ? data_->Colours().ButtonText : colour;
}

bool TSkinControl::ShowFocusCues() const {
  if (!handle_) return true;
  return !(SendMessageW(handle_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
}

bool TSkinControl::ShowAccelerators() const {
  if (!handle_) return true;
  return !(SendMessageW(handle_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL);
}

DWORD TSkinControl::Style() const {
  return handle_ ? static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE)) : 0;
}

bool TSkinControl::EnabledInItsWindow() const {
  HWND window = handle_;
  if (graphic_) {
    if (!graphic_->Enabled()) return false;
    window = graphic_->Parent() ? graphic_->Parent()->Handle() : nullptr;
  }
  // Up to the top-level window, which is not asked.
  for (HWND w = window; w && (GetWindowLongPtrW(w, GWL_STYLE) & WS_CHILD); w = GetParent(w)) {
    if (!IsWindowEnabled(w)) return false;
  }
  return true;
}
