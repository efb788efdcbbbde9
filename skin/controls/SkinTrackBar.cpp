#include "skin/controls/SkinTrackBar.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"

namespace {
constexpr int kThumbFrames = 5;
// Cells of a thumb strip (cell 1 is a plain face no state shows).
constexpr int kThumbRest = 2;
constexpr int kThumbHot = 3;
constexpr int kThumbPressed = 4;
constexpr int kThumbDisabled = 5;

const TDataSkinObject* WithImage(const TSkinData* data, TSkinSlot slot) {
  const TDataSkinObject* object = data ? data->Object(slot) : nullptr;
  return object && !object->Bitmap.Empty() ? object : nullptr;
}

COLORREF Rgb(TColor colour) {
  return static_cast<COLORREF>(ColorToRGB(colour) & 0xFFFFFF);
}

bool Empty(const RECT& r) {
  return r.right <= r.left || r.bottom <= r.top;
}

// Restores the DC's clipping (and whatever else was changed) when it goes.
class TSavedDC {
 public:
  explicit TSavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~TSavedDC() {
    if (saved_) RestoreDC(dc_, saved_);
  }
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;

 private:
  HDC dc_;
  int saved_;
};
}  // namespace

bool TSkinTrackBar::Vertical() const {
  return (Style() & TBS_VERT) != 0;
}

const TDataSkinObject* TSkinTrackBar::ThumbObject() const {
  const DWORD style = Style();
  // The shape the control gives its thumb: square with ticks on both sides,
  // else pointing to the side its ticks stand on.
  TSkinSlot shaped = ssThumbHorz;
  TSkinSlot square = ssThumbHorz;
  if (style & TBS_VERT) {
    square = ssThumbVert;
    shaped = (style & TBS_BOTH) ? ssThumbVert : (style & TBS_LEFT) ? ssThumbLeft : ssThumbRight;
  } else {
    shaped = (style & TBS_BOTH) ? ssThumbHorz : (style & TBS_TOP) ? ssThumbUp : ssThumbDown;
  }
  if (const TDataSkinObject* object = WithImage(data_, shaped)) return object;
  return WithImage(data_, square);
}

RECT TSkinTrackBar::ThumbRect() const {
  RECT r{};
  if (!handle_ || !IsWindow(handle_)) return r;
  SendMessageW(handle_, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
  return r;
}

int TSkinTrackBar::ThumbCell() const {
  if (!IsWindowEnabled(handle_) || !EnabledInItsWindow()) return kThumbDisabled;
  if ((mouse_state_ & kMousePressed) && GetCapture() == handle_) return kThumbPressed;
  if (mouse_state_ & kMouseHot) return kThumbHot;
  return kThumbRest;
}

void TSkinTrackBar::InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                                bool change_colour) {
  if (initialized_) return;
  TSkinControl::InitControl(control, form, data, change_colour);
  FitThumb();
}

void TSkinTrackBar::InitWindow(HWND window, TSkinData& data, TWinSkinForm& form) {
  if (initialized_) return;
  TSkinControl::InitWindow(window, data, form);
  FitThumb();
}

void TSkinTrackBar::Restore() {
  GiveThumbBack();
  TSkinControl::Restore();
}

void TSkinTrackBar::SkinChanged() {
  // The control draws its channel and thumb through us: new images and a
  // repaint are all a new skin needs.
  channel_ = {};
  thumb_ = {};
  FitThumb();
  TSkinControl::SkinChanged();
}

void TSkinTrackBar::FitThumb() {
  if (!handle_ || !IsWindow(handle_)) return;
  if (!thumb_taken_) {
    own_thumb_length_ = static_cast<int>(SendMessageW(handle_, TBM_GETTHUMBLENGTH, 0, 0));
  }
  const DWORD style = Style();
  const TDataSkinObject* image = ThumbObject();
  const int dpi = Dpi();
  // A system that leaves the thumb at its 96-DPI length while the control
  // grew with the window's DPI shows a dwarf thumb: the skin's thumb, drawn
  // for 96 DPI, gets its length at this DPI (as far as the control has
  // room). A system that scaled the thumb itself is left alone.
  int wanted = own_thumb_length_;
  if (image && dpi > kSkinDpi && own_thumb_length_ > 0) {
    const int cell_width = image->Bitmap.Width() / kThumbFrames;
    const int depth = (style & TBS_VERT) ? cell_width : image->Bitmap.Height();
    if (own_thumb_length_ < SkinScale(depth, dpi)) {
      RECT client{};
      GetClientRect(handle_, &client);
      const int room = static_cast<int>((style & TBS_VERT) ? client.right : client.bottom);
      wanted = std::clamp(SkinScale(own_thumb_length_, dpi), own_thumb_length_,
                          std::max(own_thumb_length_, room - SkinScale(4, dpi)));
    }
  }
  if (wanted == own_thumb_length_) {
    GiveThumbBack();
    return;
  }
  if (thumb_taken_ && SendMessageW(handle_, TBM_GETTHUMBLENGTH, 0, 0) == wanted) return;
  // The control takes a length of ours only as a fixed one.
  if (!(style & TBS_FIXEDLENGTH)) {
    SetWindowLongPtrW(handle_, GWL_STYLE, static_cast<LONG_PTR>(style | TBS_FIXEDLENGTH));
    fixed_length_added_ = true;
  }
  thumb_taken_ = true;
  SendMessageW(handle_, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(wanted), 0);
  InvalidateRect(handle_, nullptr, TRUE);
}

