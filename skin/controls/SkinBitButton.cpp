// Glyph buttons and windowless speed buttons drawn from the skin.
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <vector>

#include "framework/ButtonLayout.h"
#include "framework/GlyphImage.h"
#include "framework/Graphic.h"
#include "framework/GraphicControl.h"
#include "framework/ImageList.h"
#include "framework/StringList.h"
#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinProps.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "skin/packages/ImgUtil.h"

namespace {

TButtonLayout LayoutOf(TPersistent* control) {
  std::string name = PropEnum(control, "Layout");
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (name == "blglyphright") return blGlyphRight;
  if (name == "blglyphtop") return blGlyphTop;
  if (name == "blglyphbottom") return blGlyphBottom;
  return blGlyphLeft;
}

// Cell `cell` (from 1, the first when there are fewer) of `frames` equal
// cells of `strip`.
TBitmap GlyphCell(const TBitmap& strip, int frames, int cell) {
  frames = std::max(frames, 1);
  if (cell > frames) cell = 1;
  const int w = strip.Width() / frames;
  TBitmap out(w, strip.Height());
  out.CopyRect(out.BoundsRect(), strip, Bounds((cell - 1) * w, 0, w, strip.Height()));
  return out;
}

// Greys `cell` (as disabled glyphs are shown), keeping its transparent
// pixels apart: they become magenta, the key the caller draws with.
void GreyKeepingKey(TBitmap& cell, const std::vector<bool>& clear) {
  GrayBitmap(cell);
  for (int y = 0; y < cell.Height(); ++y) {
    for (int x = 0; x < cell.Width(); ++x) {
      if (clear[static_cast<size_t>(y) * cell.Width() + x]) cell.SetPixel(x, y, clFuchsia);
    }
  }
}

// A glyph cell (96-DPI pixels) shown at `size`, its transparent `key` kept
// exact so no fringe shows around it.
TBitmap AtSize(TBitmap cell, TColor key, TPoint size) {
  if (cell.Width() == size.x && cell.Height() == size.y) return cell;
  return ScaleGlyph(cell, key, size.x, size.y);
}

// A length of the layout given in 96-DPI pixels, at `dpi`; -1 (worked out
// from the room left) stays -1.
int LayoutLength(int value, int dpi) {
  return value == -1 ? -1 : SkinScale(value, dpi);
}

}  // namespace

// --- TSkinBitButton ---------------------------------------------------------

int TSkinBitButton::GlyphCell(TSkinButtonState state) const {
  if (state == sbPressed) return 3;
  if (state == sbDisabled) return 2;
  return 1;
}

void TSkinBitButton::DrawContent(TSkinButtonState state) {
  HDC dc = buffer_.DC();
  TPersistent* control = Skinned();
  const TPoint c{buffer_.Width(), buffer_.Height()};
  const TRect b = buffer_.BoundsRect();
  // What the control says about its glyph, read by name.
  auto* glyph = PropObject<TGraphic>(control, "Glyph");
  auto* images = PropObject<TImageList>(control, "Images");
  int frames = PropInt(control, "NumGlyphs");
  if (frames < 1) frames = 1;
  const int image_index = PropInt(control, "ImageIndex");
  const int disabled_index = PropInt(control, "DisabledIndex");
  TGraphic* picture =
      picture_property_.empty() ? nullptr : PropObject<TGraphic>(control, picture_property_);
  // The glyph, its margin and its spacing are 96-DPI pixels: at the
  // button's DPI they grow with the caption beside them.
  const int dpi = Dpi();
  TGlyphLayoutInput in;
  in.layout = LayoutOf(control);
  in.margin = LayoutLength(PropInt(control, "Margin"), dpi);
  in.spacing = LayoutLength(PropInt(control, "Spacing"), dpi);
  in.centred = AsciiEqualNoCase(PropEnum(control, "Alignment"), "taCenter");
  in.speed_button = SpeedLayout();
  in.client = c;
  TPoint own;  // the glyph's own size
  if (!picture_property_.empty()) {
    if (picture && !picture->Empty()) own = {picture->Width(), picture->Height()};
  } else if (glyph && !glyph->Empty()) {
    own = {glyph->Width() / frames, glyph->Height()};
  } else if (images && image_index != -1) {
    own = {images->Width(), images->Height()};
  }
  if (own.x * own.y != 0) in.glyph = {SkinScale(own.x, dpi), SkinScale(own.y, dpi)};
  const bool has_glyph = in.glyph.x * in.glyph.y != 0;
  if (!has_glyph && SpeedLayout()) {
    // A speed button without a glyph shows its caption like a push button.
    TSkinButton::DrawContent(state);
    return;
  }
  SplitCaption();
  const UINT prefix = ShowAccelerators() ? 0 : DT_HIDEPREFIX;
  const int inset = SkinScale(2, dpi);
  RECT text_room{b.left + inset, b.top + inset, b.right - inset, b.bottom - inset};
  if (HorizontalLayout(in.layout)) {
    text_room.right -= in.glyph.x + inset;
  } else {
    text_room.bottom -= in.glyph.y + inset;
  }
  if (!caption_.empty()) {
    RECT t = text_room;
    DrawTextW(dc, caption_.c_str(), -1, &t, DT_CALCRECT | DT_WORDBREAK | prefix);
    in.text = {static_cast<int>(t.right - t.left), static_cast<int>(t.bottom - t.top)};
  }
  const TGlyphLayout out = LayoutGlyphButton(in);

  if (!picture_property_.empty()) {
    if (picture && !picture->Empty()) {
      const TBitmap shown = in.glyph.x == own.x && in.glyph.y == own.y
                                ? picture->Bitmap
                                : ScaleOpaqueImage(picture->Bitmap, in.glyph.x, in.glyph.y);
      buffer_.Draw(out.glyph.x, out.glyph.y, shown);
    }
  } else if (glyph && !glyph->Empty()) {
    TBitmap cell = ::GlyphCell(glyph->Bitmap, frames, GlyphCell(state));
    // The bottom-left pixel is the colour that is not drawn.
    TColor key = cell.Pixel(0, cell.Height() - 1);
    if (state == sbDisabled) {
      std::vector<bool> clear(static_cast<size_t>(cell.Width()) * cell.Height());
      for (int y = 0; y < cell.Height(); ++y) {
        for (int x = 0; x < cell.Width(); ++x) {
          clear[static_cast<size_t>(y) * cell.Width() + x] = cell.Pixel(x, y) == key;
        }
      }
      GreyKeepingKey(cell, clear);
      key = clFuchsia;
    }
    buffer_.Draw(out.glyph.x, out.glyph.y, AtSize(std::move(cell), key, in.glyph), true, key);
  } else if (images && image_index != -1) {
    const bool disabled = state == sbDisabled;
    const int index = disabled && disabled_index != -1 ? disabled_index : image_index;
    if (index >= 0 && index < images->Count()) {
      TBitmap cell = images->Image(index);
      TColor key = images->MaskColor(index);
      if (disabled) {
        std::vector<bool> clear(static_cast<size_t>(cell.Width()) * cell.Height());
        for (int y = 0; y < cell.Height(); ++y) {
          for (int x = 0; x < cell.Width(); ++x) {
            clear[static_cast<size_t>(y) * cell.Width() + x] = !images->Opaque(index, x, y);
          }
        }
        GreyKeepingKey(cell, clear);
        key = clFuchsia;
      }
      buffer_.Draw(out.glyph.x, out.glyph.y, AtSize(std::move(cell), key, in.glyph), true, key);
    }
  }

  // The rectangle is the caption's measured extent; the ink of a letter
  // may stand out of its advance (the bowl of a final "p"), so nothing is
  // clipped to it.
  UINT flags = DT_WORDBREAK | DT_NOCLIP | prefix;
  if (out.align == gtRight) flags |= DT_RIGHT;
  if (out.align == gtCentre) flags |= DT_CENTER;
  RECT text{out.text.x, out.text.y, out.text.x + in.text.x, out.text.y + in.text.y};
  DrawTextW(dc, caption_.c_str(), -1, &text, TextFlags(flags));
  if (!caption_.empty() && focused_ && !data_->Options().Contains(xoNoFocusRect) &&
      ShowFocusCues()) {
    InflateRect(&text, 2, 2);
    DrawFocusRect(dc, &text);
  }
}

