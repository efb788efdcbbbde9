// The skinned frame of a window: its metrics, the size that keeps the client
// area, painting the four frame parts and the title bar, the non-client
// messages that belong to them, and the window region cut out of the frame
// images.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <optional>
#include <utility>

#include "framework/BitmapWin32.h"
#include "framework/Dpi.h"
#include "framework/Form.h"
#include "skin/data/SkinManage.h"
#include "skin/data/SkinPlatformWin32.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/CaptionButtons.h"
#include "skin/form/FrameRegion.h"
#include "skin/form/SkinWindowMessages.h"
#include "skin/form/WinSkinForm.h"
#include "skin/menu/SkinMenuBar.h"

namespace {

constexpr UINT kFrameChanged =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;

// Frame parts as the engine numbers them.
enum TFramePart { fpLeft = 1, fpRight = 2, fpTop = 3, fpBottom = 4 };

const TDataSkinBorder& PartObject(const TSkinData& data, int part) {
  switch (part) {
    case fpLeft:
      return data.FrameBorder(fbLeft);
    case fpRight:
      return data.FrameBorder(fbRight);
    case fpTop:
      return data.FrameBorder(fbTop);
    default:
      return data.FrameBorder(fbBottom);
  }
}

// Copies rows [first, first + rows) of `bitmap` to (x, y) of `dc`.
void BlitRows(HDC dc, int x, int y, const TBitmap& bitmap, int first, int rows) {
  first = std::max(first, 0);
  rows = std::min(rows, bitmap.Height() - first);
  if (bitmap.Empty() || rows <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = bitmap.Width();
  info.bmiHeader.biHeight = -rows;  // top-down, starting at row `first`
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(bitmap.Width()), static_cast<DWORD>(rows), 0, 0, 0,
                    static_cast<UINT>(rows), bitmap.ScanLine(first), &info, DIB_RGB_COLORS);
}

// The DC the caller gave, or else the whole window's DC, given back when
// this goes.
class TFrameDC {
 public:
  TFrameDC(HWND window, HDC given) : dc_(given) {
    if (!given) dc_ = own_.emplace(window, TDCArea::daWholeWindow).Get();
  }
  HDC Get() const { return dc_; }

 private:
  std::optional<TWindowDC> own_;
  HDC dc_;
};

RECT ToRECT(const TRect& r) {
  return RECT{r.left, r.top, r.right, r.bottom};
}

bool Within(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// `r` moved onto `area`, and cut to it along an axis where it is larger.
RECT FitWithin(const RECT& r, const RECT& area) {
  const LONG w = std::min(r.right - r.left, area.right - area.left);
  const LONG h = std::min(r.bottom - r.top, area.bottom - area.top);
  const LONG x = std::clamp(r.left, area.left, area.right - w);
  const LONG y = std::clamp(r.top, area.top, area.bottom - h);
  return RECT{x, y, x + w, y + h};
}

// How long an answer about auto-hidden task bars is kept.
constexpr unsigned long long kAutoHideAnswerMs = 2000;

}  // namespace

// --- metrics and size -----------------------------------------------------

void TWinSkinForm::BuildFrame() {
  if (!skin_data_ || skin_data_->NotReady()) return;
  // A framework form knows the DPI it is laid out at (it follows every
  // change it is told of); the frame is built for that one, or the client
  // area the form reckons with would not be the one inside the frame.
  const int dpi = form_ && form_->Dpi() > 0 ? form_->Dpi() : WindowDpi(handle_);
  if (dpi != dpi_) {
    dpi_ = dpi;
    MakeCaptionFont();
  }
  metrics_ = FrameMetricsOf(*skin_data_, frame_kind_, dpi_);
  DropCaptionButtons();
  const auto& definitions = skin_data_->CaptionButtons();
  for (size_t i = 0; i < definitions.size(); ++i) {
    TDataSkinSysButton& definition = *definitions[i];
    if (definition.Action == 3 || definition.Action == 11) {
      DrawIcon();
      if (definition.Bitmap.Empty()) definition.Bitmap = icon_bitmap_;
      if (skin_data_->ApplicationIcon().Empty()) skin_data_->SetApplicationIcon(icon_bitmap_);
      definition.Frame = 1;
    }
    buttons_.push_back(std::make_unique<TWinSysButton>(*this, static_cast<int>(i)));
  }
}

void TWinSkinForm::DropCaptionButtons() {
  // Called when the skin has just been loaded again: nothing drawn from the
  // old images is kept either.
  ForgetRenderedParts();
  hot_object_ = nullptr;
  pressed_object_ = nullptr;
  buttons_.clear();
}

void TWinSkinForm::ResizeForFrame(bool keep_client) {
  if (show_state_ == ssMaximized) {
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0, kFrameChanged);
    return;
  }
  RECT window{};
  GetWindowRect(handle_, &window);
  if (system_dialog_ || skin_state_ == ksReapplying || keep_client) {
    GetClientRect(handle_, &client_rect_);
  }
  if (form_ && !keep_client) {
    const int menu = IsMdiChild() ? 0 : menu_bar_height_;
    client_rect_ = RECT{0, 0, form_->ClientWidth(), form_->ClientHeight() - menu};
  }
  int width = client_rect_.right + metrics_.left + metrics_.right;
  const int height = client_rect_.bottom + metrics_.caption + metrics_.bottom + menu_bar_height_;

