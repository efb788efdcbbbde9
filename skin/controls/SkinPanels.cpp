#include "skin/controls/SkinPanels.h"

#include <algorithm>

#include "framework/Dpi.h"
#include "framework/GraphicControl.h"
#include "skin/controls/SkinEdit.h"
#include "skin/data/WinSkinData.h"

// --- TSkinGroupBox ----------------------------------------------------------

void TSkinGroupBox::InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                                bool change_colour) {
  if (initialized_) return;
  TSkinControl::InitControl(control, form, data, change_colour);
  mode_ = 1;
  if (!change_colour_) {
    // The caption and the labels inside are written in the skin's text
    // colour, on the skin's face.
    old_text_colour_ = control.FontObject().Color;
    control.FontObject().Color = data.Colours().ButtonText;
    font_colour_taken_ = true;
  }
}

void TSkinGroupBox::Restore() {
  TSkinControl::Restore();
  if (font_colour_taken_ && control_) {
    control_->FontObject().Color = old_text_colour_;
    font_colour_taken_ = false;
    control_->Invalidate();
  }
}

void TSkinGroupBox::SkinChanged() {
  // The new skin's text colour for the caption and the labels inside.
  if (font_colour_taken_ && control_) {
    control_->FontObject().Color = data_->Colours().ButtonText;
    RedrawWindow(control_->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
  TSkinControl::SkinChanged();
}

bool TSkinGroupBox::BeforeMessage(TMessage& m) {
  if (mode_ == 1 && m.Msg == WM_PAINT) {
    PaintMessage(m);
    return false;
  }
  if (mode_ == 1 && m.Msg == WM_ERASEBKGND) {
    // The face only: the paint that follows covers everything, and
    // children that show this box behind them (tool bars) get its face.
    RECT r{};
    GetClipBox(reinterpret_cast<HDC>(m.WParam), &r);
    FillSkinColor(reinterpret_cast<HDC>(m.WParam), {r.left, r.top, r.right, r.bottom});
    m.Result = 1;
    return false;
  }
  return TSkinControl::BeforeMessage(m);
}

void TSkinGroupBox::DrawTo(HDC dc, const TRect& rect) {
  if (mode_ == 0) {
    // Over the window's own picture.
    Draw(dc, rect);
    return;
  }
  if (!buffer_.SetSize(rect.Width(), rect.Height())) return;
  Draw(buffer_.DC(), buffer_.BoundsRect());
  buffer_.CopyTo(dc, rect.left, rect.top);
}

namespace {
// The caption is set in from the frame's corner as the system sets it
// (unless the skin's caption object says how far), with a gap of face on
// either side that breaks the frame line; 96-DPI units, like the corner's
// roundness.
constexpr int kCaptionIndent = 8;
constexpr int kCaptionGap = 2;
constexpr int kCornerRound = 5;
}  // namespace

void TSkinGroupBox::Draw(HDC dc, const TRect& r) {
  caption_ = WindowText();
  if (caption_.empty() && control_) caption_ = ReadCaption();
  if (control_) FillSkinColor(dc, r);
  TSelectObject font(dc, ControlFont());
  // A greyed group has its caption greyed as the buttons' captions are.
  const TColor ink = EnabledInItsWindow() ? ControlTextColour() : clBtnShadow;
  SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(ink) & 0xFFFFFF));
  SIZE zero{};
  GetTextExtentPoint32W(dc, L"0", 1, &zero);
  const int y0 = zero.cy / 2 - 1;
  const bool right = GetWindowLongPtrW(handle_, GWL_EXSTYLE) & WS_EX_RIGHT;
  const UINT flags = right ? TextFlags(DT_RIGHT | DT_EXPANDTABS) : DT_EXPANDTABS;
  const RECT text = CaptionRect(dc, r, flags);
  if (mode_ == 0) {
    // Paints out the system's sunken frame, and its caption wherever the
    // system put it.
    const HBRUSH face =
        static_cast<HBRUSH>(data_->FaceBrush() ? data_->FaceBrush()->Handle() : nullptr);
    if (face) {
      RECT outer{0, y0, r.right, r.bottom};
      FrameRect(dc, &outer, face);
      InflateRect(&outer, -1, -1);
      FrameRect(dc, &outer, face);
    }
    if (!IsRectEmpty(&text))
      FillColour(dc, {r.left + 2, r.top, r.right - 2, text.bottom}, FaceColour());
  }
  {
    // The frame's line is as thick as the skin's one-pixel lines are drawn
    // at this DPI: whole factors only, so it stays crisp.
    const int line = std::max(1, Dpi() / kDefaultDpi);
    TOwnedPen pen(
        CreatePen(PS_INSIDEFRAME, line,
                  static_cast<COLORREF>(ColorToRGB(data_->Colours().ButtonShadow) & 0xFFFFFF)));
    TSelectObject select_pen(dc, pen.Get());
    TSelectObject select_brush(dc, GetStockObject(NULL_BRUSH));
    const int round = ScaleForDpi(kCornerRound, Dpi());
    RoundRect(dc, 1, y0, r.right - 1, r.bottom - 1, round, round);
  }
  if (!IsRectEmpty(&text)) {
    const int gap = ScaleForDpi(kCaptionGap, Dpi());
    FillColour(dc, {text.left - gap, text.top, text.right + gap, text.bottom}, FaceColour());
    RECT t = text;
    const int old_mode = SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, caption_.c_str(), -1, &t, flags);
    SetBkMode(dc, old_mode);
  }
  if (mode_ == 1 && control_) control_->PaintControls(dc);
}

