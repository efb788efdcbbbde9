#include "framework/MenuPainter.h"

#include <algorithm>
#include <string>

#include "framework/BitmapWin32.h"
#include "framework/Dpi.h"
#include "framework/GlyphImage.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"

namespace {

// Spacing around the parts of an item, at 96 DPI.
constexpr int kPad = 4;
constexpr int kSeparatorHeight = 9;

SIZE TextSize(HDC dc, const std::wstring& text, UINT flags) {
  RECT r{0, 0, 0, 0};
  if (!text.empty()) DrawTextW(dc, text.c_str(), -1, &r, flags | DT_CALCRECT | DT_SINGLELINE);
  return {r.right - r.left, r.bottom - r.top};
}

bool HasImage(const TMenuItem& item, const TImageList* images) {
  return images && item.ImageIndex() >= 0 && item.ImageIndex() < images->Count();
}

// An image list's images are drawn for 96 DPI: in a popup at another DPI
// they show scaled like the text beside them.
SIZE ImageSize(const TImageList& images, int dpi) {
  return {ScaleForDpi(images.Width(), dpi), ScaleForDpi(images.Height(), dpi)};
}

// An image washed out for a disabled item: each drawn pixel in grey,
// halfway to the menu's background.
void WashOut(TBitmap& image, TColor key) {
  const TColor background = ColorToRGB(clMenu);
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      const TColor p = image.Pixel(x, y);
      if (p == key) continue;
      const int luma = (RedOf(p) * 3 + GreenOf(p) * 6 + BlueOf(p)) / 10;
      image.SetPixel(x, y,
                     RGBColour((luma + RedOf(background)) / 2, (luma + GreenOf(background)) / 2,
                               (luma + BlueOf(background)) / 2));
    }
  }
}

// Image `index` of the list at the DPI, centred in `box`.
void DrawImage(HDC dc, const RECT& box, const TImageList& images, int index, bool disabled,
               int dpi) {
  const SIZE size = ImageSize(images, dpi);
  const TBitmap image = ListImageAtSize(images, index, size.cx, size.cy,
                                        disabled ? TGlyphRecolour(WashOut) : TGlyphRecolour());
  DrawBitmap(dc, (box.left + box.right - size.cx) / 2, (box.top + box.bottom - size.cy) / 2, image);
}

}  // namespace

TMenuPainter::TMenuPainter() = default;

const TMenuPainter::TFontAtDpi& TMenuPainter::FontAt(int dpi) const {
  if (font_.font && font_.dpi == dpi) return font_;
  const LOGFONTW font = SystemMenuLogFont(dpi);
  font_.font.Reset(CreateFontIndirectW(&font));
  font_.dpi = dpi;
  TWindowDC screen(nullptr);
  TSelectObject select(screen.Get(), font_.font.Get());
  TEXTMETRICW metrics{};
  GetTextMetricsW(screen.Get(), &metrics);
  font_.text_height = metrics.tmHeight + metrics.tmExternalLeading;
  return font_;
}

int TMenuPainter::GutterWidth(const TImageList* images, int dpi) const {
  const int column = std::max(SystemMetricsForDpi(SM_CXMENUCHECK, dpi),
                              images ? static_cast<int>(ImageSize(*images, dpi).cx) : 0);
  return column + 2 * ScaleForDpi(kPad, dpi);
}