  if (system_dialog_ && !keep_client) {
    // A dialog is widened until its whole title fits; its controls move
    // right by half the growth so they stay centred.
    const std::wstring text = ReadCaption();
    {
      TWindowDC screen(nullptr);
      TSelectObject font(screen.Get(), caption_font_.Get());
      SIZE extent{};
      GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
      title_text_width_ = extent.cx;
    }
    const TDataSkinTitle& title = skin_data_->Title();
    // The title's shift and clip come from the skin and may be anything:
    // summed wide, and the dialog grows at most to its work area's width.
    MONITORINFO monitor{};
    MonitorOf(monitor);
    const long long wanted = static_cast<long long>(SkinScale(std::max(title.LeftWidth, 0), dpi_)) +
                             title_text_width_ + SkinScale(std::max(title.RightWidth, 0), dpi_);
    const int minimum =
        static_cast<int>(std::min<long long>(wanted, monitor.rcWork.right - monitor.rcWork.left));
    if (width < minimum) {
      const int shift = (minimum - width) / 2;
      for (HWND child = GetTopWindow(handle_); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(child, &r);
        POINT at{r.left, r.top};
        ScreenToClient(handle_, &at);
        SetWindowPos(child, nullptr, at.x + shift, at.y, r.right - r.left, r.bottom - r.top,
                     SWP_NOOWNERZORDER | SWP_NOSENDCHANGING | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      width = minimum;
    }
  }
  if (system_dialog_) {
    // The system placed the dialog (centred on its owner, or on the
    // screen): the skinned one keeps that centre, on its monitor's work
    // area where it fits.
    POINT at{(window.left + window.right - width) / 2, (window.top + window.bottom - height) / 2};
    MONITORINFO info{};
    if (MonitorOf(info)) {
      const RECT& area = info.rcWork;
      at.x = std::max(std::min(at.x, static_cast<LONG>(area.right - width)), area.left);
      at.y = std::max(std::min(at.y, static_cast<LONG>(area.bottom - height)), area.top);
    }
    SetWindowPos(handle_, nullptr, at.x, at.y, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return;
  }
  // Grown by the skin's frame, a window that was whole on its monitor's
  // work area stays so: moved back onto it, and cut to it where it cannot
  // fit.
  RECT placed{window.left, window.top, window.left + width, window.top + height};
  MONITORINFO info{};
  if (!child_window_ && !IsMdiChild() && MonitorOf(info) && Within(window, info.rcWork) &&
      !Within(placed, info.rcWork)) {
    placed = FitWithin(placed, info.rcWork);
  }
  SetWindowPos(handle_, nullptr, placed.left, placed.top, placed.right - placed.left,
               placed.bottom - placed.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// --- painting -------------------------------------------------------------

const TBitmap& TWinSkinForm::RenderPart(int part, int width, int height) const {
  static const TBitmap kNothing;
  if (width < 0 || height < 0 || part < fpLeft || part > fpBottom) return kNothing;
  const TDataSkinBorder& object = PartObject(*skin_data_, part);
  const int frames = FrameCount(object.Frame);
  const int cell = (active_ || frames == 1) ? 1 : 2;
  // A part is drawn for the region and for every paint at the same size:
  // the last rendering of each part is kept until the size, the look or
  // the skin changes.
  TRenderedPart& kept = rendered_parts_[static_cast<size_t>(part - fpLeft)];
  if (kept.width != width || kept.height != height || kept.cell != cell || kept.dpi != dpi_) {
    const TSkinMargins margins{object.LeftWidth, object.TopHeight, object.RightWidth,
                               object.BottomHeight};
    kept.bitmap = RenderSkinPart(width, height, object.Bitmap, margins, part > fpRight,
                                 object.Tile != 1, frames, cell, dpi_);
    ++parts_rendered_;
    kept.width = width;
    kept.height = height;
    kept.cell = cell;
    kept.dpi = dpi_;
  }
  return kept.bitmap;
}

void TWinSkinForm::ForgetRenderedParts() {
  for (TRenderedPart& kept : rendered_parts_) kept = TRenderedPart{};
  scaled_button_cells_.clear();
  title_look_ = TTitleLook{};
  drawn_before_ = TDrawnAtDpi{};
  kept_region_.Reset();
}

void TWinSkinForm::SwitchDrawingsTo(int dpi) {
  TDrawnAtDpi now;
  now.dpi = dpi_;
  now.parts = std::move(rendered_parts_);
  now.button_cells = std::move(scaled_button_cells_);
  now.title_back = std::move(title_back_);
  now.title_look = std::move(title_look_);
  now.caption_font = std::move(caption_font_);
  // The window's region belongs to the window: a copy of it is kept.
  if (region_set_ && region_width_ > 0 && region_height_ > 0) {
    now.region.Reset(CreateRectRgn(0, 0, 0, 0));
    if (now.region && GetWindowRgn(handle_, now.region.Get()) != ERROR) {
      now.region_size = SIZE{region_width_, region_height_};
    } else {
      now.region.Reset();
    }
  }
  TDrawnAtDpi back;
  if (drawn_before_.dpi == dpi) back = std::move(drawn_before_);
  drawn_before_ = std::move(now);
  rendered_parts_ = std::move(back.parts);
  for (TRenderedPart& part : rendered_parts_) {
    if (part.dpi != dpi) part = TRenderedPart{};
  }
  scaled_button_cells_ = std::move(back.button_cells);
  title_back_ = std::move(back.title_back);
  title_look_ = std::move(back.title_look);
  caption_font_ = std::move(back.caption_font);
  kept_region_ = std::move(back.region);
  kept_region_size_ = back.region_size;
  dpi_ = dpi;
  if (!caption_font_) MakeCaptionFont();
}

const TBitmap& TWinSkinForm::ScaledButtonCell(const TDataSkinSysButton& definition, int cell,
                                              int width, int height) const {
  for (const TScaledButtonCell& kept : scaled_button_cells_) {
    if (kept.definition == &definition && kept.cell == cell && kept.width == width &&
        kept.height == height) {
      return kept.bitmap;
    }
  }
  TScaledButtonCell& made = scaled_button_cells_.emplace_back();
  made.definition = &definition;
  made.cell = cell;
  made.width = width;
  made.height = height;
  made.bitmap = ScaleSkinCell(definition.Bitmap, FrameCount(definition.Frame), cell, width, height);
  return made.bitmap;
}

void TWinSkinForm::PaintFrame(HDC dc) {
  if (skin_state_ != ksActive && skin_state_ != ksReapplying) return;
  if (frame_kind_ == fkNone || (IsMdiChild() && show_state_ == ssMaximized)) return;
  if (!skin_data_ || !skin_data_->FramePainting()) return;
  RECT window{};
  GetWindowRect(handle_, &window);
  const int w = window.right - window.left;
  const int h = window.bottom - window.top;
  frame_width_ = w;
  frame_height_ = h;
  TFrameDC target(handle_, dc);
  if (!target.Get()) return;
  try {
    if (show_state_ == ssMinimized) {
      PaintTitleBar(target.Get(), w, h, nullptr, nullptr);
    } else {
      const TFrameMetrics& m = metrics_;
      const TBitmap& left = RenderPart(fpLeft, m.left, h);
      const TBitmap& right = RenderPart(fpRight, m.right, h);
      BlitRows(target.Get(), 0, m.caption, left, m.caption, h - m.caption);
      BlitRows(target.Get(), w - m.right, m.caption, right, m.caption, h - m.caption);
      BlitRows(target.Get(), m.left, h - m.bottom,
               RenderPart(fpBottom, w - m.left - m.right, m.bottom), 0, m.bottom);
      PaintTitleBar(target.Get(), w, m.caption, &left, &right);
      const RECT line{m.left, m.caption, w - m.right, m.caption + menu_bar_height_};
      if (menu_bar_height_ > 0 && menu_bar_) {
        menu_bar_->Paint(target.Get(), line);
      } else if (menu_bar_height_ > 0 && skin_data_->FaceBrush()) {
        FillRect(target.Get(), &line, static_cast<HBRUSH>(skin_data_->FaceBrush()->Handle()));
      }
    }
  } catch (...) {
    // A frame that cannot be painted stays as it is; the window goes on.
  }
  // The hot or pressed button keeps its state across a repaint (it was
  // painted in it): a press that an activation repaints in between still
  // acts on release, and the hover timer ends a hot state the cursor left.
}

void TWinSkinForm::PaintTitleBar(HDC dc, int width, int height, const TBitmap* left,
                                 const TBitmap* right) {
  LayoutButtons();
  TTitleLook look;
  look.width = width;
  look.height = height;
  look.dpi = dpi_;
  look.active = active_;
  look.minimised = !left || !right;
  look.right_to_left = right_to_left_;
  look.ex_style = GetWindowLongPtrW(handle_, GWL_EXSTYLE);
  look.icon = icon_;
  caption_text_ = ReadCaption();
  look.text = caption_text_;
  for (const auto& button : buttons_) {
    if (!button->Visible) continue;
    const TRect& b = button->Bounds;
    look.buttons.insert(look.buttons.end(), {b.left, b.top, b.right, b.bottom});
  }
  TBitmap title;
  if (look == title_look_ && title_back_.Width() == width && title_back_.Height() == height) {
    title = title_back_;
  } else {
    ComposeTitle(title, width, height, left, right);
    title_back_ = title;
    title_look_ = std::move(look);
  }
  for (const auto& button : buttons_) {
    const TDataSkinSysButton* d = button->Definition();
    if (!d || !button->Visible || d->Bitmap.Empty() || d->Visibility == 100) continue;
    if (d->Action == 3 || d->Action == 11) continue;
    int frame = (!active_ && FrameCount(d->Frame) >= 4) ? 4 : 1;
    if (button.get() == hot_object_) frame = button->State;
    if (frame != nsHot && ShowsPressed(*d)) frame = nsPressed;
    DrawButtonCell(title, button->Bounds, *d, frame);
  }
  BlitRows(dc, 0, 0, title, 0, title.Height());
  SetBkMode(dc, OPAQUE);
}

void TWinSkinForm::ComposeTitle(TBitmap& title, int width, int height, const TBitmap* left,
                                const TBitmap* right) {
  if (!left || !right) {
    // A minimised window is a plain rectangle: the face shows where the
    // top part's key colour would cut the outline.
    title.SetSize(width, height, skin_data_->Colours().ButtonFace);
    title.Draw(0, 0, RenderPart(fpTop, width, metrics_.caption), true, clFuchsia);
  } else {
    title.SetSize(width, height);
    // The corners over the side parts come from the side parts themselves.
    title.Draw(0, 0, *left);
    title.Draw(width - metrics_.right, 0, *right);
    title.Draw(metrics_.left, 0, RenderPart(fpTop, width - metrics_.left - metrics_.right, height));
  }
  // Text and icons are drawn by the system into a copy of the title bar.
  if (THBitmap dib = MakeDibSection(title)) {
    {
      TBitmapDC memory(dib.Get());
      PaintTitleText(memory.Get(), width);
      for (const auto& button : buttons_) {
        const TDataSkinSysButton* d = button->Definition();
        if (d && button->Visible && !d->Bitmap.Empty() && (d->Action == 3 || d->Action == 11)) {
          PaintWindowIcon(memory.Get(), button->Bounds);
        }
      }
    }
    ReadGdiBitmap(dib.Get(), title);
  }
}

void TWinSkinForm::RepaintStateButtons() {
  if (skin_state_ != ksActive) return;
  for (const auto& button : buttons_) {
    const TDataSkinSysButton* d = button->Definition();
    if (d && button->Visible && d->Action == kStayOnTopAction) PaintCaptionButton(*button);
  }
}

bool TWinSkinForm::ShowsPressed(const TDataSkinSysButton& definition) const {
  return definition.Action == kStayOnTopAction && FrameCount(definition.Frame) >= nsPressed &&
         (GetWindowLongPtrW(handle_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void TWinSkinForm::DrawButtonCell(TBitmap& target, const TRect& bounds,
                                  const TDataSkinSysButton& definition, int frame) const {
  const int frames = FrameCount(definition.Frame);
  const int cell_width = definition.Bitmap.Width() / frames;
  const int cell = std::clamp(frame, 1, frames);
  if (bounds.Width() != cell_width || bounds.Height() != definition.Bitmap.Height()) {
    // Shown at another DPI than the image's: the cell is scaled with the
    // filter that keeps its magenta outline.
    target.Draw(bounds.left, bounds.top,
                ScaledButtonCell(definition, cell, bounds.Width(), bounds.Height()), true,
                clFuchsia);
    return;
  }
  target.CopyRect(bounds.Offset(0, 0), definition.Bitmap,
                  Bounds((cell - 1) * cell_width, 0, cell_width, definition.Bitmap.Height()), true,
                  clFuchsia);
}

void TWinSkinForm::PaintTitleText(HDC dc, int width) {
  if (caption_text_.empty()) return;
  const TDataSkinTitle& title = skin_data_->Title();
  const int caption = metrics_.caption;
  int top = SkinScale(std::max(title.TopHeight, 0), dpi_);
  int bottom = caption - top;
  if (bottom - top < 4) {
    top = 0;
    bottom = caption;
  }
  const auto ex_style = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_EXSTYLE));
  const bool rtl = right_to_left_ || (ex_style & WS_EX_RTLREADING);
  TSelectObject font(dc, caption_font_.Get()
                             ? caption_font_.Get()
                             : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  // A shift and clip that leave the title no room are cut back, each to a
  // quarter of the window, so the title still shows.
  int shift = TitleShift();
  int clip = SkinScale(std::max(title.RightWidth, 0), dpi_);
  SIZE text{};
  GetTextExtentPoint32W(dc, caption_text_.c_str(), static_cast<int>(caption_text_.size()), &text);
  const long long room = static_cast<long long>(width) - shift - clip;
  if (room < std::min<long long>(text.cx, width / 2)) {
    shift = std::min(shift, width / 4);
    clip = std::min(clip, width / 4);
  }
  RECT r = rtl ? RECT{clip, top, width - shift, bottom} : RECT{shift, top, width - clip, bottom};
  if (r.right <= r.left) return;
  const TColor colour =
      active_ ? skin_data_->Colours().TitleTextActive : skin_data_->Colours().TitleTextNoActive;
  SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(colour)));
  SetBkMode(dc, TRANSPARENT);
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
  if (rtl) format |= DT_RIGHT | DT_RTLREADING;
  DrawTextW(dc, caption_text_.c_str(), static_cast<int>(caption_text_.size()), &r, format);
}

// The skin's text shift leaves room for all its left-aligned buttons; the
// title starts after the last one this window shows, keeping the skin's gap
// between that button and the text.
int TWinSkinForm::TitleShift() const {
  const int shift = SkinScale(std::max(skin_data_->Title().LeftWidth, 0), dpi_);
  int all_end = 0;
  int shown_end = metrics_.left;
  for (const auto& button : buttons_) {
    const TDataSkinSysButton* d = button->Definition();
    if (!d || d->Bitmap.Empty() || (d->Align != 0 && d->Align != 3 && d->Align != 9)) continue;
    all_end =
        std::max(all_end, SkinScale(d->Xcoord, dpi_) + static_cast<int>(CaptionButtonSize(*d).cx));
    if (button->Visible) shown_end = std::max(shown_end, button->Bounds.right);
  }
  if (all_end == 0 || shift < all_end) return shift;
  return std::min(shift, shown_end + (shift - all_end));
}

void TWinSkinForm::PaintWindowIcon(HDC dc, const TRect& bounds) {
  if (icon_) {
    // The icon at the size of its place, which follows the frame's DPI.
    const int cx = bounds.Width();
    const int cy = bounds.Height();
    const TOwnedIcon copy(
        static_cast<HICON>(CopyImage(icon_, IMAGE_ICON, cx, cy, LR_COPYFROMRESOURCE)));
    if (copy) {
      DrawIconEx(dc, bounds.left, bounds.top, copy.Get(), cx, cy, 0, nullptr, DI_NORMAL);
      return;
    }
  }
  if (!icon_bitmap_.Empty()) DrawBitmap(dc, bounds.left, bounds.top, icon_bitmap_);
}

void TWinSkinForm::DrawIcon() {
  icon_ = reinterpret_cast<HICON>(SendMessageW(handle_, WM_GETICON, ICON_SMALL, 0));
  if (!icon_) icon_ = reinterpret_cast<HICON>(SendMessageW(handle_, WM_GETICON, ICON_BIG, 0));
  if (icon_) DrawIconOnMagenta(icon_, icon_bitmap_);
}

SIZE TWinSkinForm::CaptionButtonSize(const TDataSkinSysButton& definition) const {
  const int width = definition.Bitmap.Width() / FrameCount(definition.Frame);
  const int height = definition.Bitmap.Height();
  if (definition.Action == 3 || definition.Action == 11) {
    // The window icon's image was drawn at the system's small-icon size.
    const int system = SystemDpi();
    return SIZE{MulDiv(width, dpi_, system), MulDiv(height, dpi_, system)};
  }
  return SIZE{SkinScale(width, dpi_), SkinScale(height, dpi_)};
}

std::wstring TWinSkinForm::ReadCaption() const {
  return manager_.System().WindowText(handle_);
}

void TWinSkinForm::PaintCaptionButton(const TWinSysButton& button) {
  if (skin_state_ != ksActive && skin_state_ != ksReapplying) return;
  const TDataSkinSysButton* d = button.Definition();
  if (!d || !button.Visible || d->Bitmap.Empty()) return;
  const TRect& b = button.Bounds;
  const bool on_title = b.top >= 0 && b.bottom <= title_back_.Height() &&
                        title_back_.Width() == frame_width_ && d->Visibility != 100;
  if (!on_title) {
    PaintFrame(nullptr);
    return;
  }
  TBitmap piece(b.Width(), b.Height());
  piece.CopyRect(piece.BoundsRect(), title_back_, b);
  if (d->Action != 3 && d->Action != 11) {
    int frame = button.State;
    if (d->Visibility == 100 && button.State == nsHot) frame = 4;
    if (frame == nsNormal && ShowsPressed(*d)) frame = nsPressed;
    DrawButtonCell(piece, piece.BoundsRect(), *d, frame);
  }
  TFrameDC target(handle_, nullptr);
  if (target.Get()) BlitRows(target.Get(), b.left, b.top, piece, 0, piece.Height());
}

// --- non-client messages --------------------------------------------------

void TWinSkinForm::OnNcCalcSize(TMessage& m) {
  CallPrevious(m);
  if (!m.WParam) {
    m.Result = 0;
    return;
  }
  auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam);
  if ((IsMdiChild() && show_state_ != ssNormal) || frame_kind_ == fkNone) {
    params->rgrc[1] = params->rgrc[0];
    m.Result = WVR_VALIDRECTS;
    return;
  }
  const WINDOWPOS& pos = *params->lppos;
  const TRect client =
      SkinnedClientRect(Bounds(pos.x, pos.y, pos.cx, pos.cy), metrics_, menu_bar_height_);
  params->rgrc[0] = ToRECT(client);
  params->rgrc[1] = params->rgrc[0];
  m.Result = WVR_VALIDRECTS;
}

void TWinSkinForm::OnNcPaint(TMessage& m) {
  SetSysMenuStyle(true);
  if (!skin_data_->FramePainting()) {
    m.Result = 0;
    return;
  }
  if ((IsMdiChild() && show_state_ == ssMaximized) || frame_kind_ == fkNone) {
    CallPrevious(m);
    return;
  }
  PaintFrame(nullptr);
  m.Result = 0;
}

void TWinSkinForm::OnWindowPosChanging(TMessage& m) {
  const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.LParam);
  if (!pos || (pos->flags & SWP_NOSIZE)) {
    CallPrevious(m);
    return;
  }
  // The system asks for the size limits while it bounds the new size.
  const SIZE wanted{pos->cx, pos->cy};
  const SIZE* outer = std::exchange(limits_for_, &wanted);
  CallPrevious(m);
  limits_for_ = outer;
}

void TWinSkinForm::OnNcActivate(TMessage& m) {
  active_ = m.WParam != 0;
  if (hover_timer_) hover_timer_->SetEnabled(active_);
  if (mdi_kind_ == mkFrame) {
    SendMessageW(mdi_client_, WM_NCACTIVATE, m.WParam, 0);
  } else if (IsMdiChild()) {
    CallPrevious(m);
  }
  if (!(IsMdiChild() && show_state_ == ssMaximized)) PaintFrame(nullptr);
  m.Result = 1;
}

void TWinSkinForm::OnSize(TMessage& m) {
  switch (m.WParam) {
    case SIZE_RESTORED:
      show_state_ = ssNormal;
      break;
    case SIZE_MINIMIZED:
      show_state_ = ssMinimized;
      break;
    case SIZE_MAXIMIZED:
      show_state_ = ssMaximized;
      break;
    default:
      break;
  }
  if (show_state_ == ssMinimized) {
    // The system shows a minimised window as a bare caption bar: its
    // outline is the plain rectangle, and the skin's comes back on restore.
    if (region_set_ && !IsMdiChild()) {
      SetWindowRgn(handle_, nullptr, TRUE);
      region_ = nullptr;
      region_set_ = false;
    }
    CallPrevious(m);
    return;
  }
  const bool reshape = (skin_state_ == ksActive || skin_state_ == ksReapplying) &&
                       !(IsMdiChild() && (manager_.MdiMaximized() || show_state_ != ssNormal));
  // The outline fits the new size before the window lays out and paints
  // its children, so nothing they paint is cut at the old one.
  if (reshape) UpdateRegion(false);
  CallPrevious(m);
  if (reshape) RepaintAfterSize(SIZE{LOWORD(m.LParam), HIWORD(m.LParam)});
}

// The region is set without a repaint of its own, and what the system
// repaints after a size change was reckoned inside the old outline: the
// frame is made invalid whole at its new size, the client only where it
// grew (what it already shows stays valid), so one paint covers both.
void TWinSkinForm::RepaintAfterSize(SIZE client) {
  const SIZE before = painted_client_;
  painted_client_ = client;
  RECT window{};
  GetWindowRect(handle_, &window);
  POINT origin{window.left, window.top};
  ScreenToClient(handle_, &origin);
  TOwnedRegion invalid(CreateRectRgn(origin.x, origin.y, origin.x + (window.right - window.left),
                                     origin.y + (window.bottom - window.top)));
  TOwnedRegion kept(
      CreateRectRgn(0, 0, std::min(before.cx, client.cx), std::min(before.cy, client.cy)));
  CombineRgn(invalid.Get(), invalid.Get(), kept.Get(), RGN_DIFF);
  RedrawWindow(handle_, nullptr, invalid.Get(),
               RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TWinSkinForm::OnDpiChanged(TMessage& m) {
  const int dpi = LOWORD(m.WParam);
  if (frame_skinned_ && skin_data_ && !skin_data_->NotReady() && dpi > 0 && dpi != dpi_) {
    // The new borders are in place before the window takes its new size,
    // so the client area it reckons is the one it keeps; parts, title and
    // region are drawn at the new size and DPI, or taken up from the last
    // time the window showed at it.
    SwitchDrawingsTo(dpi);
    metrics_ = FrameMetricsOf(*skin_data_, frame_kind_, dpi_);
    if (menu_bar_) menu_bar_height_ = TWinSkinMenu::LineHeight(dpi_);
    region_width_ = region_height_ = -1;
  }
  RECT before{};
  GetWindowRect(handle_, &before);
  CallPrevious(m);
  if (skin_state_ == ksActive || skin_state_ == ksReapplying) {
    UpdateRegion(false);
    // A window that took a new size has had its client area reckoned
    // with the new borders already; one that kept its size has not.
    RECT after{};
    GetWindowRect(handle_, &after);
    if (after.right - after.left == before.right - before.left &&
        after.bottom - after.top == before.bottom - before.top) {
      SetWindowPos(handle_, nullptr, 0, 0, 0, 0, kFrameChanged);
    }
  }
}

void TWinSkinForm::OnGetMinMaxInfo(TMessage& m) {
  CallPrevious(m);
  UpdateShowState();
  if (show_state_ == ssMinimized || (IsMdiChild() && show_state_ == ssMaximized)) {
    SetCaptionStyle(true);
  } else {
    SetCaptionStyle(false);
  }
  if (child_window_ || IsMdiChild()) return;
  auto* mmi = reinterpret_cast<MINMAXINFO*>(m.LParam);
  // Asked while a size change runs, the limits only bound the new size:
  // one that keeps within the system's largest size is bounded alike
  // whatever the work area is, and the monitor need not be asked.
  if (limits_for_ && limits_for_->cx <= mmi->ptMaxTrackSize.x &&
      limits_for_->cy <= mmi->ptMaxTrackSize.y) {
    return;
  }
  // A maximised skinned window covers the work area of its monitor: the
  // task bar stays visible and nothing of the client is off the screen.
  MONITORINFO info{};
  if (!MonitorOf(info)) return;
  RECT area = info.rcWork;
  KeepAutoHideBarsReachable(info.rcMonitor, area);
  mmi->ptMaxPosition = {area.left - info.rcMonitor.left, area.top - info.rcMonitor.top};
  mmi->ptMaxSize = {area.right - area.left, area.bottom - area.top};
  mmi->ptMaxTrackSize.x = std::max(mmi->ptMaxTrackSize.x, mmi->ptMaxSize.x);
  mmi->ptMaxTrackSize.y = std::max(mmi->ptMaxTrackSize.y, mmi->ptMaxSize.y);
}

bool TWinSkinForm::MonitorOf(MONITORINFO& info) const {
  HMONITOR monitor = MonitorFromWindow(handle_, MONITOR_DEFAULTTONEAREST);
  info.cbSize = sizeof info;
  return monitor && GetMonitorInfoW(monitor, &info);
}

// Shrinks a maximised window by the edges where auto-hidden task bars wait,
// so the mouse can still reach them there.
void TWinSkinForm::KeepAutoHideBarsReachable(const RECT& monitor, RECT& area) {
  const unsigned long long now = GetTickCount64();
  if (!auto_hide_.known || now - auto_hide_.asked_at >= kAutoHideAnswerMs ||
      !EqualRect(&auto_hide_.monitor, &monitor)) {
    auto_hide_ = TAutoHideEdges{};
    auto_hide_.known = true;
    auto_hide_.asked_at = now;
    auto_hide_.monitor = monitor;
    APPBARDATA state{};
    state.cbSize = sizeof state;
    if (SHAppBarMessage(ABM_GETSTATE, &state) & ABS_AUTOHIDE) {
      const auto on_edge = [&monitor](UINT edge) {
        APPBARDATA query{};
        query.cbSize = sizeof query;
        query.uEdge = edge;
        query.rc = monitor;
        return SHAppBarMessage(ABM_GETAUTOHIDEBAR, &query) != 0;
      };
      auto_hide_.bottom = on_edge(ABE_BOTTOM);
      auto_hide_.top = on_edge(ABE_TOP);
      auto_hide_.left = on_edge(ABE_LEFT);
      auto_hide_.right = on_edge(ABE_RIGHT);
    }
  }
  if (auto_hide_.bottom) area.bottom -= 2;
  if (auto_hide_.top) area.top += 2;
  if (auto_hide_.left) area.left += 2;
  if (auto_hide_.right) area.right -= 2;
}

void TWinSkinForm::OnSetText(TMessage& m, const TWndMethod& pass) {
  if (!IsWindowVisible(handle_)) {
    pass(m);
    return;
  }
  // Where the window still carries the system caption, the system would
  // draw it over the skin while it stores the text.
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE));
  const bool quiet =
      (style & WS_CAPTION) == WS_CAPTION || (!IsWindowUnicode(handle_) && !IsMdiChild());
  if (quiet) SendMessageW(handle_, WM_SETREDRAW, FALSE, 0);
  pass(m);
  if (quiet) SendMessageW(handle_, WM_SETREDRAW, TRUE, 0);
  if (show_state_ == ssMaximized && manager_.MdiClient()) {
    PostMessageW(manager_.MdiClient(), SKM_MDIREDRAW, reinterpret_cast<WPARAM>(handle_), 0);
  }
  if (show_state_ == ssMinimized) {
    PaintFrame(nullptr);
  } else {
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0, kFrameChanged);
  }
}

// --- region ---------------------------------------------------------------

void TWinSkinForm::UpdateRegion(bool redraw) {
  if (skin_state_ == ksDestroyed || !frame_skinned_ || !skin_data_) return;
  RECT window{};
  GetWindowRect(handle_, &window);
  const int w = window.right - window.left;
  const int h = window.bottom - window.top;
  if (w <= 0 || h <= 0) return;
  if (IsMdiChild() && show_state_ != ssNormal) return;
  if (region_set_ && w == region_width_ && h == region_height_ && !IsMdiChild() &&
      skin_state_ != ksReapplying) {
    return;
  }
  region_set_ = false;
  region_width_ = w;
  region_height_ = h;
  // From here on the region belongs to the window; the system frees it when
  // it is replaced. One kept from the last time the window showed at this
  // DPI and size serves as it is.
  if (kept_region_ && kept_region_size_.cx == w && kept_region_size_.cy == h &&
      skin_state_ != ksReapplying) {
    region_ = kept_region_.Release();
  } else {
    region_ = BuildRegion(w, h);
  }
  kept_region_.Reset();
  ++region_builds_;
  if (SetWindowRgn(handle_, region_, redraw ? TRUE : FALSE)) {
    region_set_ = true;
  } else {
    DeleteObject(region_);
    region_ = nullptr;
  }
}

HRGN TWinSkinForm::BuildRegion(int w, int h) const {
  const TSkinData& data = *skin_data_;
  const bool shaped = data.FrameBorder(fbLeft).Trans == 1 || data.FrameBorder(fbRight).Trans == 1 ||
                      data.FrameBorder(fbTop).Trans == 1;
  const TFrameMetrics& m = metrics_;
  TOwnedRegion base;
  if (!shaped) {
    base.Reset(CreateRectRgn(0, 0, w, h));
  } else {
    base.Reset(CreateRectRgn(m.left, m.caption, w - m.right, h - m.bottom));
    if (frame_kind_ != fkNone) {
      auto part_region = [&](int part, const TRect& rect, bool big_enough) {
        if (PartObject(data, part).Trans == 1 && big_enough) {
          return TOwnedRegion(BitmapToRegion(RenderPart(part, rect.Width(), rect.Height()),
                                             rect.left, rect.top, 1, clFuchsia));
        }
        return TOwnedRegion(CreateRectRgn(rect.left, rect.top, rect.right, rect.bottom));
      };
      TOwnedRegion left = part_region(fpLeft, {0, 0, m.left, h}, h > 1);
      TOwnedRegion right = part_region(fpRight, {w - m.right, 0, w, h}, h > 1);
      TOwnedRegion bottom =
          part_region(fpBottom, {m.left, h - m.bottom, w - m.right, h}, m.bottom >= 2);
      TOwnedRegion top = part_region(fpTop, {m.left, 0, w - m.right, m.caption},
                                     m.caption > 1 && w - m.left - m.right > 0);
      CombineRgn(left.Get(), left.Get(), right.Get(), RGN_OR);
      CombineRgn(top.Get(), top.Get(), bottom.Get(), RGN_OR);
      CombineRgn(left.Get(), left.Get(), top.Get(), RGN_OR);
      CombineRgn(base.Get(), base.Get(), left.Get(), RGN_OR);
    }
  }
  return base.Release();
}

void TWinSkinForm::RemoveRegion() {
  if (!region_set_) return;
  SetWindowRgn(handle_, nullptr, IsMdiChild() ? TRUE : FALSE);
  region_ = nullptr;
  region_set_ = false;
}
