// Check boxes and radio buttons drawn from the skin's strips.
#include "skin/controls/SkinCheckBox.h"

#include <algorithm>
#include <string>

#include "framework/StringList.h"
#include "skin/controls/ButtonRepaints.h"
#include "skin/controls/SkinProps.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"

namespace {

constexpr int kTransparentTag = 5555;
// Framework notifications after which the box is drawn again.
constexpr UINT kExitNotification = 0xB01B;
constexpr UINT kStateNotification = 0xB0D0;
constexpr UINT kCaptionFlags = DT_EXPANDTABS | DT_WORDBREAK;
constexpr UINT kMeasureFlags = DT_CALCRECT | DT_NOCLIP | kCaptionFlags;

}  // namespace

// --- attaching --------------------------------------------------------------

void TSkinCheckLike::SetUp() {
  mode_ = 0;
  transparent_ = false;
  if (!control_) return;
  // The whole control is ours only when the skin has the strip to draw.
  mode_ = HasStrip() ? 1 : 0;
  transparent_ = control_->Tag() == kTransparentTag || data_->Options().Contains(xoTransparent);
}

void TSkinCheckLike::InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                                 bool change_colour) {
  if (initialized_) return;
  TSkinControl::InitControl(control, form, data, change_colour);
  SetUp();
}

void TSkinCheckLike::InitWindow(HWND window, TSkinData& data, TWinSkinForm& form) {
  if (initialized_) return;
  TSkinControl::InitWindow(window, data, form);
  SetUp();
}

void TSkinCheckLike::SkinChanged() {
  cells_.Clear();
  TSkinControl::SkinChanged();
}

bool TSkinCheckLike::HasStrip() const {
  return data_ && !Strip().Empty() && Strip().Width() / std::max(StripFrames(), 1) > 0;
}

bool TSkinCheckLike::RightToLeft() const {
  if (control_ && HasProp(control_, "BiDiMode")) {
    return AsciiLower(PropEnum(control_, "BiDiMode")) != "bdlefttoright";
  }
  return handle_ && (GetWindowLongPtrW(handle_, GWL_EXSTYLE) & WS_EX_RTLREADING);
}

LRESULT TSkinCheckLike::ButtonState() const {
  return handle_ ? SendMessageW(handle_, BM_GETSTATE, 0, 0) : 0;
}

// --- messages ---------------------------------------------------------------

