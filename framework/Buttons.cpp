#include "framework/Buttons.h"

#include <algorithm>

#include "framework/BitmapWin32.h"
#include "framework/Dpi.h"
#include "framework/GdiObjects.h"
#include "framework/GlyphImage.h"
#include "framework/Menus.h"

namespace {

constexpr int kArrowZone = 17;  // the menu button's arrow at its right

std::vector<std::string> BoolNames() {
  return {"False", "True"};
}

// Keyboard cues the system hides until the keyboard is used.
struct TUiCues {
  bool focus = true;
  bool accelerators = true;
};

TUiCues QueryCues(HWND window) {
  const auto state = static_cast<UINT>(SendMessageW(window, WM_QUERYUISTATE, 0, 0));
  return {!(state & UISF_HIDEFOCUS), !(state & UISF_HIDEACCEL)};
}

// Draws `text` in `area` with the layout's alignment.
void DrawCaption(HDC dc, const std::wstring& text, RECT area, TGlyphTextAlign align, bool disabled,
                 TColor colour, bool accelerators) {
  if (text.empty()) return;
  UINT flags = DT_WORDBREAK | (accelerators ? 0 : DT_HIDEPREFIX);
  if (align == gtRight) flags |= DT_RIGHT;
  if (align == gtCentre) flags |= DT_CENTER;
  SetBkMode(dc, TRANSPARENT);
  if (disabled) {
    // Engraved, as the system shows disabled captions.
    OffsetRect(&area, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextW(dc, text.c_str(), -1, &area, flags);
    OffsetRect(&area, -1, -1);
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  } else {
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(colour)));
  }
  DrawTextW(dc, text.c_str(), -1, &area, flags);
}

// Glyph and caption of a glyph button drawn into `dc` of `size`, moved by
// `shift` (a pressed button's content sinks by a pixel).
struct TGlyphContent {
  const TBitmap* strip = nullptr;
  int frames = 1;
  int cell = 1;
  bool grey = false;
  TPoint glyph_size;      // 96-DPI pixels
  int dpi = kDefaultDpi;  // the DPI the button shows at
};

RECT PaintGlyphAndCaption(HDC dc, TPoint size, const TGlyphContent& glyph, const std::wstring& text,
                          TButtonLayout layout, int margin, int spacing, bool speed_button,
                          int shift, bool disabled, TColor colour, bool accelerators) {
  // The glyph, its margin and spacing and the insets are 96-DPI pixels.
  const int dpi = glyph.dpi;
  const TPoint g{ScaleForDpi(glyph.glyph_size.x, dpi), ScaleForDpi(glyph.glyph_size.y, dpi)};
  const int inset = ScaleForDpi(2, dpi);
  const bool horizontal = HorizontalLayout(layout);
  const int width = size.x - 2 * inset - (horizontal && g.x ? g.x + inset : 0);
  TGlyphLayoutInput in;
  in.client = size;
  in.glyph = g;
  in.text = MeasureCaption(dc, text, width);
  in.layout = layout;
  in.margin = margin == -1 ? -1 : ScaleForDpi(margin, dpi);
  in.spacing = spacing == -1 ? -1 : ScaleForDpi(spacing, dpi);
  in.speed_button = speed_button;
  if (g.x == 0) {
    // Without a glyph the caption sits in the middle.
    in.layout = blGlyphTop;
    in.margin = -1;
  }
  const TGlyphLayout out = LayoutGlyphButton(in);
  if (glyph.strip && g.x > 0) {
    DrawGlyphCell(dc, out.glyph.x + shift, out.glyph.y + shift, *glyph.strip, glyph.frames,
                  glyph.cell, glyph.grey, g);
  }
  RECT area{out.text.x + shift, out.text.y + shift, out.text.x + shift + in.text.x,
            out.text.y + shift + in.text.y};
  DrawCaption(dc, text, area, g.x == 0 ? gtCentre : out.align, disabled, colour, accelerators);
  return area;
}

}  // namespace

