// The controls whose scroll bars are covered by painted overlays.
#include <windows.h>
#include <commctrl.h>

#include "framework/ScrollBar.h"
#include "framework/StringList.h"
#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinProps.h"
#include "skin/controls/SkinScrollbar.h"
#include "skin/data/SkinManage.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinWindowMessages.h"
#include "skin/form/WinSkinForm.h"

namespace {
// The framework asks a control to make its window anew.
constexpr UINT CM_RECREATEWND = 0xB033;

// A rectangle of the target's client area in its whole-window coordinates.
RECT ClientToWindow(HWND target, RECT r) {
  RECT window{};
  GetWindowRect(target, &window);
  POINT origin{0, 0};
  ClientToScreen(target, &origin);
  OffsetRect(&r, origin.x - window.left, origin.y - window.top);
  return r;
}
}  // namespace

// --- TScrollOverlays --------------------------------------------------------

void TScrollOverlays::Make(TSkinControl& host, TWinControl* control, HWND window) {
  horz_ = std::make_unique<TWScrollbar>(host);
  vert_ = std::make_unique<TWScrollbar>(host);
  if (control) {
    horz_->BindControl(*control, skHorizontal);
    vert_->BindControl(*control, skVertical);
  } else {
    horz_->BindWindow(window, skHorizontal);
    vert_->BindWindow(window, skVertical);
  }
}

void TScrollOverlays::Reset() {
  horz_.reset();
  vert_.reset();
}

void TScrollOverlays::Place() {
  if (horz_) horz_->Place();
  if (vert_) vert_->Place();
}

void TScrollOverlays::Hide() {
  if (horz_) horz_->HideBar();
  if (vert_) vert_->HideBar();
}

void TScrollOverlays::SetEnabled(bool enabled) {
  if (horz_) horz_->SetEnabled(enabled);
  if (vert_) vert_->SetEnabled(enabled);
}

void TScrollOverlays::RepaintShown() {
  if (vert_ && vert_->Shown()) vert_->Repaint();
  if (horz_ && horz_->Shown()) horz_->Repaint();
}

bool TScrollOverlays::Scrolled(const TMessage& m) {
  TWScrollbar* bar = m.Msg == WM_HSCROLL   ? horz_.get()
                     : m.Msg == WM_VSCROLL ? vert_.get()
                                           : nullptr;
  if (m.Msg != WM_HSCROLL && m.Msg != WM_VSCROLL) return false;
  if (bar) bar->SetHotPart(LOWORD(m.WParam));
  return true;
}

void TScrollOverlays::Paint(HDC window_dc, HWND target, TColor face, bool place_missing) {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(target, GWL_STYLE));
  for (const auto& [bar, bit] :
       {std::pair{vert_.get(), WS_VSCROLL}, std::pair{horz_.get(), WS_HSCROLL}}) {
    if (!bar) continue;
    if (bar->Shown()) {
      bar->Repaint();
    } else if (place_missing && (style & bit)) {
      bar->Place();
    }
  }
  if (!horz_ || !vert_ || !horz_->Shown() || !vert_->Shown()) return;
  RECT corner{vert_->BarRectInTarget().left, horz_->BarRectInTarget().top,
              vert_->BarRectInTarget().right, horz_->BarRectInTarget().bottom};
  corner = ClientToWindow(target, corner);
  TOwnedBrush brush(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(face) & 0xFFFFFF)));
  FillRect(window_dc, &corner, brush.Get());
}

// --- TSkinScrollbar ---------------------------------------------------------

TSkinScrollbar::~TSkinScrollbar() = default;