void TSkinCheckLike::PassOnUnseen(TMessage& m) {
  const std::shared_ptr<bool> alive = AliveToken();
  HWND window = handle_;
  // Only the outermost of nested messages hides the drawing, and only a
  // shown window: showing it again must not show a hidden one.
  const bool hide = unseen_depth_ == 0 && (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0;
  ++unseen_depth_;
  if (hide) SendMessageW(window, WM_SETREDRAW, FALSE, 0);
  CallPrevious(m);
  if (hide) SendMessageW(window, WM_SETREDRAW, TRUE, 0);
  if (!*alive) return;
  --unseen_depth_;
  AfterMessage(m);
}

bool TSkinCheckLike::BeforeMessage(TMessage& m) {
  // Without the strip the control keeps its own look and handling.
  if (!HasStrip()) {
    mode_ = 0;
    return TSkinControl::BeforeMessage(m);
  }
  switch (m.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
      if (mode_ == 1) {
        PaintMessage(m);
        return false;
      }
      break;
    case WM_ERASEBKGND:
      // The paint fills every pixel (the parent's background under a
      // transparent one), off-screen.
      if (mode_ == 1) {
        m.Result = 1;
        return false;
      }
      if (transparent_) {
        EraseMessage(m);
        return false;
      }
      break;
    default:
      if (ButtonPaintsDirectly(m) && handle_) {
        PassOnUnseen(m);
        return false;
      }
      break;
  }
  return TSkinControl::BeforeMessage(m);
}

void TSkinCheckLike::AfterMessage(TMessage& m) {
  if (!HasStrip()) {
    TSkinControl::AfterMessage(m);
    return;
  }
  switch (m.Msg) {
    case BM_SETCHECK:
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case WM_UPDATEUISTATE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case kExitNotification:
    case kStateNotification:
      Repaint();
      return;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (m.WParam == VK_SPACE) Repaint();
      return;
    case WM_MOUSEMOVE:
      if (!(mouse_state_ & kMouseHot) && IsWindowEnabled(handle_)) {
        mouse_state_ |= kMouseHot;
        Repaint();
      }
      TrackMouseLeave();
      return;
    case WM_MOUSELEAVE:
      if (mouse_state_ & kMouseHot) {
        mouse_state_ &= ~kMouseHot;
        Repaint();
      }
      return;
    case WM_ENABLE:
      if (!m.WParam) mouse_state_ = 0;
      break;
    default:
      break;
  }
  TSkinControl::AfterMessage(m);
}

void TSkinCheckBox::AfterMessage(TMessage& m) {
  if (m.Msg == BM_SETCHECK) check_cache_ = static_cast<int>(m.WParam) + 1;
  TSkinCheckLike::AfterMessage(m);
}

// --- the cell ---------------------------------------------------------------

int TSkinCheckLike::FrameNow() const {
  if (!HasStrip()) return 0;
  return Frame(std::max(StripFrames(), 1));
}

int TSkinCheckLike::Frame(int frames) const {
  const bool enabled = EnabledInItsWindow();
  const bool indeterminate = Indeterminate();
  int s = BaseFrame();
  // A grey box is drawn in the grey (checked disabled) cell whether it is
  // enabled or not; disabled moves the others two cells on.
  if (!enabled && s <= 2) s += 2;
  if (indeterminate) s = 4;
  if (frames >= 8) {
    // Rows of four: unchecked, checked (and mixed).
    if (s == 2)
      s = 5;
    else if (s == 3)
      s = 4;
    else if (s == 4)
      s = 8;
    if (frames >= 12 && indeterminate) s = enabled ? 9 : 12;
    // The row's hot and pressed cells, for a box that can be used.
    if (enabled && s % 4 == 1) {
      if (ButtonState() & BST_PUSHED) {
        s += 2;
      } else if (mouse_state_ & kMouseHot) {
        s += 1;
      }
    }
  }
  // A strip shorter than its layout shows what it has.
  if (s > frames && s >= 3 && s <= 4) s -= 2;
  if (s > frames) s = 1;
  return s;
}

int TSkinCheckBox::BaseFrame() const {
  int s = (ButtonState() & BST_CHECKED) ? 2 : 1;
  TWinControl* control = Control();
  if (!control) return s;
  if (HasProp(control, "State")) {
    const std::string state = AsciiLower(PropEnum(control, "State"));
    if (state.find("uncheck") != std::string::npos) {
      s = 1;
    } else if (state.find("check") != std::string::npos) {
      s = 2;
    } else if (state.find("gray") != std::string::npos) {
      s = 4;
    }
  } else if (HasProp(control, "Checked")) {
    s = PropTrue(control, "Checked") ? 2 : 1;
  }
  // A data-aware box shows the state it was last told.
  if (HasProp(control, "DataField") && check_cache_ != 0) s = check_cache_ == 3 ? 4 : check_cache_;
  // A box bound through DataBinding keeps its value in the window.
  if (HasProp(control, "DataBinding")) s = (ButtonState() & BST_CHECKED) ? 2 : 1;
  return s;
}

bool TSkinCheckBox::Indeterminate() const {
  return (ButtonState() & BST_INDETERMINATE) != 0;
}

int TSkinRadioButton::BaseFrame() const {
  TWinControl* control = Control();
  if (control && HasProp(control, "Checked")) return PropTrue(control, "Checked") ? 2 : 1;
  return SendMessageW(Handle(), BM_GETCHECK, 0, 0) & BST_CHECKED ? 2 : 1;
}

const TBitmap& TSkinCheckBox::Strip() const {
  return Data()->Buttons().CheckBitmap;
}

int TSkinCheckBox::StripFrames() const {
  return Data()->Buttons().CheckButtonFrame;
}

const TBitmap& TSkinRadioButton::Strip() const {
  return Data()->Buttons().RadioBitmap;
}

int TSkinRadioButton::StripFrames() const {
  return Data()->Buttons().RadioButtonFrame;
}

// --- drawing ----------------------------------------------------------------

SIZE TSkinCheckLike::BoxSize() const {
  if (!HasStrip()) return SIZE{0, 0};
  const TBitmap& strip = Strip();
  const int dpi = Dpi();
  return SIZE{SkinScale(strip.Width() / std::max(StripFrames(), 1), dpi),
              SkinScale(strip.Height(), dpi)};
}

void TSkinCheckLike::DrawTo(HDC dc, const TRect& rect) {
  if (!HasStrip()) {
    mode_ = 0;
    return;
  }
  const int frames = std::max(StripFrames(), 1);
  // The strip's cells are 96-DPI pixels: the box, the gap before the
  // caption and the inset at the right grow with the window's DPI.
  const int dpi = Dpi();
  const SIZE size = BoxSize();
  const int w = size.cx, h = size.cy;
  const int gap = SkinScale(2, dpi);
  focused_ = GetFocus() == handle_;
  enabled_ = EnabledInItsWindow();
  const TBitmap& cell = cells_.Cell(Strip(), {}, false, frames, Frame(frames), w, h, dpi);

  // The box, vertically centred, at the caption's start side.
  const int top = rect.top + (rect.Height() - h) / 2;
  TRect box{rect.left, top, rect.left + w, top + h};
  TRect area = rect;
  UINT flags = 0;
  if (Style() & BS_LEFTTEXT) {
    box.right = rect.right - SkinScale(RightInset(), dpi);
    box.left = box.right - w;
    area.right = box.left - gap;
    if (RightToLeft()) flags = DT_RTLREADING | DT_RIGHT;
  } else {
    area.left = box.right + gap;
  }

  if (mode_ != 1) {
    // Only the box, over what the control drew: what is on the screen
    // under it shows through the strip's magenta.
    if (!buffer_.SetSize(w, h)) return;
    BitBlt(buffer_.DC(), 0, 0, w, h, dc, box.left, box.top, SRCCOPY);
    buffer_.Draw(0, 0, cell, true);
    buffer_.CopyTo(dc, box.left, box.top);
    return;
  }
  if (!buffer_.SetSize(rect.Width(), rect.Height())) return;
  if (transparent_) {
    DrawParentBackground(buffer_.DC());
  } else {
    buffer_.Fill(buffer_.BoundsRect(), data_->Colours().ButtonFace);
  }
  const TRect local{0, 0, rect.Width(), rect.Height()};
  const TRect local_box{box.left - rect.left, box.top - rect.top, box.right - rect.left,
                        box.bottom - rect.top};
  buffer_.Draw(local_box.left, local_box.top, cell, true);
  TRect local_area{area.left - rect.left, area.top - rect.top, area.right - rect.left,
                   area.bottom - rect.top};
  DrawCaption(buffer_.DC(), local, local_area, flags);
  // A focused box without a caption shows its focus around the box, so the
  // focus never goes unseen.
  if (focused_ && caption_.empty()) {
    RECT f{local_box.left - 1, local_box.top - 1, local_box.right + 1, local_box.bottom + 1};
    DrawFocusRect(buffer_.DC(), &f);
  }
  buffer_.CopyTo(dc, rect.left, rect.top);
}

void TSkinCheckLike::DrawCaption(HDC dc, const TRect& rect, TRect area, UINT flags) {
  caption_ = ReadCaption();
  if (caption_.empty()) return;
  TSelectObject font(dc, ControlFont());
  // Disabled captions in the skin's shadow colour, which the skins keep
  // apart from their face.
  const TColor ink = enabled_ ? ControlTextColour() : data_->Colours().ButtonShadow;
  const COLORREF old_ink = SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(ink) & 0xFFFFFF));
  const COLORREF old_back =
      SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(data_->Colours().ButtonFace) & 0xFFFFFF));
  const int old_mode = SetBkMode(dc, TRANSPARENT);
  // Underlined access keys only once the keyboard is in use (or always,
  // when the user chose so).
  if (!ShowAccelerators()) flags |= DT_HIDEPREFIX;
  RECT measured{area.left, area.top, area.right, area.bottom};
  DrawTextW(dc, caption_.c_str(), -1, &measured, flags | kMeasureFlags);
  const int shift = (rect.Height() - measured.bottom) / 2;
  area.top += shift;
  area.bottom += shift;
  if (focused_) DrawFocusAroundText(dc, flags | kCaptionFlags, area);
  RECT text{area.left, area.top, area.right, area.bottom};
  DrawTextW(dc, caption_.c_str(), -1, &text, flags | kCaptionFlags);
  SetBkMode(dc, old_mode);
  SetBkColor(dc, old_back);
  SetTextColor(dc, old_ink);
}