void DrawGlyphCell(HDC dc, int x, int y, const TBitmap& strip, int frames, int cell, bool grey,
                   TPoint size) {
  if (strip.Empty()) return;
  frames = std::max(frames, 1);
  if (cell > frames) cell = 1;
  const int w = strip.Width() / frames;
  if (w <= 0) return;
  TBitmap part(w, strip.Height());
  part.CopyRect(part.BoundsRect(), strip, Bounds((cell - 1) * w, 0, w, strip.Height()));
  const TColor key = part.Pixel(0, part.Height() - 1);
  if (grey) {
    for (int py = 0; py < part.Height(); ++py) {
      for (int px = 0; px < part.Width(); ++px) {
        const TColor c = part.Pixel(px, py);
        if (c == key) continue;
        const int v = (RedOf(c) + GreenOf(c) + BlueOf(c)) / 3;
        part.SetPixel(px, py, RGBColour(v, v, v));
      }
    }
  }
  if (size.x > 0 && size.y > 0 && (size.x != part.Width() || size.y != part.Height())) {
    part = ScaleGlyph(part, key, size.x, size.y);
  }
  part.Transparent = true;
  part.TransparentColor = key;
  DrawBitmap(dc, x, y, part);
}

TPoint MeasureCaption(HDC dc, const std::wstring& text, int width) {
  if (text.empty()) return {};
  RECT r{0, 0, std::max(width, 1), 0};
  DrawTextW(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK);
  return {static_cast<int>(r.right - r.left), static_cast<int>(r.bottom - r.top)};
}

void PublishGlyphLayout(TPropertyTable& table, TGraphic& glyph, int& num_glyphs,
                        TButtonLayout& layout, int& margin, int& spacing) {
  table.Object("Glyph", [&glyph]() -> TPersistent* { return &glyph; });
  auto integer = [&table](const char* name, int& field) {
    table.Int(
        name, [&field] { return field; },
        [&field](std::int64_t v) { field = static_cast<int>(v); });
  };
  integer("NumGlyphs", num_glyphs);
  integer("Margin", margin);
  integer("Spacing", spacing);
  table.Enum(
      "Layout", ButtonLayoutNames(), [&layout] { return static_cast<std::int64_t>(layout); },
      [&layout](std::int64_t v) { layout = static_cast<TButtonLayout>(v); });
}

std::vector<std::string> ButtonLayoutNames() {
  return {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"};
}

// --- TSpeedButton -----------------------------------------------------------

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {}

void TSpeedButton::SetGroupIndex(int index) {
  group_index_ = index;
  if (group_index_ == 0) SetDown(false);
}

void TSpeedButton::SetDown(bool down) {
  if (group_index_ == 0) down = false;
  if (down == down_) return;
  down_ = down;
  if (down_ && Parent()) {
    for (int i = 0; i < Parent()->GraphicControlCount(); ++i) {
      auto* other = dynamic_cast<TSpeedButton*>(Parent()->GraphicControls(i));
      if (other && other != this && other->group_index_ == group_index_) other->SetDown(false);
    }
  }
  Invalidate();
}

void TSpeedButton::SetFlat(bool flat) {
  flat_ = flat;
  Invalidate();
}

void TSpeedButton::Click() {
  if (group_index_ != 0) {
    if (!down_) {
      SetDown(true);
    } else if (AllowAllUp) {
      SetDown(false);
    }
  }
  TGraphicControl::Click();
}

bool TSpeedButton::Inside(POINT point) const {
  const TRect r = BoundsRect();
  return point.x >= 0 && point.y >= 0 && point.x < r.Width() && point.y < r.Height();
}

void TSpeedButton::MouseDown(POINT point, WPARAM) {
  if (!Enabled()) return;
  pressed_ = true;
  pressed_inside_ = Inside(point);
  Invalidate();
}

void TSpeedButton::MouseMove(POINT point, WPARAM) {
  if (!pressed_ || Inside(point) == pressed_inside_) return;
  pressed_inside_ = Inside(point);
  Invalidate();
}

void TSpeedButton::MouseUp(POINT point, WPARAM) {
  if (!pressed_) return;
  pressed_ = false;
  Invalidate();
  if (Inside(point)) Click();
}

void TSpeedButton::WndProc(TMessage& m) {
  if (m.Msg == WM_CAPTURECHANGED && pressed_) {
    pressed_ = false;
    Invalidate();
  }
  TGraphicControl::WndProc(m);
}

void TSpeedButton::Paint(HDC target) {
  const TRect shown = BoundsRect();
  const int w = shown.Width(), h = shown.Height();
  if (w <= 0 || h <= 0) return;
  TMemoryDC buffer(target, w, h);
  HDC dc = buffer.Get();
  RECT r{0, 0, w, h};
  const TColor back = Parent() ? Parent()->EffectiveColor() : clBtnFace;
  TOwnedBrush brush(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(back))));
  FillRect(dc, &r, brush.Get());
  const bool pushed = (pressed_ && pressed_inside_) || down_;
  if (!flat_) {
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    if (down_ && !pressed_) {
      // A button that stays down shows a lighter face.
      RECT inner = r;
      InflateRect(&inner, -2, -2);
      FillRect(dc, &inner, GetSysColorBrush(COLOR_3DLIGHT));
    }
  } else if (pushed) {
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  } else if (MouseInControl() && Enabled()) {
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  }
  TSelectObject font(dc, Font());
  TGlyphContent glyph;
  glyph.strip = &Glyph.Bitmap;
  glyph.frames = std::max(NumGlyphs, 1);
  glyph.cell = !Enabled() ? 2 : down_ ? 4 : pushed ? 3 : 1;
  glyph.grey = !Enabled() && glyph.frames < 2;
  if (!Glyph.Empty()) glyph.glyph_size = {Glyph.Width() / glyph.frames, Glyph.Height()};
  if (Parent()) glyph.dpi = Parent()->Dpi();
  const TColor text_colour = Parent() ? Parent()->EffectiveFontColor() : clBtnText;
  PaintGlyphAndCaption(dc, {w, h}, glyph, Caption(), Layout, Margin, Spacing, true, pushed ? 1 : 0,
                       !Enabled(), text_colour, true);
  BitBlt(target, 0, 0, w, h, dc, 0, 0, SRCCOPY);
}