void TSkinScrollbar::AttachScrollHost(TWinControl& control, TSkinData& data, TWinSkinForm& form) {
  if (initialized_) return;
  Adopt(control, form, data);
  draw_border_ = AsciiLower(PropEnum(&control, "BorderStyle")) != "bsnone";
  if (SkinnedClassName() == "TImageScrollBox" || mode_ == 1) draw_border_ = false;
  TakeFixedColour();
  bars_.Make(*this, &control, control.Handle());
  bars_.SetEnabled(control.Enabled());
  if (!control.Visible()) bars_.Hide();
  // Last, the control's messages come here.
  control_ = nullptr;
  TSkinControl::InitControl(control, form, data, false);
  // The frame is drawn anew with the skinned border.
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TSkinScrollbar::TakeFixedColour() {
  if (!control_ || PropKind(*control_, "FixedColor") != TPropKind::pkInteger) return;
  // The control's own colour is remembered once: a new skin must not make
  // the skin's colour the one that is given back.
  if (!fixed_changed_) fixed_colour_ = PropInt(control_, "FixedColor");
  fixed_changed_ = true;
  WriteProp(control_, "FixedColor", std::to_string(data_->Colours().ButtonFace));
}

void TSkinScrollbar::PlaceBars() {
  bars_.Place();
}

void TSkinScrollbar::SkinChanged() {
  TakeFixedColour();
  TSkinControl::SkinChanged();
  bars_.RepaintShown();
  if (handle_ && draw_border_) {
    RedrawWindow(handle_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  }
}

void TSkinScrollbar::Restore() {
  if (fixed_changed_ && control_) {
    WriteProp(control_, "FixedColor", std::to_string(fixed_colour_));
    fixed_changed_ = false;
  }
  TSkinControl::Restore();
  if (life_ != slDestroyed) {
    bars_.Reset();
    if (handle_ && IsWindow(handle_)) {
      // The system's own border and bars come back.
      RedrawWindow(handle_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
    }
  }
}

void TSkinScrollbar::PaintBorder(HDC dc) {
  RECT r{};
  GetWindowRect(handle_, &r);
  OffsetRect(&r, -r.left, -r.top);
  TOwnedBrush shadow(CreateSolidBrush(
      static_cast<COLORREF>(ColorToRGB(data_->Colours().ButtonShadow) & 0xFFFFFF)));
  TOwnedBrush face(CreateSolidBrush(static_cast<COLORREF>(FaceColour() & 0xFFFFFF)));
  FrameRect(dc, &r, shadow.Get());
  InflateRect(&r, -1, -1);
  FrameRect(dc, &r, face.Get());
}

bool TSkinScrollbar::BeforeMessage(TMessage& m) {
  if ((m.Msg == CN_CTLCOLOREDIT || m.Msg == CN_CTLCOLORSTATIC) &&
      AsciiLower(WindowClassName(handle_)) == "edit") {
    m.Result = content_brushes_.Answer(reinterpret_cast<HDC>(m.WParam), handle_, data_->Colours());
    return false;
  }
  if (m.Msg == WM_NCPAINT && draw_border_) {
    CallPrevious(m);
    TWindowDC dc(handle_, TDCArea::daWholeWindow);
    if (dc.Get()) PaintBorder(dc.Get());
    m.Result = 0;
    return false;
  }
  return TSkinControl::BeforeMessage(m);
}

void TSkinScrollbar::AfterMessage(TMessage& m) {
  if (bars_.Scrolled(m)) return;
  switch (m.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
      PlaceBars();
      return;
    case WM_MOUSEWHEEL:
      bars_.RepaintShown();
      return;
    default:
      break;
  }
  if (m.Msg == CM_VISIBLECHANGED) {
    if (m.WParam) {
      PlaceBars();
    } else {
      bars_.Hide();
    }
    return;
  }
  if (m.Msg == CM_ENABLEDCHANGED) {
    bars_.SetEnabled(control_ && control_->Enabled());
    return;
  }
  if (m.Msg == CM_RECREATEWND) {
    if (form_)
      PostMessageW(form_->Handle(), SKM_USESCROLLBAR, reinterpret_cast<WPARAM>(handle_), 0);
    return;
  }
  if (m.Msg == SKM_PAINTNC && m.LParam == kSkinMagic) {
    if (m.WParam && draw_border_) PaintBorder(reinterpret_cast<HDC>(m.WParam));
    m.Result = kSkinMagic;
    return;
  }
  TSkinControl::AfterMessage(m);
}

void TSkinScrollbar::DrawTo(HDC dc, const TRect&) {
  bars_.Paint(dc, handle_, data_->Colours().ButtonFace, true);
}

// --- TSkinScrollbarH --------------------------------------------------------

TSkinScrollbarH::~TSkinScrollbarH() = default;

void TSkinScrollbarH::InitWindow(HWND window, TSkinData& data, TWinSkinForm& form) {
  if (initialized_) return;
  data_ = &data;
  bars_.Make(*this, nullptr, window);
  TSkinControl::InitWindow(window, data, form);
}

void TSkinScrollbarH::PlaceBars() {
  bars_.Place();
}

void TSkinScrollbarH::Restore() {
  TSkinControl::Restore();
  if (life_ != slDestroyed) bars_.Reset();
}

void TSkinScrollbarH::AfterMessage(TMessage& m) {
  if (!IsWindowVisible(handle_)) bars_.Hide();
  if (bars_.Scrolled(m)) return;
  if (m.Msg == WM_SIZE || m.Msg == WM_NCPAINT) {
    PlaceBars();
    Repaint();
    return;
  }
  TSkinControl::AfterMessage(m);
}

void TSkinScrollbarH::DrawTo(HDC dc, const TRect&) {
  bars_.Paint(dc, handle_, data_->Colours().ButtonFace, false);
}

// --- TSkinScControl ---------------------------------------------------------

TSkinScControl::~TSkinScControl() = default;

void TSkinScControl::InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                                 bool change_colour) {
  if (initialized_) return;
  data_ = &data;
  bar_ = std::make_unique<TWScrollbar>(*this);
  bar_->BindControl(control, skControl);
  if (!control.Visible()) bar_->HideBar();
  TSkinControl::InitControl(control, form, data, change_colour);
}

void TSkinScControl::Restore() {
  TSkinControl::Restore();
  if (life_ != slDestroyed) bar_.reset();
}

void TSkinScControl::AfterMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_WINDOWPOSCHANGED:
      if (bar_) bar_->Place();
      return;
    case WM_NCPAINT:
      if (control_) handle_ = control_->Handle();
      if (bar_) bar_->Place();
      return;
    case SBM_SETSCROLLINFO:
    case SBM_SETPOS:
    case SBM_SETRANGE:
      if (bar_) bar_->Repaint();
      return;
    default:
      break;
  }
  if (m.Msg == CN_VSCROLL || m.Msg == CN_HSCROLL) {
    if (bar_) {
      bar_->SetHotPart(LOWORD(m.WParam));
      bar_->Repaint();
    }
    return;
  }
  if (m.Msg == CM_VISIBLECHANGED) {
    if (bar_ && m.WParam) bar_->Place();
    if (bar_ && !m.WParam) bar_->HideBar();
    return;
  }
  if (m.Msg == CM_ENABLEDCHANGED) {
    if (bar_) bar_->SetEnabled(control_ && control_->Enabled());
    return;
  }
  TSkinControl::AfterMessage(m);
}