void TSkinTrackBar::GiveThumbBack() {
  if (!thumb_taken_) return;
  thumb_taken_ = false;
  if (!handle_ || !IsWindow(handle_)) return;
  SendMessageW(handle_, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(own_thumb_length_), 0);
  if (fixed_length_added_) {
    SetWindowLongPtrW(handle_, GWL_STYLE,
                      static_cast<LONG_PTR>(Style() & ~static_cast<DWORD>(TBS_FIXEDLENGTH)));
  }
  fixed_length_added_ = false;
  InvalidateRect(handle_, nullptr, TRUE);
}

const TBitmap& TSkinTrackBar::Made(TMadeImage& made, const TDataSkinObject& object, int width,
                                   int height, int cell, const TSkinMargins& margins, int frames) {
  const int dpi = Dpi();
  if (made.object != &object || made.width != width || made.height != height || made.cell != cell ||
      made.dpi != dpi) {
    made.image =
        RenderSkinPart(width, height, object.Bitmap, margins, false, false, frames, cell, dpi);
    made.object = &object;
    made.width = width;
    made.height = height;
    made.cell = cell;
    made.dpi = dpi;
  }
  return made.image;
}

bool TSkinTrackBar::BeforeMessage(TMessage& m) {
  if (m.Msg == WM_NOTIFY || m.Msg == CN_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
    if (header && header->hwndFrom == handle_ && header->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
      m.Result = CustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(m.LParam));
      return false;
    }
    return true;
  }
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      // A press on the thumb holds it; one beside it pages the control.
      const POINT point{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
      const RECT thumb = ThumbRect();
      if (PtInRect(&thumb, point)) mouse_state_ |= kMousePressed;
      return true;
    }
    default:
      return TSkinControl::BeforeMessage(m);
  }
}

void TSkinTrackBar::AfterMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (mouse_state_ & kMousePressed) RedrawThumb();
      return;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (!(mouse_state_ & kMousePressed)) return;
      mouse_state_ &= ~kMousePressed;
      // After a drag the mouse may have been let go beside the thumb.
      if (m.Msg == WM_LBUTTONUP) {
        const POINT point{static_cast<short>(LOWORD(m.LParam)),
                          static_cast<short>(HIWORD(m.LParam))};
        const RECT thumb = ThumbRect();
        if (PtInRect(&thumb, point)) {
          mouse_state_ |= kMouseHot;
        } else {
          mouse_state_ &= ~kMouseHot;
        }
      }
      RedrawThumb();
      return;
    case WM_MOUSEMOVE: {
      const POINT point{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
      const RECT thumb = ThumbRect();
      SetHot(PtInRect(&thumb, point) != 0);
      TrackMouseLeave();
      return;
    }
    case WM_MOUSELEAVE:
      SetHot(false);
      return;
    case WM_SIZE:
      // A control made larger (or moved to another DPI) may have room for
      // the thumb's length now, or the system measured its thumb again.
      FitThumb();
      TSkinControl::AfterMessage(m);
      return;
    default:
      TSkinControl::AfterMessage(m);
  }
}

void TSkinTrackBar::SetHot(bool hot) {
  if (((mouse_state_ & kMouseHot) != 0) == hot) return;
  if (hot) {
    mouse_state_ |= kMouseHot;
  } else {
    mouse_state_ &= ~kMouseHot;
  }
  RedrawThumb();
}

void TSkinTrackBar::RedrawThumb() {
  const RECT thumb = ThumbRect();
  if (!Empty(thumb)) InvalidateRect(handle_, &thumb, TRUE);
}