void TSpeedButton::DescribeProperties(TPropertyTable& table) {
  TGraphicControl::DescribeProperties(table);
  table.Enum(
      "Down", BoolNames(), [this] { return down_ ? 1 : 0; },
      [this](std::int64_t v) { SetDown(v != 0); });
  table.Enum(
      "Flat", BoolNames(), [this] { return flat_ ? 1 : 0; },
      [this](std::int64_t v) { SetFlat(v != 0); });
  table.Int(
      "GroupIndex", [this] { return group_index_; },
      [this](std::int64_t v) { SetGroupIndex(static_cast<int>(v)); });
  table.Enum(
      "AllowAllUp", BoolNames(), [this] { return AllowAllUp ? 1 : 0; },
      [this](std::int64_t v) { AllowAllUp = v != 0; });
  PublishGlyphLayout(table, Glyph, NumGlyphs, Layout, Margin, Spacing);
}

// --- push buttons drawn by the program ----------------------------------------

namespace {

// The frame of an owner-drawn push button into a back buffer of the item's
// size; the caller draws the content and copies the buffer.
void DrawPushFrame(HDC dc, const RECT& r, bool pressed, bool focused) {
  RECT frame = r;
  if (focused) {
    // The button that Enter presses has a dark outline.
    FrameRect(dc, &frame, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&frame, -1, -1);
  }
  if (pressed) {
    FillRect(dc, &frame, GetSysColorBrush(COLOR_BTNFACE));
    FrameRect(dc, &frame, GetSysColorBrush(COLOR_BTNSHADOW));
  } else {
    DrawFrameControl(dc, &frame, DFC_BUTTON, DFCS_BUTTONPUSH);
  }
}

void DrawFocus(HDC dc, RECT area, bool show) {
  if (!show) return;
  InflateRect(&area, 2, 2);
  DrawFocusRect(dc, &area);
}

}  // namespace

void TOwnerDrawButton::CreateParams(TCreateParams& params) {
  TButton::CreateParams(params);
  params.style |= BS_OWNERDRAW;
}

void TOwnerDrawButton::WndProc(TMessage& m) {
  if (m.Msg == CN_DRAWITEM) {
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
    m.Result = TRUE;
    return;
  }
  // A second click in quick succession is a click like the first.
  if (m.Msg == WM_LBUTTONDBLCLK) m.Msg = WM_LBUTTONDOWN;
  TButton::WndProc(m);
}

void TOwnerDrawButton::DrawItem(const DRAWITEMSTRUCT& item) {
  TButtonFace face;
  face.width = item.rcItem.right - item.rcItem.left;
  face.height = item.rcItem.bottom - item.rcItem.top;
  if (face.width <= 0 || face.height <= 0) return;
  TMemoryDC buffer(item.hDC, face.width, face.height);
  face.dc = buffer.Get();
  face.pressed = item.itemState & ODS_SELECTED;
  face.focused = item.itemState & ODS_FOCUS;
  face.disabled = item.itemState & ODS_DISABLED;
  const TUiCues cues = QueryCues(Handle());
  face.show_focus = cues.focus;
  face.show_accelerators = cues.accelerators;
  DrawPushFrame(face.dc, RECT{0, 0, face.width, face.height}, face.pressed, face.focused);
  TSelectObject font(face.dc, Font());
  DrawFace(face);
  BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, face.width, face.height, face.dc, 0, 0,
         SRCCOPY);
}