// --- TSkinSpeedButton -------------------------------------------------------

bool TSkinSpeedButton::Down() const {
  return PropTrue(graphic_, "Down");
}

TSkinButtonState TSkinSpeedButton::State() const {
  if (Down()) return sbPressed;
  if (!enabled_) return sbDisabled;
  if (mouse_state_ & kMousePressed) return sbPressed;
  if (mouse_state_ & kMouseHot) return sbHot;
  return sbNormal;
}

bool TSkinSpeedButton::DrawsFrame(TSkinButtonState state) const {
  if (!PropTrue(graphic_, "Flat")) return true;
  return state == sbPressed || state == sbHot;
}

int TSkinSpeedButton::GlyphCell(TSkinButtonState state) const {
  if (Down()) return 4;
  return TSkinBitButton::GlyphCell(state);
}

void TSkinSpeedButton::DrawContent(TSkinButtonState state) {
  TSkinBitButton::DrawContent(state);
}

void TSkinSpeedButton::Repaint() {
  if (graphic_) graphic_->Invalidate();
}

void TSkinSpeedButton::PaintWindow(HDC dc) {
  if (!graphic_) return;
  if (!dc) {
    graphic_->Repaint();
    return;
  }
  // The button's size on the screen (its bounds scaled to the DPI).
  const TRect shown = graphic_->BoundsRect();
  const int w = shown.Width(), h = shown.Height();
  if (painting_ || w < 1 || h < 1) return;
  painting_ = true;
  try {
    if (Compose(w, h)) buffer_.CopyTo(dc, 0, 0);
  } catch (...) {
  }
  painting_ = false;
}

bool TSkinSpeedButton::BeforeMessage(TMessage& m) {
  if (!HasFace()) return true;  // the button's own look (see TSkinButton)
  switch (m.Msg) {
    case WM_PAINT:
      // The parent hands its DC over with the origin at the button.
      if (m.WParam) PaintWindow(reinterpret_cast<HDC>(m.WParam));
      m.Result = 1;
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      // The speed button runs its own press first.
      const std::shared_ptr<bool> alive = AliveToken();
      CallPrevious(m);
      if (!*alive) return false;
      mouse_state_ |= kMousePressed;
      Repaint();
      return false;
    }
    default:
      break;
  }
  return TSkinControl::BeforeMessage(m);
}

void TSkinSpeedButton::AfterMessage(TMessage& m) {
  if (!HasFace()) return;
  switch (m.Msg) {
    case WM_ENABLE:
    case CM_ENABLEDCHANGED:
      return;
    case CM_MOUSEENTER:
      mouse_state_ |= kMouseHot;
      Repaint();
      return;
    case CM_MOUSELEAVE:
      mouse_state_ &= ~(kMouseHot | kMousePressed);
      if (graphic_ && graphic_->Visible()) Repaint();
      return;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      mouse_state_ &= ~kMousePressed;
      Repaint();
      return;
    default:
      break;
  }
  TSkinControl::AfterMessage(m);
}