LRESULT TSkinTrackBar::CustomDraw(const NMCUSTOMDRAW& draw) {
  switch (draw.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      if (draw.dwItemSpec == TBCD_THUMB) {
        DrawThumb(draw.hdc);
        return CDRF_SKIPDEFAULT;
      }
      if (draw.dwItemSpec == TBCD_CHANNEL) {
        DrawChannel(draw.hdc);
        return CDRF_SKIPDEFAULT;
      }
      return CDRF_DODEFAULT;
    default:
      return CDRF_DODEFAULT;
  }
}

void TSkinTrackBar::PutImage(HDC dc, int x, int y, const TBitmap& image, bool transparent) {
  if (image.Empty() || !buffer_.SetSize(image.Width(), image.Height())) return;
  buffer_.Draw(0, 0, image);
  if (!transparent) {
    buffer_.CopyTo(dc, x, y);
    return;
  }
  // Magenta leaves what the control has drawn there so far, without reading
  // it back.
  GdiTransparentBlt(dc, x, y, image.Width(), image.Height(), buffer_.DC(), 0, 0, image.Width(),
                    image.Height(), RGB(255, 0, 255));
}

void TSkinTrackBar::DrawThumb(HDC dc) {
  if (!dc || !handle_ || !IsWindow(handle_)) return;
  RECT client{};
  GetClientRect(handle_, &client);
  const RECT thumb = ThumbRect();
  RECT shown{};
  if (!IntersectRect(&shown, &thumb, &client)) return;
  TSavedDC saved(dc);
  IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
  const int width = thumb.right - thumb.left;
  const int height = thumb.bottom - thumb.top;
  if (const TDataSkinObject* image = ThumbObject()) {
    // The whole cell stretched over the thumb.
    PutImage(dc, thumb.left, thumb.top,
             Made(thumb_, *image, width, height, ThumbCell(), TSkinMargins{}, kThumbFrames), true);
    return;
  }
  // Without an image: the thumb outlined in the skin's shadow colour.
  const TSkinColours& colours = data_->Colours();
  TOwnedPen pen(CreatePen(PS_SOLID, 1, Rgb(colours.ButtonShadow)));
  TOwnedBrush brush(CreateSolidBrush(Rgb(colours.ButtonFace)));
  TSelectObject use_pen(dc, pen.Get());
  TSelectObject use_brush(dc, brush.Get());
  Rectangle(dc, thumb.left, thumb.top, thumb.right, thumb.bottom);
}

void TSkinTrackBar::DrawChannel(HDC dc) {
  if (!dc || !handle_ || !IsWindow(handle_)) return;
  RECT channel{};
  SendMessageW(handle_, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  RECT client{};
  GetClientRect(handle_, &client);
  const bool vertical = Vertical();
  // Some systems answer a standing channel as if it lay down.
  if (vertical && channel.right - channel.left > channel.bottom - channel.top) {
    channel = {channel.top, channel.left, channel.bottom, channel.right};
  }
  const int channel_width = channel.right - channel.left;
  const int channel_height = channel.bottom - channel.top;
  if (channel_width <= 0 || channel_height <= 0) return;
  TSavedDC saved(dc);
  IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
  // The channel image is as thick as the skin drew it, at the window's DPI.
  const int dpi = Dpi();
  if (vertical) {
    const TDataSkinObject* track = WithImage(data_, ssTrackVert);
    if (!track) return;
    // Its caps kept at either end, its middle stretched; centred across.
    const int w = SkinScale(track->Bitmap.Width(), dpi);
    const int x = w < channel_width ? channel.left + (channel_width - w) / 2 : channel.left;
    const TSkinMargins caps{0, std::max(0, track->TopHeight), 0, std::max(0, track->BottomHeight)};
    PutImage(dc, x, channel.top, Made(channel_, *track, w, channel_height, 1, caps, 1),
             track->Trans == 1);
    return;
  }
  const TDataSkinObject* track = WithImage(data_, ssTrack);
  if (!track) return;
  const int h = SkinScale(track->Bitmap.Height(), dpi);
  const int y = h < channel_height ? channel.top + (channel_height - h) / 2 : channel.top;
  const TSkinMargins caps{std::max(0, track->LeftWidth), 0, std::max(0, track->RightWidth), 0};
  PutImage(dc, channel.left, y, Made(channel_, *track, channel_width, h, 1, caps, 1),
           track->Trans == 1);
}