void TSkinScControl::DrawTo(HDC, const TRect&) {
  if (bar_) bar_->Repaint();
}

// --- TSkinListView ----------------------------------------------------------

TSkinListView::TSkinListView(TComponent* owner) : TSkinScrollbar(owner) {}

TSkinListView::~TSkinListView() = default;

void TSkinListView::AttachScrollHost(TWinControl& control, TSkinData& data, TWinSkinForm& form) {
  TSkinScrollbar::AttachScrollHost(control, data, form);
  TakeContentColours();
  TakeGridLines();
  SkinHeaderWindow();
}

void TSkinListView::SkinHeaderWindow() {
  if (header_ || !handle_ || !data_ || !form_) return;
  HWND header = ListView_GetHeader(handle_);
  if (!header) return;
  auto object = std::make_unique<TSkinHeader>();
  try {
    object->InitWindow(header, *data_, *form_);
  } catch (...) {
    // A header that cannot be skinned keeps the system look.
    return;
  }
  header_ = std::move(object);
}

void TSkinListView::TakeContentColours() {
  if (!data_ || !handle_ || !IsWindow(handle_)) return;
  const TSkinColours& colours = data_->Colours();
  // A skin without content colours leaves the list as the system draws it.
  if (colours.Window == clWindow && colours.WindowText == clWindowText && !content_taken_) return;
  if (!content_taken_) {
    old_back_ = ListView_GetBkColor(handle_);
    old_text_back_ = ListView_GetTextBkColor(handle_);
    old_text_ = ListView_GetTextColor(handle_);
    content_taken_ = true;
  }
  const auto back = static_cast<COLORREF>(ColorToRGB(colours.Window) & 0xFFFFFF);
  ListView_SetBkColor(handle_, back);
  ListView_SetTextBkColor(handle_, back);
  ListView_SetTextColor(handle_, static_cast<COLORREF>(ColorToRGB(colours.WindowText) & 0xFFFFFF));
  InvalidateRect(handle_, nullptr, TRUE);
}

void TSkinListView::SkinChanged() {
  TakeContentColours();
  TakeGridLines();
  TSkinScrollbar::SkinChanged();
  if (header_ && header_->LifeState() != slDestroyed) header_->SkinChanged();
}

void TSkinListView::Restore() {
  if (content_taken_ && handle_ && IsWindow(handle_)) {
    ListView_SetBkColor(handle_, old_back_);
    ListView_SetTextBkColor(handle_, old_text_back_);
    ListView_SetTextColor(handle_, old_text_);
    InvalidateRect(handle_, nullptr, TRUE);
  }
  content_taken_ = false;
  GiveGridLinesBack();
  if (header_) {
    const HWND header = header_->Handle();
    const bool alive = header_->LifeState() != slDestroyed;
    if (alive) header_->Restore();
    // Freeing the object gives the header its own procedure back.
    header_.reset();
    if (alive && IsWindow(header)) InvalidateRect(header, nullptr, TRUE);
  }
  TSkinScrollbar::Restore();
}