void TMenuPainter::Measure(const TMenuItem& item, HDC dc, const TImageList* images, bool in_bar,
                           int dpi, int& width, int& height) const {
  const int pad = ScaleForDpi(kPad, dpi);
  const int text_height = FontAt(dpi).text_height;
  if (in_bar) {
    width = TextSize(dc, item.Caption(), 0).cx + 2 * kPad;
    height = text_height + kPad;
    return;
  }
  if (item.IsLine()) {
    width = GutterWidth(images, dpi);
    height = ScaleForDpi(kSeparatorHeight, dpi);
    return;
  }
  const int caption = TextSize(dc, item.Caption(), 0).cx;
  const int short_cut = TextSize(dc, item.ShortCutText(), DT_NOPREFIX).cx;
  // The short-cut stands apart from the caption by about two letters; the
  // system draws a submenu's arrow in the space at the right.
  width = GutterWidth(images, dpi) + pad + caption + (short_cut > 0 ? text_height + short_cut : 0) +
          text_height;
  height =
      std::max({text_height + 2 * pad, SystemMetricsForDpi(SM_CYMENUCHECK, dpi) + pad,
                HasImage(item, images) ? static_cast<int>(ImageSize(*images, dpi).cy) + pad : 0});
}

void TMenuPainter::Draw(const TMenuItem& item, HDC dc, const RECT& rect, UINT state,
                        const TImageList* images, bool in_bar, int dpi) const {
  const int pad = ScaleForDpi(kPad, dpi);
  const bool selected = (state & ODS_SELECTED) || (in_bar && (state & ODS_HOTLIGHT));
  const bool disabled = state & (ODS_GRAYED | ODS_DISABLED);
  FillRect(dc, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
  if (item.IsLine()) {
    RECT line{rect.left + pad, (rect.top + rect.bottom) / 2 - 1, rect.right - pad, rect.bottom};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  const COLORREF text_colour = GetSysColor(disabled   ? COLOR_GRAYTEXT
                                           : selected ? COLOR_HIGHLIGHTTEXT
                                                      : COLOR_MENUTEXT);
  const TFontAtDpi& font_at = FontAt(dpi);
  TSelectObject font(dc, font_at.font.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, text_colour);
  const UINT prefix = (state & ODS_NOACCEL) ? DT_HIDEPREFIX : 0;
  const std::wstring caption = item.Caption();
  if (in_bar) {
    RECT r = rect;
    DrawTextW(dc, caption.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | prefix);
    return;
  }

  const RECT gutter{rect.left, rect.top, rect.left + GutterWidth(images, dpi), rect.bottom};
  if (HasImage(item, images)) {
    DrawImage(dc, gutter, *images, item.ImageIndex(), disabled, dpi);
    if (item.Checked()) {
      // A checked image is framed, as a pressed button would be.
      const SIZE size = ImageSize(*images, dpi);
      const int margin = ScaleForDpi(2, dpi);
      RECT frame{(gutter.left + gutter.right - size.cx) / 2 - margin,
                 (gutter.top + gutter.bottom - size.cy) / 2 - margin, 0, 0};
      frame.right = frame.left + size.cx + 2 * margin;
      frame.bottom = frame.top + size.cy + 2 * margin;
      TOwnedBrush brush(CreateSolidBrush(text_colour));
      FrameRect(dc, &frame, brush.Get());
    }
  } else if (item.Checked()) {
    DrawCheck(dc, gutter, text_colour, dpi);
  }

  RECT text{gutter.right + pad, rect.top, rect.right - font_at.text_height, rect.bottom};
  DrawTextW(dc, caption.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | prefix);
  const std::wstring short_cut = item.ShortCutText();
  if (!short_cut.empty()) {
    DrawTextW(dc, short_cut.c_str(), -1, &text,
              DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
}

void TMenuPainter::DrawCheck(HDC dc, const RECT& box, COLORREF colour, int dpi) const {
  const int width = box.right - box.left;
  const int height = box.bottom - box.top;
  const int size = std::max(6, std::min(width, height) - 2 * ScaleForDpi(kPad, dpi));
  const int cx = static_cast<int>(box.left) + width / 2;
  const int cy = static_cast<int>(box.top) + height / 2;
  const POINT tick[3] = {
      {cx - size / 2, cy}, {cx - size / 6, cy + size / 3}, {cx + size / 2, cy - size / 3}};
  TOwnedPen pen(CreatePen(PS_SOLID, std::max(2, size / 6), colour));
  TSelectObject select(dc, pen.Get());
  Polyline(dc, tick, 3);
}