TBitBtn::TBitBtn(TComponent* owner) : TOwnerDrawButton(owner) {}

void TBitBtn::DrawFace(const TButtonFace& face) {
  TGlyphContent glyph;
  TBitmap image;
  if (!Glyph.Empty()) {
    glyph.strip = &Glyph.Bitmap;
    glyph.frames = std::max(NumGlyphs, 1);
    glyph.cell = face.disabled ? 2 : face.pressed ? 3 : 1;
    glyph.grey = face.disabled && glyph.frames < 2;
    glyph.glyph_size = {Glyph.Width() / glyph.frames, Glyph.Height()};
  } else if (Images && ImageIndex >= 0 && ImageIndex < Images->Count()) {
    int index = ImageIndex;
    if (face.disabled && DisabledIndex >= 0 && DisabledIndex < Images->Count()) {
      index = DisabledIndex;
    }
    image = Images->Image(index);
    // The strip's transparent corner is the list's mask colour.
    image.SetPixel(0, image.Height() - 1, Images->MaskColor(index));
    glyph.strip = &image;
    glyph.grey = face.disabled && DisabledIndex < 0;
    glyph.glyph_size = {image.Width(), image.Height()};
  }
  glyph.dpi = Dpi();
  const RECT text = PaintGlyphAndCaption(
      face.dc, {face.width, face.height}, glyph, Caption(), Layout, Margin, Spacing, false,
      face.pressed ? 1 : 0, face.disabled, EffectiveFontColor(), face.show_accelerators);
  DrawFocus(face.dc, text, face.focused && face.show_focus && !Caption().empty());
}

void TBitBtn::DescribeProperties(TPropertyTable& table) {
  TButton::DescribeProperties(table);
  PublishGlyphLayout(table, Glyph, NumGlyphs, Layout, Margin, Spacing);
  table.Object("Images", [this]() -> TPersistent* { return const_cast<TImageList*>(Images); });
  table.Int(
      "ImageIndex", [this] { return ImageIndex; },
      [this](std::int64_t v) { ImageIndex = static_cast<int>(v); });
  table.Int(
      "DisabledIndex", [this] { return DisabledIndex; },
      [this](std::int64_t v) { DisabledIndex = static_cast<int>(v); });
}

// --- TMenuButton --------------------------------------------------------------

TMenuButton::TMenuButton(TComponent* owner) : TOwnerDrawButton(owner) {}

void TMenuButton::Click() {
  TButton::Click();
  if (!DropdownMenu || !HandleAllocated()) return;
  RECT r;
  GetWindowRect(Handle(), &r);
  DropdownMenu->Popup(r.left, r.bottom);
}

void TMenuButton::DrawFace(const TButtonFace& face) {
  const int w = face.width, h = face.height;
  const std::wstring text = Caption();
  const TPoint size = MeasureCaption(face.dc, text, w - kArrowZone - 4);
  const int shift = face.pressed ? 1 : 0;
  const int x = (w - kArrowZone - size.x) / 2 + 2 + shift;
  const int y = (h - size.y + 1) / 2 + shift;
  const RECT area{x, y, x + size.x, y + size.y};
  DrawCaption(face.dc, text, area, gtLeft, face.disabled, EffectiveFontColor(),
              face.show_accelerators);
  DrawFocus(face.dc, area, face.focused && face.show_focus && !text.empty());
  // The arrow that says a menu drops down.
  const int ay = h / 2 + 2 + shift;
  const POINT arrow[3] = {{w - 12 + shift, ay}, {w - 15 + shift, ay - 3}, {w - 9 + shift, ay - 3}};
  const COLORREF ink = GetSysColor(face.disabled ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT);
  TOwnedPen pen(CreatePen(PS_SOLID, 1, ink));
  TOwnedBrush brush(CreateSolidBrush(ink));
  TSelectObject select_pen(face.dc, pen.Get());
  TSelectObject select_brush(face.dc, brush.Get());
  Polygon(face.dc, arrow, 3);
}

void TMenuButton::DescribeProperties(TPropertyTable& table) {
  TButton::DescribeProperties(table);
  table.Object("DropdownMenu", [this]() -> TPersistent* { return DropdownMenu; });
}