RECT TSkinGroupBox::CaptionRect(HDC dc, const TRect& r, UINT flags) const {
  if (caption_.empty()) return {};
  const TDataSkinBoxLabel* label = data_->GroupBox();
  // The skin's shift is in 96-DPI units too.
  const int indent = ScaleForDpi(
      (label && label->BackgroundLeftShift > 0 ? label->BackgroundLeftShift : kCaptionIndent) +
          kCaptionGap,
      Dpi());
  RECT extent{0, 0, std::max(r.Width() - 2 * indent, 1), 0};
  DrawTextW(dc, caption_.c_str(), -1, &extent, flags | DT_CALCRECT);
  const int width = extent.right - extent.left;
  const int left = flags & DT_RIGHT ? r.right - indent - width : r.left + indent;
  return {left, r.top, left + width, r.top + extent.bottom - extent.top};
}

// --- TSkinBox ---------------------------------------------------------------

void TSkinBox::InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                           bool change_colour) {
  if (initialized_) return;
  change_colour_ = change_colour;
  Adopt(control, form, data);
  if (change_colour_) TakeColours();
  initialized_ = true;
  life_ = slAttached;
}

void TSkinBox::Restore() {
  if (life_ == slRestored || life_ == slDestroyed) return;
  if (change_colour_ && control_) GiveColoursBack();
  life_ = slRestored;
}

// --- TSkinBoxH --------------------------------------------------------------

bool TSkinBoxH::BeforeMessage(TMessage& m) {
  if (m.Msg == WM_ERASEBKGND) {
    RECT r{};
    GetWindowRect(handle_, &r);
    FillSkinColor(reinterpret_cast<HDC>(m.WParam), {0, 0, r.right - r.left, r.bottom - r.top});
    m.Result = 0;
    return false;
  }
  // Edits inside show the skin's content colours.
  if (form_ && AnswerEditColour(*form_, m)) return false;
  if (m.Msg == WM_CTLCOLORSTATIC) {
    CallPrevious(m);
    if (data_->FaceBrush()) {
      // Static children on the face, in the skin's text colour.
      HDC dc = reinterpret_cast<HDC>(m.WParam);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(data_->Colours().WindowText) & 0xFFFFFF));
      m.Result = reinterpret_cast<LRESULT>(data_->FaceBrush()->Handle());
    }
    return false;
  }
  return TSkinControl::BeforeMessage(m);
}

// --- TSkinSizer -------------------------------------------------------------

void TSkinSizer::DrawTo(HDC dc, const TRect& rect) {
  FillSkinColor(dc, rect);
}
